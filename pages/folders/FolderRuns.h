// What the folder pages' engines (rename 06, delete 07) share below their
// windows: where their outcomes go, and how a list item becomes a path a
// run may use. Plain C++: the pages connect a sink to their Visual Logs.
#pragma once

#include <span>
#include <string>
#include <string_view>

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

// True when a run may not use the (normalised) item: a "." or ".." name,
// an empty last name, the root of a drive, or a path relative to a drive's
// current folder ("C:Data").
bool UnusableFolderItem(const std::string& item);

// The item with "." names dropped and each ".." taking the name before it
// away (never above the drive), as the file system would read it: what a
// refusal by identity looks at.
std::string LexicallyResolved(const std::string& item);
