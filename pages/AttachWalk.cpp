#include "pages/AttachWalk.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <utility>

#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/TemplateOptions.h"
#include "core/TemplatePaths.h"
#include "core/Validation.h"

using plat::FsResult;

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// One spelling per folder: "\" between names, none at the end, the trailing
// blanks and dots of each name dropped (the file system drops them), lower case.
std::string FolderKey(const std::string& text) {
    const std::string t = TrimControlAndBlanks(text);
    std::string key;
    std::size_t i = 0;
    while (i < t.size()) {
        std::size_t j = i;
        while (j < t.size() && !IsSeparator(t[j])) ++j;
        std::size_t end = j;
        while (end > i && (t[end - 1] == ' ' || t[end - 1] == '.')) --end;
        if (end == i && j > i) end = j;  // "." and ".." stay as they are
        if (end > i) {
            if (!key.empty()) key += '\\';
            key.append(t, i, end - i);
        }
        i = j + 1;
    }
    return ToLowerCase(key);
}

}  // namespace

bool ChainHolds(const std::vector<plat::FileIdentity>& chain, const plat::FileIdentity& id) {
    return std::find(chain.begin(), chain.end(), id) != chain.end();
}

std::string StructureEntryText(const std::string& entry) {
    std::string e = TrimControlAndBlanks(entry);
    while (e.size() > 1 && e.back() == '\\' && !(e.size() == 3 && e[1] == ':')) e.pop_back();
    return e;
}

StringList WalkedStructures(const StringList& lines) {
    StringList walked;
    for (const std::string& line : lines) {
        std::string entry = StructureEntryText(line);
        if (!TrimBlanks(entry).empty() && !IsDriveRootPath(entry)) walked.push_back(std::move(entry));
    }
    return walked;
}

std::string LastNameOf(const std::string& path) {
    const std::size_t pos = path.find_last_of("\\:");
    return pos == std::string::npos ? path : path.substr(pos + 1);
}

bool PathWithinFolder(const std::string& path, const std::string& folder) {
    const std::string p = FolderKey(path);
    const std::string f = FolderKey(folder);
    if (f.empty()) return false;
    return p == f || (p.size() > f.size() && p.compare(0, f.size(), f) == 0 && p[f.size()] == '\\');
}

// ---- structures ---------------------------------------------------------------------

FolderStructure ReadFolderStructure(const std::string& entry) {
    FolderStructure s;
    s.entry = StructureEntryText(entry);
    s.name = LastNameOf(s.entry);
    // Its last name names the folder it is copied to: a structure the run
    // may not take a name from is skipped; a root is refused by the run.
    const bool root = IsDriveRootPath(s.entry);
    if (!root && !IsUsableRunItem(s.entry, RunItemUse::NamedFolder)) return s;
    const FsResult opened = s.source.Open(s.entry);
    s.absent = opened == FsResult::NotFound;
    if (opened != FsResult::Ok) return s;
    s.usable = true;
    if (root) return s;  // never walked
    // Each folder with its part below and its item (none for the structure folder).
    constexpr std::size_t kRoot = SIZE_MAX;
    struct Queued {
        std::string folder, rel;
        std::size_t item;
    };
    std::deque<Queued> queue{{s.entry, std::string(), kRoot}};
    std::vector<plat::DirEntry> entries, passed;
    std::vector<char> mounted;  // by item: a folder another file system is mounted on
    while (!queue.empty()) {
        Queued q = std::move(queue.front());
        queue.pop_front();
        if (!s.source.List(q.folder, entries, &passed)) {
            const plat::NotListed why = s.source.WhyNotListed(q.folder);
            if (why == plat::NotListed::Unreadable) {
                (q.item == kRoot ? s.rootUnread : s.items[q.item].unread) = true;
            } else if (PassedFolder(why) && q.item != kRoot) {
                // Taken for a folder when listed; passed over once the walk tried to enter it.
                mounted.resize(s.items.size());
                mounted[q.item] = 1;
                const std::size_t slash = q.rel.rfind('\\');
                s.passed.push_back({slash == std::string::npos ? std::string() : q.rel.substr(0, slash),
                                    q.rel.substr(slash + 1), true, PassedBy::OtherFileSystem});
            }
            continue;
        }
        // It copies what it takes: what it cannot open is passed over.
        PassOver(entries, passed, WalkTakes::Opened);
        for (const auto& e : passed)
            s.passed.push_back({q.rel, e.name, e.kind == plat::EntryKind::Folder, WhyPassed(e.kind, WalkTakes::Opened)});
        for (const auto& e : entries) {
            std::string itemRel = q.rel.empty() ? e.name : q.rel + "\\" + e.name;
            const bool isFolder = e.kind == plat::EntryKind::Folder;
            if (isFolder) queue.push_back({JoinFolderAndName(q.folder, e.name), itemRel, s.items.size()});
            s.items.push_back({std::move(itemRel), isFolder});
        }
    }
    if (!mounted.empty()) {
        // Nothing below them was read, so no item is left naming one.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < s.items.size(); ++i) {
            if (i < mounted.size() && mounted[i]) continue;
            if (kept != i) s.items[kept] = std::move(s.items[i]);
            ++kept;
        }
        s.items.resize(kept);
    }
    s.source.Release();
    return s;
}

std::string FolderStructure::Passed::At(const std::string& target) const {
    std::string path = target;
    if (!rel.empty()) path.append(1, '\\').append(rel);
    return path.append(1, '\\').append(name);
}

std::string FolderStructure::Passed::Named(const std::string& target) const { return NamedPassed(At(target), why); }

// ---- the attach walk ----------------------------------------------------------------------

FsResult MakeFolderWithParents(RunDisk& disk, plat::Beneath& base, const std::string& path, plat::FileIdentity& id,
                               std::vector<plat::MadeFolder>& made) {
    made.clear();
    id = {};
    FsResult r = disk.MakeFolder(base, path, &id);
    if (r == FsResult::NotFound) {
        r = disk.MakeFolderTree(base, path, made);
        if (r == FsResult::Ok && !made.empty()) id = made.back().id;
    }
    return r;
}

StringList NewOnTheWay(const std::string& rel, std::unordered_set<std::string>& reached) {
    StringList added;
    for (std::size_t slash = rel.find('\\'); slash != std::string::npos; slash = rel.find('\\', slash + 1))
        if (slash > 0 && reached.insert(rel.substr(0, slash)).second) added.push_back(rel.substr(0, slash));
    reached.insert(rel);
    return added;
}

bool BelowMainFolder(const std::string& mainFolder, const std::string& target, std::string& rel) {
    if (target.size() <= mainFolder.size() + 1 || target.compare(0, mainFolder.size(), mainFolder) != 0 ||
        target[mainFolder.size()] != '\\')
        return false;
    rel.assign(target, mainFolder.size() + 1);
    return true;
}

std::size_t ParentsMade(const std::vector<plat::MadeFolder>& made, bool madeFolder) {
    return madeFolder && !made.empty() ? made.size() - 1 : made.size();
}

WayFolder JudgeWayFolder(RunDisk& disk, plat::Beneath& base, const std::string& folder,
                         const std::vector<plat::MadeFolder>& made, std::size_t parents, std::size_t& index) {
    for (index = 0; index < parents; ++index)
        if (made[index].path == folder) return WayFolder::Made;
    plat::EntryInfo info;
    return base.IsOpen() && disk.Look(base, folder, info) == FsResult::Ok && info.kind == plat::EntryKind::Folder
               ? WayFolder::There
               : WayFolder::NotMade;
}

double TemplateFoldersIn(const StringList& lines, const std::string& mainFolder, int mode, const std::string& term) {
    std::unordered_set<std::string> reached;
    std::string message;
    double folders = 0;
    for (const std::string& line : lines) {
        folders += 1;
        if (HasDotFolderName(line) || CheckDestinationNotSource(mainFolder, line, message)) continue;
        const std::string rel = ExpandTemplatePath(line, mainFolder, mode, term);
        if (rel.empty() || rel.find(':') != std::string::npos) continue;  // no folder below the main folder
        const std::string target = JoinDestinationAndTemplatePath(mainFolder, rel);
        std::string below;
        if (HasDotFolderName(target) || !BelowMainFolder(mainFolder, target, below)) continue;
        folders += static_cast<double>(NewOnTheWay(below, reached).size());
    }
    return folders;
}

double TemplateLineBytes(const StringList& lines, const std::string& longestMainFolder, int mode,
                         const std::string& term) {
    std::size_t longest = 0;
    for (const std::string& line : lines)
        longest = std::max(longest, ExpandTemplatePath(line, longestMainFolder, mode, term).size());
    return 1.0 + static_cast<double>(longest);
}

double StructureLineBytes(const std::string& structure, const FolderStructSize& size, double entries,
                          bool countRoot) {
    const double named = countRoot ? static_cast<double>(structure.size() - ParentText(structure).size()) : 0;
    return size.GetPathBytes() + entries * named;
}

double TemplateFoldersIn(const StringList& lines, const StringList& mainFolders, int mode, const std::string& term) {
    // Lines that keep or drop their first folder give the same folders in
    // every main folder the list takes (one with a drive part may be refused
    // by the main folder's text): worked out once for those.
    const bool fixed = mode != TemplateModeReplaceRemainder && mode != TemplateModeReplaceAll &&
                       std::none_of(lines.begin(), lines.end(),
                                    [](const std::string& line) { return line.find(':') != std::string::npos; });
    std::string message, normalised;
    double valid = -1, folders = 0;
    for (const std::string& main : mainFolders) {
        if (!fixed) {
            folders += TemplateFoldersIn(lines, main, mode, term);
        } else if (!ValidateIncludeListText(main, message, normalised)) {
            folders += static_cast<double>(lines.size());  // every line refused
        } else {
            if (valid < 0) valid = TemplateFoldersIn(lines, main, mode, term);
            folders += valid;
        }
    }
    return folders;
}

AttachOrder ListingOrder(const FolderStructure& s, bool withFiles) {
    AttachOrder order;
    order.reserve(s.items.size());
    for (std::size_t i = 0; i < s.items.size(); ++i)
        if (withFiles || s.items[i].folder) order.push_back(static_cast<std::uint32_t>(i));
    return order;
}

void AttachWalk::Attach(const FolderStructure& s, plat::Beneath& source, plat::Beneath& dest,
                        const std::string& target, const AttachOrder& order, AttachOutcomes& out) {
    if (s.rootUnread) {
        out.FolderNotMade(target, true);
        return;
    }
    plat::FileIdentity id;
    FsResult r = MakeFolderWithParents(disk_, dest, target, id, made_);
    if (r != FsResult::Ok && r != FsResult::AlreadyExists && dest.Relative(target, path_) && path_.empty())
        r = FsResult::AlreadyExists;  // the folder worked beneath is there
    if (r == FsResult::Ok)
        out.FolderMade(target, id, made_, true);
    else if (r == FsResult::AlreadyExists)
        out.FolderExists(target, true);
    else
        out.FolderNotMade(target, true);
    for (const std::uint32_t index : order) {
        const StructureItem& item = s.items[index];
        path_.assign(target).append(1, '\\').append(item.rel);
        if (item.folder) {
            r = item.unread ? FsResult::Failed : MakeFolderWithParents(disk_, dest, path_, id, made_);
            if (r == FsResult::Ok)
                out.FolderMade(path_, id, made_, false);
            else if (r == FsResult::AlreadyExists)
                out.FolderExists(path_, false);
            else
                out.FolderNotMade(path_, false);
            continue;
        }
        source_.assign(s.entry).append(1, '\\').append(item.rel);
        plat::FileStamp stamp;
        r = disk_.CopyFile(source, source_, dest, path_, &stamp);
        if (r == FsResult::Ok)
            out.FileCopied(index, source_, path_, stamp);
        else
            out.FileNotCopied(index, source_, path_, r);
    }
}

void RefusedDestinations::Reset(std::size_t structures) {
    shown_.assign(structures, 0);
    later_.assign(structures, {});
}

bool RefusedDestinations::First(std::size_t index, const std::string& destination) {
    if (index >= shown_.size()) return true;
    if (!shown_[index]) {
        shown_[index] = 1;
        return true;
    }
    later_[index].push_back(destination);
    return false;
}

std::string RefusedDestinations::RefusedAgainText(const std::string& source, const StringList& destinations) {
    // A box stays on the screen: the first few are named, the rest are in the log.
    constexpr std::size_t kNamed = 12;
    std::string named;
    for (std::size_t i = 0; i < destinations.size() && i < kNamed; ++i)
        named += (i == 0 ? "" : "\nDestination Folder : ") + destinations[i];
    if (destinations.size() > kNamed)
        named += "\n... and " + std::to_string(destinations.size() - kNamed) + " more, named in the Visual Log.";
    return SameFolderRefusal(named, source);
}
