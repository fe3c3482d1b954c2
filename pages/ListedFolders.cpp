#include "pages/ListedFolders.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "core/ExamineSubFolders.h"
#include "core/PathTools.h"
#include "core/Validation.h"

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
    // A name loses its trailing blanks and dots where it ends, as the file
    // system reads it; one of dots and blanks only stays, for the runs to refuse.
    std::size_t name = n;
    const auto endName = [&] {
        std::size_t last = n;
        while (last > name && (o[last - 1] == ' ' || o[last - 1] == '.')) --last;
        if (last > name) n = last;
    };
    for (std::size_t i = begin; i < end; ++i) {
        const char c = item[i] == '/' ? '\\' : item[i];
        if ((c == '\\' || c == ':') && n > 0 && o[n - 1] == c) continue;
        if (c == '\\') {
            endName();
            ++separators;
        }
        o[n++] = c;
        if (c == '\\' || c == ':') name = n;
    }
    endName();
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
        // As the file system reads a name: trailing blanks and dots dropped.
        const std::string_view raw = std::string_view(item).substr(at, end - at);
        std::size_t last = raw.size();
        while (last > 0 && (raw[last - 1] == ' ' || raw[last - 1] == '.')) --last;
        if (last > 0) {
            out += '\\';
            out.append(raw);
            ++names;
        } else if (raw.size() >= 2 && raw[0] == '.' && raw[1] == '.' && names > 0) {
            out.resize(out.rfind('\\'));  // the name before goes (names hold no separator)
            --names;
        }
        at = end + 1;
    }
    if (names == 0) out += '\\';
    return out;
}
