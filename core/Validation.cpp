#include "core/Validation.h"

#include <array>
#include <deque>
#include <string_view>

#include "core/ByteScan.h"
#include "core/FileNames.h"
#include "core/LineSplit.h"
#include "core/PathTools.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace {

using CharSet = std::array<bool, 256>;

constexpr const char* kFolderNameChars = "/\"*|<>?";
constexpr const char* kRelativePathChars = ":*\"[];|<>?!";
constexpr const char* kFileNameChars = ":\"*[];|<>?!\\/";

CharSet MakeSet(const char* chars) {
    CharSet set{};
    for (const char* p = chars; *p; ++p) set[static_cast<unsigned char>(*p)] = true;
    return set;
}

// Filled at first use, so a check made before start-up still refuses.
CharSet& FolderNameSet() {
    static CharSet set = MakeSet(kFolderNameChars);
    return set;
}
CharSet& RelativePathSet() {
    static CharSet set = MakeSet(kRelativePathChars);
    return set;
}
CharSet& FileNameSet() {
    static CharSet set = MakeSet(kFileNameChars);
    return set;
}

const CharSet& SetOfKind(const std::string& kind) {
    if (kind == "F") return FileNameSet();
    if (kind == "H") return RelativePathSet();
    return FolderNameSet();
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }
bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
// Letters, digits and punctuation of ASCII, whatever the locale.
bool IsAsciiGraphic(char c) { return c > ' ' && c < 127; }

// A name of dots only: "." and ".." leave the folder they are in, and no
// path takes a longer one either.
bool IsDotName(const char* begin, const char* end) {
    return plat::IsDotsOnlyName(std::string_view(begin, static_cast<std::size_t>(end - begin)));
}

// Slashes to backslashes, runs of backslashes (and colons) made one.
void NormalizeInto(const std::string& text, std::string& out, bool collapseColons = false) {
    out.resize(text.size());
    std::size_t n = 0;
    for (char c : text) {
        if (c == '/') c = '\\';
        if ((c == '\\' || (collapseColons && c == ':')) && n > 0 && out[n - 1] == c) continue;
        out[n++] = c;
    }
    out.resize(n);
}

// Length of the drive part as the platform reads it (0 when none).
std::size_t DrivePartLength(std::string_view path) {
    if (path.size() >= 2 && path[1] == ':') return 2;
    if (path.size() < 2 || !IsSeparator(path[0]) || !IsSeparator(path[1])) return 0;
    std::size_t serverEnd = 2;
    while (serverEnd < path.size() && !IsSeparator(path[serverEnd])) ++serverEnd;
    if (serverEnd == 2 || serverEnd == path.size()) return 0;
    std::size_t shareEnd = serverEnd + 1;
    while (shareEnd < path.size() && !IsSeparator(path[shareEnd])) ++shareEnd;
    return shareEnd == serverEnd + 1 ? 0 : shareEnd;
}

// The text without the characters of code 32 or less at both ends.
std::string_view Trimmed(std::string_view text) {
    std::size_t first = 0, last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= 32) ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= 32) --last;
    return text.substr(first, last - first);
}

// HasDotFolderName of a view.
bool HasDotName(std::string_view path) {
    const char* begin = path.data();
    const char* end = begin + path.size();
    const char* start = begin;
    for (const char* p = begin;; ++p) {
        if (p == end || *p == '\\' || *p == '/' || *p == ':') {
            if (IsDotName(start, p)) return true;
            if (p == end) return false;
            start = p + 1;
        }
    }
}

// IsDriveRootPath of a trimmed view.
bool IsRoot(std::string_view text) {
    const std::string_view drive = text.substr(0, DrivePartLength(text));
    if (drive.empty() && (text.empty() || !IsSeparator(text[0]))) return false;
    // Walk the names behind the drive: empty names and "." stay in place,
    // ".." (and any longer name of dots only) goes up, never above the root.
    std::size_t depth = 0;
    std::size_t i = drive.size();
    while (i <= text.size()) {
        std::size_t j = i;
        while (j < text.size() && !IsSeparator(text[j])) ++j;
        if (j - i >= 2 && IsDotName(text.data() + i, text.data() + j)) {
            if (depth > 0) --depth;
        } else if (j > i && !(j - i == 1 && text[i] == '.')) {
            ++depth;
        }
        i = j + 1;
    }
    return depth == 0;
}

std::string FullyNormalized(const std::string& text) {
    std::string out;
    NormalizeInto(text, out, true);
    return out;
}

std::string Count(std::size_t n) { return NumberToStdString(static_cast<std::uint32_t>(n)); }

const std::string kDotFolderMessage = "There are \".\" or \"..\" folder names in the path.";
const std::string kDotTextMessage =
    "There are \".\" or \"..\" folder names in the text !\n"
    "Action : You must enter paths without \".\" or \"..\" folder names.";

// The offenders of one section: how many, and the lines of the first three.
struct Offenders {
    std::size_t count = 0;
    std::string lines;
    // True when the caller should build the line of this offender.
    bool Take() { return ++count <= 3; }
};

// The usual tail of a section.
std::string Tail(std::size_t n) {
    std::string tail = "\n";
    if (n > 3) tail.append(Count(n - 3)).append("  more left\n\n");
    return tail;
}
// The tail of the drive sections.
std::string DriveTail(std::size_t n) {
    std::string tail;
    if (n > 3) tail.append("\n").append(Count(n - 3)).append("  more left");
    return tail;
}

// Everything the whole-list checks look for, found in one pass.
struct ListFindings {
    int allowedColons = 0;
    bool wantDriveOffenders = false;  // items with a drive part (else without)
    bool anyForbidden = false;
    Offenders drive, syntax, colons, backslash, dots;

    void Inspect(const std::string& item) {
        const bool hasDrive = DrivePartLength(item) > 0;
        if (hasDrive == wantDriveOffenders && drive.Take()) drive.lines += item + "\n";

        const CharSet& forbidden = FolderNameSet();
        bool hasForbidden = false;
        int colonCount = 0;
        for (char c : item) {
            hasForbidden |= forbidden[static_cast<unsigned char>(c)];
            colonCount += c == ':';
        }
        if (hasForbidden) {
            anyForbidden = true;
            std::string found;
            if (syntax.Take() && FindIllegalChars("N", item, found))
                syntax.lines += "Syntax Error: " + found + "    " + item + "\n";
        }
        if (colonCount > allowedColons && colons.Take())
            colons.lines += "No. of Colons: " + std::to_string(colonCount) + "   " + item + "\n";

        if (!BeginsWithBackslash(item) && backslash.Take()) backslash.lines += item + "\n";
        if (HasDotFolderName(item) && dots.Take()) dots.lines += item + "\n";
    }

    static ListFindings Of(const StringList& items, int allowedColons, bool wantDriveOffenders) {
        ListFindings f;
        f.allowedColons = allowedColons;
        f.wantDriveOffenders = wantDriveOffenders;
        std::string item;
        for (const auto& text : items) {
            NormalizeInto(text, item);
            f.Inspect(item);
        }
        return f;
    }
};

bool AppendSection(std::string& report, const Offenders& o, const std::string& head) {
    if (o.count == 0) return false;
    report += head + o.lines + Tail(o.count);
    return true;
}

bool AppendSyntaxSection(std::string& report, const Offenders& o) {
    return AppendSection(report, o,
                         "Error Type: There are Syntax errors in the Folder Names ( / \" * | < > ?)  (total: " +
                             Count(o.count) + ") \n");
}

bool AppendColonSection(std::string& report, const Offenders& o, int allowedColons) {
    const std::string head = allowedColons == 0
                                 ? "There are Colons in the Folder Names ( " + Count(o.count) + ") \n"
                                 : "There are more than one Colons in the Folder Names (total: " + Count(o.count) +
                                       ") \n";
    return AppendSection(report, o, head);
}

bool AppendBackslashSection(std::string& report, const Offenders& o) {
    return AppendSection(report, o,
                         "Error Type: There are paths not beginning with \\ (backslash) (total: " + Count(o.count) +
                             ") \n");
}

bool AppendDotSection(std::string& report, const Offenders& o) {
    return AppendSection(report, o,
                         "Error Type: There are \".\" or \"..\" folder names in paths (total: " + Count(o.count) +
                             ") \n");
}

// The drive section replaces the report; then a blank line follows when
// anything about drives or characters was found.
bool ApplyDriveSection(std::string& report, const ListFindings& f, const std::string& head) {
    if (f.drive.count > 0) report = head + Count(f.drive.count) + " )\n" + f.drive.lines + DriveTail(f.drive.count);
    if (f.drive.count > 0 || f.anyForbidden) report += "\n\n";
    return f.drive.count > 0;
}

}  // namespace

// ---- forbidden characters -------------------------------------------------------

void InitFolderNameCharSet() { FolderNameSet() = MakeSet(kFolderNameChars); }
void InitRelativePathCharSet() { RelativePathSet() = MakeSet(kRelativePathChars); }
void InitFileNameCharSet() { FileNameSet() = MakeSet(kFileNameChars); }

bool FindIllegalChars(const std::string& kind, const std::string& text, std::string& found) {
    const CharSet& set = SetOfKind(kind);
    found.clear();
    for (char c : text) {
        if (set[static_cast<unsigned char>(c)]) {
            found += ' ';
            found += c;
        }
    }
    return !found.empty();
}

// ---- single texts ---------------------------------------------------------------

bool AnalyseColons(const std::string& text, std::string& message) {
    std::size_t colon = text.find(':');
    if (colon == std::string::npos) {
        message = "Not found any colon (:) in the text !!!!";
        return false;
    }
    for (; colon != std::string::npos; colon = text.find(':', colon + 1)) {
        if (colon == 0) {
            message = "The colon (:) is the first character in the text.";
            return false;
        }
        if (colon == text.size() - 1) {
            message = "The colon (:) is the last character in the text.";
            return false;
        }
        if (!IsAsciiLetter(text[colon - 1])) {
            message = "There is(are) no drive letter(s) before colon(s) (:) : " + std::string(1, text[colon - 1]);
            return false;
        }
    }
    message = "There is(are) a drive letter(s) before colon(s) (:).";
    return true;
}

std::string GetDrivePart(const std::string& path) { return path.substr(0, DrivePartLength(path)); }

bool HasDotFolderName(const std::string& path) { return HasDotName(path); }

bool IsDriveRootPath(const std::string& path) { return IsRoot(Trimmed(path)); }

bool IsUsableRunItem(std::string_view item, RunItemUse use) {
    // Looked at in place: a run asks it for every item.
    const std::string_view text = Trimmed(item);
    const std::size_t drive = DrivePartLength(text);
    if (drive == 0 || (drive == 2 && !IsAsciiLetter(text[0]))) return false;
    if (drive == 2 && (text.size() == 2 || !IsSeparator(text[2]))) return false;  // drive-relative
    if (text.find(':', drive) != std::string_view::npos || HasDotName(text)) return false;
    if (use == RunItemUse::Destination) return true;
    if (use == RunItemUse::IncludeFolder) return !IsRoot(text);
    // A last name (no dot names here): a root has none, so it fails this too.
    return text.size() > drive && !IsSeparator(text.back());
}

bool CheckDrive(const std::string& path, std::string& driveTypeName, bool acceptAnyDrive) {
    static const char* const kTypeNames[] = {"Unknown",     "Invalid path", "Removable drive", "Fixed drive",
                                             "Network drive", "CDROM",      "RAM Disk"};
    driveTypeName.clear();
    if (!path.empty()) {
        const char letter = (path[0] >= 'a' && path[0] <= 'z') ? static_cast<char>(path[0] - 32) : path[0];
        if (IsAsciiLetter(letter) && plat::LogicalDriveLetters().find(letter) != std::string::npos) {
            const int type = plat::GetDriveType(letter);
            driveTypeName = (type >= 0 && type <= 6) ? kTypeNames[type] : kTypeNames[0];
            return true;
        }
    }
    return acceptAnyDrive;
}

bool CheckDrive(const std::string& path) {
    std::string typeName;
    return CheckDrive(path, typeName, false);
}

bool ValidateFolderName(const std::string& path, std::string& message, bool acceptAnyDrive) {
    const std::string text = TrimControlAndBlanks(path);
    if (DrivePartLength(text) == 0) {
        message = "This item is not a valid Folder Name (No drive letter) !";
        return false;
    }
    // Any drive accepted: no need to ask the drive's type (a read of the mount table).
    std::string typeName;
    if (!acceptAnyDrive && !CheckDrive(text, typeName, false)) {
        message = "There is no valid drive letter.";
        return false;
    }
    std::string drive, rest;
    SplitAtColon(text, drive, rest);
    if (TrimBlanks(rest).size() < 2 || IsDriveRootPath(text)) {
        message = "There is no Folder part (just root).";
        return false;
    }
    if (HasDotFolderName(text)) {
        message = kDotFolderMessage;
        return false;
    }
    std::string found;
    if (FindIllegalChars("N", text, found)) {
        message = "Illegal characters in the folder name : " + found;
        return false;
    }
    return true;
}

bool ValidateIncludeListText(const std::string& text, std::string& message, std::string& normalised) {
    if (text.empty()) {
        message = "The text field is empty !\nAction : You must enter a text to add to the Include Folder List.";
        return false;
    }
    std::string found;
    if (FindIllegalChars("n", text, found)) {
        message = "Illegal characters in the text : " + found;
        return false;
    }
    if (HasDotFolderName(text)) {
        message = kDotTextMessage;
        return false;
    }
    normalised = FullyNormalized(text);
    return true;
}

StringList SplitPathsAtDriveLetters(const std::string& text) {
    const std::string t = SlashesToBackslashes(text);
    StringList paths;
    std::size_t pos = 0;
    while (pos < t.size()) {
        // The next colon with a letter before it (at or behind pos) and a
        // letter, digit or punctuation character behind it.
        std::size_t start = std::string::npos;
        for (std::size_t c = t.find(':', pos + 1); c != std::string::npos; c = t.find(':', c + 1)) {
            if (IsAsciiLetter(t[c - 1]) && c + 1 < t.size() && IsAsciiGraphic(t[c + 1])) {
                start = c - 1;
                break;
            }
        }
        if (start == std::string::npos) break;
        // The path ends before the letter of the next colon that is not the
        // last character.
        std::size_t end = t.size();
        for (std::size_t c = t.find(':', start + 2); c != std::string::npos; c = t.find(':', c + 1)) {
            if (c != t.size() - 1) {
                end = c - 1;
                break;
            }
        }
        paths.push_back(t.substr(start, end - start));
        pos = end;  // end > start: every round moves on
    }
    return paths;
}

void SplitFullPaths(StringList& paths, const std::string& text) { paths = SplitPathsAtDriveLetters(text); }

bool AddToIncludeListChecked(const std::string& text, StringList& paths, std::string& message,
                             std::string& normalised) {
    if (!ValidateIncludeListText(text, message, normalised)) return false;
    paths = SplitPathsAtDriveLetters(normalised);
    return true;
}

bool ValidateEntryList(const std::string& text, StringList& accepted, StringList& refused) {
    accepted.clear();
    refused.clear();
    const std::string path = FullyNormalized(text);
    std::string message;
    if (AnalyseColons(path, message) && ValidateFolderName(path, message, true) && path.size() < 255)
        accepted.push_back(path);
    else
        refused.push_back(path);
    return refused.empty();
}

std::string SameFolderRefusal(const std::string& destination, const std::string& source) {
    return "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the source "
           "Folder !!! \nDestination Folder : " +
           destination + "\nSource Folder      : " + source;
}

bool CheckDestinationNotSource(const std::string& destination, const std::string& source,
                               std::string& message) {
    std::string dest, src;
    if (!ValidateIncludeListText(destination, message, dest)) return true;
    if (!ValidateIncludeListText(source, message, src)) return true;
    if (SameTextIgnoreCase(dest, src)) {
        message = SameFolderRefusal(dest, src);
        return true;
    }
    return false;
}

bool CheckSeparatorCount(const std::string& text, StringList& items) {
    if (text.empty()) return true;
    items.clear();
    std::deque<int> positions;
    const int count = FindAllPositions(text, "\"", positions);
    if (IsOdd(count)) {
        plat::MessageBox("Odd number of marks(separators) : " + std::to_string(count) + "\n\n" +
                             "Action : You must enter an even number of separators(marks).",
                         "Warning !    Msg no: 0519.", plat::MB_ICONWARNING | plat::MB_OK);
        return false;
    }
    items = SplitQuotedItems(text, "\"", positions);
    return true;
}

// ---- whole lists ------------------------------------------------------------------

bool CheckFolderNameSyntax(const StringList& items, std::string& report) {
    return AppendSyntaxSection(report, ListFindings::Of(items, 0, true).syntax);
}

namespace {

static_assert(std::string_view(kFolderNameChars) == "/\"*|<>?", "FolderNameSyntaxBytes looks for these");

bool HoldsSyntaxBytes(std::string_view text) {
    bytescan::Mask16 found{};
    bytescan::ForEachVector(text, [&](bytescan::Bytes16 at, bytescan::Bytes16) { found |= FolderNameSyntaxBytes(at); });
    return bytescan::AnyOf(found);
}

}  // namespace

bool CheckFolderNameSyntax(const LineStore& items, std::string& report) {
    // A list without a single byte to find has nothing to report.
    bool any = false;
    items.ForEachRun([&](std::string_view run) { any = any || HoldsSyntaxBytes(run); });
    if (!any) return false;
    StringList list;
    for (std::size_t i = 0; i < items.Size(); ++i) list.emplace_back(items[i]);
    return CheckFolderNameSyntax(list, report);
}

bool CheckColonsInFolderNames(const StringList& items, int allowedColons, std::string& report) {
    return AppendColonSection(report, ListFindings::Of(items, allowedColons, true).colons, allowedColons);
}

bool CheckPathsBeginWithBackslash(const StringList& items, std::string& report) {
    return AppendBackslashSection(report, ListFindings::Of(items, 0, true).backslash);
}

bool CheckDotFolderNames(const StringList& items, std::string& report) {
    return AppendDotSection(report, ListFindings::Of(items, 0, true).dots);
}

bool CheckRelativePathList(const StringList& items, std::string& report) {
    const ListFindings f = ListFindings::Of(items, 0, true);
    bool any = ApplyDriveSection(
        report, f, "You can only enter relative paths without drive letters.\nError Type: There are drive letters in paths (");
    any |= AppendSyntaxSection(report, f.syntax);
    any |= AppendColonSection(report, f.colons, 0);
    any |= AppendBackslashSection(report, f.backslash);
    any |= AppendDotSection(report, f.dots);
    return any;
}

bool CheckFullPathList(const StringList& items, std::string& report) {
    const ListFindings f = ListFindings::Of(items, 1, false);
    bool any = ApplyDriveSection(
        report, f, "You can only enter full paths with drive letters.\nError Type: There are no drive letters in paths (");
    any |= AppendSyntaxSection(report, f.syntax);
    any |= AppendColonSection(report, f.colons, 1);
    any |= AppendDotSection(report, f.dots);
    return any;
}
