#include "pages/files/FileRuns.h"

#include <string_view>
#include <unordered_map>

#include "core/FileNames.h"
#include "core/FolderStructSize.h"
#include "core/PathTools.h"
#include "core/Validation.h"

// ---- name masks ---------------------------------------------------------------------

StringList UsableFileMasks(const StringList& stored) {
    StringList masks;
    bool any = false;
    for (const std::string& raw : stored) {
        const std::string mask = ToLowerCase(TrimControlAndBlanks(raw));
        if (mask.empty()) continue;
        any = true;
        // Masks are matched against names only; one that reads as a path
        // would have reached into another folder where it was a search path.
        if (mask.find_first_of("\\/:") != std::string::npos || mask.find("..") != std::string::npos) continue;
        masks.push_back(mask);
    }
    if (!any) masks.push_back("*.*");
    return masks;
}

namespace {

// From the last dot on; empty without one.
std::string_view DottedExtensionOf(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

// MatchFileMask on lowered texts, without copies where it is a plain comparison.
bool ExtensionTakes(const std::string& mask, const std::string& name) {
    const std::string_view maskExt = DottedExtensionOf(mask), nameExt = DottedExtensionOf(name);
    if (maskExt == ".*") return true;
    const auto ends = [](std::string_view ext) { return !ext.empty() && static_cast<unsigned char>(ext.back()) <= 32; };
    if (maskExt.find_first_of("*?") == std::string_view::npos && !ends(maskExt) && !ends(nameExt))
        return maskExt == nameExt;
    return MatchFileMask(mask, name);
}

}  // namespace

bool MasksTake(const StringList& loweredMasks, const std::string& name) {
    const std::string lowered = ToLowerCase(name);
    for (const std::string& mask : loweredMasks) {
        if (mask == "*.*") return true;
        // What the name pattern finds must then pass the extension test.
        if (MatchesLoweredSearchPattern(mask, lowered) && ExtensionTakes(mask, lowered)) return true;
    }
    return false;
}

// ---- walks --------------------------------------------------------------------------

void WalkFence::Add(const std::string& folder) {
    plat::Beneath base;
    if (!folder.empty() && base.Open(folder) == plat::FsResult::Ok) Add(base.Identity());
}

bool RefusedRunFolder(plat::Beneath& folder, const std::string& programFolder, const std::string& workingDir) {
    return RunFolderRefusal(programFolder, workingDir).Refuses(folder);
}

RunFolderRefusal::RunFolderRefusal(const std::string& programFolder, const std::string& workingDir) {
    plat::Beneath own;
    for (const std::string& folder : {programFolder, workingDir})
        if (!folder.empty() && own.Open(folder) == plat::FsResult::Ok) own_.push_back(own.Identity());
}

bool RunFolderRefusal::Refuses(const plat::Beneath& folder, const plat::Beneath* parent) {
    const std::vector<plat::FileIdentity> chain =
        parent && parent->IsOpen() ? std::vector<plat::FileIdentity>{folder.Identity(), parent->Identity()}
                                   : folder.Ancestry(2);
    // The root of the whole tree, or of a file system mounted into it.
    if (chain.size() < 2 || chain[0].dev != chain[1].dev) return true;
    for (const plat::FileIdentity& id : own_)
        if (id == folder.Identity()) return true;
    const std::string drive = GetDrivePart(folder.Folder());
    if (drive.empty()) return false;
    auto root = driveRoots_.find(drive);
    if (root == driveRoots_.end()) {
        plat::Beneath open;
        root = driveRoots_.emplace(drive, open.Open(drive + "\\") == plat::FsResult::Ok ? open.Identity()
                                                                                     : plat::FileIdentity{}).first;
    }
    return root->second.Known() && root->second == folder.Identity();
}

void SplitListing(RunDisk& disk, plat::Beneath& base, const std::string& folder, const WalkFence& fence,
                  std::vector<std::string>& subfolders, std::vector<plat::DirEntry>& files) {
    subfolders.clear();
    files.clear();
    std::vector<plat::DirEntry> entries;
    if (!disk.ListKinds(base, folder, entries)) return;
    for (auto& e : entries) {
        if (e.kind != plat::EntryKind::Folder) {
            files.push_back(std::move(e));
            continue;
        }
        if (fence.Holds({e.dev, e.ino})) continue;
        subfolders.push_back(JoinEntry(folder, e.name));
    }
}

std::string JoinEntry(const std::string& folder, const std::string& name) { return JoinFolderAndName(folder, name); }

std::string LastName(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// ---- undo on the run pool ----------------------------------------------------------------

void GroupNestedBases(const VEC_UNDO_BASES& bases, std::vector<std::uint32_t>& group, StringList& tops) {
    // The lowered paths stay where they are while the map names them, and
    // a folder above a base is looked up as a part of its path: nothing is
    // copied per folder (a run of thousands of destinations groups them
    // while the workers wait).
    std::vector<std::string> lowered(bases.size());
    std::unordered_map<std::string_view, std::uint32_t> byLowered;  // a base's path -> its first index
    byLowered.reserve(bases.size());
    for (std::size_t b = 0; b < bases.size(); ++b) {
        lowered[b] = ToLowerCase(bases[b].Path);
        while (lowered[b].size() > 3 && lowered[b].back() == '\\') lowered[b].pop_back();
    }
    for (std::size_t b = 0; b < bases.size(); ++b) byLowered.emplace(lowered[b], static_cast<std::uint32_t>(b));
    constexpr std::uint32_t kNone = ~std::uint32_t{0};
    std::vector<std::uint32_t> itemOfTop(bases.size(), kNone);
    group.assign(bases.size(), 0);
    tops.clear();
    for (std::size_t b = 0; b < bases.size(); ++b) {
        // The base's top-most ancestor among the bases (itself when none).
        const std::string_view path = lowered[b];
        std::uint32_t top = byLowered.find(path)->second;
        for (std::size_t cut = path.rfind('\\'); cut != std::string_view::npos && cut > 0;
             cut = path.rfind('\\', cut - 1)) {
            const auto it = byLowered.find(path.substr(0, cut));
            if (it != byLowered.end()) top = it->second;
        }
        if (itemOfTop[top] == kNone) {
            itemOfTop[top] = static_cast<std::uint32_t>(tops.size());
            tops.push_back(bases[top].Path);
        }
        group[b] = itemOfTop[top];
    }
}

// ---- working copies -------------------------------------------------------------------

plat::FsResult WorkingCopies::Make(RunDisk& disk, plat::Beneath& from, const std::string& target,
                                   plat::Beneath& work, std::string& copy, plat::FileStamp& stamp, bool* exhausted) {
    if (exhausted) *exhausted = false;
    const std::string name = LastName(target);
    std::string base;
    StripFileExtension(name, base);
    const std::string ext = name.substr(base.size());
    // The search goes on where the last one for this name ended.
    auto known = next_.find(name);
    std::string candidate = known == next_.end() ? name : known->second;
    for (int tries = 0; tries < 30000; ++tries) {
        copy = JoinEntry(work.Folder(), candidate);
        const plat::FsResult r =
            taken_.count(copy) ? plat::FsResult::AlreadyExists : disk.CopyFile(from, target, work, copy, &stamp);
        if (r != plat::FsResult::AlreadyExists) {
            if (r == plat::FsResult::Ok) taken_.insert(copy);
            next_[name] = candidate;
            return r;
        }
        StripFileExtension(candidate, base);
        candidate = MakeIncreasedFileName(base) + ext;
    }
    if (exhausted) *exhausted = true;
    return plat::FsResult::Failed;
}

plat::Beneath* WorkingCopyFinder::Find(const _tagWorkingCopy& record) {
    const std::string folder = record.WorkingCopy.substr(0, record.WorkingCopy.rfind('\\'));
    if (!work_.IsOpen() || work_.Folder() != folder) {
        work_.Close();
        work_.Open(folder);
    }
    work_.Release();
    plat::EntryInfo info;
    if (!work_.IsOpen() || work_.Look(record.WorkingCopy, info) != plat::FsResult::Ok ||
        !plat::IsUnchanged(info, record.Copy))
        return nullptr;
    return &work_;
}

void WorkingCopyFinder::Drop(RunDisk& disk, const _tagWorkingCopy& record) {
    work_.Release();
    disk.RemoveFile(work_, record.WorkingCopy, &record.Copy);
}
