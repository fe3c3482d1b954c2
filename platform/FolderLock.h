// One writer per folder among processes: an exclusive lock on a lock file in
// the folder, held while the object lives. The system drops it when the
// process ends, however it ends; programs this one starts do not inherit it.
// A lock that cannot be taken keeps its file open all the same, so that the
// process knows which file another holder's lock lies on.
#pragma once

#include <string>
#include <vector>

#include "platform/Beneath.h"

namespace plat {

// The lock file's name in its folder: hidden, and left in place (removing it
// would let a second holder lock a file that a third one no longer finds).
inline constexpr const char* kFolderLockFile = ".qm-settings.lock";

class FolderLock {
public:
    enum class Status {
        Held,         // this object holds the folder
        InUse,        // another holder has it
        Unavailable,  // the lock could not be taken: another holder may have the folder or not
    };

    // `make`: the lock file is made when there is none; else there must be
    // one already (none: Unavailable).
    explicit FolderLock(const std::string& folder, bool make = true);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Why the lock could not be taken, for the user: the lock file and the
    // system's reason. Empty unless Unavailable.
    const std::string& GetReason() const { return reason_; }
    // flock(2) as the lock calls it; tests stand in a failing one (null
    // gives the system's back). Returns the one it replaces.
    using LockCall = int (*)(int fd, int operation);
    static LockCall SetLockCall(LockCall call);

    Status GetStatus() const { return status_; }
    // Whether the lock file still stands at its name in the folder: nobody
    // moved or removed it since it was opened.
    bool InPlace() const;
    // The lock files of this process's locks, held or not, by identity:
    // what the program's own runs must leave where they are. A lock that
    // another holder has still knows its file, kept open while it lives.
    static std::vector<FileIdentity> LockFiles();

private:
    int fd_ = -1;  // the lock file, whatever the status, when one was opened
    std::string path_;  // the lock file's Linux path
    Status status_ = Status::Unavailable;
    std::string reason_;
};

}  // namespace plat
