// The one disk seam of every run. The real disk works beneath held folder
// handles; the dry disk asks the same questions of the same folders and
// writes nothing, keeping what it "made", removed and renamed in memory, so
// a simulation is the run's own code handed the dry disk and its outcomes
// are the run's. Every path lies beneath the Beneath it is handed with.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <shared_mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Beneath.h"

class RunDisk {
public:
    virtual ~RunDisk() = default;
    virtual bool IsDry() const = 0;

    // ---- looking (the dry disk's pretended changes included) ----
    virtual plat::FsResult Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) = 0;
    virtual bool List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
                      std::size_t* untranslatable = nullptr) = 0;
    // Names, kinds and identities only (plat::Beneath::ListKinds); the dry
    // disk gives the whole listing once it pretends a change.
    virtual bool ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries) {
        return List(base, folder, entries);
    }

    // ---- making ----
    // One folder whose parent exists: NotFound when it does not.
    virtual plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) = 0;
    // The folder with every missing parent; `made` gets what was made,
    // parents first. AlreadyExists when the folder was there.
    virtual plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                          std::vector<plat::MadeFolder>& made) = 0;
    // A regular file to a path where nothing exists; never replaces anything.
    virtual plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                    const std::string& target, plat::FileStamp* stamp) = 0;
    // A regular file over a regular file (or to where nothing is), in one step.
    virtual plat::FsResult CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                             const std::string& target, plat::FileStamp* stamp) = 0;

    // ---- changing and removing (as plat::Beneath does them) ----
    virtual plat::FsResult RemoveFile(plat::Beneath& base, const std::string& path,
                                      const plat::FileStamp* expected = nullptr) = 0;
    virtual plat::FsResult RemoveFolder(plat::Beneath& base, const std::string& path,
                                        const plat::FileIdentity* expected = nullptr) = 0;
    virtual plat::FsResult Rename(plat::Beneath& base, const std::string& from, const std::string& to) = 0;
    virtual plat::FsResult SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode,
                                   std::uint32_t* oldMode = nullptr) = 0;
};

class RealDisk final : public RunDisk {
public:
    bool IsDry() const override { return false; }
    plat::FsResult Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) override;
    bool List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
              std::size_t* untranslatable = nullptr) override;
    bool ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries) override {
        return base.ListKinds(folder, entries);
    }
    plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) override;
    plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                  std::vector<plat::MadeFolder>& made) override;
    plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                     const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult RemoveFile(plat::Beneath& base, const std::string& path,
                              const plat::FileStamp* expected = nullptr) override;
    plat::FsResult RemoveFolder(plat::Beneath& base, const std::string& path,
                                const plat::FileIdentity* expected = nullptr) override;
    plat::FsResult Rename(plat::Beneath& base, const std::string& from, const std::string& to) override;
    plat::FsResult SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode,
                           std::uint32_t* oldMode = nullptr) override;
};

// Answers as the real disk would after the changes it was asked for: a
// name too long for the file system, a folder this user cannot write to, a
// link or file in the way, a source it cannot read, a target that exists, a
// folder that still holds something. Workers of one run may share it (each
// with its own Beneath): what it pretends is kept under a lock.
class DryDisk final : public RunDisk {
public:
    bool IsDry() const override { return true; }
    plat::FsResult Look(plat::Beneath& base, const std::string& path, plat::EntryInfo& info) override;
    bool List(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries,
              std::size_t* untranslatable = nullptr) override;
    // Until something is pretended, the disk as it is: a count's walk asks
    // nothing of each entry.
    bool ListKinds(plat::Beneath& base, const std::string& folder, std::vector<plat::DirEntry>& entries) override {
        return Pretends() ? List(base, folder, entries) : base.ListKinds(folder, entries);
    }
    plat::FsResult MakeFolder(plat::Beneath& base, const std::string& path, plat::FileIdentity* made) override;
    plat::FsResult MakeFolderTree(plat::Beneath& base, const std::string& path,
                                  std::vector<plat::MadeFolder>& made) override;
    plat::FsResult CopyFile(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult CopyFileReplacing(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                                     const std::string& target, plat::FileStamp* stamp) override;
    plat::FsResult RemoveFile(plat::Beneath& base, const std::string& path,
                              const plat::FileStamp* expected = nullptr) override;
    plat::FsResult RemoveFolder(plat::Beneath& base, const std::string& path,
                                const plat::FileIdentity* expected = nullptr) override;
    plat::FsResult Rename(plat::Beneath& base, const std::string& from, const std::string& to) override;
    plat::FsResult SetMode(plat::Beneath& base, const std::string& path, std::uint32_t mode,
                           std::uint32_t* oldMode = nullptr) override;

private:
    // A pretended change at one path. Keys are the canonical drive-form
    // paths the base gives (its folder text + the part below it).
    struct Node {
        enum State { Folder, File, Removed, Renamed } state = Folder;
        std::string source;  // Renamed: the real path that now stands here
        plat::EntryInfo info;
    };
    // What stands at a key: nothing, an entry (info), something in the way
    // of its path, or a failure; `real` gets the real path behind it.
    enum class Kind { None, Entry, Blocked, Failed };
    Kind Look(plat::Beneath& base, const std::string& key, plat::EntryInfo* info, std::string* real);
    // Whether an entry named `name` could be made in (or removed from) the folder `parentKey`.
    plat::FsResult CanWriteIn(plat::Beneath& base, const std::string& parentKey);
    plat::FsResult CanMakeIn(plat::Beneath& base, const std::string& parentKey, const std::string& name);
    bool KeyOf(const plat::Beneath& base, const std::string& path, std::string& key) const;
    // A copy of the pretended change at `key`; false when there is none.
    bool Find(const std::string& key, Node& node) const;
    bool Pretends() const;
    void Put(const std::string& key, Node node);
    // The same with the lock held.
    void PutLocked(const std::string& key, Node node);
    // Moves every pretended change below `from` to below `to`; the lock held.
    void MoveBelowLocked(const std::string& from, const std::string& to);
    plat::FsResult CopyInto(plat::Beneath& from, const std::string& source, plat::Beneath& to,
                            const std::string& target, bool replace);

    // Folder key -> its changed entries by name; the ordered set of folder
    // keys finds everything below a folder for a rename.
    std::unordered_map<std::string, std::unordered_map<std::string, Node>> dirs_;
    std::set<std::string> folders_;
    std::unordered_map<std::string, std::uint32_t> modes_;
    mutable std::shared_mutex m_;
};
