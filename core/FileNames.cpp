#include "core/FileNames.h"

#include <charconv>
#include <optional>
#include <unordered_set>

#include "core/PathTools.h"
#include "platform/FileSystem.h"
#include "platform/MessageBox.h"

namespace {

// Position of the dot that starts the extension, or npos.
std::size_t ExtensionDot(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos) return dot;
    // A separator behind it: the dot is a folder's. Only the part behind
    // the dot is read (a run names every file's copy).
    for (std::size_t i = dot + 1; i < path.size(); ++i)
        if (path[i] == '\\' || path[i] == '/') return std::string::npos;
    return dot;
}

// The extension with its dot, empty when there is none.
std::string DottedExtension(const std::string& path) {
    const std::size_t dot = ExtensionDot(path);
    return dot == std::string::npos ? std::string() : path.substr(dot);
}

std::string TrimTrailingControlAndBlanks(std::string text) {
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.pop_back();
    return text;
}

// Where the file name starts: behind the last backslash, else behind a
// drive colon, else at the start.
std::size_t FileNameStart(const std::string& path) {
    std::size_t sep = path.rfind('\\');
    if (sep == std::string::npos) sep = path.find(':');
    return sep == std::string::npos ? 0 : sep + 1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

template <typename T>
std::string IntegerToText(T value) {
    char buf[24];
    const auto result = std::to_chars(buf, buf + sizeof buf, value);
    return std::string(buf, result.ptr);
}

constexpr std::size_t kMarkerDigits = 7;
constexpr int kMaxIncreaseTries = 30000;

}  // namespace

// ---- extensions -------------------------------------------------------------------

bool GetFileExtension(const std::string& path, std::string& extension) {
    const std::size_t dot = ExtensionDot(path);
    if (dot == std::string::npos) {
        extension = "noext";
        return false;
    }
    extension = path.substr(dot + 1);
    return true;
}

bool GetFileExtensionAnsi(const std::string& path, std::string& extension) { return GetFileExtension(path, extension); }

bool StripFileExtension(const std::string& path, std::string& text) {
    const std::size_t dot = ExtensionDot(path);
    if (dot == std::string::npos) {
        text = path;
        return false;
    }
    text = path.substr(0, dot);
    return true;
}

bool MatchFileMask(const std::string& mask, const std::string& name) {
    const std::string maskExt = TrimTrailingControlAndBlanks(DottedExtension(mask));
    const std::string nameExt = TrimTrailingControlAndBlanks(DottedExtension(name));

    const std::size_t star = maskExt.find('*');
    if (star != std::string::npos) {
        if (nameExt.size() < star) return false;
        for (std::size_t i = 0; i < star; ++i)
            if (maskExt[i] != nameExt[i]) return false;
        return true;
    }
    if (maskExt == nameExt) return true;
    if (maskExt.find('?') == std::string::npos) return false;
    // "?" stands for one character, however many bytes it takes.
    std::size_t m = 0, n = 0;
    while (m < maskExt.size() && n < nameExt.size()) {
        const std::size_t maskChar = Utf8CharLength(maskExt, m), nameChar = Utf8CharLength(nameExt, n);
        if (maskExt[m] != '?' && maskExt.compare(m, maskChar, nameExt, n, nameChar) != 0) return false;
        m += maskChar;
        n += nameChar;
    }
    return m == maskExt.size() && n == nameExt.size();
}

// ---- increased names --------------------------------------------------------------

namespace {

// The number of the marker ("INC" and seven digits at the very end) a name
// ends with; none for a plain name (INCOME, INC12).
std::optional<std::uint32_t> MarkerOf(const std::string& name) {
    const std::size_t tailSize = 3 + kMarkerDigits;
    if (name.size() < tailSize || name.compare(name.size() - tailSize, 3, "INC") != 0) return std::nullopt;
    std::uint32_t number = 0;
    for (std::size_t i = name.size() - kMarkerDigits; i < name.size(); ++i) {
        if (!IsDigit(name[i])) return std::nullopt;
        number = number * 10 + static_cast<std::uint32_t>(name[i] - '0');
    }
    return number;
}

std::string WithMarker(std::string head, std::uint32_t number) {
    return head + PadWithZeros(NumToStr(number), static_cast<int>(kMarkerDigits));
}

}  // namespace

std::string MakeIncreasedFileName(const std::string& name) {
    if (const auto number = MarkerOf(name)) return WithMarker(name.substr(0, name.size() - kMarkerDigits), *number + 1);
    return name + "INC0000001";
}

std::string MakeIncreasedFileName(const std::string& name, std::uint64_t times) {
    if (times == 0) return name;
    const auto marker = MarkerOf(name);
    const std::uint32_t number = marker ? *marker : 0;
    const std::string head = marker ? name.substr(0, name.size() - kMarkerDigits) : name + "INC";
    constexpr std::uint32_t kLast = 9999999;  // the last number of seven digits
    if (times <= kLast - number) return WithMarker(head, number + static_cast<std::uint32_t>(times));
    // The step past seven digits gives a plain name (INC10000000): the rest goes on from there.
    return MakeIncreasedFileName(MakeIncreasedFileName(WithMarker(head, kLast)), times - (kLast - number) - 1);
}

std::string MakeIncreasedCopyName(const std::string& path) {
    const std::string full = SlashesToBackslashes(path);
    const std::string folder = full.substr(0, FileNameStart(full));
    const std::string extension = DottedExtension(full);

    std::string current = full;
    for (int tries = 1;; ++tries) {
        if (tries > kMaxIncreaseTries) {
            plat::MessageBox("The Copy Procedure FAIL because the increase number is higher than max. 30000 !",
                             "Error !    Msg no: 0238.", plat::MB_ICONERROR | plat::MB_OK);
            break;
        }
        std::string base;
        StripFileExtension(current.substr(FileNameStart(current)), base);
        current = CollapseDoubleBackslashes(folder + MakeIncreasedFileName(base) + extension);
        if (!plat::PathExists(current)) break;
    }
    return current;
}

// ---- sizes and drives ---------------------------------------------------------------

std::string FormatByteSize(std::uint64_t bytes, double& value, std::string& unit) {
    const double b = static_cast<double>(bytes);
    if (b / 1073741824.0 >= 1) {
        value = b / 1073741824.0;
        unit = " GB";
    } else if (b / 1048576.0 >= 1) {
        value = b / 1048576.0;
        unit = " MB";
    } else if (b / 1024.0 >= 1) {
        value = b / 1024.0;
        unit = " KB";
    } else {
        value = b;
        unit = " Bytes";
    }
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 2);
    return std::string(buf, result.ptr) + unit;
}

std::string FormatByteSize(std::uint64_t bytes) {
    double value = 0;
    std::string unit;
    return FormatByteSize(bytes, value, unit);
}

bool GetDriveFreeBytes(const std::string& path, std::string& root, std::uint64_t& bytes) {
    bytes = 0;
    root.clear();
    std::string drive, rest;
    SplitAtColon(path, drive, rest);
    if (drive.empty() || !((drive[0] >= 'A' && drive[0] <= 'Z') || (drive[0] >= 'a' && drive[0] <= 'z')))
        return false;
    root = std::string(1, drive[0]) + ":\\";
    // Ask where the path lies: on Linux one drive may span several file
    // systems. The root answers when the path itself cannot be asked.
    if (plat::GetFreeBytes(path, bytes) || plat::GetFreeBytes(root, bytes)) return true;
    bytes = 0;
    return false;
}

std::uint64_t GetDriveFreeBytes(const std::string& path, std::string& root) {
    std::uint64_t bytes = 0;
    GetDriveFreeBytes(path, root, bytes);
    return bytes;
}

// ---- numbers as text ------------------------------------------------------------------

std::string NumToStr(std::uint32_t value) { return IntegerToText(value); }
std::string NumToStrVol03(std::uint32_t value) { return IntegerToText(value); }
std::string NumberToStdString(std::uint32_t value) { return IntegerToText(value); }
std::string UInt64ToStr(std::uint64_t value) { return IntegerToText(value); }

std::string DoubleToStr(double value) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 6);
    return std::string(buf, result.ptr);
}

std::string CounterToStr(double value) {
    char buf[64];
    const auto result = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    return std::string(buf, result.ptr);
}

std::string PadWithZeros(const std::string& text, int width) {
    if (width <= 0 || text.size() >= static_cast<std::size_t>(width)) return text;
    return std::string(static_cast<std::size_t>(width) - text.size(), '0') + text;
}

std::string IntToZeroPaddedStr(int value, int width) { return PadWithZeros(IntegerToText(value), width); }

// ---- lists ------------------------------------------------------------------------------

StringList CopyNonEmptyItems(const StringList& items) {
    StringList out;
    for (const auto& item : items)
        if (!item.empty()) out.push_back(item);
    return out;
}

StringList CollectMaskExtensions(const StringList& items) {
    StringList out;
    std::unordered_set<std::string> seen;
    for (const auto& item : items) {
        std::string mask = TrimControlAndBlanks(ToLowerCase(item));
        if (mask.empty() || !seen.insert(mask).second) continue;
        out.push_back(std::move(mask));
    }
    return out;
}

StringList NormalizeMaskList(const StringList& items) { return CollectMaskExtensions(items); }
