#include "pages/ListedFolders.h"

#include <unordered_map>
#include <vector>

#include "core/ExamineSubFolders.h"
#include "core/PathTools.h"
#include "core/Validation.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

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
    if (end - begin >= 2 && IsSeparator(item[begin]) && IsSeparator(item[begin + 1])) {
        o[n++] = '\\';
        o[n++] = '\\';
        separators = 2;
        begin += 2;
    }
    for (std::size_t i = begin; i < end; ++i) {
        const char c = item[i] == '/' ? '\\' : item[i];
        if ((c == '\\' || c == ':') && n > 0 && o[n - 1] == c) continue;
        separators += c == '\\';
        o[n++] = c;
    }
    out.resize(n);
    return out;
}

StringList MainFoldersAsRead(const StringList& lines, bool topMost) {
    StringList read;
    std::unordered_map<std::string, std::string> lineOf;  // each text as read: its first line
    for (const std::string& line : lines) {
        std::string text = NormalizeFolderItem(line);
        if (text.empty()) continue;
        lineOf.try_emplace(text, TrimBlanks(line));
        read.push_back(std::move(text));
    }
    StringList kept;
    if (topMost) {
        kept = ExamineSubFolders::TopFolders(read);
    } else {
        ExamineSubFolders sorted(std::move(read));
        sorted.ExamineSorted();
        kept = sorted.GetList();
    }
    for (std::string& text : kept) text = lineOf.at(text);
    return kept;
}

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
