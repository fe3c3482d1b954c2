#include "core/ExportWriter.h"

#include <unordered_set>

#include "core/PathTools.h"
#include "platform/FileSystem.h"

namespace {

std::string UpperTrimmed(const std::string& text) {
    std::string out = TrimControlAndBlanks(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

}  // namespace

const StringList& BuiltInExportDelimiters() {
    static const StringList delimiters{",", "space", "\"", "'", "|", "~", ";", ":", "#",
                                       "&", "@",     "$",  "<", ">", ".", "-", "_"};
    return delimiters;
}

std::string ConvertExportSlashes(const std::string& line, bool forwardSlashes) {
    const char to = forwardSlashes ? '/' : '\\';
    std::string out;
    out.reserve(line.size());
    for (char c : line) {
        if (c == '/' || c == '\\') {
            if (!out.empty() && out.back() == to) continue;  // runs become one
            c = to;
        }
        out.push_back(c);
    }
    return out;
}

std::string CutExportDrive(const std::string& line) {
    const std::size_t colon = line.find(':');
    return colon == std::string::npos ? line : line.substr(colon + 1);
}

std::vector<std::string> BuildExportPreview(const StringList& exportLines, bool withoutDrive, bool forwardSlashes) {
    std::vector<std::string> preview;
    preview.reserve(exportLines.size());
    std::unordered_set<std::string> seen;
    seen.reserve(exportLines.size());
    for (const std::string& line : exportLines) {
        std::string shown = ConvertExportSlashes(withoutDrive ? CutExportDrive(line) : line, forwardSlashes);
        if (seen.insert(ListSearchKey(shown)).second) preview.push_back(std::move(shown));
    }
    return preview;
}

std::string ListSearchKey(const std::string& line) { return ToLowerCase(line); }

bool HasExportDrivePart(const std::string& line) {
    const std::string trimmed = TrimControlAndBlanks(line);
    if (trimmed.size() >= 2 && trimmed[1] == ':') return true;
    return trimmed.compare(0, 2, "\\\\") == 0;
}

bool IsExportListKind(const std::string& kind) {
    const std::string upper = UpperTrimmed(kind);
    return upper == "STRINGS" || upper == "FOLDERS" || upper == "RENAMEDFILES";
}

bool IsStringsListKind(const std::string& kind) { return UpperTrimmed(kind) == "STRINGS"; }

std::string ExportDelimiterFromText(const std::string& text) {
    const std::string trimmed = TrimControlAndBlanks(text);
    return trimmed == "space" ? std::string(" ") : trimmed;
}

void AppendExportItem(std::string& out, const std::string& line, const ExportFormat& format) {
    if (format.quotes) out += '"';
    out += line;
    if (format.quotes) out += '"';
    out += format.separated ? format.delimiter : std::string("\r\n");
}

std::string BuildExportText(const std::vector<std::string>& lines, const ExportFormat& format) {
    std::string out;
    for (const std::string& line : lines) AppendExportItem(out, line, format);
    return out;
}

bool WriteExportFile(const std::string& path, const std::vector<std::string>& lines, const ExportFormat& format,
                     bool forwardSlashes, const std::function<void(std::size_t)>& progress) {
    plat::AtomicFileWriter writer(path);
    if (!writer.IsOpen()) return false;
    std::string item;
    std::size_t written = 0;
    for (const std::string& line : lines) {
        item.clear();
        AppendExportItem(item, ConvertExportSlashes(line, forwardSlashes), format);
        if (!writer.Write(item)) return false;
        ++written;
        if (progress) progress(written);
    }
    return writer.Commit();
}
