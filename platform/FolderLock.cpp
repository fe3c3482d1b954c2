#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/FileSystem.h"

namespace plat {

namespace {

// Hidden, and left in place: removing it would let a second holder lock a
// file that a third one no longer finds.
constexpr const char* kLockFileName = ".qm-settings.lock";

// A regular file only: no link is followed, and a FIFO planted under the
// name is never waited on.
int OpenLockFile(const std::string& path) {
    const int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK;
    int fd = open(path.c_str(), O_RDWR | O_CREAT | flags, 0644);
    // Another user's lock file locks as well through a read-only open.
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = open(path.c_str(), O_RDONLY | flags);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

FolderLock::FolderLock(const std::string& folder) {
    std::string path;
    if (!ToNative(folder, path)) return;
    if (path.empty() || path.back() != '/') path += '/';
    fd_ = OpenLockFile(path + kLockFileName);
    if (fd_ < 0) return;
    int locked;
    do {
        locked = flock(fd_, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked == 0) {
        status_ = Status::Held;
        return;
    }
    status_ = errno == EWOULDBLOCK ? Status::InUse : Status::Unavailable;
    close(fd_);
    fd_ = -1;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace plat
