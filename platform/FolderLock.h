// One writer per folder among processes: an exclusive lock on a lock file in
// the folder, held while the object lives. The system drops it when the
// process ends, however it ends; programs this one starts do not inherit it.
#pragma once

#include <string>
#include <vector>

#include "platform/Beneath.h"

namespace plat {

class FolderLock {
public:
    enum class Status {
        Held,         // this object holds the folder
        InUse,        // another holder has it
        Unavailable,  // nothing to lock: the lock file cannot be made or locked here
    };

    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    Status GetStatus() const { return status_; }
    // The lock files the locks of this process hold now, by identity: what
    // the program's own runs must leave where it is.
    static std::vector<FileIdentity> HeldLockFiles();

private:
    int fd_ = -1;
    Status status_ = Status::Unavailable;
};

}  // namespace plat
