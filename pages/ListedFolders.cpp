#include "pages/ListedFolders.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "core/ExamineSubFolders.h"
#include "core/PathTools.h"
#include "core/Validation.h"
#include "platform/FileSystem.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Where the top-most folders are chosen, a root however written ("C:\a\..")
// is its drive, without the "\" so that every folder on the drive lies
// below it. Any other line is its text as read (one with a "." or ".." name,
// which every run refuses, holds nothing).
std::string RootKey(const std::string& text) {
    std::string key = LexicallyResolved(text);
    if (key.size() > 1 && key.back() == '\\') key.pop_back();
    return key;
}

// The main folders of the lines: each as its first line (`asLines`) or as
// the run reads it.
StringList ChooseMainFolders(const StringList& lines, bool topMost, bool asLines) {
    StringList keys;
    // What a key stands for where that is not the key itself.
    std::unordered_map<std::string, std::string> chosen;
    for (const std::string& line : lines) {
        std::string text = NormalizeFolderItem(line);
        if (text.empty()) continue;
        if (topMost && IsDriveRootPath(text)) {
            std::string key = RootKey(text);
            if (!chosen.contains(key)) chosen.emplace(key, asLines ? TrimBlanks(line) : text);
            keys.push_back(std::move(key));
            continue;
        }
        if (asLines && !chosen.contains(text)) chosen.emplace(text, TrimBlanks(line));
        keys.push_back(std::move(text));
    }
    if (topMost) {
        keys = ExamineSubFolders::TopFolders(keys);
    } else {
        // As ExamineSorted sorts: by unsigned bytes, each text once.
        std::sort(keys.begin(), keys.end());
        keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    }
    if (chosen.empty()) return keys;
    for (std::string& key : keys)
        if (const auto it = chosen.find(key); it != chosen.end()) key = it->second;
    return keys;
}

}  // namespace

std::string NormalizeFolderItem(const std::string& item) {
    unsigned long separators = 0;
    return NormalizeFolderItem(item, separators);
}

std::string NormalizeFolderItem(const std::string& item, unsigned long& separators) {
    separators = 0;
    std::size_t begin = 0, end = item.size();
    while (begin < end && static_cast<unsigned char>(item[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(item[end - 1]) <= 32) --end;
    // Written in place: the text only ever gets shorter.
    std::string out(end - begin, '\0');
    char* const o = out.data();
    std::size_t n = 0;
    // A network path keeps the two separators it begins with.
    const bool network = end - begin >= 2 && IsSeparator(item[begin]) && IsSeparator(item[begin + 1]);
    if (network) {
        o[n++] = '\\';
        o[n++] = '\\';
        separators = 2;
        begin += 2;
    }
    // Each name stays as written, its trailing blanks and dots included:
    // "proj." is another folder than "proj".
    for (std::size_t i = begin; i < end; ++i) {
        const char c = item[i] == '/' ? '\\' : item[i];
        if ((c == '\\' || c == ':') && n > 0 && o[n - 1] == c) continue;
        if (c == '\\') ++separators;
        o[n++] = c;
    }
    // A trailing separator names the folder before it; a root keeps its own.
    if (n > 1 && o[n - 1] == '\\' && !(n == 2 && network) && !(n == 3 && o[1] == ':')) {
        --n;
        --separators;
    }
    out.resize(n);
    return out;
}

StringList MainFoldersAsRead(const StringList& lines, bool topMost) { return ChooseMainFolders(lines, topMost, true); }

StringList FoldersAsRead(const StringList& lines, bool topMost) { return ChooseMainFolders(lines, topMost, false); }

std::string LexicallyResolved(const std::string& item) {
    std::string out = GetDrivePart(item);
    const std::size_t drive = out.size();
    out.reserve(item.size() + 1);
    std::size_t names = 0;
    std::size_t at = drive;
    while (at <= item.size()) {
        std::size_t end = at;
        while (end < item.size() && !IsSeparator(item[end])) ++end;
        // "." stays where it is and ".." goes up; a longer name of dots only,
        // which every run refuses, goes up too, so that a root written with
        // one is still taken for a root.
        const std::string_view raw = std::string_view(item).substr(at, end - at);
        const bool dots = plat::IsDotsOnlyName(raw);
        if (!raw.empty() && !dots) {
            out += '\\';
            out.append(raw);
            ++names;
        } else if (raw.size() >= 2 && dots && names > 0) {
            out.resize(out.rfind('\\'));  // the name before goes (names hold no separator)
            --names;
        }
        at = end + 1;
    }
    if (names == 0) out += '\\';
    return out;
}
