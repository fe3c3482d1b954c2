// What every walk of a run shares: the folders it never enters, known by
// identity, and a folder's listing split into the subfolders it may enter
// and its other entries.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/RunDisk.h"
#include "core/WalkRule.h"
#include "platform/Beneath.h"

// Folders a walk never enters, known by identity (device and inode), so no
// spelling, link or bind mount leads into them.
class WalkFence {
public:
    // Adds the folder when it exists (a link to one is not followed).
    void Add(const std::string& folder);
    // The identity Add(folder) adds; none when the folder does not exist.
    static std::optional<plat::FileIdentity> IdentityOf(const std::string& folder);
    void Add(const plat::FileIdentity& id) { ids_.insert({id.dev, id.ino}); }
    // The program folder and the working folder (which may lie elsewhere),
    // fenced for every walk that deletes or renames below a listed folder:
    // one that holds them leaves them whole, and the walk names each one
    // it meets among what it did not do, for another reason.
    // (FenceOwnOnPool opens them on the run pool.)
    void AddOwn(const plat::FileIdentity& id) {
        Add(id);
        own_.insert({id.dev, id.ino});
    }
    bool Holds(const plat::FileIdentity& id) const { return ids_.count({id.dev, id.ino}) > 0; }
    // One of the program's folders (AddOwn).
    bool HoldsOwn(const plat::FileIdentity& id) const { return own_.count({id.dev, id.ino}) > 0; }
    bool Empty() const { return ids_.empty(); }

private:
    std::set<std::pair<std::uint64_t, std::uint64_t>> ids_, own_;
};

// The subfolders of `folder` (drive form, below `base`) that a walk may
// enter: real folders outside the fence, in listing order. `files` gets
// the other entries the walk takes (WalkRule.h), `own` (when given) the
// program's folders there (WalkFence::AddOwn), which are not entered
// either, and `passed` (when given) the entries the walk passes over: no
// drive path can name them, or it does not take their kind. False when the
// folder could not be listed (RunDisk::WhyNotListed tells why).
bool SplitListing(RunDisk& disk, plat::Beneath& base, const std::string& folder, const WalkFence& fence,
                  WalkTakes takes, std::vector<std::string>& subfolders, std::vector<plat::DirEntry>& files,
                  std::vector<std::string>* own = nullptr, std::vector<plat::DirEntry>* passed = nullptr);

// "D:\a" + "b" -> "D:\a\b"; the name is used as the listing gave it.
std::string JoinEntry(const std::string& folder, const std::string& name);
// The text behind the last backslash.
std::string LastName(const std::string& path);
