#include "pages/RunFolderRefusal.h"

#include "core/PathTools.h"
#include "core/Validation.h"

RunFolderRefusal::RunFolderRefusal(const std::string& programFolder, const std::string& workingDir) {
    plat::Beneath own;
    for (const std::string& folder : {programFolder, workingDir})
        if (!folder.empty() && own.Open(folder) == plat::FsResult::Ok) own_.push_back(own.Identity());
}

bool RunFolderRefusal::Refuses(const plat::Beneath& folder, const plat::Beneath* parent) {
    // The folder and the one above it (asked of the disk only without a parent).
    plat::FileIdentity above;
    if (parent && parent->IsOpen()) {
        above = parent->Identity();
    } else {
        const std::vector<plat::FileIdentity> chain = folder.Ancestry(2);
        if (chain.size() < 2) return true;
        above = chain[1];
    }
    // The root of the whole tree, or of a file system mounted into it.
    if (folder.Identity().dev != above.dev) return true;
    if (IsProgramFolder(folder)) return true;
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

bool RunFolderRefusal::IsProgramFolder(const plat::Beneath& folder) const {
    for (const plat::FileIdentity& id : own_)
        if (id == folder.Identity()) return true;
    return false;
}
