#include "platform/Beneath.h"

#include <dirent.h>
#include <fcntl.h>
#include <linux/openat2.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string_view>

#include "platform/FileSystemInternal.h"
#include "platform/StoreFence.h"

namespace plat {
namespace {

// -1 not yet known, 0 missing (or forced off), 1 present.
std::atomic<int> g_openat2{-1};
// Whether linkat(AT_EMPTY_PATH) works for this process (it needs a
// capability): -1 not yet known.
std::atomic<int> g_emptyPathLink{-1};

constexpr std::uint64_t kResolveFlags =
    RESOLVE_BENEATH | RESOLVE_NO_SYMLINKS | RESOLVE_NO_MAGICLINKS | RESOLVE_NO_XDEV;
// The longest part of a path resolved in one call, well below PATH_MAX.
constexpr std::size_t kResolvePiece = 2048;
// The most folder handles a base holds at once.
constexpr std::size_t kMostHeld = 32;

FileIdentity IdentityOf(const struct stat& st) {
    return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
}

EntryInfo InfoOf(const struct stat& st) {
    EntryInfo info;
    info.kind = detail::KindOf(st.st_mode);
    info.id = IdentityOf(st);
    info.size = info.kind == EntryKind::File ? static_cast<std::uint64_t>(st.st_size) : 0;
    info.mtimeNs = detail::MtimeNs(st);
    info.ctimeNs = static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1000000000LL + st.st_ctim.tv_nsec;
    info.mode = st.st_mode & 07777;
    info.uid = st.st_uid;
    return info;
}

// What a failed resolution or lookup means to the caller: nothing there,
// something else in the way (a link, a file, a mount point), or a failure.
FsResult FromResolveErrno(int err) {
    switch (err) {
    case ENOENT: return FsResult::NotFound;
    case ELOOP:
    case ENOTDIR:
    case EXDEV: return FsResult::Blocked;
    default: return FsResult::Failed;
    }
}

// Opens `rel` below the folder `dirfd` without passing a link or a mount
// point: openat2 where the kernel has it, else one component at a time.
// The mount a descriptor lies on, or -1 where the kernel cannot say.
int MountIdOf(int fd) {
    struct {
        file_handle handle;
        unsigned char bytes[128];
    } buf{};
    buf.handle.handle_bytes = sizeof buf.bytes;
    int mountId = -1;
    if (name_to_handle_at(fd, "", &buf.handle, &mountId, AT_EMPTY_PATH) == 0 || errno == EOVERFLOW) return mountId;
    return -1;
}

// The mount of a base not asked yet: only the name-by-name way needs it.
constexpr int kMountNotAsked = -2;

// `baseMount` is asked of `baseFd` when the name-by-name way first needs it.
int OpenBelow(int dirfd, const std::string& rel, int flags, std::uint64_t baseDev, int& baseMount, int baseFd,
              int& err) {
    if (g_openat2.load(std::memory_order_relaxed) != 0) {
        open_how how{};
        // No O_NOFOLLOW: with O_PATH it would hand back a trailing link
        // itself, where RESOLVE_NO_SYMLINKS refuses it.
        how.flags = static_cast<std::uint64_t>(flags | O_CLOEXEC);
        how.resolve = kResolveFlags;
        for (int attempt = 0; attempt < 8; ++attempt) {
            const long fd = syscall(SYS_openat2, dirfd, rel.c_str(), &how, sizeof how);
            if (fd >= 0) {
                g_openat2.store(1, std::memory_order_relaxed);
                return static_cast<int>(fd);
            }
            err = errno;
            if (err == EAGAIN || err == EINTR) continue;  // a rename raced the lookup
            if (err == ENOSYS || err == EPERM) break;      // no openat2 here (or a filter refuses it)
            return -1;
        }
        if (err != ENOSYS && err != EPERM) return -1;
        g_openat2.store(0, std::memory_order_relaxed);
    }
    // One name at a time, each checked to be a folder on the base's device.
    if (baseMount == kMountNotAsked) baseMount = MountIdOf(baseFd);
    int cur = dirfd;
    std::size_t at = 0;
    for (;;) {
        std::size_t slash = rel.find('/', at);
        const bool last = slash == std::string::npos;
        if (last) slash = rel.size();
        const std::string name = rel.substr(at, slash - at);
        const int next = openat(cur, name.c_str(), (last ? flags : (O_PATH | O_DIRECTORY)) | O_NOFOLLOW | O_CLOEXEC);
        err = errno;
        if (cur != dirfd) ::close(cur);
        if (next < 0) return -1;
        struct stat st;
        if (fstat(next, &st) != 0) {
            err = errno;
            ::close(next);
            return -1;
        }
        // A bind mount of the same file system keeps the device: the mount
        // id tells it, where the kernel gives one.
        const bool otherMount = baseMount >= 0 && MountIdOf(next) != baseMount;
        if (static_cast<std::uint64_t>(st.st_dev) != baseDev || S_ISLNK(st.st_mode) || otherMount ||
            (!last && !S_ISDIR(st.st_mode))) {
            err = S_ISLNK(st.st_mode) ? ELOOP : EXDEV;
            ::close(next);
            return -1;
        }
        if (last) return next;
        cur = next;
        at = slash + 1;
    }
}

// Where the last "\\" or "/" of a path stands (npos: none), looked for
// from the end: a run's paths end in a short name.
std::size_t LastSeparator(std::string_view path) {
    for (std::size_t i = path.size(); i > 0; --i)
        if (path[i - 1] == '\\' || path[i - 1] == '/') return i - 1;
    return std::string_view::npos;
}

// Where the last name of a drive path stands behind a single separator
// (npos: no such path): the paths whose folder's translation is kept.
std::size_t DriveNameCut(std::string_view path) {
    const std::size_t cut = LastSeparator(path);
    const auto separator = [](char c) { return c == '\\' || c == '/'; };
    const bool keep = cut != std::string_view::npos && cut >= 2 && cut + 1 < path.size() && path[1] == ':' &&
                      !separator(path[cut - 1]);
    return keep ? cut : std::string_view::npos;
}

// The length of a name as the translation takes it, byte for byte; 0 when
// it is refused: empty, of dots only ("." and ".." among them), or holding
// a NUL.
std::size_t NameEnd(std::string_view name) {
    if (name.find('\0') != std::string_view::npos || IsDotsOnlyName(name)) return 0;
    return name.size();
}

std::string RandomName() {
    // One generator per thread: workers of a run copy at once.
    thread_local std::mt19937_64 rng(std::random_device{}() ^ static_cast<std::uint64_t>(getpid()));
    char buf[40];
    std::snprintf(buf, sizeof buf, ".qm-copy-%016llx.tmp", static_cast<unsigned long long>(rng()));
    return buf;
}

// Puts an unnamed file in place as `name` in `dirfd`; refuses an existing name.
int LinkUnnamed(int fd, int dirfd, const char* name) {
    if (g_emptyPathLink.load(std::memory_order_relaxed) != 0) {
        if (linkat(fd, "", dirfd, name, AT_EMPTY_PATH) == 0) {
            g_emptyPathLink.store(1, std::memory_order_relaxed);
            return 0;
        }
        if (errno != ENOENT || g_emptyPathLink.load(std::memory_order_relaxed) == 1) return errno;
    }
    const std::string self = "/proc/thread-self/fd/" + std::to_string(fd);
    if (linkat(AT_FDCWD, self.c_str(), dirfd, name, AT_SYMLINK_FOLLOW) == 0) {
        g_emptyPathLink.store(0, std::memory_order_relaxed);  // the capability is missing, /proc is not
        return 0;
    }
    return errno;
}

}  // namespace

void ForceBeneathFallback(bool force) { g_openat2.store(force ? 0 : -1); }

std::string LeadingPath(const std::string& path, std::size_t levels, std::size_t level) {
    // The ends of the names in `path`; doubled separators end nothing.
    std::vector<std::size_t> ends;
    const auto sep = [](char c) { return c == '\\' || c == '/'; };
    for (std::size_t i = 0; i < path.size(); ++i)
        if (!sep(path[i]) && (i + 1 == path.size() || sep(path[i + 1]))) ends.push_back(i + 1);
    if (level >= levels || ends.size() < levels) return path;
    return path.substr(0, ends[ends.size() - levels + level]);
}

// ---- the base -------------------------------------------------------------------------

Beneath::~Beneath() { Close(); }

Beneath::Beneath(Beneath&& other) noexcept { *this = std::move(other); }

Beneath& Beneath::operator=(Beneath&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        tag_ = other.tag_;
        heldTable_ = other.heldTable_;
        root_ = std::move(other.root_);
        folder_ = std::move(other.folder_);
        id_ = other.id_;
        nameMax_ = other.nameMax_;
        mount_ = other.mount_;
        own_ = other.own_;
        fencedBy_ = other.fencedBy_;
        relation_ = other.relation_;
        held_ = std::move(other.held_);
        other.held_.clear();
    }
    return *this;
}

void Beneath::Close() {
    Release();
    relFor_ = ~std::uint64_t{0};
    detail::CloseTagged(fd_, tag_);
    fd_ = -1;
    root_.clear();
    folder_.clear();
    id_ = {};
    nameMax_ = 0;
    mount_ = -1;
    own_ = false;
    fencedBy_ = 0;
}

Beneath Beneath::Twin() const {
    Beneath twin;
    if (Base() < 0) return twin;
    twin.fd_ = fcntl(fd_, F_DUPFD_CLOEXEC, 0);
    if (twin.fd_ < 0) return twin;
    twin.tag_ = detail::TagNewHandle();
    twin.root_ = root_;
    twin.folder_ = folder_;
    twin.id_ = id_;
    twin.nameMax_ = nameMax_;
    twin.mount_ = mount_;
    twin.own_ = own_;
    twin.fencedBy_ = fencedBy_;
    twin.relation_ = relation_;
    return twin;
}

void Beneath::Release() { DropHeld(0); }

void Beneath::DropHeld(std::size_t from) {
    const detail::HandleTag tag{heldTable_, 0};  // held handles are only ever used on their own table
    for (std::size_t i = from; i < held_.size(); ++i) detail::CloseTagged(held_[i].fd, tag);
    held_.resize(std::min(from, held_.size()));
}

FsResult Beneath::OpenBaseNative(const std::string& native) {
    int fd = open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    // A folder this user may not list is still there: held without reading,
    // it fails where it is listed, not as a folder that does not exist.
    if (fd < 0 && errno == EACCES) fd = open(native.c_str(), O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        return err == ENOENT ? FsResult::NotFound : FsResult::Failed;  // a link gives ELOOP or ENOTDIR
    }
    struct stat st;
    std::string folder;
    if (fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode) || !FromNative(native, folder)) {
        ::close(fd);
        return FsResult::Failed;
    }
    fd_ = fd;
    tag_ = detail::TagNewHandle();
    mount_ = kMountNotAsked;
    root_ = native;
    folder_ = folder;
    id_ = IdentityOf(st);
    return FsResult::Ok;
}

FsResult Beneath::Open(const std::string& folder) {
    Close();
    std::string native;
    if (!ToNative(folder, native)) return FsResult::Failed;
    const FsResult r = OpenBaseNative(native);
    if (r == FsResult::Ok && folder.size() >= 2 && folder[1] == ':') {
        // The folder as the caller spells it (a drive path, which the drive
        // table alone translates) is the base: what lies in it is made
        // relative by its name alone (see Relative).
        relFolder_ = folder;
        relBelow_.clear();
        relFor_ = detail::DriveTableVersion();
    }
    return r;
}

FsResult Beneath::OpenOwn(const std::string& folder) {
    const FsResult r = Open(folder);
    own_ = r == FsResult::Ok;
    return r;
}

FsResult Beneath::OpenNearest(const std::string& folder) {
    Close();
    std::string native;
    if (!ToNative(folder, native)) return FsResult::Failed;
    for (;;) {
        const FsResult r = OpenBaseNative(native);
        if (r != FsResult::NotFound) return r;
        const std::size_t slash = native.rfind('/');
        if (slash == std::string::npos || native == "/") return FsResult::NotFound;
        native = slash == 0 ? std::string("/") : native.substr(0, slash);
    }
}

// A run names many entries of a few folders: the translations of the last
// folders met are kept, and a path in one of them translates its last name
// alone (the names of a path translate one by one, as ToNative does them).
bool Beneath::Translate(const std::string& path, std::string& native) const {
    // A drive path with a last name behind a single separator.
    const std::size_t cut = DriveNameCut(path);
    const bool keep = cut != std::string::npos;
    if (keep && translatedFor_ == detail::DriveTableVersion()) {
        const std::string_view folder(path.data(), cut);
        // The folder met last first: a run names many entries of one in a row.
        for (std::size_t k = 0; k < translated_.size(); ++k) {
            const std::size_t at = (lastTranslated_ + k) % translated_.size();
            const Translated& t = translated_[at];
            if (t.drive != folder) continue;
            lastTranslated_ = at;
            const std::string_view name = std::string_view(path).substr(cut + 1);
            const std::size_t end = NameEnd(name);
            if (end == 0) return false;
            native.assign(t.native);
            if (native.empty() || native.back() != '/') native += '/';
            native.append(name.data(), end);
            return true;
        }
    }
    if (!ToNative(path, native)) return false;
    if (keep) {
        if (translatedFor_ != detail::DriveTableVersion()) {
            for (Translated& t : translated_) t.drive.clear();
            translatedFor_ = detail::DriveTableVersion();
        }
        lastTranslated_ = nextTranslated_;
        Translated& t = translated_[nextTranslated_];
        nextTranslated_ = (nextTranslated_ + 1) % translated_.size();
        t.drive.assign(path, 0, cut);
        t.native.assign(native, 0, native.rfind('/'));
    }
    return true;
}

bool Beneath::Relative(const std::string& path, std::string& rel) const {
    if (fd_ < 0) return false;
    // A path in the folder met last gives what the translation would: the
    // folder's part below the base, then the name as Translate reads it.
    const std::size_t cut = DriveNameCut(path);
    if (relFor_ == detail::DriveTableVersion()) {
        if (cut != std::string::npos && cut == relFolder_.size() && path.compare(0, cut, relFolder_) == 0) {
            const std::string_view name = std::string_view(path).substr(cut + 1);
            const std::size_t end = NameEnd(name);
            if (end == 0) return false;
            rel.assign(relBelow_).append(name.data(), end);
            return true;
        }
        if (path == relFolder_) {  // the folder itself
            rel.assign(relBelow_, 0, relBelow_.empty() ? 0 : relBelow_.size() - 1);
            return true;
        }
    }
    std::string& native = native_;  // reused: one translation per operation, no allocation
    if (!Translate(path, native)) return false;
    if (native == root_) {
        rel.clear();
        return true;
    }
    const std::size_t n = root_ == "/" ? 0 : root_.size();
    if (native.size() <= n + 1 || native.compare(0, n, root_, 0, n) != 0 || native[n] != '/') return false;
    rel.assign(native, n + 1, std::string::npos);
    if (cut != std::string::npos) {
        // The base lies at or above the folder (the name holds no "/"):
        // everything of `rel` but the name is the folder's.
        const std::size_t slash = rel.rfind('/');
        relFolder_.assign(path, 0, cut);
        relBelow_.assign(rel, 0, slash == std::string::npos ? 0 : slash + 1);
        relFor_ = detail::DriveTableVersion();
    }
    return true;
}

bool Beneath::Holds(const std::string& path) const {
    std::string rel;
    return Relative(path, rel);
}

namespace {

// The path the kernel names for an open handle (Linux form; empty when not known).
std::string KernelPath(int fd) {
    char buf[PATH_MAX];
    const std::string link = "/proc/thread-self/fd/" + std::to_string(fd);
    const ssize_t n = readlink(link.c_str(), buf, sizeof buf);
    if (n <= 0 || static_cast<std::size_t>(n) >= sizeof buf || buf[0] != '/') return {};
    return std::string(buf, static_cast<std::size_t>(n));
}

// The folder above `fd` (of identity `id`) when its ".." cannot be looked
// up, as in a folder this user may not search: the folder the kernel names
// as its parent, taken only when it holds this very folder under that name
// (a folder swapped in since is no parent of it). -1 when there is none.
int ParentByName(int fd, const FileIdentity& id) {
    const std::string path = KernelPath(fd);
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return -1;
    const std::string parent = slash == 0 ? "/" : path.substr(0, slash);
    const std::string name = path.substr(slash + 1);
    if (name.empty()) return -1;
    const int up = open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (up < 0) return -1;
    struct stat st;
    if (fstatat(up, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0 || IdentityOf(st) != id) {
        ::close(up);
        return -1;
    }
    return up;
}

}  // namespace

std::string Beneath::RealNative() const { return Base() < 0 ? std::string() : KernelPath(fd_); }

std::vector<FileIdentity> Beneath::Ancestry(std::size_t levels) const {
    return Base() < 0 ? std::vector<FileIdentity>() : detail::AncestryOf(fd_, id_, levels);
}

std::vector<FileIdentity> detail::AncestryOf(int fd, const FileIdentity& self, std::size_t levels) {
    std::vector<FileIdentity> chain;
    if (fd < 0 || levels == 0) return chain;
    chain.push_back(self);
    // Each level above is looked at through ".." names from a held folder,
    // one look apiece (a run asks this of every destination); a path has
    // its limit, so every so many levels the one reached is held instead.
    constexpr std::size_t kLongest = 3000;
    int from = fd;  // the caller's handle is never closed here
    std::string up;  // the level reached, below `from` ("": `from` itself)
    for (int depth = 1; depth < 4096 && chain.size() < levels; ++depth) {
        if (up.size() >= kLongest) {
            const int next = openat(from, up.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (from != fd) ::close(from);
            from = next;
            up.clear();
            if (from < 0) break;
        }
        up += up.empty() ? ".." : "/..";
        struct stat st;
        if (fstatat(from, up.c_str(), &st, 0) != 0) {
            if (errno != EACCES) break;
            // The level reached may not be searched: the parent the kernel
            // names for it, held from there on.
            const std::string at = up.size() > 2 ? up.substr(0, up.size() - 3) : std::string();
            const int here = at.empty() ? from : openat(from, at.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            const int parent = here >= 0 ? ParentByName(here, chain.back()) : -1;
            if (here >= 0 && here != from) ::close(here);
            if (parent < 0) break;
            if (fstat(parent, &st) != 0) {
                ::close(parent);
                break;
            }
            if (from != fd) ::close(from);
            from = parent;
            up.clear();
        }
        const FileIdentity id = IdentityOf(st);
        if (chain.back() == id) break;  // ".." of the root is the root
        chain.push_back(id);
    }
    if (from >= 0 && from != fd) ::close(from);
    return chain;
}

bool Beneath::RealPathBelow(const Beneath& outer, std::string& rel) const {
    rel.clear();
    if (Base() < 0 || !outer.IsOpen() || id_ == outer.id_) return false;
    std::vector<std::string> names;  // deepest first
    int cur = dup(fd_);
    FileIdentity curId = id_;
    bool found = false;
    for (int depth = 0; cur >= 0 && depth < 4096; ++depth) {
        const int up = openat(cur, "..", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        ::close(cur);
        cur = up;
        if (cur < 0) break;
        struct stat st;
        if (fstat(cur, &st) != 0 || IdentityOf(st) == curId) break;  // the root
        // The name under which the folder we came from stands here.
        const int listing = dup(cur);
        DIR* dir = listing >= 0 ? fdopendir(listing) : nullptr;
        std::string name;
        while (dir) {
            dirent* d = readdir(dir);
            if (!d) break;
            if (static_cast<std::uint64_t>(d->d_ino) != curId.ino) continue;
            if (std::strcmp(d->d_name, ".") == 0 || std::strcmp(d->d_name, "..") == 0) continue;
            struct stat child;
            if (fstatat(cur, d->d_name, &child, AT_SYMLINK_NOFOLLOW) == 0 && IdentityOf(child) == curId) {
                name = d->d_name;
                break;
            }
        }
        if (dir) closedir(dir);
        else if (listing >= 0) ::close(listing);
        if (name.empty()) break;  // a mount point: its name is not in the listing
        names.push_back(std::move(name));
        curId = IdentityOf(st);
        if (curId == outer.id_) {
            found = true;
            break;
        }
    }
    if (cur >= 0) ::close(cur);
    if (!found) return false;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        if (!rel.empty()) rel += '/';
        rel += *it;
    }
    return true;
}

// ---- resolving ----------------------------------------------------------------------

int Beneath::Resolve(std::string_view rel, FsResult& why) {
    if (Base() < 0) {
        why = FsResult::Failed;
        return -1;
    }
    // Held folders of another table are let go; what this resolves or lists
    // is held on this one.
    if (heldTable_ != detail::ThisHandleTable()) {
        Release();
        heldTable_ = detail::ThisHandleTable();
    }
    if (rel.empty()) return fd_;
    // The deepest held folder on the way; the others are let go. Each held
    // folder lies below the one before, so the search starts at the deepest.
    const auto onPath = [rel](const std::string& h) {
        return rel.size() >= h.size() && rel.compare(0, h.size(), h) == 0 &&
               (rel.size() == h.size() || rel[h.size()] == '/');
    };
    std::size_t keep = held_.size();
    while (keep > 0 && !onPath(held_[keep - 1].rel)) --keep;
    DropHeld(keep);
    if (keep > 0 && held_.back().rel.size() == rel.size()) return held_.back().fd;
    int from = keep > 0 ? held_.back().fd : fd_;
    std::size_t fromLen = keep > 0 ? held_.back().rel.size() + 1 : 0;
    // The kernel takes no path longer than PATH_MAX: a deeper folder is
    // reached in pieces, each held, as a run makes it level by level.
    while (fromLen < rel.size()) {
        std::size_t end = rel.size();
        if (end - fromLen > kResolvePiece) {
            end = rel.rfind('/', fromLen + kResolvePiece);
            if (end == std::string_view::npos || end <= fromLen) end = rel.find('/', fromLen);
            if (end == std::string_view::npos) end = rel.size();
        }
        int err = 0;
        const std::string piece(rel.substr(fromLen, end - fromLen));
        const int fd = OpenBelow(from, piece, O_PATH | O_DIRECTORY, id_.dev, mount_, fd_, err);
        if (fd < 0) {
            why = FromResolveErrno(err);
            return -1;
        }
        // A few handles at most, whatever the depth: the one before the
        // newest goes (every held folder still lies below the ones before it).
        if (held_.size() >= kMostHeld) DropHeld(held_.size() - 1);
        held_.push_back({std::string(rel.substr(0, end)), fd});
        from = fd;
        fromLen = end + 1;
    }
    return from;
}

int Beneath::Parent(const std::string& path, std::string& name, std::string& rel, FsResult& why) {
    const int fd = Parent(path, name, why);
    if (fd >= 0) rel = rel_;
    return fd;
}

int Beneath::Parent(const std::string& path, std::string& name, FsResult& why) {
    if (!Relative(path, rel_) || rel_.empty()) {  // outside, or the base itself
        why = FsResult::Failed;
        return -1;
    }
    const std::size_t slash = rel_.rfind('/');
    if (slash == std::string::npos) {
        name = rel_;
        return Resolve(std::string_view(), why);
    }
    name.assign(rel_, slash + 1, std::string::npos);
    return Resolve(std::string_view(rel_).substr(0, slash), why);
}

// ---- looking ------------------------------------------------------------------------------

bool IsUnchanged(const EntryInfo& found, const FileStamp& left) {
    return found.kind == EntryKind::File && found.Stamp() == left;
}

FsResult Beneath::Look(const std::string& path, EntryInfo& info) {
    if (!Relative(path, rel_)) return FsResult::Failed;
    struct stat st;
    if (rel_.empty()) {
        if (fstat(Base(), &st) != 0) return FsResult::Failed;
        info = InfoOf(st);
        return FsResult::Ok;
    }
    // The folder and the name in place (the name ends the text).
    const std::size_t slash = rel_.rfind('/');
    FsResult why = FsResult::Ok;
    const std::string_view folder =
        slash == std::string::npos ? std::string_view() : std::string_view(rel_).substr(0, slash);
    const int dir = Resolve(folder, why);
    if (dir < 0) return why;
    if (fstatat(dir, rel_.c_str() + (slash == std::string::npos ? 0 : slash + 1), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
    info = InfoOf(st);
    return FsResult::Ok;
}

bool Beneath::List(const std::string& folder, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable) {
    return ListFolderBelow(folder, entries, unsayable, false);
}

NotListed Beneath::WhyNotListed(const std::string& folder) {
    std::string rel;
    if (!Relative(folder, rel)) return NotListed::Gone;
    if (rel.empty()) return Base() >= 0 ? NotListed::Unreadable : NotListed::Gone;
    FsResult why = FsResult::Ok;
    const int parent = Resolve(RelParent(rel), why);
    if (parent < 0) return NotListed::Gone;
    int err = 0;
    const int fd = OpenBelow(parent, RelName(rel), O_PATH | O_DIRECTORY, id_.dev, mount_, fd_, err);
    if (fd >= 0) {
        ::close(fd);
        return NotListed::Unreadable;
    }
    // Its parent is held: only the folder itself can lie on another mount.
    return err == EXDEV ? NotListed::OtherFileSystem : NotListed::Gone;
}

bool Beneath::ListKinds(const std::string& folder, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable) {
    if (!ListFolderBelow(folder, entries, unsayable, true)) return false;
    for (DirEntry& e : entries) e.dev = id_.dev;  // nothing below the base lies on another file system
    if (unsayable)
        for (DirEntry& e : *unsayable) e.dev = id_.dev;
    return true;
}

bool Beneath::ListFolderBelow(const std::string& folder, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable,
                              bool kindsOnly) {
    entries.clear();
    if (unsayable) unsayable->clear();
    std::string rel;
    if (!Relative(folder, rel)) return false;
    int dfd = -1;
    if (rel.empty()) {
        dfd = openat(Base(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    } else {
        FsResult why = FsResult::Ok;
        const int parent = Resolve(RelParent(rel), why);
        if (parent < 0) return false;
        int err = 0;
        dfd = OpenBelow(parent, RelName(rel), O_RDONLY | O_DIRECTORY, id_.dev, mount_, fd_, err);
        if (dfd < 0) return false;
        // Listed through a handle that is then held, so what is done in the
        // folder next is done in the very folder listed, without resolving
        // it again.
        const bool listed = detail::ListFolderHandle(dfd, entries, unsayable, kindsOnly);
        if (held_.size() >= kMostHeld) DropHeld(held_.size() - 1);
        held_.push_back({std::move(rel), dfd});
        return listed;
    }
    if (dfd < 0) return false;
    return detail::ListOpenFolder(dfd, entries, unsayable, kindsOnly);
}

FsResult Beneath::CanWriteIn(const std::string& folder) {
    std::string rel;
    if (!Relative(folder, rel)) return FsResult::Failed;
    FsResult why = FsResult::Ok;
    const int dir = Resolve(rel, why);
    if (dir < 0) return why;
    return faccessat(dir, ".", W_OK | X_OK, AT_EACCESS) == 0 ? FsResult::Ok : FsResult::Failed;
}

int Beneath::OpenForReading(const std::string& file, FsResult& why) {
    std::string name;
    const int dir = Parent(file, name, why);
    if (dir < 0) return -1;
    const int fd = openat(dir, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) why = errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
    return fd;
}

FsResult Beneath::CanRead(const std::string& file, std::uint64_t* size) {
    FsResult why = FsResult::Ok;
    const int fd = OpenForReading(file, why);
    if (fd < 0) return why;
    struct stat st;
    const bool regular = fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    if (regular && size) *size = static_cast<std::uint64_t>(st.st_size);
    return regular ? FsResult::Ok : FsResult::Failed;
}

FsResult Beneath::CanOpenForReading(const std::string& file) {
    FsResult why = FsResult::Ok;
    const int fd = OpenForReading(file, why);
    if (fd >= 0) ::close(fd);
    return why;
}

std::size_t Beneath::NameMax() {
    if (nameMax_ == 0 && Base() >= 0) {
        struct statvfs vfs;
        nameMax_ = fstatvfs(fd_, &vfs) == 0 && vfs.f_namemax > 0 ? vfs.f_namemax : 255;
    }
    return nameMax_;
}

// ---- the store's fence ------------------------------------------------------------------------

unsigned Beneath::StoreRelation() {
    const StoreFence* fence = StandingStoreFence();
    if (!fence || own_) return 0;
    if (fencedBy_ != fence->Serial()) {
        relation_ = fence->RelationOf(Base(), id_);
        fencedBy_ = fence->Serial();
    }
    return relation_;
}

bool Beneath::StoreApart(const std::string& path) {
    const unsigned relation = StoreRelation();
    if (relation == 0) return true;
    if ((relation & (StoreFence::kInside | StoreFence::kUnknown)) || !Relative(path, storeRel_)) return false;
    // A base that holds the store: what lies below a first name that is no
    // folder on the way to the store lies apart from it, whatever its depth.
    const std::size_t slash = storeRel_.find('/');
    if (slash == std::string::npos) return false;  // in the base itself: Guard knows the base
    const std::string_view first = std::string_view(storeRel_).substr(0, slash);
    auto held = std::find_if(held_.begin(), held_.end(), [first](const Held& h) { return h.rel == first; });
    if (held == held_.end()) {
        FsResult why = FsResult::Ok;
        if (Resolve(first, why) < 0 || held_.empty() || held_.back().rel != first) return false;
        held = held_.end() - 1;
    }
    if (!held->id.Known()) {
        struct stat st;
        if (fstat(held->fd, &st) != 0) return false;
        held->id = IdentityOf(st);
    }
    return !StandingStoreFence()->HoldsStore(held->id);
}

FsResult Beneath::Guard(int dir, const std::string& name, bool entry) {
    const unsigned relation = StoreRelation();
    if (relation == 0) return FsResult::Ok;
    if (relation & (StoreFence::kInside | StoreFence::kUnknown)) return FsResult::Failed;
    const StoreFence& fence = *StandingStoreFence();
    FileIdentity folder = id_;
    struct stat st;
    if (dir != fd_) {
        // A held folder is asked once, however many changes are made in it.
        const auto held = std::find_if(held_.begin(), held_.end(), [dir](const Held& h) { return h.fd == dir; });
        if (held != held_.end() && held->id.Known()) {
            folder = held->id;
        } else {
            if (fstat(dir, &st) != 0) return FsResult::Failed;
            folder = IdentityOf(st);
            if (held != held_.end()) held->id = folder;
        }
    }
    if (fence.IsProgramFolder(folder)) return FsResult::Failed;
    if ((relation & StoreFence::kHoldsWorking) && fence.InWorking(dir, folder)) return FsResult::Failed;
    if (entry && fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && fence.HoldsStore(IdentityOf(st)))
        return FsResult::Failed;
    return FsResult::Ok;
}

bool Beneath::StoreRefuses(const std::string& path, bool entry) {
    const unsigned relation = StoreRelation();
    if (relation == 0 || StoreApart(path)) return false;
    std::string rel;
    if (Relative(path, rel) && rel.empty())  // the base itself
        return (relation & (StoreFence::kInside | StoreFence::kUnknown)) || StandingStoreFence()->HoldsStore(id_);
    std::string name;
    FsResult why = FsResult::Ok;
    const int dir = Parent(path, name, why);
    return dir >= 0 && Guard(dir, name, entry) != FsResult::Ok;
}

// ---- changing -------------------------------------------------------------------------------

FsResult Beneath::MakeFolder(const std::string& path, FileIdentity* made) {
    std::string name;
    FsResult why = FsResult::Ok;
    const bool apart = StoreApart(path);
    const int dir = Parent(path, name, why);
    if (dir < 0) return why;
    if (!apart && Guard(dir, name, false) != FsResult::Ok) return FsResult::Failed;
    if (mkdirat(dir, name.c_str(), 0777) == 0) {
        if (made) {
            struct stat st;
            *made = fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 ? IdentityOf(st) : FileIdentity{};
        }
        return FsResult::Ok;
    }
    const int err = errno;
    if (err == EEXIST) {
        struct stat st;
        // Something else of that name (a file, a link) is no folder.
        return fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)
                   ? FsResult::AlreadyExists
                   : FsResult::Failed;
    }
    return err == ENOENT ? FsResult::NotFound : FsResult::Failed;
}

FsResult Beneath::MakeFolderTree(const std::string& path, std::vector<MadeFolder>* made) {
    std::string rel;
    if (!Relative(path, rel)) return FsResult::Failed;  // outside the base, or no path the drive table names
    if (rel.empty()) return FsResult::AlreadyExists;
    const std::size_t levels = static_cast<std::size_t>(std::count(rel.begin(), rel.end(), '/')) + 1;
    std::size_t at = 0;
    bool madeAny = false;
    const bool apart = StoreApart(path);
    bool inMade = false;  // the level's folder was made here: the fence judged where it was made
    for (std::size_t level = 0; level < levels; ++level) {
        const std::size_t slash = rel.find('/', at);
        const std::string here = rel.substr(0, slash);
        const bool last = slash == std::string::npos;
        at = slash + 1;
        FsResult why = FsResult::Ok;
        if (!last) {
            if (Resolve(here, why) >= 0) {
                inMade = false;
                continue;
            }
            if (why != FsResult::NotFound) return why;
        }
        const int dir = Resolve(RelParent(here), why);
        if (dir < 0) return why;
        const std::string name = RelName(here);
        if (!inMade && !apart && Guard(dir, name, false) != FsResult::Ok) return FsResult::Failed;
        if (mkdirat(dir, name.c_str(), 0777) != 0) {
            const int err = errno;
            struct stat st;
            if (err == EEXIST && fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode)) {
                if (last) return madeAny ? FsResult::Ok : FsResult::AlreadyExists;
                inMade = false;
                continue;  // made by someone else meanwhile
            }
            return err == ENOENT ? FsResult::NotFound : FsResult::Failed;
        }
        madeAny = inMade = true;
        if (made) {
            MadeFolder m;
            m.path = LeadingPath(path, levels, level);
            struct stat st;
            if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0) m.id = IdentityOf(st);
            made->push_back(std::move(m));
        }
    }
    return FsResult::Ok;
}

FsResult Beneath::CopyFileFrom(Beneath& source, const std::string& from, const std::string& to, FileStamp* stamp) {
    return Copy(source, from, to, stamp, false);
}

FsResult Beneath::CopyFileReplacing(Beneath& source, const std::string& from, const std::string& to,
                                    FileStamp* stamp) {
    return Copy(source, from, to, stamp, true);
}

FsResult Beneath::Copy(Beneath& source, const std::string& from, const std::string& to, FileStamp* stamp,
                       bool replace) {
    std::string sourceName;
    FsResult why = FsResult::Ok;
    const int sourceDir = source.Parent(from, sourceName, why);
    if (sourceDir < 0) return why;
    // Never opens a link; a FIFO opens without waiting and is refused below.
    const int in = openat(sourceDir, sourceName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (in < 0) return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
    struct stat st;
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return FsResult::Failed;
    }
    std::string name;
    const bool apart = StoreApart(to);
    const int dir = Parent(to, name, why);
    if (dir < 0) {
        ::close(in);
        return why;
    }
    if (!apart && Guard(dir, name, false) != FsResult::Ok) {
        ::close(in);
        return FsResult::Failed;
    }
    struct stat existing;
    if (replace) {
        // Only a regular file is ever replaced; a folder, link or device stays.
        if (fstatat(dir, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0 && !S_ISREG(existing.st_mode)) {
            ::close(in);
            return FsResult::Failed;
        }
    } else if (static_cast<std::uint64_t>(st.st_size) > kLookBeforeCopyBytes &&
               fstatat(dir, name.c_str(), &existing, AT_SYMLINK_NOFOLLOW) == 0) {
        // A large copy looks first; a small one learns it from the link below.
        ::close(in);
        return FsResult::AlreadyExists;
    }
    // Copied into an unnamed file and linked into place: a crash mid-copy
    // leaves nothing, and the link refuses an existing name. File systems
    // without unnamed files get a named temporary, renamed without replacing.
    std::string temp;
    int out = replace ? -1 : openat(dir, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (out < 0) {
        temp = RandomName();
        out = openat(dir, temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    }
    if (out < 0) {
        const int err = errno;
        ::close(in);
        return err == ENOENT ? FsResult::NotFound : FsResult::Failed;
    }
    bool ok = detail::CopyContents(in, out, st.st_size);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    // Permission bits only: a copy never carries set-user-ID, set-group-ID or sticky.
    ok = ok && fchmod(out, st.st_mode & 0777) == 0 && futimens(out, times) == 0;
    ::close(in);
    int err = 0;
    bool renamed = false;  // the temporary's name is gone
    if (ok && temp.empty()) {
        err = LinkUnnamed(out, dir, name.c_str());
    } else if (ok && replace) {
        // Replaced in one step; a folder put there meanwhile makes it fail.
        err = renameat(dir, temp.c_str(), dir, name.c_str()) == 0 ? 0 : errno;
        renamed = err == 0;
    } else if (ok) {
        err = renameat2(dir, temp.c_str(), dir, name.c_str(), RENAME_NOREPLACE) == 0 ? 0 : errno;
        renamed = err == 0;
        if (err == EINVAL) {  // no RENAME_NOREPLACE here: a hard link also refuses an existing name
            err = linkat(dir, temp.c_str(), dir, name.c_str(), 0) == 0 ? 0 : errno;
        }
    }
    // Not asked after a rename: on a network share each request waits.
    if (!temp.empty() && !renamed) unlinkat(dir, temp.c_str(), 0);
    // Taken after the run's last change of the file (a link or an unlink
    // sets its status-change time).
    struct stat done;
    if (ok && err == 0 && stamp) *stamp = fstat(out, &done) == 0 ? InfoOf(done).Stamp() : FileStamp{};
    const bool closed = ::close(out) == 0;
    if (!ok) return FsResult::Failed;
    if (err == EEXIST) return FsResult::AlreadyExists;
    if (err != 0) return err == ENOENT ? FsResult::NotFound : FsResult::Failed;
    if (!closed) {  // placed, but the data may not be whole: take it back
        unlinkat(dir, name.c_str(), 0);
        return FsResult::Failed;
    }
    return FsResult::Ok;
}

FsResult Beneath::SetMode(const std::string& path, std::uint32_t mode, std::uint32_t* oldMode) {
    std::string rel;
    if (fd_ >= 0 && Relative(path, rel) && rel.empty()) {
        // The base itself, through the handle held.
        if (StoreFenced() && StoreRefuses(path, true)) return FsResult::Failed;
        struct stat st;
        if (fstat(Base(), &st) != 0) return FsResult::Failed;
        if (oldMode) *oldMode = st.st_mode & 07777;
        return fchmod(fd_, mode & 07777) == 0 ? FsResult::Ok : FsResult::Failed;
    }
    std::string name;
    FsResult why = FsResult::Ok;
    const bool apart = StoreApart(path);
    const int dir = Parent(path, name, why);
    if (dir < 0) return why;
    if (!apart && Guard(dir, name, true) != FsResult::Ok) return FsResult::Failed;
    // Held by an O_PATH handle that never follows a link, then changed
    // through that very handle.
    const int fd = openat(dir, name.c_str(), O_PATH | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
    struct stat st;
    FsResult result = FsResult::Failed;
    if (fstat(fd, &st) == 0 && (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))) {
        if (oldMode) *oldMode = st.st_mode & 07777;
        const std::string self = "/proc/thread-self/fd/" + std::to_string(fd);
        if (fchmodat(AT_FDCWD, self.c_str(), mode & 07777, 0) == 0) result = FsResult::Ok;
    }
    ::close(fd);
    return result;
}

FsResult Beneath::RemoveFile(const std::string& path, const FileStamp* expected) {
    std::string name;
    FsResult why = FsResult::Ok;
    const bool apart = StoreApart(path);
    const int dir = Parent(path, name, why);
    if (dir < 0) return why;
    if (!apart && Guard(dir, name, false) != FsResult::Ok) return FsResult::Failed;
    if (expected) {
        struct stat st;
        if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
        if (!IsUnchanged(InfoOf(st), *expected)) return FsResult::Changed;
    }
    // Without flags unlinkat never removes a folder (EISDIR).
    if (unlinkat(dir, name.c_str(), 0) == 0) return FsResult::Ok;
    return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
}

FsResult Beneath::RemoveFolder(const std::string& path, const FileIdentity* expected) {
    std::string name, rel;
    FsResult why = FsResult::Ok;
    const bool apart = StoreApart(path);
    const int dir = Parent(path, name, rel, why);
    if (dir < 0) return why;
    // (Only an empty folder goes: never one that holds the store.)
    if (!apart && Guard(dir, name, false) != FsResult::Ok) return FsResult::Failed;
    if (expected) {
        struct stat st;
        if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
        if (!S_ISDIR(st.st_mode) || IdentityOf(st) != *expected) return FsResult::Changed;
    }
    // Never a link: on one, AT_REMOVEDIR fails with ENOTDIR.
    if (unlinkat(dir, name.c_str(), AT_REMOVEDIR) == 0) {
        // Held handles of the removed folder name nothing any more.
        for (std::size_t i = 0; i < held_.size(); ++i) {
            const std::string& h = held_[i].rel;
            if (h.size() >= rel.size() && h.compare(0, rel.size(), rel) == 0 &&
                (h.size() == rel.size() || h[rel.size()] == '/')) {
                DropHeld(i);
                break;
            }
        }
        return FsResult::Ok;
    }
    switch (errno) {
    case ENOENT: return FsResult::NotFound;
    case ENOTEMPTY:
    case EEXIST: return FsResult::NotEmpty;
    case ENOTDIR: return FsResult::Changed;
    default: return FsResult::Failed;
    }
}

FsResult Beneath::Rename(const std::string& from, const std::string& to) {
    std::string fromName, toName, fromRel;
    FsResult why = FsResult::Ok;
    const bool apartFrom = StoreApart(from);
    bool apartTo = apartFrom;
    const int held = Parent(from, fromName, fromRel, why);
    if (held < 0) return why;
    // The source's folder must stay open while the target's is resolved
    // (resolving another folder lets held ones go).
    const std::size_t fromCut = LastSeparator(from), toCut = LastSeparator(to);
    const bool sameFolder = fromCut != std::string::npos && fromCut == toCut && from.compare(0, fromCut, to, 0, toCut) == 0;
    const int fromDir = sameFolder ? held : fcntl(held, F_DUPFD_CLOEXEC, 0);
    if (fromDir < 0) return FsResult::Failed;
    int toDir = -1;
    if (sameFolder && DriveNameCut(from) == fromCut && toCut + 1 < to.size()) {
        // The folder just resolved, met last (see Relative): only the new
        // name is read, as Relative would read it. Going through Relative
        // and Resolve again gives the same handle, measurably slower on a
        // rename run's hot path.
        const std::string_view name = std::string_view(to).substr(toCut + 1);
        const std::size_t end = NameEnd(name);
        if (end > 0) {
            toName.assign(name.data(), end);
            toDir = fromDir;
        } else {
            why = FsResult::Failed;
        }
    } else {
        // (In another folder: the source's is held by its own handle.)
        if (!sameFolder) apartTo = StoreApart(to);
        toDir = Parent(to, toName, why);
    }
    const bool refused = toDir >= 0 && ((!apartFrom && Guard(fromDir, fromName, true) != FsResult::Ok) ||
                                        (!apartTo && Guard(toDir, toName, false) != FsResult::Ok));
    FsResult result = refused ? FsResult::Failed : why;
    if (toDir >= 0 && !refused) {
        if (renameat2(fromDir, fromName.c_str(), toDir, toName.c_str(), RENAME_NOREPLACE) == 0) {
            result = FsResult::Ok;
        } else if (errno == EINVAL || errno == ENOSYS) {
            struct stat st;
            if (fstatat(toDir, toName.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0)
                result = FsResult::AlreadyExists;
            else
                result = renameat(fromDir, fromName.c_str(), toDir, toName.c_str()) == 0 ? FsResult::Ok
                         : errno == ENOENT                                               ? FsResult::NotFound
                                                                                         : FsResult::Failed;
        } else {
            result = errno == EEXIST || errno == ENOTEMPTY ? FsResult::AlreadyExists
                     : errno == ENOENT                     ? FsResult::NotFound
                                                           : FsResult::Failed;
        }
    }
    if (!sameFolder) ::close(fromDir);
    if (result == FsResult::Ok) {
        // Held folders at or below the old place have other names now.
        for (std::size_t i = 0; i < held_.size(); ++i) {
            const std::string& h = held_[i].rel;
            if (h.size() >= fromRel.size() && h.compare(0, fromRel.size(), fromRel) == 0 &&
                (h.size() == fromRel.size() || h[fromRel.size()] == '/')) {
                DropHeld(i);
                break;
            }
        }
    }
    return result;
}

FsResult Beneath::MoveToTrash(const std::string& path) {
    std::string name, rel;
    FsResult why = FsResult::Ok;
    const bool apart = StoreApart(path);
    const int dir = Parent(path, name, rel, why);
    if (dir < 0) return why;
    if (!apart && Guard(dir, name, true) != FsResult::Ok) return FsResult::Failed;
    struct stat st;
    if (fstatat(dir, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
    const std::string native = root_ == "/" ? "/" + rel : root_ + "/" + rel;
    if (!detail::TrashEntry(dir, name, native)) return FsResult::Failed;
    Release();
    return FsResult::Ok;
}

}  // namespace plat
