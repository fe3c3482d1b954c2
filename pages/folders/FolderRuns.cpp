#include "pages/folders/FolderRuns.h"

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

// A folder run takes each item's last name (a rename builds the new one
// from it, a delete may remove the folder by it).
bool UnusableFolderItem(const std::string& item) { return !IsUsableRunItem(item, RunItemUse::NamedFolder); }

bool UnusableFolderName(std::string_view name) {
    for (const char c : name)
        if (c == '\\' || c == '/' || c == ':') return true;
    // Trailing blanks and dots are dropped from every name.
    std::size_t last = name.size();
    while (last > 0 && (name[last - 1] == ' ' || name[last - 1] == '.')) --last;
    return last == 0;
}

std::string_view ParentText(std::string_view path) {
    const std::size_t slash = path.rfind('\\');
    if (slash == std::string_view::npos) return {};
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}

plat::Beneath* ParentBases::Get(std::string_view parent) {
    if (parent.empty()) return nullptr;
    if (lastBase_ && parent == last_ && lastBase_->UsableHere()) return lastBase_;
    last_.assign(parent);
    auto it = open_.find(last_);
    // One opened on another worker's table of handles is of no use here.
    if (it != open_.end() && it->second && !it->second->UsableHere()) {
        open_.erase(it);
        it = open_.end();
    }
    if (it == open_.end()) {
        if (open_.size() >= 64) open_.clear();  // a few handles at a time
        auto base = std::make_unique<plat::Beneath>();
        if (base->Open(last_) != plat::FsResult::Ok) base.reset();
        it = open_.emplace(last_, std::move(base)).first;
    }
    lastBase_ = it->second.get();
    if (!lastBase_) last_.clear();
    return lastBase_;
}

void ParentBases::Clear() {
    open_.clear();
    last_.clear();
    lastBase_ = nullptr;
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
