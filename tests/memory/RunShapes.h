// The runs whose memory the tests and the run-memory benchmark weigh: each
// a page, a mode and a shape of input, made on a drive and entered in the
// real main window as a user would, then run. What a shape lists grows
// with its size, 2^power + 1 of its largest kind of entry (where growing
// lists have just doubled).
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Desktop.h"
#include "platform/MessageBox.h"

class QDialog;

namespace runshapes {

// The main window over a drive: the program folder made the current one,
// the settings at their first values, every box answered Yes, the settings
// start and an Include list editor scripted.
class ShapeWindow {
public:
    // `root`: the drive's Linux folder, mapped as `letter`.
    ShapeWindow(const std::string& root, char letter);
    ~ShapeWindow();
    ShapeWindow(const ShapeWindow&) = delete;
    ShapeWindow& operator=(const ShapeWindow&) = delete;

    // Drive form and Linux form of a path below the drive ("T\\S").
    std::string Path(const std::string& rel) const;
    // Every path below T longer by `chars`: a folder of that name and its
    // separator between T and the rest.
    void Lengthen(std::size_t chars) { pad_ = chars ? std::string(chars - 1, 'L') + "\\" : ""; }
    std::string Native(const std::string& rel) const;
    void MakeFolder(const std::string& rel) const;
    // Empty folders, or files, at rel\<name>0 .. rel\<name><n-1>.
    void Make(const std::string& rel, long n, const std::string& name, bool files = false) const;

    void Click(const char* button) const;
    void SetText(const char* field, const std::string& text) const;
    // The folder dialog of `button` answers `rel`.
    void Browse(const char* button, const std::string& rel);
    // A page's Include list editor (opened by `button`) takes `lines` and `ok`.
    void Edit(const char* button, const char* ok, const std::string& lines);
    // The captions' numbers of the boxes shown ("0458."), in order.
    const std::vector<std::string>& Boxes() const { return boxes_; }

private:
    std::string Padded(const std::string& rel) const;

    std::string root_;
    char letter_;
    std::string pad_;
    std::string oldCwd_;
    std::string browsed_;
    std::function<int(QDialog*)> onEditor_;
    std::vector<std::string> boxes_;
    plat::MessageBoxHandler previousBoxes_;
    plat::FolderBrowserHandler previousBrowser_;
};

struct RunShape {
    const char* name;
    int power;  // the test's size; the benchmark's is larger
    std::function<void(ShapeWindow&, long n)> arrange;
    std::function<void(ShapeWindow&)> run;
    // Why the count cannot know what the run will meet (so it weighs the
    // dearer case, and the run may take far less); none: it knows, and the
    // run takes at least half its weight.
    const char* unknown = nullptr;
};
const std::vector<RunShape>& Shapes();
inline void PrintTo(const RunShape& shape, std::ostream* out) { *out << shape.name; }

}  // namespace runshapes
