// What the folder pages' engines (rename 06, delete 07) share below their
// windows: where their outcomes go, and how a list item becomes a path a
// run may use. Plain C++: the pages connect a sink to their Visual Logs.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "pages/RunLog.h"
#include "platform/Beneath.h"

// Where a folder engine's outcomes go. One call per line: `category` is
// the list it belongs to (the page's category numbers, in the order of its
// Visual Log), `line` the path shown there, and `counters` every counter
// of the page as it stands after this outcome (in the page's counter
// order). An outcome that the program lists twice (a folder that does not
// exist is also one not deleted) comes as two calls with the same counters.
class FolderRunSink {
public:
    virtual ~FolderRunSink() = default;
    virtual void Outcome(int category, std::string_view line, std::span<const double> counters) = 0;
};

// An Include item as a run uses it: blanks and control characters around
// it dropped, "/" turned into "\", runs of "\" and of ":" collapsed.
std::string NormalizeFolderItem(const std::string& item);

// True when a run may not use the (normalised) item, by the runs' shared
// item check: no drive, a "." or ".." name, an empty last name, the root
// of a drive, a path relative to a drive's current folder ("C:Data").
bool UnusableFolderItem(const std::string& item);
// True when a new last name names no entry of its own: empty as the file
// system reads it, made of dots, or holding a separator or colon.
bool UnusableFolderName(std::string_view name);

// The folder that holds a path, as text: a drive's root keeps its "".
std::string_view ParentText(std::string_view path);

// The folders that hold a run's items, each opened once (and kept while
// the run works among them). A folder that cannot be opened gives null.
class ParentBases {
public:
    plat::Beneath* Get(std::string_view parent);
    // Lets every folder go, e.g. when the ones below may have new names.
    void Clear();

private:
    std::unordered_map<std::string, std::unique_ptr<plat::Beneath>> open_;
    std::string last_;
    plat::Beneath* lastBase_ = nullptr;
};

// The item with "." names dropped and each ".." taking the name before it
// away (never above the drive), as the file system would read it: what a
// refusal by identity looks at.
std::string LexicallyResolved(const std::string& item);

// A folder engine's outcomes into a page's Visual Log: each line into its
// list, the counters under their labels at the log's pace.
class FolderLogSink final : public FolderRunSink {
public:
    FolderLogSink(RunLog& log, std::span<const char* const> labels) : log_(log), labels_(labels) {}
    void Outcome(int category, std::string_view line, std::span<const double> counters) override;

private:
    RunLog& log_;
    std::span<const char* const> labels_;
};

// One item's outcomes, kept on a worker of the run pool until the window
// thread replays them in item order. The engine counts the item from 0;
// each outcome keeps the item's counters as they stood then, and the
// replay adds the run's counters from before the item, so every line
// reaches the page's sink with the very figures a one-at-a-time run gives.
class FolderItemSink final : public FolderRunSink {
public:
    void Outcome(int category, std::string_view line, std::span<const double> counters) override;
    // Sends every kept outcome to `sink` with `before` added, and forgets them.
    void ReplayInto(FolderRunSink& sink, std::span<const double> before);
    bool Empty() const { return entries_.empty(); }
    void Clear();

private:
    // The lines one after another in text_: a slot reused by later items
    // keeps its buffers, so a worker allocates nothing per line.
    struct Entry {
        int category;
        std::size_t at, size;
    };
    std::vector<Entry> entries_;
    std::string text_;
    std::size_t width_ = 0;
    std::vector<double> counters_;  // width_ per entry
    std::vector<double> sum_;
};
