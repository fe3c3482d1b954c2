#include "core/PathTools.h"

#include <algorithm>
#include <cstdint>
#include <functional>

#include "platform/FileSystem.h"

namespace {

std::string ReplaceChar(std::string text, char from, char to) {
    std::replace(text.begin(), text.end(), from, to);
    return text;
}

std::string CollapseRuns(const std::string& text, char c) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text)
        if (ch != c || out.empty() || out.back() != c) out.push_back(ch);
    return out;
}

bool IsControlOrBlank(char c) { return static_cast<unsigned char>(c) <= 32; }

}  // namespace

// A Latin-1 capital (U+00C0..U+00DE but U+00D7) is C3 80..C3 9E in UTF-8;
// only its second byte changes, so a multi-byte sequence stays whole.
char LowerByteAt(std::string_view text, std::size_t i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 'A' && c <= 'Z') return static_cast<char>(c + 32);
    if (c >= 0x80 && c <= 0x9E && c != 0x97 && i > 0 && static_cast<unsigned char>(text[i - 1]) == 0xC3)
        return static_cast<char>(c + 0x20);
    return static_cast<char>(c);
}

unsigned long CountPathSeparators(const std::string& path) {
    unsigned long count = 0;
    for (char c : path)
        if (c == '\\' || c == '/') ++count;
    return count;
}

std::string SlashesToBackslashes(const std::string& text) { return ReplaceChar(text, '/', '\\'); }
std::string BackslashesToSlashes(const std::string& text) { return ReplaceChar(text, '\\', '/'); }
std::string CollapseDoubleBackslashes(const std::string& text) { return CollapseRuns(text, '\\'); }
std::string CollapseDoubleSlashes(const std::string& text) { return CollapseRuns(text, '/'); }
std::string CollapseDoubleColons(const std::string& text) { return CollapseRuns(text, ':'); }

bool NormalizePath(const std::string& path, StringList& out) {
    out.clear();
    AppendNormalizedPath(path, out);
    return true;
}

void AppendNormalizedPath(const std::string& path, StringList& out) {
    out.push_back(CollapseDoubleBackslashes(SlashesToBackslashes(path)));
}

bool SplitAtColon(const std::string& path, std::string& drive, std::string& rest) {
    const std::size_t colon = path.find(':');
    if (colon == std::string::npos) {
        drive.clear();
        rest = path;
        return false;
    }
    drive = path.substr(0, colon + 1);
    rest = path.substr(colon + 1);
    return true;
}

bool BeginsWithBackslash(const std::string& text) { return !text.empty() && text.front() == '\\'; }

std::string JoinDestinationAndTemplatePath(const std::string& destination, const std::string& relativePath) {
    std::string drive, rest;
    if (SplitAtColon(relativePath, drive, rest)) return std::string();
    return CollapseDoubleColons(CollapseDoubleBackslashes(SlashesToBackslashes(destination + "\\" + relativePath)));
}

bool SplitFolderAndFileName(const std::string& path, std::string& name, std::string& folder) {
    const std::string p = SlashesToBackslashes(path);
    // An empty path would name the current directory in the platform layer.
    if (!p.empty() && plat::FolderExists(p)) {
        name.clear();
        folder = p;
        return true;
    }
    const std::size_t last = p.rfind('\\');
    if (last == std::string::npos) {
        name = p;
        folder.clear();
    } else {
        name = p.substr(last + 1);
        folder = p.substr(0, last);
    }
    return true;
}

std::string SplitParentFolder(const std::string& path, std::string& name, int mode) {
    std::string p = SlashesToBackslashes(path);
    if (mode == 1) {
        std::string lastName, folder;
        SplitFolderAndFileName(p, lastName, folder);
        p = folder;
        if (!p.empty() && p.back() == '\\') p.pop_back();
    }
    const std::size_t last = p.rfind('\\');
    if (last == std::string::npos) {
        name.clear();
        return p;
    }
    // Both sides keep every character: a blank at either end of a name is
    // part of it, and the parent ends in a name too.
    name = p.substr(last + 1);
    return p.substr(0, mode == 1 ? last : last + 1);
}

bool GetCurrentDir(unsigned long& length, std::string& text) {
    const std::string dir = plat::GetCurrentDir();
    length = static_cast<unsigned long>(dir.size());
    if (dir.empty()) return false;
    text = dir;
    return true;
}

bool GetCurrentDir(std::string& text) {
    unsigned long length = 0;
    return GetCurrentDir(length, text);
}

std::string TrimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string TrimControlAndBlanks(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsControlOrBlank(text[begin])) ++begin;
    while (end > begin && IsControlOrBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string ToLowerCase(const std::string& text) {
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i) out[i] = LowerByteAt(text, i);
    return out;
}

std::string MakeBlanks(unsigned long count) { return std::string(count, ' '); }

unsigned long CountTrailingBlanks(const std::string& text) {
    unsigned long count = 0;
    for (std::size_t i = text.size(); i > 0 && IsControlOrBlank(text[i - 1]); --i) ++count;
    return count;
}

namespace {
bool HasDriveLetter(std::string_view text) {
    return text.size() >= 2 && text[1] == ':' && ((text[0] >= 'a' && text[0] <= 'z') || (text[0] >= 'A' && text[0] <= 'Z'));
}
}  // namespace

bool SameFolderLine(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    if (HasDriveLetter(a) && HasDriveLetter(b))
        return (a[0] | 0x20) == (b[0] | 0x20) && a.substr(1) == b.substr(1);
    return a == b;
}

std::size_t HashFolderLine(std::string_view text) {
    if (!HasDriveLetter(text)) return std::hash<std::string_view>{}(text);
    return std::hash<std::string_view>{}(text.substr(1)) * 31 + static_cast<unsigned char>(text[0] | 0x20);
}

std::string FolderLineKey(std::string text) {
    if (HasDriveLetter(text) && text[0] >= 'a') text[0] = static_cast<char>(text[0] - 32);
    return text;
}

bool SameTextIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerByteAt(a, i) != LowerByteAt(b, i)) return false;
    return true;
}

std::size_t Utf8CharLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    const unsigned char c = static_cast<unsigned char>(text[at]);
    const std::size_t length = c < 0xC2 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : c < 0xF5 ? 4 : 1;
    if (length == 1 || at + length > text.size()) return 1;
    for (std::size_t k = 1; k < length; ++k)
        if ((static_cast<unsigned char>(text[at + k]) & 0xC0) != 0x80) return 1;
    return length;
}

std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
    if (at >= text.size()) return 0;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char c = byte(at);
    if (c < 0x80) return 1;
    std::size_t length;
    unsigned char low = 0x80, high = 0xBF;  // range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        length = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        length = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    if (byte(at + 1) < low || byte(at + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(at + k) < 0x80 || byte(at + k) > 0xBF) return 0;
    return length;
}

bool IsWholeUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8SequenceLength(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string JoinFolderAndName(const std::string& folder, const std::string& name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    JoinFolderAndName(folder, name, path);
    return path;
}

void JoinFolderAndName(const std::string& folder, const std::string& name, std::string& out) {
    out.assign(folder);
    if (out.empty() || (out.back() != '\\' && out.back() != '/')) out += '\\';
    out += name;
}

std::string_view ParentText(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos) return {};
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}
