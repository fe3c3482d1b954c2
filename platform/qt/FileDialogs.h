// The open and save file dialogs. Every window asks through here, so tests
// can answer with a scripted handler instead of a real dialog.
#pragma once

#include <functional>
#include <string>

class QFileDialog;
class QWidget;

namespace qtplat {

struct FileDialogRequest {
    QWidget* owner = nullptr;
    bool save = false;
    // Filter in the program's form: "Text files (*.txt)|*.txt|All Files (*.*)|*.*".
    std::string filter;
    // Added to a typed name without extension (save only), without its dot.
    std::string defaultExtension;
    // The dialog's title; empty leaves the toolkit's own.
    std::string title;
    // Save only: ask before an existing file is chosen. Off where the caller
    // writes the file whole or not at all and its dialog asks nothing.
    bool confirmOverwrite = true;
};

// The chosen file in drive form, or "" when the user cancelled.
std::string GetFileName(const FileDialogRequest& request);
std::string GetOpenFileName(QWidget* owner, const std::string& filter, const std::string& defaultExtension);
std::string GetSaveFileName(QWidget* owner, const std::string& filter, const std::string& defaultExtension);

using FileDialogHandler = std::function<std::string(const FileDialogRequest& request)>;
// Installs a handler (tests); returns the previous one. Without a handler
// the real dialog is shown.
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

// The folder browser: the folder chosen or typed, in drive form; "" when
// the user cancelled.
std::string BrowseFolder(QWidget* owner, const std::string& title);

// A dialog's name field takes what is typed. The toolkit's list of the
// names in the folder typed so far opens when that folder's listing
// arrives, late on a slow share, and the keys typed as it opens are lost:
// the field offers no such list.
void TakeTypedNames(QFileDialog& dialog);

// "Text files (*.txt)|*.txt|All Files (*.*)|*.*" -> "Text files (*.txt);;All Files (*)".
std::string QtFileFilter(const std::string& filter);

}  // namespace qtplat
