// Path normalisation, levels and small text helpers. No state; the only
// disk access is the folder test of SplitFolderAndFileName.
#pragma once

#include <string>
#include <string_view>

#include "core/Types.h"

// The level of a path: every backslash and forward slash counts.
unsigned long CountPathSeparators(const std::string& path);

std::string SlashesToBackslashes(const std::string& text);
std::string BackslashesToSlashes(const std::string& text);
// Any run of the character becomes one.
std::string CollapseDoubleBackslashes(const std::string& text);
std::string CollapseDoubleSlashes(const std::string& text);
std::string CollapseDoubleColons(const std::string& text);

// Clears `out` and appends the path with slashes turned into backslashes
// and runs of backslashes collapsed. Always true.
bool NormalizePath(const std::string& path, StringList& out);
void AppendNormalizedPath(const std::string& path, StringList& out);

// drive = up to and including the first colon, rest = behind it; without
// a colon drive is empty, rest is the whole path and the result false.
bool SplitAtColon(const std::string& path, std::string& drive, std::string& rest);
bool BeginsWithBackslash(const std::string& text);

// destination + "\" + relative path, normalised; empty when the relative
// path has a drive part.
std::string JoinDestinationAndTemplatePath(const std::string& destination,
                                           const std::string& relativePath);

// An existing folder gives an empty name and the folder itself; anything
// else is split at its last backslash. Always true.
bool SplitFolderAndFileName(const std::string& path, std::string& name, std::string& folder);
// Returns the parent part; mode 1 keeps no trailing backslash and first
// reduces the path to its folder part, other modes keep the backslash.
// Neither part is trimmed.
std::string SplitParentFolder(const std::string& path, std::string& name, int mode);

// The folder that holds a path, as text: a drive's root keeps its
// backslash; empty for a path without one.
std::string_view ParentText(std::string_view path);

// folder + "\" + name; a folder that already ends in a separator (a drive
// root such as "C:\") gets none added, so no path holds an empty name.
std::string JoinFolderAndName(const std::string& folder, const std::string& name);
// The same into `out`, whose room is kept (a run joins a path per file).
void JoinFolderAndName(const std::string& folder, const std::string& name, std::string& out);

// The process's current directory in drive form (no length limit).
// False and `text` unchanged when it cannot be read.
bool GetCurrentDir(unsigned long& length, std::string& text);
bool GetCurrentDir(std::string& text);

// Only the blank (32) is trimmed.
std::string TrimBlanks(const std::string& text);
// Trims every character of code 32 or less at both ends.
std::string TrimControlAndBlanks(const std::string& text);
// ASCII letters and the Latin-1 letters of UTF-8 text are lowered.
std::string ToLowerCase(const std::string& text);
// The byte at `i` of ToLowerCase(text), without making the lowered text.
char LowerByteAt(std::string_view text, std::size_t i);
std::string MakeBlanks(unsigned long count);
// Characters of code 32 or less at the end of the text.
unsigned long CountTrailingBlanks(const std::string& text);
// Equal ignoring letter case (as ToLowerCase lowers).
bool SameTextIgnoreCase(std::string_view a, std::string_view b);

// Whether two lines of a folder list are one line: byte for byte, as this
// system names its entries ("Proj" is not "proj", "proj." is not "proj"),
// but for a drive letter's case ("c:" is "C:").
bool SameFolderLine(std::string_view a, std::string_view b);
// The hash that goes with SameFolderLine.
std::size_t HashFolderLine(std::string_view text);
// The line as a key of a set of such lines: its drive letter made capital.
std::string FolderLineKey(std::string text);

// The bytes of the UTF-8 character that begins at `at`: 1 for a byte that
// begins no whole character, so a walk over any text advances; 0 at the end.
std::size_t Utf8CharLength(std::string_view text, std::size_t at);
// The length of the well-formed UTF-8 sequence at `at` (no overlongs,
// surrogates or code points above U+10FFFF), or 0.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at);
// Well-formed UTF-8 throughout: whole characters only.
bool IsWholeUtf8(std::string_view text);
