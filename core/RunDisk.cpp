#include "core/RunDisk.h"

#include <algorithm>

using plat::FsResult;
using plat::RelName;
using plat::RelParent;

namespace {

// The drive-form path of `rel` below the base.
std::string PathBelow(const plat::Beneath& base, const std::string& rel) {
    std::string path = base.Folder();
    if (rel.empty()) return path;
    if (path.empty() || path.back() != '\\') path += '\\';
    for (char c : rel) path += c == '/' ? '\\' : c;
    return path;
}

}  // namespace

// ---- the real disk ----------------------------------------------------------------------

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

// ---- the dry disk -----------------------------------------------------------------------

std::string DryDisk::Key(const plat::Beneath& base, const std::string& rel) const { return PathBelow(base, rel); }

DryDisk::Kind DryDisk::Look(plat::Beneath& base, const std::string& path, const std::string& rel) {
    if (rel.empty()) return base.IsOpen() ? Kind::Folder : Kind::Failed;
    if (!made_.empty()) {
        const auto it = made_.find(Key(base, rel));
        if (it != made_.end()) return it->second ? Kind::Folder : Kind::Other;
        // Below a folder it only pretended to make there is nothing yet.
        for (std::string up = RelParent(rel); !up.empty(); up = RelParent(up)) {
            const auto above = made_.find(Key(base, up));
            if (above != made_.end()) return above->second ? Kind::None : Kind::Blocked;
        }
    }
    plat::EntryInfo info;
    switch (base.Look(path, info)) {
    case FsResult::Ok: return info.kind == plat::EntryKind::Folder ? Kind::Folder : Kind::Other;
    case FsResult::NotFound: return Kind::None;
    case FsResult::Blocked: return Kind::Blocked;
    default: return Kind::Failed;
    }
}

FsResult DryDisk::CanMakeIn(plat::Beneath& base, const std::string& parentRel, const std::string& name) {
    const std::string parent = PathBelow(base, parentRel);
    switch (Look(base, parent, parentRel)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Other:
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Folder: break;
    }
    if (made_.count(Key(base, parentRel)) == 0) {
        const FsResult writable = base.CanWriteIn(parent);
        if (writable != FsResult::Ok) return writable;
    }
    return name.size() > base.NameMax() ? FsResult::Failed : FsResult::Ok;
}

FsResult DryDisk::MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity*) {
    std::string rel;
    if (!base.Relative(path, rel) || rel.empty()) return FsResult::Failed;
    switch (Look(base, path, rel)) {
    case Kind::Folder: return FsResult::AlreadyExists;
    case Kind::Other: return FsResult::Failed;
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::None: break;
    }
    const FsResult r = CanMakeIn(base, RelParent(rel), RelName(rel));
    if (r == FsResult::Ok) made_[Key(base, rel)] = true;
    return r;
}

FsResult DryDisk::MakeFolderTree(plat::Beneath& base, const std::string& path, std::vector<plat::MadeFolder>& made) {
    std::string rel;
    if (!base.Relative(path, rel)) return FsResult::Failed;
    if (rel.empty()) return base.IsOpen() ? FsResult::AlreadyExists : FsResult::Failed;
    const std::size_t levels = static_cast<std::size_t>(std::count(rel.begin(), rel.end(), '/')) + 1;
    std::size_t at = 0;
    bool madeAny = false;
    for (std::size_t level = 0; level < levels; ++level) {
        const std::size_t slash = rel.find('/', at);
        const bool last = slash == std::string::npos;
        const std::string here = rel.substr(0, slash);
        at = slash + 1;
        switch (Look(base, PathBelow(base, here), here)) {
        case Kind::Folder:
            if (last) return madeAny ? FsResult::Ok : FsResult::AlreadyExists;
            continue;
        case Kind::Other: return last ? FsResult::Failed : FsResult::Blocked;
        case Kind::Blocked: return FsResult::Blocked;
        case Kind::Failed: return FsResult::Failed;
        case Kind::None: break;
        }
        const FsResult r = CanMakeIn(base, RelParent(here), RelName(here));
        if (r != FsResult::Ok) return r;
        made_[Key(base, here)] = true;
        made.push_back({plat::LeadingPath(path, levels, level), plat::FileIdentity{}});
        madeAny = true;
    }
    return FsResult::Ok;
}

FsResult DryDisk::CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                           const std::string& target, plat::FileStamp*) {
    std::uint64_t size = 0;
    const FsResult readable = from.CanRead(source, &size);
    if (readable != FsResult::Ok) return readable;
    std::string rel;
    if (!to.Relative(target, rel) || rel.empty()) return FsResult::Failed;
    // In the order the real copy meets them: the folder, a look for a large
    // file, the unnamed file (needs write access), the final link.
    const std::string parentRel = RelParent(rel);
    switch (Look(to, PathBelow(to, parentRel), parentRel)) {
    case Kind::None: return FsResult::NotFound;
    case Kind::Other:
    case Kind::Blocked: return FsResult::Blocked;
    case Kind::Failed: return FsResult::Failed;
    case Kind::Folder: break;
    }
    const Kind kind = Look(to, target, rel);
    const bool exists = kind == Kind::Folder || kind == Kind::Other;
    if (exists && size > plat::kLookBeforeCopyBytes) return FsResult::AlreadyExists;
    if (made_.count(Key(to, parentRel)) == 0 && to.CanWriteIn(PathBelow(to, parentRel)) != FsResult::Ok)
        return FsResult::Failed;
    if (exists) return FsResult::AlreadyExists;
    if (kind != Kind::None || RelName(rel).size() > to.NameMax()) return FsResult::Failed;
    made_[Key(to, rel)] = false;
    return FsResult::Ok;
}
