#include "core/RunDisk.h"

#include <unistd.h>

#include <algorithm>
#include <mutex>
#include <unordered_set>

using plat::FsResult;

namespace {

// The drive-form path of `rel` below the base.
std::string PathBelow(const plat::Beneath& base, const std::string& rel) {
    std::string path = base.Folder();
    if (rel.empty()) return path;
    if (path.empty() || path.back() != '\\') path += '\\';
    for (char c : rel) path += c == '/' ? '\\' : c;
    return path;
}

// A key's folder ("T:\a" for "T:\a\b"; a drive root keeps its backslash)
// and its last name. False for a key without a folder.
bool SplitKey(const std::string& key, std::string& parent, std::string& name) {
    const std::size_t slash = key.rfind('\\');
    if (slash == std::string::npos || slash + 1 == key.size()) return false;
    parent = slash == 2 && key[1] == ':' ? key.substr(0, 3) : key.substr(0, slash);
    name = key.substr(slash + 1);
    return true;
}

std::string ParentKey(const std::string& key) {
    std::string parent, name;
    return SplitKey(key, parent, name) ? parent : std::string();
}

std::string NameOf(const std::string& key) {
    std::string parent, name;
    return SplitKey(key, parent, name) ? name : key;
}

bool IsBelow(const std::string& key, const std::string& folder) {
    return key.size() > folder.size() && key.compare(0, folder.size(), folder) == 0 &&
           (folder.back() == '\\' || key[folder.size()] == '\\');
}

plat::EntryInfo MadeInfo(plat::EntryKind kind, std::uint64_t size = 0) {
    plat::EntryInfo info;
    info.kind = kind;
    info.size = size;
    info.mode = kind == plat::EntryKind::Folder ? 0755 : 0644;
    info.uid = static_cast<std::uint32_t>(geteuid());
    return info;
}

}  // namespace

// ---- the real disk ----------------------------------------------------------------------

FsResult RealDisk::Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) {
    return base.Look(path, info);
}

bool RealDisk::List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                    std::size_t* untranslatable) {
    return base.List(folder, entries, untranslatable);
}

FsResult RealDisk::MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) {
    return base.MakeFolder(path, made);
}

FsResult RealDisk::MakeFolderTree(plat::Beneath& base, const std::string& path, std::vector<plat::MadeFolder>& made) {
    return base.MakeFolderTree(path, &made);
}

FsResult RealDisk::CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) {
    return to.CopyFileFrom(from, source, target, stamp);
}

FsResult RealDisk::CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                     const std::string& target, plat::FileStamp* stamp) {
    return to.CopyFileReplacing(from, source, target, stamp);
}

FsResult RealDisk::RemoveFile(plat::Beneath& base, const std::string& path, const plat::FileStamp* expected) {
    return base.RemoveFile(path, expected);
}

FsResult RealDisk::RemoveFolder(plat::Beneath& base, const std::string& path, const plat::FileIdentity* expected) {
    return base.RemoveFolder(path, expected);
}

FsResult RealDisk::Rename(plat::Beneath& base, const std::string& from, const std::string& to) {
    return base.Rename(from, to);
}

FsResult RealDisk::SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode, std::uint32_t* oldMode) {
    return base.SetMode(path, mode, oldMode);
}

// ---- the dry disk: what it pretended -------------------------------------------------------

bool DryDisk::KeyOf(const plat::Beneath& base, const std::string& path, std::string& key) const {
    std::string rel;
    if (!base.Relative(path, rel)) return false;
    key = PathBelow(base, rel);
    return true;
}

bool DryDisk::Find(const std::string& key, Node& node) const {
    std::shared_lock lock(m_);
    if (dirs_.empty()) return false;
    std::string parent, name;
    if (!SplitKey(key, parent, name)) return false;
    const auto folder = dirs_.find(parent);
    if (folder == dirs_.end()) return false;
    const auto entry = folder->second.find(name);
    if (entry == folder->second.end()) return false;
    node = entry->second;
    return true;
}

void DryDisk::Put(const std::string& key, Node node) {
    std::unique_lock lock(m_);
    PutLocked(key, std::move(node));
}

void DryDisk::PutLocked(const std::string& key, Node node) {
    std::string parent, name;
    if (!SplitKey(key, parent, name)) return;
    auto [folder, added] = dirs_.try_emplace(parent);
    if (added) folders_.insert(parent);
    folder->second.insert_or_assign(std::move(name), std::move(node));
}

void DryDisk::MoveBelowLocked(const std::string& from, const std::string& to) {
    std::vector<std::string> keys;
    for (auto it = folders_.lower_bound(from); it != folders_.end() && (*it == from || IsBelow(*it, from)); ++it)
        keys.push_back(*it);
    for (const auto& key : keys) {
        const std::string moved = to + key.substr(from.size());
        auto node = dirs_.extract(key);
        folders_.erase(key);
        node.key() = moved;
        dirs_.insert(std::move(node));
        folders_.insert(moved);
    }
    std::vector<std::pair<std::string, std::uint32_t>> modes;
    for (auto it = modes_.begin(); it != modes_.end();) {
        if (it->first == from || IsBelow(it->first, from)) {
            modes.emplace_back(to + it->first.substr(from.size()), it->second);
            it = modes_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& [key, mode] : modes) modes_[key] = mode;
}

DryDisk::Kind DryDisk::Look(plat::Beneath& base, const std::string& key, plat::EntryInfo* info, std::string* real) {
    const auto realLook = [&](const std::string& path) {
        plat::EntryInfo found;
        switch (base.Look(path, found)) {
        case FsResult::Ok:
            if (info) *info = found;
            if (real) *real = path;
            return Kind::Entry;
        case FsResult::NotFound: return Kind::None;
        case FsResult::Blocked: return Kind::Blocked;
        default: return Kind::Failed;
        }
    };
    if (!base.IsOpen()) return Kind::Failed;
    Node node;
    if (Find(key, node)) {
        switch (node.state) {
        case Node::Removed: return Kind::None;
        case Node::Renamed: return realLook(node.source);
        default:
            if (info) *info = node.info;
            if (real) real->clear();
            return Kind::Entry;
        }
    }
    // Below a pretended folder there is nothing yet; below a pretended file
    // or a removed folder nothing either; below a renamed one, what stands
    // below its real source.
    const std::string& top = base.Folder();
    if (Pretends()) {
        for (std::string up = ParentKey(key); up.size() > top.size() && IsBelow(up, top); up = ParentKey(up)) {
            if (!Find(up, node)) continue;
            switch (node.state) {
            case Node::Folder:
            case Node::Removed: return Kind::None;
            case Node::File: return Kind::Blocked;
            case Node::Renamed: return realLook(node.source + key.substr(up.size()));
            }
        }
    }
    return realLook(key);
}

bool DryDisk::Pretends() const {
    std::shared_lock lock(m_);
    return !dirs_.empty();
}

FsResult DryDisk::CanWriteIn(plat::Beneath& base, const std::string& folderKey) {
    std::uint32_t mode = 0;
    bool known = false;
    {
        std::shared_lock lock(m_);
        if (const auto it = modes_.find(folderKey); it != modes_.end()) {
            mode = it->second;
            known = true;
        }
    }
    if (known) return geteuid() == 0 || (mode & 0300) == 0300 ? FsResult::Ok : FsResult::Failed;
    std::string real;
    plat::EntryInfo info;
    switch (Look(base, folderKey, &info, &real)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry: break;
    }
    if (info.kind != plat::EntryKind::Folder) return FsResult::Blocked;
    return real.empty() ? FsResult::Ok : base.CanWriteIn(real);
}

FsResult DryDisk::CanMakeIn(plat::Beneath& base, const std::string& parentKey, const std::string& name) {
    const FsResult writable = CanWriteIn(base, parentKey);
    if (writable != FsResult::Ok) return writable;
    return name.size() > base.NameMax() ? FsResult::Failed : FsResult::Ok;
}

// ---- the dry disk: the questions -----------------------------------------------------------

FsResult DryDisk::Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) {
    std::string key;
    if (!KeyOf(base, path, key)) return FsResult::Failed;
    switch (Look(base, key, &info, nullptr)) {
    case Kind::Entry: return FsResult::Ok;
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    default: return FsResult::Failed;
    }
}

bool DryDisk::List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                   std::size_t* untranslatable) {
    entries.clear();
    if (untranslatable) *untranslatable = 0;
    std::string key, real;
    plat::EntryInfo info;
    if (!KeyOf(base, folder, key) || Look(base, key, &info, &real) != Kind::Entry ||
        info.kind != plat::EntryKind::Folder)
        return false;
    if (!real.empty() && !base.List(real, entries, untranslatable)) return false;
    std::vector<std::pair<std::string, Node>> changed;
    {
        std::shared_lock lock(m_);
        const auto it = dirs_.find(key);
        if (it == dirs_.end()) return true;
        changed.assign(it->second.begin(), it->second.end());
    }
    // One pass over the listing, however many entries changed.
    std::unordered_set<std::string> gone;
    for (const auto& [name, node] : changed) gone.insert(name);
    std::erase_if(entries, [&](const plat::DirEntry& e) { return gone.count(e.name) != 0; });
    bool added = false;
    for (const auto& [name, node] : changed) {
        if (node.state == Node::Removed) continue;
        plat::DirEntry e;
        e.name = name;
        e.kind = node.info.kind;
        e.size = node.info.size;
        e.mtimeNs = node.info.mtimeNs;
        e.dev = node.info.id.dev;
        e.ino = node.info.id.ino;
        e.mode = node.info.mode;
        entries.push_back(std::move(e));
        added = true;
    }
    if (added) plat::SortListing(entries);
    return true;
}

// ---- the dry disk: making ---------------------------------------------------------------

FsResult DryDisk::MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity*) {
    std::string key;
    if (!KeyOf(base, path, key) || key == base.Folder()) return FsResult::Failed;
    plat::EntryInfo info;
    switch (Look(base, key, &info, nullptr)) {
    case Kind::Entry: return info.kind == plat::EntryKind::Folder ? FsResult::AlreadyExists : FsResult::Failed;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::None: break;
    }
    const FsResult r = CanMakeIn(base, ParentKey(key), NameOf(key));
    if (r == FsResult::Ok) Put(key, {Node::Folder, {}, MadeInfo(plat::EntryKind::Folder)});
    return r;
}

FsResult DryDisk::MakeFolderTree(plat::Beneath& base, const std::string& path, std::vector<plat::MadeFolder>& made) {
    std::string rel;
    if (!base.Relative(path, rel)) return FsResult::Failed;
    if (rel.empty()) return base.IsOpen() ? FsResult::AlreadyExists : FsResult::Failed;
    const std::size_t levels = static_cast<std::size_t>(std::count(rel.begin(), rel.end(), '/')) + 1;
    std::size_t at = 0;
    bool madeAny = false;
    plat::EntryInfo info;
    for (std::size_t level = 0; level < levels; ++level) {
        const std::size_t slash = rel.find('/', at);
        const bool last = slash == std::string::npos;
        const std::string key = PathBelow(base, rel.substr(0, slash));
        at = slash + 1;
        switch (Look(base, key, &info, nullptr)) {
        case Kind::Entry:
            if (info.kind != plat::EntryKind::Folder) return last ? FsResult::Failed : FsResult::Blocked;
            if (last) return madeAny ? FsResult::Ok : FsResult::AlreadyExists;
            continue;
        case Kind::Blocked: return FsResult::Blocked;
        case Kind::Failed: return FsResult::Failed;
        case Kind::None: break;
        }
        const FsResult r = CanMakeIn(base, ParentKey(key), NameOf(key));
        if (r != FsResult::Ok) return r;
        Put(key, {Node::Folder, {}, MadeInfo(plat::EntryKind::Folder)});
        made.push_back({plat::LeadingPath(path, levels, level), plat::FileIdentity{}});
        madeAny = true;
    }
    return FsResult::Ok;
}

FsResult DryDisk::CopyInto(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                           const std::string& target, bool replace) {
    // The source as the run finds it: pretended files are readable.
    std::string sourceKey, sourceReal;
    plat::EntryInfo sourceInfo;
    if (!KeyOf(from, source, sourceKey)) return FsResult::Failed;
    switch (Look(from, sourceKey, &sourceInfo, &sourceReal)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry: break;
    }
    std::uint64_t size = sourceInfo.size;
    if (!sourceReal.empty()) {
        const FsResult readable = from.CanRead(sourceReal, &size);
        if (readable != FsResult::Ok) return readable;
    } else if (sourceInfo.kind != plat::EntryKind::File) {
        return FsResult::Failed;
    }
    std::string key;
    if (!KeyOf(to, target, key) || key == to.Folder()) return FsResult::Failed;
    // In the order the real copy meets them: the folder, a look (a large
    // file, or one to replace), the temporary file (needs write access),
    // the final link or rename.
    const std::string parentKey = ParentKey(key);
    plat::EntryInfo info;
    switch (Look(to, parentKey, &info, nullptr)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry:
        if (info.kind != plat::EntryKind::Folder) return FsResult::Blocked;
        break;
    }
    const Kind kind = Look(to, key, &info, nullptr);
    const bool exists = kind == Kind::Entry;
    if (replace) {
        if (exists && info.kind != plat::EntryKind::File) return FsResult::Failed;
    } else if (exists && size > plat::kLookBeforeCopyBytes) {
        return FsResult::AlreadyExists;
    }
    if (CanWriteIn(to, parentKey) != FsResult::Ok) return FsResult::Failed;
    if (exists && !replace) return FsResult::AlreadyExists;
    if ((kind != Kind::None && !exists) || NameOf(key).size() > to.NameMax()) return FsResult::Failed;
    Put(key, {Node::File, {}, MadeInfo(plat::EntryKind::File, size)});
    return FsResult::Ok;
}

FsResult DryDisk::CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                           const std::string& target, plat::FileStamp*) {
    return CopyInto(from, source, to, target, false);
}

FsResult DryDisk::CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                    const std::string& target, plat::FileStamp*) {
    return CopyInto(from, source, to, target, true);
}

// ---- the dry disk: changing and removing --------------------------------------------------

FsResult DryDisk::RemoveFile(plat::Beneath& base, const std::string& path, const plat::FileStamp* expected) {
    std::string key, real;
    plat::EntryInfo info;
    if (!KeyOf(base, path, key) || key == base.Folder()) return FsResult::Failed;
    switch (Look(base, key, &info, &real)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry: break;
    }
    if (expected) {
        if (real.empty() || !plat::IsUnchanged(info, *expected)) return FsResult::Changed;
    } else if (info.kind == plat::EntryKind::Folder) {
        return FsResult::Failed;
    }
    if (CanWriteIn(base, ParentKey(key)) != FsResult::Ok) return FsResult::Failed;
    Put(key, {Node::Removed, {}, {}});
    return FsResult::Ok;
}

FsResult DryDisk::RemoveFolder(plat::Beneath& base, const std::string& path, const plat::FileIdentity* expected) {
    std::string key, real;
    plat::EntryInfo info;
    if (!KeyOf(base, path, key) || key == base.Folder()) return FsResult::Failed;
    switch (Look(base, key, &info, &real)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry: break;
    }
    if (info.kind != plat::EntryKind::Folder || (expected && (real.empty() || info.id != *expected)))
        return FsResult::Changed;
    // The kernel asks for write access before it looks inside.
    if (CanWriteIn(base, ParentKey(key)) != FsResult::Ok) return FsResult::Failed;
    std::vector<plat::DirEntry> entries;
    std::size_t untranslatable = 0;
    if (List(base, path, entries, &untranslatable) && (!entries.empty() || untranslatable > 0))
        return FsResult::NotEmpty;
    Put(key, {Node::Removed, {}, {}});
    return FsResult::Ok;
}

FsResult DryDisk::Rename(plat::Beneath& base, const std::string& from, const std::string& to) {
    std::string fromKey, toKey, fromReal;
    plat::EntryInfo info, other;
    if (!KeyOf(base, from, fromKey) || !KeyOf(base, to, toKey) || fromKey == base.Folder() || toKey == base.Folder())
        return FsResult::Failed;
    switch (Look(base, fromKey, &info, &fromReal)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry: break;
    }
    switch (Look(base, ParentKey(toKey), &other, nullptr)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry:
        if (other.kind != plat::EntryKind::Folder) return FsResult::Blocked;
        break;
    }
    switch (Look(base, toKey, &other, nullptr)) {
    case Kind::Entry: return FsResult::AlreadyExists;
    case Kind::None: break;
    default: return FsResult::Failed;
    }
    if (fromKey == toKey || IsBelow(toKey, fromKey)) return FsResult::Failed;  // into itself
    if (CanWriteIn(base, ParentKey(fromKey)) != FsResult::Ok || CanWriteIn(base, ParentKey(toKey)) != FsResult::Ok ||
        NameOf(toKey).size() > base.NameMax())
        return FsResult::Failed;
    Node moved;
    if (!Find(fromKey, moved) || moved.state == Node::Removed) moved = {Node::Renamed, fromReal, info};
    // else: pretended entries move as they are
    std::unique_lock lock(m_);
    MoveBelowLocked(fromKey, toKey);
    PutLocked(fromKey, {Node::Removed, {}, {}});
    PutLocked(toKey, std::move(moved));
    return FsResult::Ok;
}

FsResult DryDisk::SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode, std::uint32_t* oldMode) {
    std::string key;
    plat::EntryInfo info;
    if (!KeyOf(base, path, key)) return FsResult::Failed;
    switch (Look(base, key, &info, nullptr)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Entry: break;
    }
    if (info.kind != plat::EntryKind::File && info.kind != plat::EntryKind::Folder) return FsResult::Failed;
    // Only the owner (or root) may change the bits.
    if (geteuid() != 0 && info.uid != geteuid()) return FsResult::Failed;
    std::unique_lock lock(m_);
    const auto known = modes_.find(key);
    if (oldMode) *oldMode = known != modes_.end() ? known->second : info.mode;
    modes_[key] = mode & 07777;
    return FsResult::Ok;
}
