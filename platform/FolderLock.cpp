#include "platform/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <utility>
#include <vector>

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

// Every held lock file's identity, with the lock that holds it.
std::mutex heldMutex;
std::vector<std::pair<const FolderLock*, FileIdentity>> held;

void Hold(const FolderLock* lock, int fd) {
    struct stat st {};
    if (fstat(fd, &st) != 0) return;
    const std::lock_guard<std::mutex> guard(heldMutex);
    held.push_back({lock, {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)}});
}

void LetGo(const FolderLock* lock) {
    const std::lock_guard<std::mutex> guard(heldMutex);
    std::erase_if(held, [lock](const auto& h) { return h.first == lock; });
}

}  // namespace

std::vector<FileIdentity> FolderLock::HeldLockFiles() {
    const std::lock_guard<std::mutex> guard(heldMutex);
    std::vector<FileIdentity> ids;
    for (const auto& h : held) ids.push_back(h.second);
    return ids;
}

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
        Hold(this, fd_);
        return;
    }
    status_ = errno == EWOULDBLOCK ? Status::InUse : Status::Unavailable;
    close(fd_);
    fd_ = -1;
}

FolderLock::~FolderLock() {
    LetGo(this);
    if (fd_ >= 0) close(fd_);
}

}  // namespace plat
