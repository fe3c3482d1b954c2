#include "pages/folders/FolderRuns.h"

#include <vector>

#include "core/PathTools.h"
#include "core/Validation.h"

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::string NormalizeFolderItem(const std::string& item) {
    return CollapseDoubleColons(CollapseDoubleBackslashes(SlashesToBackslashes(TrimControlAndBlanks(item))));
}

// The one place the folder runs judge an item; the shared item rule of the
// Include lists takes its place once it exists.
bool UnusableFolderItem(const std::string& item) {
    if (item.empty() || IsSeparator(item.back()) || HasDotFolderName(item) || IsDriveRootPath(item)) return true;
    const std::string drive = GetDrivePart(item);
    return drive.size() == 2 && (item.size() == 2 || !IsSeparator(item[2]));
}

std::string LexicallyResolved(const std::string& item) {
    const std::string drive = GetDrivePart(item);
    std::vector<std::string> names;
    std::size_t at = drive.size();
    while (at <= item.size()) {
        std::size_t end = at;
        while (end < item.size() && !IsSeparator(item[end])) ++end;
        // As the file system reads a name: trailing blanks and dots dropped.
        const std::string raw = item.substr(at, end - at);
        std::size_t last = raw.size();
        while (last > 0 && (raw[last - 1] == ' ' || raw[last - 1] == '.')) --last;
        if (last > 0)
            names.push_back(raw);
        else if (raw.size() >= 2 && raw[0] == '.' && raw[1] == '.' && !names.empty())
            names.pop_back();
        at = end + 1;
    }
    std::string out = drive;
    for (const std::string& name : names) out += "\\" + name;
    return names.empty() ? out + "\\" : out;
}
