#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <system_error>
#include <cerrno>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace plat {

namespace {

FolderLock::LockCall lockCall = nullptr;

std::string SystemText(int error) { return std::generic_category().message(error); }

// A regular file only: no link is followed, and a FIFO planted under the
// name is never waited on. -1 with `why` said when there is none to lock.
int OpenLockFile(const std::string& path, bool make, std::string& why) {
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = open(path.c_str(), O_RDWR | (make ? O_CREAT : 0) | flags, 0644);
    int error = errno;
    // Another user's lock file locks as well through a read-only open.
    if (fd < 0 && (error == EACCES || error == EROFS)) {
        fd = open(path.c_str(), O_RDONLY | flags);
        // None there: why it could not be made tells more.
        if (fd < 0 && errno != ENOENT) error = errno;
    }
    if (fd < 0) {
        // O_NOFOLLOW's answer for a link at the name.
        why = error == ELOOP ? "Is a symbolic link" : SystemText(error);
        return -1;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = S_ISDIR(st.st_mode) ? SystemText(EISDIR) : "Not a regular file";
        close(fd);
        return -1;
    }
    return fd;
}

// Every lock's file's identity, with its lock.
std::mutex knownMutex;
std::vector<std::pair<const FolderLock*, FileIdentity>> known;

void Know(const FolderLock* lock, int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return;
    const std::lock_guard<std::mutex> guard(knownMutex);
    known.push_back({lock, {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)}});
}

void LetGo(const FolderLock* lock) {
    const std::lock_guard<std::mutex> guard(knownMutex);
    std::erase_if(known, [lock](const auto& h) { return h.first == lock; });
}

}  // namespace

std::vector<FileIdentity> FolderLock::LockFiles() {
    const std::lock_guard<std::mutex> guard(knownMutex);
    std::vector<FileIdentity> ids;
    for (const auto& h : known) ids.push_back(h.second);
    return ids;
}

FolderLock::FolderLock(const std::string& folder, bool make) {
    const std::string lockFile = folder + (folder.empty() || folder.back() == '\\' ? "" : "\\") + kFolderLockFile;
    std::string path, why;
    if (!ToNative(folder, path)) {
        reason_ = lockFile + " : The folder can not be reached";
        return;
    }
    if (path.empty() || path.back() != '/') path += '/';
    path_ = path + kFolderLockFile;
    fd_ = OpenLockFile(path_, make, why);
    if (fd_ < 0) {
        reason_ = lockFile + " : " + why;
        return;
    }
    // Known whether held or not: no copy of the program takes it away from
    // the copy that holds it.
    Know(this, fd_);
    const LockCall lock = lockCall ? lockCall : flock;
    int locked;
    do {
        locked = lock(fd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        status_ = Status::Held;
    } else if (errno == EWOULDBLOCK) {
        status_ = Status::InUse;
    } else {
        // No locks on this file system (ENOLCK, EOPNOTSUPP), or none left:
        // nothing tells whether another holder has the folder.
        reason_ = lockFile + " : " + SystemText(errno);
    }
}

bool FolderLock::InPlace() const {
    struct stat mine {}, there {};
    return fd_ >= 0 && fstat(fd_, &mine) == 0 && lstat(path_.c_str(), &there) == 0 && S_ISREG(there.st_mode) &&
           mine.st_dev == there.st_dev && mine.st_ino == there.st_ino;
}

FolderLock::~FolderLock() {
    LetGo(this);
    if (fd_ >= 0) close(fd_);
}

FolderLock::LockCall FolderLock::SetLockCall(LockCall call) {
    const LockCall previous = lockCall;
    lockCall = call;
    return previous;
}

}  // namespace plat
