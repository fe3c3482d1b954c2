// The one disk seam of every run. The real disk writes beneath held folder
// handles; the dry disk asks the same questions of the same folders and
// writes nothing, keeping what it "made" in memory, so a simulation is the
// run's own code handed the dry disk and its outcomes are the run's.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Beneath.h"

class RunDisk {
public:
    virtual ~RunDisk() = default;
    virtual bool IsDry() const = 0;
    // One folder whose parent exists: NotFound when it does not.
    virtual plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) = 0;
    // The folder with every missing parent; `made` gets what was made,
    // parents first. AlreadyExists when the folder was there.
    virtual plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                          std::vector<plat::MadeFolder>& made) = 0;
    // A regular file to a path where nothing exists; never replaces anything.
    virtual plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                    const std::string& target, plat::FileStamp* stamp) = 0;
};

class RealDisk final : public RunDisk {
public:
    bool IsDry() const override { return false; }
    plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) override;
    plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                  std::vector<plat::MadeFolder>& made) override;
    plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) override;
};

// Answers as the real disk would after the writes it was asked for: a name
// too long for the file system, a folder this user cannot write to, a link
// or file in the way, a source it cannot read, a target that exists.
class DryDisk final : public RunDisk {
public:
    bool IsDry() const override { return true; }
    plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) override;
    plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                  std::vector<plat::MadeFolder>& made) override;
    plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) override;

private:
    enum class Kind { None, Folder, Other, Blocked, Failed };
    // What stands at `rel` below the base, the pretended writes included.
    Kind Look(plat::Beneath& base, const std::string& path, const std::string& rel);
    // Whether an entry named `name` could be made in the folder `parentRel`.
    plat::FsResult CanMakeIn(plat::Beneath& base, const std::string& parentRel, const std::string& name);
    std::string Key(const plat::Beneath& base, const std::string& rel) const;

    std::unordered_map<std::string, bool> made_;  // base root + "/" + rel -> is a folder
};
