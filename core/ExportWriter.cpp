#include "core/ExportWriter.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include <string_view>

#include "core/ByteScan.h"
#include "core/FolderLineIndex.h"
#include "core/PathTools.h"
#include "core/Validation.h"
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

namespace {

// Appends the line with its slashes converted, runs of them as one.
void AppendConverted(std::string& out, std::string_view line, bool forwardSlashes) {
    const char to = forwardSlashes ? '/' : '\\';
    const std::size_t start = out.size();
    out.resize(start + line.size());
    char* const begin = out.data() + start;
    char* o = begin;
    for (char c : line) {
        if (c == '/' || c == '\\') {
            if (o > begin && o[-1] == to) continue;  // runs become one
            c = to;
        }
        *o++ = c;
    }
    out.resize(start + static_cast<std::size_t>(o - begin));
}

// Writes the line to `out` with every `from` turned into `to`; returns its length.
std::size_t SwapSlashes(char* out, std::string_view line, char from, char to) {
    using bytescan::Bytes16;
    const Bytes16 fromV = Bytes16{} + static_cast<unsigned char>(from);
    const Bytes16 toV = Bytes16{} + static_cast<unsigned char>(to);
    const char* p = line.data();
    const std::size_t n = line.size();
    std::size_t i = 0;
    for (; i + 16 <= n; i += 16) {
        const Bytes16 v = bytescan::Load16(p + i);
        const Bytes16 hit = reinterpret_cast<Bytes16>(v == fromV);
        const Bytes16 swapped = (v & ~hit) | (toV & hit);
        std::memcpy(out + i, &swapped, 16);
    }
    for (; i < n; ++i) out[i] = p[i] == from ? to : p[i];
    return n;
}

// The drive letter a line starts with (lower case), its colon behind it;
// 0 when it starts otherwise.
char DriveLetterOf(std::string_view line) {
    if (line.size() < 2 || line[1] != ':') return 0;
    const char c = static_cast<char>(line[0] | 0x20);
    return c >= 'a' && c <= 'z' ? c : 0;
}

// The lines without their first two bytes when every line starts with the
// same drive letter and its colon (ignoring case): then lines that differ
// still differ. Else nothing.
std::optional<LineStore> WithoutOneDrive(const LineStore& lines) {
    LineStore cut = lines.SharingBlocks();
    cut.Reserve(lines.Size(), 0);
    const char drive = lines.Empty() ? 0 : DriveLetterOf(lines[0]);
    for (std::size_t i = 0; i < lines.Size(); ++i) {
        if (DriveLetterOf(lines[i]) != drive || drive == 0) return std::nullopt;
        cut.AppendLineOf(lines, i, 2);
    }
    return cut;
}

std::string_view WithoutDrive(std::string_view line) {
    const std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? line : line.substr(colon + 1);
}

}  // namespace

std::string ConvertExportSlashes(const std::string& line, bool forwardSlashes) {
    std::string out;
    out.reserve(line.size());
    AppendConverted(out, line, forwardSlashes);
    return out;
}

std::string CutExportDrive(const std::string& line) {
    const std::size_t colon = line.find(':');
    return colon == std::string::npos ? line : line.substr(colon + 1);
}

namespace {

// Every line converted (drive cut first when asked) into the preview, each
// distinct line once. Without `convert` (no line holds a slash to convert)
// a line is taken from `source` by reference when there is one.
template <class Lines>
void PreviewInto(LineStore& shown, const Lines& lines, std::size_t count, bool withoutDrive, bool forwardSlashes,
                 bool convert, const LineStore* source = nullptr) {
    auto seen = MakeFolderLineIndex([&shown](std::size_t i) { return shown[i]; }, count);
    // Lines are converted and hashed some steps ahead, so that their slots
    // are in the cache when they are looked up.
    constexpr std::size_t kAhead = 16;
    std::string converted[kAhead];
    std::string_view texts[kAhead];
    std::uint64_t hashes[kAhead];
    std::size_t cut[kAhead];  // bytes cut off the front of the line
    const auto prepare = [&](std::size_t i) {
        const std::string_view whole = lines(i);
        const std::string_view line = withoutDrive ? WithoutDrive(whole) : whole;
        cut[i % kAhead] = whole.size() - line.size();
        std::string_view& text = texts[i % kAhead];
        if (convert) {
            std::string& out = converted[i % kAhead];
            out.clear();
            AppendConverted(out, line, forwardSlashes);
            text = out;
        } else {
            text = line;
        }
        hashes[i % kAhead] = seen.Hash(text);
        seen.Prefetch(hashes[i % kAhead]);
    };
    for (std::size_t i = 0; i < std::min(count, kAhead); ++i) prepare(i);
    for (std::size_t i = 0; i < count; ++i) {
        const std::string_view text = texts[i % kAhead];
        const std::uint64_t hash = hashes[i % kAhead];
        if (convert || source == nullptr)
            shown.Append(text);
        else
            shown.AppendLineOf(*source, i, cut[i % kAhead]);
        if (seen.FindOrAdd(text, shown.Size() - 1, hash) != seen.npos) shown.PopBack();
        if (i + kAhead < count) prepare(i + kAhead);
    }
}

}  // namespace

std::vector<std::string> BuildExportPreview(const StringList& exportLines, bool withoutDrive, bool forwardSlashes) {
    LineStore preview;
    PreviewInto(preview, [&](std::size_t i) { return std::string_view(exportLines[i]); }, exportLines.size(),
                withoutDrive, forwardSlashes, true);
    std::vector<std::string> out;
    out.reserve(preview.Size());
    for (std::size_t i = 0; i < preview.Size(); ++i) out.emplace_back(preview[i]);
    return out;
}

void ExportTextFacts::NoteDrive(std::string_view line) {
    const char drive = DriveLetterOf(line);
    if (!drivesNoted) oneDrive = drive;
    else if (drive != oneDrive) oneDrive = 0;
    drivesNoted = true;
}

void ExportTextFacts::Scan(std::string_view text) {
    using bytescan::Bytes16;
    bytescan::Mask16 slash{}, backslash{}, slashRun{}, backslashRun{}, syntax{};
    bytescan::ForEachVector(text, [&](Bytes16 at, Bytes16 next) {
        const bytescan::Mask16 s = at == '/', b = at == '\\';
        slash |= s;
        backslash |= b;
        slashRun |= s & (next == '/');
        backslashRun |= b & (next == '\\');
        syntax |= FolderNameSyntaxBytes(at);
    });
    slashes |= bytescan::AnyOf(slash);
    backslashes |= bytescan::AnyOf(backslash);
    slashRuns |= bytescan::AnyOf(slashRun);
    backslashRuns |= bytescan::AnyOf(backslashRun);
    syntaxBytes |= bytescan::AnyOf(syntax);
}

void ExportTextFacts::Scan(const LineStore& lines) {
    lines.ForEachRun([this](std::string_view run) { Scan(run); });
}

LineStore ExportPreview::Shown() const {
    if (swapFrom == 0) return lines;
    return lines.MapBytes([this](char* out, const char* in, std::size_t n) {
        SwapSlashes(out, std::string_view(in, n), swapFrom, swapTo);
    });
}

ExportPreview BuildExportPreview(const LineStore& exportLines, bool withoutDrive, bool forwardSlashes,
                                 bool distinct, const ExportTextFacts& facts, bool swapWhenShown) {
    // The conversion changes slashes only: the check finds in the preview
    // what it would find in the lines.
    const bool convert = facts.SlashesChange(forwardSlashes);
    // Distinct lines that the conversion leaves as they are: the preview is
    // the lines themselves, shared.
    if (distinct && !withoutDrive && !convert) return {exportLines, facts.syntaxBytes};
    if (distinct && (!convert || facts.SlashesSwapOnly(forwardSlashes))) {
        // No two lines can become equal: the bytes are converted once, in
        // runs, and the drives cut by reference; nothing is looked up.
        const char from = forwardSlashes ? '\\' : '/';
        const char to = forwardSlashes ? '/' : '\\';
        const bool swapLater = convert && swapWhenShown;
        ExportPreview out{convert && !swapLater
                              ? exportLines.MapBytes([from, to](char* o, const char* in, std::size_t n) {
                                    SwapSlashes(o, std::string_view(in, n), from, to);
                                })
                              : exportLines,
                          facts.syntaxBytes, swapLater ? from : '\0', swapLater ? to : '\0'};
        if (!withoutDrive) return out;
        if (facts.oneDrive != 0) {
            out.lines = out.lines.WithoutFirstBytes(2);
            return out;
        }
        if (std::optional<LineStore> cut = WithoutOneDrive(out.lines)) {
            out.lines = std::move(*cut);
            return out;
        }
    }
    ExportPreview preview{exportLines.SharingBlocks(), facts.syntaxBytes};
    preview.lines.Reserve(exportLines.Size(), exportLines.Bytes());
    PreviewInto(preview.lines, [&](std::size_t i) { return exportLines[i]; }, exportLines.Size(), withoutDrive,
                forwardSlashes, convert, &exportLines);
    return preview;
}

ExportPreview BuildExportPreview(const LineStore& exportLines, bool withoutDrive, bool forwardSlashes,
                                 bool distinct) {
    ExportTextFacts facts;
    facts.Scan(exportLines);
    return BuildExportPreview(exportLines, withoutDrive, forwardSlashes, distinct, facts);
}


bool HasExportDrivePartTrimmed(std::string_view line) {
    std::size_t at = 0;
    while (at < line.size() && static_cast<unsigned char>(line[at]) <= 32) ++at;
    std::size_t end = line.size();
    while (end > at && static_cast<unsigned char>(line[end - 1]) <= 32) --end;
    if (end - at >= 2 && line[at + 1] == ':') return true;
    return end - at >= 2 && line[at] == '\\' && line[at + 1] == '\\';
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

namespace {

template <class Lines>
bool WriteLines(const std::string& path, const Lines& lines, std::size_t count, const ExportFormat& format,
                bool convert, bool forwardSlashes, const std::function<void(std::size_t)>& progress,
                char swapFrom = 0, char swapTo = 0) {
    plat::AtomicFileWriter writer(path);
    if (!writer.IsOpen()) return false;
    const std::string end = format.separated ? format.delimiter : std::string("\r\n");
    // A swap of slashes that no byte between the lines holds is made on the
    // whole buffer at once.
    const bool swapWhole = swapFrom != 0 && end.find(swapFrom) == std::string::npos;
    const char wholeFrom = swapFrom;
    if (swapWhole) swapFrom = 0;
    std::string buffer;
    buffer.reserve(1 << 20);
    const auto write = [&] {
        if (swapWhole) SwapSlashes(buffer.data(), buffer, wholeFrom, swapTo);
        return writer.Write(buffer);
    };
    std::size_t written = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (format.quotes) buffer += '"';
        if (convert) {
            AppendConverted(buffer, lines(i), forwardSlashes);
        } else if (swapFrom != 0) {
            const std::string_view line = lines(i);
            const std::size_t at = buffer.size();
            buffer.resize(at + line.size());
            SwapSlashes(buffer.data() + at, line, swapFrom, swapTo);
        } else {
            buffer += lines(i);
        }
        if (format.quotes) buffer += '"';
        buffer += end;
        if (buffer.size() >= (1u << 20)) {
            if (!write()) return false;
            buffer.clear();
        }
        // The count is told now and then: telling it costs more than a line.
        if ((++written & 4095) == 0 && progress) progress(written);
    }
    if (!write()) return false;
    if (progress) progress(written);
    return writer.Commit();
}

}  // namespace

bool WriteExportFile(const std::string& path, const std::vector<std::string>& lines, const ExportFormat& format,
                     bool forwardSlashes, const std::function<void(std::size_t)>& progress) {
    return WriteLines(path, [&](std::size_t i) { return std::string_view(lines[i]); }, lines.size(), format, true,
                      forwardSlashes, progress);
}

bool WriteExportPreview(const std::string& path, const LineStore& preview, const ExportFormat& format,
                        const std::function<void(std::size_t)>& progress, char swapFrom, char swapTo) {
    return WriteLines(path, [&](std::size_t i) { return preview[i]; }, preview.Size(), format, false, false, progress,
                      swapFrom, swapTo);
}
