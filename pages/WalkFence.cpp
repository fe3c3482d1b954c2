#include "pages/WalkFence.h"

#include "core/PathTools.h"

void WalkFence::Add(const std::string& folder) {
    if (const auto id = IdentityOf(folder)) Add(*id);
}

std::optional<plat::FileIdentity> WalkFence::IdentityOf(const std::string& folder) {
    plat::Beneath base;
    if (folder.empty() || base.Open(folder) != plat::FsResult::Ok) return std::nullopt;
    return base.Identity();
}

bool SplitListing(RunDisk& disk, plat::Beneath& base, const std::string& folder, const WalkFence& fence,
                  WalkTakes takes, std::vector<std::string>& subfolders, std::vector<plat::DirEntry>& files,
                  std::vector<std::string>* own, std::vector<plat::DirEntry>* passed) {
    subfolders.clear();
    files.clear();
    if (own) own->clear();
    std::vector<plat::DirEntry> entries;
    if (!disk.ListKinds(base, folder, entries, passed)) return false;
    for (auto& e : entries) {
        if (e.kind != plat::EntryKind::Folder) {
            if (TakesAsFile(e.kind, takes))
                files.push_back(std::move(e));
            else if (passed)
                passed->push_back(std::move(e));
            continue;
        }
        if (fence.Holds({e.dev, e.ino})) {
            if (own && fence.HoldsOwn({e.dev, e.ino})) own->push_back(JoinEntry(folder, e.name));
            continue;
        }
        subfolders.push_back(JoinEntry(folder, e.name));
    }
    return true;
}

std::string JoinEntry(const std::string& folder, const std::string& name) { return JoinFolderAndName(folder, name); }

std::string LastName(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
