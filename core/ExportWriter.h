// The export file: how the export window turns its buffer of lines into the
// preview it shows and into the text file it writes. The file holds exactly
// the preview's lines, in its order; nothing else decides what goes out.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/LineStore.h"
#include "core/Types.h"

// The 17 delimiters offered when the program's delimiter list is empty;
// "space" stands for one blank.
const StringList& BuiltInExportDelimiters();

// Backslash style: "/" becomes "\" and runs of "\" become one; forward
// style the other way round. "\\server\share" thus loses one backslash.
std::string ConvertExportSlashes(const std::string& line, bool forwardSlashes);
// Everything up to and including the first colon goes ("C:\A" -> "\A",
// "note:x" -> "x"); a line without a colon stays whole.
std::string CutExportDrive(const std::string& line);

// The preview of a buffer: every line converted (drive cut first when
// asked), each distinct line once; lines that differ only in letter case
// count as equal, as in every list search of the program.
std::vector<std::string> BuildExportPreview(const StringList& exportLines, bool withoutDrive, bool forwardSlashes);

// What the bytes of some lines hold, as far as the preview asks: gathered
// while a buffer is filled, so that its preview need not look at every byte
// again. Facts of more text than the buffer holds only make the preview
// take its longer way.
struct ExportTextFacts {
    bool slashes = false;        // "/"
    bool backslashes = false;    // "\"
    bool slashRuns = false;      // "//"
    bool backslashRuns = false;  // "\\"
    bool syntaxBytes = false;    // a byte that CheckFolderNameSyntax reports
    // Every line noted starts with this drive letter (lower case) and its
    // colon; 0 when one does not or none was noted. Noted of every line of
    // the buffer or of none.
    char oneDrive = 0;
    bool drivesNoted = false;
    void NoteDrive(std::string_view line);
    // Adds what `text` holds (a run of two that spans two lines counts too).
    void Scan(std::string_view text);
    void Scan(const LineStore& lines);
    // Converting to the slash style changes a line.
    bool SlashesChange(bool forwardSlashes) const {
        return forwardSlashes ? backslashes || slashRuns : slashes || backslashRuns;
    }
    // Converting only swaps one slash for the other, which no line holds:
    // lines that differ still differ afterwards.
    bool SlashesSwapOnly(bool forwardSlashes) const {
        return forwardSlashes ? !slashes && !backslashRuns : !backslashes && !slashRuns;
    }
};

struct ExportPreview {
    LineStore lines;
    // False when no line holds a byte that CheckFolderNameSyntax reports,
    // found while the preview was made: the writer need not check again.
    bool mayFailSyntaxCheck = false;
    // Not 0: the lines still hold `swapFrom` where the preview shows and the
    // file gets `swapTo` (see swapWhenShown below).
    char swapFrom = 0, swapTo = 0;
    // The lines as shown.
    LineStore Shown() const;
};
// `distinct` tells that no two lines of the buffer are one (SameFolderLine),
// `facts` what their bytes hold: when the conversion leaves every line as it
// is, the preview is the buffer, sharing its lines, and no byte is looked
// at. Without `facts` the lines are scanned for them.
// With `swapWhenShown`, a conversion that only swaps one slash for the
// other is left to the showing and the writing: no line is copied for it.
ExportPreview BuildExportPreview(const LineStore& exportLines, bool withoutDrive, bool forwardSlashes,
                                 bool distinct, const ExportTextFacts& facts, bool swapWhenShown = false);
ExportPreview BuildExportPreview(const LineStore& exportLines, bool withoutDrive, bool forwardSlashes,
                                 bool distinct = false);

// The results windows hand over only lines that name a drive or a server:
// the line, trimmed of codes up to 32, has a colon second or starts "\\".
bool HasExportDrivePartTrimmed(std::string_view line);
inline bool HasExportDrivePart(std::string_view line) {
    // Nothing to trim in front: the first two bytes tell.
    if (line.size() >= 2 && static_cast<unsigned char>(line[0]) > 32)
        return line[1] == ':' || (line[0] == '\\' && line[1] == '\\');
    return HasExportDrivePartTrimmed(line);
}

// "STRINGS", "FOLDERS" or "RENAMEDFILES", compared trimmed and upper-cased.
bool IsExportListKind(const std::string& kind);
bool IsStringsListKind(const std::string& kind);

// The delimiter typed or chosen: trimmed of codes up to 32; "space" is one
// blank; any other text (several characters, or none) is taken as it is.
std::string ExportDelimiterFromText(const std::string& text);

struct ExportFormat {
    // Separated: every item, the last too, is followed by the delimiter and
    // the file has no line break. Plain: one item per line, each line (the
    // last too) ended by CR LF.
    bool separated = false;
    std::string delimiter;
    bool quotes = false;  // a double quote on both sides of every item
};

void AppendExportItem(std::string& out, const std::string& line, const ExportFormat& format);
std::string BuildExportText(const std::vector<std::string>& lines, const ExportFormat& format);

// Writes the lines (slashes converted once more, as the preview shows them)
// to a drive-form path, whole or not at all: on failure the old file stays
// as it was. `progress` hears the number of lines written so far.
bool WriteExportFile(const std::string& path, const std::vector<std::string>& lines, const ExportFormat& format,
                     bool forwardSlashes, const std::function<void(std::size_t)>& progress = {});
// The same for a preview's lines, converted already but for its swap.
bool WriteExportPreview(const std::string& path, const LineStore& preview, const ExportFormat& format,
                        const std::function<void(std::size_t)>& progress = {}, char swapFrom = 0, char swapTo = 0);
