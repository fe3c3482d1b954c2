// Checks of names, relative paths and full paths against the program's own
// rules before they enter a list or a run. Single texts give back one
// message; whole lists give a report of fixed form that the calling page
// shows in its own box. Only CheckSeparatorCount shows a box itself.
//
// A folder name "." or ".." (or any name made of dots and blanks only, which
// the file system would read as one of them) is refused by every check here:
// no item may lead out of the folder it names.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ByteScan.h"
#include "core/LineStore.h"
#include "core/Types.h"

// One offender of the syntax check: the item and " c" for each bad character.
struct _tagBadCharsInFolder {
    std::string Folder;
    std::string BadChars;
};

// One offender of the colon check: the item and its number of colons.
struct _tagColonsInFolder {
    std::string Folder;
    int Colons = 0;
};

// ---- forbidden characters -------------------------------------------------------

// The three sets are fixed by the program; these (re)build them and are
// called once at start-up. The checks work before that too.
void InitFolderNameCharSet();    // full folder paths: / " * | < > ?
void InitRelativePathCharSet();  // kind "H": : * " [ ] ; | < > ? !
void InitFileNameCharSet();      // kind "F": the "H" set and \ and /

// Kind "F" single names, "H" relative paths, any other kind full paths.
// `found` gets a blank and the character for every hit, in text order.
bool FindIllegalChars(const std::string& kind, const std::string& text, std::string& found);

// ---- single texts ---------------------------------------------------------------

// True when every colon stands behind a letter and neither first nor last.
// The message is always set.
bool AnalyseColons(const std::string& text, std::string& message);

// The drive part as the platform reads it: two characters when the second
// is a colon, or \\server\share of a network path; else empty.
std::string GetDrivePart(const std::string& path);
// True when a folder name of the path (between \, / and :) is made of dots
// and blanks only, such as "." or "..".
bool HasDotFolderName(const std::string& path);
// True when the path names the root of its drive or share however it is
// written ("C:", "C:\\", "C:/", "C:\.", "C:\a\..", "\").
bool IsDriveRootPath(const std::string& path);

// How a run uses a list item it builds new names from.
enum class RunItemUse {
    // A destination: new names go beneath it; a drive root is one too.
    Destination,
    // An Include-list folder new names go beneath, as the list took it:
    // never a drive root.
    IncludeFolder,
    // A folder whose own last name goes into the new name (a folder made
    // beside it or after it): never a drive root, and its last name is there.
    NamedFolder,
};
// The run's own check of an item it builds new names from, made again for
// every item because items reach a run from profiles and settings too.
// Unusable: no drive letter (or network share), a drive part not followed
// by a separator ("C:x" and "C:" name a place relative to a current folder),
// a colon behind the drive part, a "." or ".." name (with either slash),
// and what `use` refuses besides. Blanks and control characters around the
// item are ignored, as every run trims them.
bool IsUsableRunItem(std::string_view item, RunItemUse use);

// The drive type name of the path's first letter among the logical drives
// ("Fixed drive", ...; empty when it is none). True when it is a logical
// drive or when any drive is accepted.
bool CheckDrive(const std::string& path, std::string& driveTypeName, bool acceptAnyDrive);
bool CheckDrive(const std::string& path);

// A usable full folder path. The message is set only on refusal.
bool ValidateFolderName(const std::string& path, std::string& message, bool acceptAnyDrive);

// A text that may go into an Include list; `normalised` gets it with
// slashes turned into backslashes and runs of backslashes and colons
// collapsed (left alone on refusal).
bool ValidateIncludeListText(const std::string& text, std::string& message, std::string& normalised);

// Cuts a text into the full paths it holds, each starting at a drive letter
// and its colon; the text between paths stays with the path before.
StringList SplitPathsAtDriveLetters(const std::string& text);
// The same into `paths` (replaced).
void SplitFullPaths(StringList& paths, const std::string& text);

// ValidateIncludeListText, then `paths` is replaced by the full paths of the
// normalised text.
bool AddToIncludeListChecked(const std::string& text, StringList& paths, std::string& message,
                             std::string& normalised);

// One entry of a simulation or check: normalised, it goes to `accepted`
// when its colons, its folder name and its length (below 255) pass, else to
// `refused`. Both lists are replaced. True when nothing was refused.
bool ValidateEntryList(const std::string& text, StringList& accepted, StringList& refused);

// The text of the box that refuses to copy a folder into itself: the
// destination is the source, holds it or lies in it.
std::string SameFolderRefusal(const std::string& destination, const std::string& source);
// True when the run must not go on: a text fails ValidateIncludeListText,
// or both name the same folder ignoring letter case.
bool CheckDestinationNotSource(const std::string& destination, const std::string& source,
                               std::string& message);

// A name-mask text of the File Selection window. Empty: true, list left
// alone. An odd number of double quotation marks shows warning 0519 and
// gives false; else `items` is replaced by the items of the text.
bool CheckSeparatorCount(const std::string& text, StringList& items);

// ---- whole lists ------------------------------------------------------------------
// Each item is normalised first. A check that finds offenders appends its
// section to `report` (count, the first three, how many more) and returns
// true; with none it adds nothing and returns false.

bool CheckFolderNameSyntax(const StringList& items, std::string& report);
// The same for a long list that most often has nothing to report.
bool CheckFolderNameSyntax(const LineStore& items, std::string& report);
// For scans of sixteen bytes at a time: true elements where `at` holds a byte
// that CheckFolderNameSyntax reports (it turns every "/" into "\" first, so
// "/" is none). A list without one has nothing to report.
inline bytescan::Mask16 FolderNameSyntaxBytes(bytescan::Bytes16 at) {
    return (at == '"') | (at == '*') | (at == '|') | (at == '<') | (at == '>') | (at == '?');
}
// `allowedColons` is 0 or 1.
bool CheckColonsInFolderNames(const StringList& items, int allowedColons, std::string& report);
bool CheckPathsBeginWithBackslash(const StringList& items, std::string& report);
bool CheckDotFolderNames(const StringList& items, std::string& report);

// Relative paths: no drive part, no forbidden character, no colon, a
// leading backslash, no "." or ".." names. A drive section replaces what
// the report held.
bool CheckRelativePathList(const StringList& items, std::string& report);
// Full paths: a drive part, no forbidden character, at most one colon, no
// "." or ".." names.
bool CheckFullPathList(const StringList& items, std::string& report);
