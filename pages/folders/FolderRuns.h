// What the folder pages' engines (rename 06, delete 07) share below their
// windows: how a list item becomes a path a run may use, the folders that
// hold a run's items, and an item as the file system would resolve it.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Types.h"
#include "platform/Beneath.h"

// An Include item as a run uses it: blanks and control characters around
// it dropped, "/" turned into "\", runs of "\" and of ":" collapsed (but
// for the two that begin a network path).
std::string NormalizeFolderItem(const std::string& item);
// The same, `separators` getting how many "\\" it holds (its level, as
// CountPathSeparators counts it).
std::string NormalizeFolderItem(const std::string& item, unsigned long& separators);

// The Include list's main folders as a run takes them: the top-most ones
// (ExamineSubFolders::TopFolders) or, without `topMost`, the sorted ones,
// judged on each line as the run reads it (NormalizeFolderItem), so that
// "C:/A/B" lies in "C:\A" as "C:\A\B" does and "C:\A\\" is "C:\A". Each
// comes as the list's first line of it gives it, blanks around it dropped.
StringList MainFoldersAsRead(const StringList& lines, bool topMost);

// True when a run may not use the (normalised) item, by the runs' shared
// item check: no drive, a "." or ".." name, an empty last name, the root
// of a drive, a path relative to a drive's current folder ("C:Data").
bool UnusableFolderItem(const std::string& item);
// True when a new last name names no entry of its own: empty as the file
// system reads it, made of dots, or holding a separator or colon.
bool UnusableFolderName(std::string_view name);

// The folder that holds a path, as text: a drive's root keeps its "".
std::string_view ParentText(std::string_view path);

// The folders that hold a run's items, opened as they are asked for and
// kept a few dozen at a time; one opened on another worker's table of
// handles is opened again. A folder that cannot be opened gives null.
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
