#include "pages/RunFolderRefusal.h"

#include "core/PathTools.h"
#include "core/Validation.h"

RunFolderRefusal::RunFolderRefusal(const std::string& programFolder, const std::string& workingDir) {
    plat::Beneath own;
    for (const std::string& folder : {programFolder, workingDir})
        if (!folder.empty() && own.Open(folder) == plat::FsResult::Ok) own_.push_back(own.Identity());
}

bool RunFolderRefusal::Refuses(const plat::Beneath& folder) {
    // The root of the whole tree, or of a file system mounted into it.
    const std::vector<plat::FileIdentity> chain = folder.Ancestry(2);
    if (chain.size() < 2 || folder.Identity().dev != chain[1].dev) return true;
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
