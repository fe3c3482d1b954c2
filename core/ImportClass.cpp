#include "core/ImportClass.h"

#include <algorithm>
#include <deque>
#include <vector>
#include <utility>

#include "core/FileNames.h"
#include "core/LineSplit.h"
#include "core/PathTools.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace {

// Windows-1252 0x80..0x9F; the five unused bytes keep their own code point.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// Positions of the marks that open and close quoted fields, in order. A
// doubled mark inside a field is text of that field, not a cut. False when
// the last field is left open.
bool FindQuoteCuts(const std::string& line, char mark, std::deque<int>& cuts) {
    bool open = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] != mark) continue;
        if (open && i + 1 < line.size() && line[i + 1] == mark) {
            ++i;
            continue;
        }
        cuts.push_back(static_cast<int>(i));
        open = !open;
    }
    return !open;
}

// How many leading bytes are well-formed UTF-8.
std::size_t ValidUtf8Prefix(const std::string& line) {
    std::size_t i = 0;
    while (i < line.size()) {
        if (static_cast<unsigned char>(line[i]) < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = Utf8SequenceLength(line, i);
        if (length == 0) break;
        i += length;
    }
    return i;
}

std::string Undouble(const std::string& text, char mark) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        out.push_back(text[i]);
        if (text[i] == mark && i + 1 < text.size() && text[i + 1] == mark) ++i;
    }
    return out;
}

std::string Abandoned(const std::string& text) { return DequoteText(DequoteText(text, '"'), '\''); }

void ShowOddMarks(int marks) {
    plat::MessageBox("Odd number of marks(separators) : " + std::to_string(marks) + "\n\n" +
                         "Action : You must enter an even number of separators(marks).",
                     "Warning !    Msg no: 0519.", plat::MB_OK | plat::MB_ICONWARNING);
}

}  // namespace

// ---- reading lines ---------------------------------------------------------------

std::string RepairUtf8(const std::string& line) {
    std::size_t i = ValidUtf8Prefix(line);
    if (i == line.size()) return line;

    std::string out(line, 0, i);
    out.reserve(line.size() + 16);
    while (i < line.size()) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
        } else if (const std::size_t length = Utf8SequenceLength(line, i); length != 0) {
            out.append(line, i, length);
            i += length;
        } else {
            AppendUtf8(out, c < 0xA0 ? kCp1252High[c - 0x80] : c);
            ++i;
        }
    }
    return out;
}

bool ImportLineReader::Next(std::string& line) {
    if (!std::getline(in_, line)) {
        line.clear();
        return false;
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first_) {
        first_ = false;
        if (line.compare(0, 3, "\xEF\xBB\xBF") == 0) line.erase(0, 3);
    }
    if (ValidUtf8Prefix(line) != line.size()) line = RepairUtf8(line);
    return true;
}

// ---- quotation marks ----------------------------------------------------------------

std::string QuoteText(const std::string& text, char mark) {
    std::string out(1, mark);
    out.reserve(text.size() + 2);
    for (char c : text) {
        out.push_back(c);
        if (c == mark) out.push_back(mark);
    }
    out.push_back(mark);
    return out;
}

std::string DequoteText(const std::string& text, char mark) {
    if (text.empty() || text[0] != mark) return text;
    std::string inner;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] != mark) {
            inner.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == mark) {
            inner.push_back(mark);
            ++i;
        } else {
            return inner + text.substr(i + 1);  // what follows the closing mark is kept
        }
    }
    return text;  // no closing mark
}

// ---- splitting a line -------------------------------------------------------------------

bool SplitImportLine(const std::string& line, const std::string& delimiter, bool abandonQuotationMarks,
                     StringList& parts, int& marks) {
    parts.clear();
    marks = 0;
    const bool blank = delimiter == " ";
    // Double quotes enclose fields unless they are the delimiter; with the
    // blank as delimiter, apostrophes do too when the line holds no double
    // quote.
    char mark = 0;
    if (line.find('"') != std::string::npos && delimiter.find('"') == std::string::npos)
        mark = '"';
    else if (blank && line.find('\'') != std::string::npos)
        mark = '\'';

    std::deque<int> cuts;
    std::string separator = delimiter;
    if (mark != 0) {
        if (!FindQuoteCuts(line, mark, cuts)) {
            marks = static_cast<int>(std::count(line.begin(), line.end(), mark));
            return false;
        }
        // A blank-separated line with quoted fields is cut at the marks only:
        // the words between two quoted fields stay one part.
        if (blank) separator.assign(1, mark);
    }
    for (const auto& piece : SplitLineQuotedImport(line, separator, cuts)) {
        std::string part = TrimControlAndBlanks(piece);
        if (mark != 0) {
            if (part.find(mark) != std::string::npos) part = Undouble(part, mark);
            // Quoting by the mark and then abandoning both kinds of marks
            // leaves the field itself, dequoted by the apostrophe after a
            // double quote.
            if (!abandonQuotationMarks)
                part = QuoteText(part, mark);
            else if (mark == '"')
                part = DequoteText(part, '\'');
        } else if (abandonQuotationMarks) {
            part = Abandoned(part);
        }
        parts.push_back(std::move(part));
    }
    return true;
}

// ---- the parser -------------------------------------------------------------------------

ImportClass::ImportClass(ImportSettings settings)
    : FileName(std::move(settings.FileName)),
      Format(settings.Format),
      Delimiter(std::move(settings.Delimiter)),
      QuotationMark(std::move(settings.QuotationMark)),
      AbandonQuotationMarks(settings.AbandonQuotationMarks) {
    if (Delimiter == "space") Delimiter = " ";
    // A delimiter that is not whole characters (a damaged settings file)
    // cuts no character of the text in two: it splits nothing.
    if (!IsWholeUtf8(Delimiter)) Delimiter.clear();
    List.clear();
}

ImportClass::~ImportClass() {
    if (In.is_open()) In.close();
    List.clear();
}

void ImportClass::SetColumn(int column) { Column = column; }

void ImportClass::Import() {
    List.clear();
    if (!plat::OpenInputFile(FileName, In)) {
        Status = kImportOpenFailed;
        ErrorText += std::to_string(Status);
        plat::MessageBox(kImportOpenFailedText, kImportOpenFailedCaption, plat::MB_OK | plat::MB_ICONWARNING);
        return;
    }
    ImportLineReader reader(In);
    switch (Format) {
        case kImportPlainLines:
            ImportPlainLines(reader);
            break;
        case kImportAllColumns:
            ImportAllColumns(reader);
            break;
        case kImportOneColumn:
            ImportOneColumn(reader);
            break;
        default:
            break;
    }
    In.close();
}

void ImportClass::ImportPlainLines(ImportLineReader& reader) {
    std::string line;
    while (reader.Next(line)) {
        std::string text = TrimControlAndBlanks(line);
        if (text.empty()) continue;
        List.push_back(AbandonQuotationMarks ? Abandoned(text) : std::move(text));
    }
}

void ImportClass::ImportAllColumns(ImportLineReader& reader) { ImportSeparatedLines(reader, 0); }

void ImportClass::ImportOneColumn(ImportLineReader& reader) {
    if (Column < 1) return;  // there is no such column in any line
    ImportSeparatedLines(reader, Column);
}

void ImportClass::ImportSeparatedLines(ImportLineReader& reader, int column) {
    std::string line;
    StringList parts;
    int marks = 0;
    while (reader.Next(line)) {
        if (TrimControlAndBlanks(line).empty()) continue;
        if (!SplitImportLine(line, Delimiter, AbandonQuotationMarks, parts, marks)) {
            // A field left open would swallow the rest of the line: take
            // nothing rather than a wrong split.
            List.clear();
            Status = kImportOddMarks;
            ShowOddMarks(marks);
            return;
        }
        if (column == 0) {
            for (auto& part : parts) List.push_back(std::move(part));
        } else if (static_cast<std::size_t>(column) <= parts.size()) {
            List.push_back(std::move(parts[static_cast<std::size_t>(column) - 1]));
        }
    }
}

// ---- weighing a file --------------------------------------------------------------------------

bool MeasureImportFile(const std::string& fileName, const std::string& delimiter, ImportFileSize& size) {
    size = {};
    std::ifstream in;
    if (!plat::OpenInputFile(fileName, in)) return false;
    // Read in blocks and kept nowhere: the weight costs one block.
    std::vector<char> block(std::size_t{1} << 20);
    char last = '\n';
    while (in) {
        in.read(block.data(), static_cast<std::streamsize>(block.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        if (got == 0) break;
        size.bytes += got;
        size.lines += static_cast<std::uint64_t>(std::count(block.data(), block.data() + got, '\n'));
        if (!delimiter.empty())
            size.cuts += static_cast<std::uint64_t>(std::count(block.data(), block.data() + got, delimiter[0]));
        last = block[got - 1];
    }
    if (last != '\n') ++size.lines;
    return !in.bad();
}

// ---- checking an imported list --------------------------------------------------------------

bool CheckImportedPaths(const StringList& lines, bool fullPaths, std::string& report) {
    StringList normalised;
    std::size_t offenders = 0;
    std::string shown;        // the first three offenders
    bool extraBreak = false;  // a line without extension or with an illegal character
    std::string found, extension;
    for (const auto& line : lines) {
        std::string path = CollapseDoubleBackslashes(SlashesToBackslashes(line));
        found.clear();
        if (FindIllegalChars("N", path, found) || !GetFileExtension(path, extension)) extraBreak = true;
        const bool drive = path.size() >= 2 && (path[1] == ':' || (path[0] == '\\' && path[1] == '\\'));
        if (drive != fullPaths && ++offenders <= 3) shown += line + "\n";
        normalised.push_back(std::move(path));
    }
    bool any = false;
    if (offenders > 0) {
        any = true;
        report += fullPaths ? "You can only enter full paths with drive letters.\nThere are no drive letters in paths "
                              "(total: "
                            : "You can only enter relative paths without drive letters.\nThere are drive letters in "
                              "paths (total: ";
        report += std::to_string(offenders) + " )\n" + shown;
        if (offenders > 3) report += "\n" + std::to_string(offenders - 3) + "  more left\n";
        if (extraBreak) report += "\n";
    }
    any |= CheckFolderNameSyntax(normalised, report);
    any |= CheckColonsInFolderNames(lines, fullPaths ? 1 : 0, report);
    if (!fullPaths) any |= CheckPathsBeginWithBackslash(lines, report);
    // A "." or ".." name would lead a structure or template out of its folder.
    any |= CheckDotFolderNames(normalised, report);
    return any;
}
