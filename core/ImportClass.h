// Turning a text file into a list of folders or strings: one string per
// line, or each line split at a delimiter (all parts, or one column), with
// quotation marks kept or dropped. One object serves one request of the
// import window: construct, SetColumn (one column only), Import, GetList.
#pragma once

#include <cstdint>
#include <fstream>
#include <istream>
#include <string>

#include "core/Types.h"

// The ways a file is read.
enum ImportFormat : int {
    kImportPlainLines = 2,  // one line, one string
    kImportAllColumns = 4,  // separated file, every part of every line
    kImportOneColumn = 5,   // separated file, one part of each line
};

// What the import window hands to the parser.
struct ImportSettings {
    std::string FileName;
    int Format = kImportPlainLines;
    std::string Delimiter;      // as typed; the word "space" stands for one blank
    std::string QuotationMark;  // kept for the window; the parsing never reads it
    bool AbandonQuotationMarks = true;
};

// Outcome of ImportClass::Import.
enum ImportStatus : int {
    kImportOk = 0,
    kImportOpenFailed = 2,  // message 0313 shown
    kImportOddMarks = 3,    // a line's quotation marks do not pair up; message 0519 shown
};

// Reads a text file line by line as every import reads it: a line ends at
// a line feed (the last one also without), a carriage return before the
// line feed is dropped, a UTF-8 byte-order mark at the start is dropped,
// and bytes that are not valid UTF-8 are read as Windows-1252.
class ImportLineReader {
public:
    explicit ImportLineReader(std::istream& in) : in_(in) {}
    bool Next(std::string& line);

private:
    std::istream& in_;
    bool first_ = true;
};

// The line as valid UTF-8: well-formed sequences stay, every other byte is
// taken as a Windows-1252 character.
std::string RepairUtf8(const std::string& line);

// "abc" quoted by M: M, the text with every M doubled, M.
std::string QuoteText(const std::string& text, char mark);
// A text that begins with M loses its quotation: the text up to the next M
// that is not doubled (doubled ones become one), followed unchanged by
// whatever stands behind that closing M. Without a closing M, or without a
// leading M, the text stays as it is.
std::string DequoteText(const std::string& text, char mark);

// The parts of one line of a separated file (formats 4 and 5); `delimiter`
// is the stored one (a blank for "space"). Quoted fields keep the
// delimiters inside them. False, with `parts` empty and `marks` the number
// of quotation marks, when the marks of the line do not pair up.
bool SplitImportLine(const std::string& line, const std::string& delimiter, bool abandonQuotationMarks,
                     StringList& parts, int& marks);

class ImportClass {
public:
    explicit ImportClass(ImportSettings settings);
    ~ImportClass();
    ImportClass(const ImportClass&) = delete;
    ImportClass& operator=(const ImportClass&) = delete;

    // The 1-based column of format 5; a column below 1 takes nothing.
    void SetColumn(int column);
    // Opens the file and fills the list by the format. A file that cannot be
    // opened shows 0313; a line whose quotation marks do not pair up shows
    // 0519 and takes nothing from the file.
    void Import();
    StringList GetList() const { return List; }
    // The list itself, the parser left without it.
    StringList TakeList() { return std::move(List); }
    int GetStatus() const { return Status; }

private:
    void ImportPlainLines(ImportLineReader& reader);
    void ImportAllColumns(ImportLineReader& reader);
    void ImportOneColumn(ImportLineReader& reader);
    // Formats 4 and 5; column 0 takes every part.
    void ImportSeparatedLines(ImportLineReader& reader, int column);

    std::string FileName;
    int Format;
    std::string Delimiter;
    std::string QuotationMark;
    bool AbandonQuotationMarks;
    int Column = 0;
    std::ifstream In;
    StringList List;
    std::string ErrorText;
    int Status = kImportOk;
};

// What a text file holds, as a weight of it needs before it is read:
// bytes, lines (the last one also without its line feed) and the
// occurrences of `delimiter`'s first byte (none asked: 0), each a cut at
// most. False when the file cannot be read.
struct ImportFileSize {
    std::uint64_t bytes = 0, lines = 0, cuts = 0;
};
bool MeasureImportFile(const std::string& fileName, const std::string& delimiter, ImportFileSize& size);

// The checks of an imported list before a page takes it as its folder
// structures (full paths, `fullPaths` true) or its templates (relative
// paths). True, with the findings appended to `report`, when a line has
// (templates) or lacks (structures) a drive part, holds a character that no
// folder path may hold, too many colons, "." or ".." folder names, or (for
// templates) does not begin with a backslash.
bool CheckImportedPaths(const StringList& lines, bool fullPaths, std::string& report);

// The message texts of the parser.
inline constexpr const char* kImportOpenFailedText =
    "There was a problem opening the file !\nAction : The file is maybe corrupted.";
inline constexpr const char* kImportOpenFailedCaption = "Import File content.            Warnings no: 0313.";
