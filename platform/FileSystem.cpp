#include "platform/FileSystem.h"
#include "platform/FileSystemInternal.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/types.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <memory>
#include <random>
#include <string_view>

namespace plat {
namespace detail {

// A Linux name the drive form can say as it is: no backslash or colon (a
// separator and the drive's mark there), and not made of dots only (the
// translation refuses those). Trailing blanks and dots are the name's own.
bool IsSayableName(const char* name) {
    const std::string_view n(name);
    if (n.empty() || IsDotsOnlyName(n)) return false;
    return n.find('\\') == std::string_view::npos && n.find(':') == std::string_view::npos;
}

std::int64_t MtimeNs(const struct stat& st) {
    return static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

// Case-insensitive (ASCII) then bytewise: listings do not depend on the
// file system's order. A name's folded form is `folded`: its letters A-Z
// made small.
bool ListingLess(std::string_view foldedA, const std::string& a, std::string_view foldedB, const std::string& b) {
    const int c = foldedA.compare(foldedB);
    if (c != 0) return c < 0;  // a folded name that begins the other comes first
    return a < b;
}

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool CopyContents(int in, int out, off_t size) {
    off_t left = size;
    while (left > 0) {
        const ssize_t n = copy_file_range(in, nullptr, out, nullptr, static_cast<std::size_t>(left), 0);
        if (n < 0) {
            if (errno == EINTR) continue;
            break;  // not supported here: fall back to read/write
        }
        if (n == 0) return true;  // file shrank meanwhile
        left -= n;
    }
    if (left == 0) return true;
    if (lseek(in, size - left, SEEK_SET) < 0) return false;
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t n = ::read(in, buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return true;
        if (!WriteAll(out, buf.data(), static_cast<std::size_t>(n))) return false;
    }
}



bool ListFolderHandle(int dfd, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable, bool kindsOnly) {
    entries.clear();
    if (unsayable) unsayable->clear();
    // The names come straight from the kernel in large parts, through no
    // DIR of its own (which would need a descriptor of its own, looks at
    // the folder again and takes 32 KB per listing).
    thread_local std::unique_ptr<char[]> buffer;
    if (!buffer) buffer = std::make_unique<char[]>(kListingBuffer);
    for (;;) {
        const ssize_t n = getdents64(dfd, buffer.get(), kListingBuffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {  // a read error part-way is no complete listing
            entries.clear();
            if (unsayable) unsayable->clear();
            return false;
        }
        if (n == 0) break;
        for (ssize_t at = 0; at < n;) {
            const auto* d = reinterpret_cast<const struct dirent64*>(buffer.get() + at);
            at += d->d_reclen;
            const char* name = d->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) continue;
            if (!IsSayableName(name)) {
                // Kept apart, by its name and kind, so that a walk can say
                // it met the entry; no path names it.
                if (unsayable) {
                    DirEntry e;
                    e.name = name;
                    struct stat st;
                    e.kind = d->d_type == DT_DIR ? EntryKind::Folder
                             : d->d_type == DT_REG ? EntryKind::File
                             : d->d_type == DT_LNK ? EntryKind::Link
                             : d->d_type != DT_UNKNOWN ? EntryKind::Special
                             : fstatat(dfd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 ? KindOf(st.st_mode)
                                                                                 : EntryKind::Special;
                    e.ino = static_cast<std::uint64_t>(d->d_ino);
                    unsayable->push_back(std::move(e));
                }
                continue;
            }
            if (kindsOnly && d->d_type != DT_UNKNOWN) {
                // The kind as the folder itself tells it; no look at the entry.
                DirEntry e;
                e.name = name;
                e.kind = d->d_type == DT_DIR ? EntryKind::Folder
                         : d->d_type == DT_REG ? EntryKind::File
                         : d->d_type == DT_LNK ? EntryKind::Link
                                               : EntryKind::Special;
                e.ino = static_cast<std::uint64_t>(d->d_ino);
                entries.push_back(std::move(e));
                continue;
            }
            struct stat st;
            if (fstatat(dfd, name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;  // vanished meanwhile
            DirEntry e;
            e.name = name;
            e.kind = KindOf(st.st_mode);
            if (e.kind == EntryKind::File) e.size = static_cast<std::uint64_t>(st.st_size);
            e.mtimeNs = MtimeNs(st);
            e.dev = static_cast<std::uint64_t>(st.st_dev);
            e.ino = static_cast<std::uint64_t>(st.st_ino);
            e.mode = static_cast<std::uint32_t>(st.st_mode & 07777);
            entries.push_back(std::move(e));
        }
    }
    plat::SortListing(entries);
    if (unsayable) plat::SortListing(*unsayable);
    return true;
}

bool ListOpenFolder(int dfd, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable, bool kindsOnly) {
    const bool listed = ListFolderHandle(dfd, entries, unsayable, kindsOnly);
    close(dfd);
    return listed;
}

EntryKind KindOf(unsigned mode) {
    if (S_ISDIR(mode)) return EntryKind::Folder;
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISLNK(mode)) return EntryKind::Link;
    return EntryKind::Special;
}

}  // namespace detail

void SortListing(std::vector<DirEntry>& entries) {
    const std::size_t n = entries.size();
    if (n < 2) return;
    // Each name folded once into one buffer, its first 8 folded bytes also
    // as one number (names hold no zero byte, so a shorter one's padding
    // sorts first, as the shorter name does): most comparisons are one
    // number against another. Then the entries are moved once.
    std::string folded;
    struct Key {
        std::uint64_t head;
        std::size_t index;
    };
    std::vector<std::size_t> at(n + 1);
    std::vector<Key> keys(n);
    at[0] = 0;
    for (std::size_t i = 0; i < n; ++i) at[i + 1] = at[i] + entries[i].name.size();
    folded.resize(at[n]);
    for (std::size_t i = 0; i < n; ++i) {
        const std::string& name = entries[i].name;
        char* out = folded.data() + at[i];
        std::uint64_t head = 0;
        for (std::size_t k = 0; k < name.size(); ++k) {
            const char ch = name[k];
            out[k] = ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch + 32) : ch;
            if (k < 8) head = head << 8 | static_cast<unsigned char>(out[k]);
        }
        if (!name.empty() && name.size() < 8) head <<= 8 * (8 - name.size());
        keys[i] = {head, i};
    }
    const auto name = [&](std::size_t i) { return std::string_view(folded).substr(at[i], at[i + 1] - at[i]); };
    std::sort(keys.begin(), keys.end(), [&](const Key& x, const Key& y) {
        if (x.head != y.head) return x.head < y.head;
        return detail::ListingLess(name(x.index), entries[x.index].name, name(y.index), entries[y.index].name);
    });
    std::vector<DirEntry> sorted;
    sorted.reserve(n);
    for (const Key& k : keys) sorted.push_back(std::move(entries[k.index]));
    entries.swap(sorted);
}

namespace {

std::map<char, std::string>& Drives() {
    static std::map<char, std::string> drives{{'C', "/"}};
    return drives;
}

char UpperLetter(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

std::string JoinNative(const std::string& root, const std::string& rest) {
    if (rest.empty()) return root;
    if (!root.empty() && root.back() == '/') return root + rest;
    return root + "/" + rest;
}

// Appends the names of a drive-form path (its drive removed) to `out`,
// each byte for byte, joined by "/". False for a name of dots only ("."
// and ".." would leave the folder named) or a NUL byte.
bool AppendComponents(std::string_view text, std::string& out) {
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        if (text[i] == '\\' || text[i] == '/') {  // doubled separators name nothing
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < n && text[j] != '\\' && text[j] != '/') {
            if (text[j] == '\0') return false;
            ++j;
        }
        const std::string_view name = text.substr(i, j - i);
        if (IsDotsOnlyName(name)) return false;
        if (!out.empty() && out.back() != '/') out += '/';
        out.append(name);
        i = j;
    }
    return true;
}

std::string NativeCwd() {
    std::vector<char> buf(4096);
    for (;;) {
        if (getcwd(buf.data(), buf.size())) return buf.data();
        if (errno != ERANGE) return {};
        buf.resize(buf.size() * 2);
    }
}

bool Native(const std::string& path, std::string& native) { return ToNative(path, native); }

using detail::MtimeNs;
using detail::WriteAll;
using detail::CopyContents;

bool LStat(const std::string& path, struct stat& st) {
    std::string n;
    return Native(path, n) && lstat(n.c_str(), &st) == 0;
}

FsResult FromErrno(int err) {
    switch (err) {
    case EEXIST: return FsResult::AlreadyExists;
    case ENOENT: return FsResult::NotFound;
    default: return FsResult::Failed;
    }
}

std::string ParentNative(const std::string& native) {
    const std::size_t slash = native.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return native.substr(0, slash);
}

std::string RandomSuffix() {
    static std::mt19937_64 rng(std::random_device{}() ^ static_cast<std::uint64_t>(getpid()));
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(rng()));
    return buf;
}

// Puts a finished temporary file in place without replacing anything.
int PlaceNoReplace(const std::string& temp, const std::string& target) {
    if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return 0;
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // File systems without RENAME_NOREPLACE: a hard link also refuses an
    // existing target.
    if (link(temp.c_str(), target.c_str()) == 0) {
        unlink(temp.c_str());
        return 0;
    }
    return errno;
}

}  // namespace

// ---- drive table -----------------------------------------------------------

namespace {
std::uint64_t g_driveTableVersion = 0;
}  // namespace

std::uint64_t detail::DriveTableVersion() { return g_driveTableVersion; }

void ResetDriveTable() {
    Drives().clear();
    Drives().emplace('C', std::string(1, '/'));
    ++g_driveTableVersion;
}

void MapDrive(char letter, const std::string& nativeRoot) {
    std::string root = nativeRoot;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    Drives()[UpperLetter(letter)] = root;
    ++g_driveTableVersion;
}

void UnmapDrive(char letter) {
    Drives().erase(UpperLetter(letter));
    ++g_driveTableVersion;
}

std::string LogicalDriveLetters() {
    std::string letters;
    for (const auto& [letter, root] : Drives()) letters += letter;
    return letters;
}

bool IsDotsOnlyName(std::string_view name) {
    return !name.empty() && name.find_first_not_of('.') == std::string_view::npos;
}

bool ToNative(const std::string& path, std::string& native) {
    if (path.size() >= 2 && path[1] == ':' && IsLetter(path[0])) {
        auto it = Drives().find(UpperLetter(path[0]));
        if (it == Drives().end()) return false;
        native.assign(it->second);
        return AppendComponents(std::string_view(path).substr(2), native);
    }
    if (path.find(':') != std::string::npos) return false;  // a colon is no name character here
    // An empty path names nothing (not the current directory), and a network
    // path (\\server\share) has no folder here.
    if (path.empty()) return false;
    const auto isSep = [](char c) { return c == '\\' || c == '/'; };
    if (path.size() >= 2 && isSep(path[0]) && isSep(path[1])) return false;
    if (isSep(path[0])) {
        // Root of the current directory's drive.
        std::string cwd = GetCurrentDir();
        if (cwd.size() < 2) return false;
        return ToNative(cwd.substr(0, 2) + path, native);
    }
    std::string rel;
    if (!AppendComponents(path, rel)) return false;
    native = rel.empty() ? NativeCwd() : JoinNative(NativeCwd(), rel);
    return !native.empty();
}

bool FromNative(const std::string& native, std::string& path) {
    std::string joined;
    std::string_view abs = native;
    if (abs.empty() || abs[0] != '/') {
        joined = JoinNative(NativeCwd(), native);
        abs = joined;
    }
    // Normalised, each name behind a "/": no "." or "..", no doubled
    // slashes. Most paths are so already and are read as they are, in one
    // pass that also finds a "\\" or ":" (no name may hold one).
    const std::size_t n = abs.size();
    bool normal = n > 1 && abs.back() != '/';
    for (std::size_t i = abs.find('/'); normal && i != std::string_view::npos; i = abs.find('/', i + 1)) {
        const char a = i + 1 < n ? abs[i + 1] : '/';
        const char b = i + 2 < n ? abs[i + 2] : '/';
        const char d = i + 3 < n ? abs[i + 3] : '/';
        normal = !(a == '/' || (a == '.' && (b == '/' || (b == '.' && d == '/'))));
    }
    const auto odd = [](std::string_view text) {
        return text.find('\\') != std::string_view::npos || text.find(':') != std::string_view::npos;
    };
    if (normal && odd(abs)) return false;
    std::string built;
    if (!normal) {
        built.reserve(n + 1);
        for (std::size_t i = 0; i <= n;) {
            std::size_t j = abs.find('/', i);
            if (j == std::string_view::npos) j = n;
            const std::string_view part = abs.substr(i, j - i);
            if (part == "..") {
                const std::size_t slash = built.rfind('/');
                if (slash != std::string::npos) built.resize(slash);
            } else if (!part.empty() && part != ".") {
                built += '/';
                built.append(part);
            }
            i = j + 1;
        }
        if (built.empty()) built = "/";
        if (odd(built)) return false;
    }
    const std::string_view clean = normal ? abs : std::string_view(built);
    // The drive with the longest root that holds the path.
    char best = 0;
    std::size_t bestLen = 0;
    for (const auto& [letter, root] : Drives()) {
        const bool holds = root == "/" || clean == root ||
                           (clean.size() > root.size() && clean.compare(0, root.size(), root) == 0 &&
                            clean[root.size()] == '/');
        if (holds && (best == 0 || root.size() > bestLen)) {
            best = letter;
            bestLen = root.size();
        }
    }
    if (!best) return false;
    const std::string_view rest = clean.substr(bestLen <= 1 ? 1 : std::min(clean.size(), bestLen + 1));
    // Each name as IsSayableName reads it (up to a NUL): not empty, and not
    // of dots only.
    std::string out = std::string(1, best) + ":\\";
    out.append(rest);
    for (std::size_t at = 0; at < rest.size();) {
        std::size_t end = rest.find('/', at);
        if (end == std::string_view::npos) end = rest.size();
        std::string_view name = rest.substr(at, end - at);
        name = name.substr(0, name.find('\0'));
        if (name.empty() || IsDotsOnlyName(name)) return false;
        if (end < rest.size()) out[end + 3] = '\\';
        at = end + 1;
    }
    path = std::move(out);  // `native` may be `path`: read to the end first
    return true;
}

// ---- looking -----------------------------------------------------------------

bool ListFolder(const std::string& folder, std::vector<DirEntry>& entries, std::vector<DirEntry>* unsayable) {
    entries.clear();
    if (unsayable) unsayable->clear();
    std::string native;
    if (!Native(folder, native)) return false;
    const int dfd = open(native.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (dfd < 0) return false;
    return detail::ListOpenFolder(dfd, entries, unsayable);
}

bool PathExists(const std::string& path) {
    struct stat st;
    return LStat(path, st);
}

bool FolderExists(const std::string& path) {
    struct stat st;
    return LStat(path, st) && S_ISDIR(st.st_mode);
}

bool FileExists(const std::string& path) {
    struct stat st;
    return LStat(path, st) && S_ISREG(st.st_mode);
}

bool IsLink(const std::string& path) {
    struct stat st;
    return LStat(path, st) && S_ISLNK(st.st_mode);
}

bool GetFileInfo(const std::string& path, std::uint64_t& size, std::int64_t& mtimeNs) {
    struct stat st;
    if (!LStat(path, st) || !S_ISREG(st.st_mode)) return false;
    size = static_cast<std::uint64_t>(st.st_size);
    mtimeNs = MtimeNs(st);
    return true;
}

// ---- changing ----------------------------------------------------------------

FsResult CreateFolder(const std::string& path) {
    std::string native;
    if (!Native(path, native)) return FsResult::Failed;
    if (mkdir(native.c_str(), 0777) == 0) return FsResult::Ok;
    const int err = errno;
    if (err == EEXIST) {
        struct stat st;
        // Something else of that name (a file, a link) is no folder.
        return (lstat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) ? FsResult::AlreadyExists
                                                                          : FsResult::Failed;
    }
    return FromErrno(err);
}

FsResult CreateFolderTree(const std::string& path, std::vector<std::string>* created) {
    std::string native;
    if (!Native(path, native)) return FsResult::Failed;
    struct stat st;
    if (lstat(native.c_str(), &st) == 0) return S_ISDIR(st.st_mode) ? FsResult::AlreadyExists : FsResult::Failed;
    // Climb to the first existing folder, then create downwards. Names stay
    // in the caller's spelling so that recorded folders match its texts.
    std::vector<std::string> missing;  // deepest first
    std::string cur = path;
    for (;;) {
        while (!cur.empty() && (cur.back() == '\\' || cur.back() == '/')) cur.pop_back();
        if (cur.empty() || (cur.size() == 2 && cur[1] == ':')) break;  // a root: it exists
        std::string n;
        if (!Native(cur, n)) return FsResult::Failed;
        if (lstat(n.c_str(), &st) == 0) {
            if (!S_ISDIR(st.st_mode)) return FsResult::Failed;
            break;
        }
        missing.push_back(cur);
        const std::size_t sep = cur.find_last_of("\\/");
        if (sep == std::string::npos) break;  // a single relative name
        cur.erase(sep);
    }
    for (auto it = missing.rbegin(); it != missing.rend(); ++it) {
        const FsResult r = CreateFolder(*it);
        if (r == FsResult::Ok) {
            if (created) created->push_back(*it);
        } else if (r != FsResult::AlreadyExists) {
            return r;
        }
    }
    return FsResult::Ok;
}

FsResult RemoveFolder(const std::string& path) {
    std::string native;
    if (!Native(path, native)) return FsResult::Failed;
    // rmdir never follows a link: on a link or a file it fails with ENOTDIR.
    if (rmdir(native.c_str()) == 0) return FsResult::Ok;
    return errno == ENOENT ? FsResult::NotFound : FsResult::Failed;
}

FsResult DeleteFile(const std::string& path) {
    std::string native;
    if (!Native(path, native)) return FsResult::Failed;
    struct stat st;
    if (lstat(native.c_str(), &st) != 0) return FromErrno(errno);
    if (S_ISDIR(st.st_mode)) return FsResult::Failed;
    if (unlink(native.c_str()) == 0) return FsResult::Ok;
    return FromErrno(errno) == FsResult::NotFound ? FsResult::NotFound : FsResult::Failed;
}

FsResult CopyFileNoOverwrite(const std::string& source, const std::string& target) {
    std::string src, dst;
    if (!Native(source, src) || !Native(target, dst)) return FsResult::Failed;
    // Look before opening: opening a FIFO or a device already acts on it.
    struct stat st;
    if (lstat(src.c_str(), &st) != 0) return FromErrno(errno);
    if (!S_ISREG(st.st_mode)) return FsResult::Failed;
    const int in = open(src.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (in < 0) return FromErrno(errno);
    if (fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {  // replaced meanwhile
        close(in);
        return FsResult::Failed;
    }
    struct stat tst;
    if (lstat(dst.c_str(), &tst) == 0) {
        close(in);
        return FsResult::AlreadyExists;
    }
    // Copy into an unnamed file and link it into place: a crash mid-copy
    // leaves nothing behind, and the link refuses an existing target. File
    // systems without unnamed files get a named temporary instead.
    const std::string folder = ParentNative(dst);
    std::string temp;
    int out = open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (out < 0) {
        temp = folder + "/.qm-copy-" + RandomSuffix() + ".tmp";
        out = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    }
    if (out < 0) {
        const int err = errno;
        close(in);
        return FromErrno(err) == FsResult::NotFound ? FsResult::NotFound : FsResult::Failed;
    }
    bool ok = CopyContents(in, out, st.st_size);
    const struct timespec times[2] = {st.st_atim, st.st_mtim};
    ok = ok && fchmod(out, st.st_mode & 0777) == 0 && futimens(out, times) == 0;
    close(in);
    int err = 0;
    bool linked = false;
    if (ok && temp.empty()) {
        const std::string self = "/proc/thread-self/fd/" + std::to_string(out);
        linked = linkat(AT_FDCWD, self.c_str(), AT_FDCWD, dst.c_str(), AT_SYMLINK_FOLLOW) == 0;
        if (!linked) err = errno;
    }
    ok = close(out) == 0 && ok;
    if (!ok) {
        if (!temp.empty()) unlink(temp.c_str());
        if (linked) unlink(dst.c_str());  // placed, but the data may not be whole: take it back
        return FsResult::Failed;
    }
    if (!temp.empty()) {
        err = PlaceNoReplace(temp, dst);
        if (err != 0) unlink(temp.c_str());
    }
    if (err != 0) return err == EEXIST ? FsResult::AlreadyExists : FsResult::Failed;
    return FsResult::Ok;
}

FsResult MoveNoReplace(const std::string& source, const std::string& target) {
    std::string src, dst;
    if (!Native(source, src) || !Native(target, dst)) return FsResult::Failed;
    if (renameat2(AT_FDCWD, src.c_str(), AT_FDCWD, dst.c_str(), RENAME_NOREPLACE) == 0) return FsResult::Ok;
    if (errno != EINVAL && errno != ENOSYS) return FromErrno(errno);
    struct stat st;
    if (lstat(dst.c_str(), &st) == 0) return FsResult::AlreadyExists;
    return rename(src.c_str(), dst.c_str()) == 0 ? FsResult::Ok : FromErrno(errno);
}

AtomicFileWriter::AtomicFileWriter(const std::string& path) {
    if (!Native(path, target_)) return;
    temp_ = ParentNative(target_) + "/.qm-write-" + RandomSuffix() + ".tmp";
    fd_ = open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    buffer_.reserve(1 << 20);
}

AtomicFileWriter::~AtomicFileWriter() {
    if (fd_ >= 0) {
        close(fd_);
        unlink(temp_.c_str());
    }
}

bool AtomicFileWriter::Flush() {
    if (!failed_ && !buffer_.empty()) failed_ = !WriteAll(fd_, buffer_.data(), buffer_.size());
    buffer_.clear();
    return !failed_;
}

bool AtomicFileWriter::Write(const void* data, std::size_t size) {
    if (fd_ < 0 || failed_) return false;
    if (buffer_.size() + size > (1u << 20) && !Flush()) return false;
    if (size >= (1u << 20)) {
        failed_ = !WriteAll(fd_, static_cast<const char*>(data), size);
        return !failed_;
    }
    buffer_.append(static_cast<const char*>(data), size);
    return true;
}

bool AtomicFileWriter::Commit() {
    if (fd_ < 0) return false;
    bool ok = Flush() && fsync(fd_) == 0;
    ok = close(fd_) == 0 && ok;
    fd_ = -1;
    if (ok) {
        // Keep the permission bits of the file we replace.
        struct stat st;
        if (stat(target_.c_str(), &st) == 0) chmod(temp_.c_str(), st.st_mode & 07777);
        ok = rename(temp_.c_str(), target_.c_str()) == 0;
    }
    if (!ok) unlink(temp_.c_str());
    return ok;
}

bool OpenInputFile(const std::string& path, std::ifstream& in) {
    std::string native;
    if (!Native(path, native)) return false;
    struct stat st;
    if (stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    in.open(native, std::ios::binary);
    return in.is_open();
}

// ---- process and drives --------------------------------------------------------

std::string GetCurrentDir() {
    std::string path;
    const std::string cwd = NativeCwd();
    if (cwd.empty() || !FromNative(cwd, path)) return {};
    return path;
}

bool SetCurrentDir(const std::string& path) {
    std::string native;
    return Native(path, native) && chdir(native.c_str()) == 0;
}

namespace {
FreeBytesHandler& FreeBytesAnswer() {
    static FreeBytesHandler handler;
    return handler;
}
}  // namespace

FreeBytesHandler SetFreeBytesHandler(FreeBytesHandler handler) {
    FreeBytesHandler previous = std::move(FreeBytesAnswer());
    FreeBytesAnswer() = std::move(handler);
    return previous;
}

bool GetFreeBytes(const std::string& path, std::uint64_t& bytes) {
    if (const FreeBytesHandler& answer = FreeBytesAnswer()) return answer(path, bytes);
    std::string native;
    if (!Native(path, native)) return false;
    for (;;) {
        struct statvfs vfs;
        if (statvfs(native.c_str(), &vfs) == 0) {
            bytes = static_cast<std::uint64_t>(vfs.f_bavail) * vfs.f_frsize;
            return true;
        }
        if (errno != ENOENT && errno != ENOTDIR) return false;
        if (native == "/" || native.empty()) return false;
        native = ParentNative(native);
    }
}

namespace {
// The mount table writes blanks, tabs, newlines and backslashes as \ooo.
std::string UnescapeMountPath(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (p[0] == '\\' && p[1] >= '0' && p[1] <= '7' && p[2] >= '0' && p[2] <= '7' && p[3] >= '0' && p[3] <= '7') {
            out += static_cast<char>((p[1] - '0') * 64 + (p[2] - '0') * 8 + (p[3] - '0'));
            p += 3;
        } else {
            out += *p;
        }
    }
    return out;
}
}  // namespace

std::string detail::MountTypeOf(const std::string& native) {
    // The mount that holds the path: the longest mount point that is a prefix.
    FILE* mounts = std::fopen("/proc/self/mounts", "r");
    if (!mounts) return {};
    std::string bestType;
    std::size_t bestLen = 0;
    char line[4096];
    while (std::fgets(line, sizeof line, mounts)) {
        char dev[1024], dir[1024], type[256];
        if (std::sscanf(line, "%1023s %1023s %255s", dev, dir, type) != 3) continue;
        const std::string d = UnescapeMountPath(dir);
        const bool holds = d == "/" || native == d || (native.size() > d.size() &&
                                                       native.compare(0, d.size(), d) == 0 && native[d.size()] == '/');
        if (holds && d.size() >= bestLen) {
            bestLen = d.size();
            bestType = type;
        }
    }
    std::fclose(mounts);
    return bestType;
}

int GetDriveType(char letter) {
    auto it = Drives().find(UpperLetter(letter));
    if (it == Drives().end()) return 1;
    const std::string bestType = detail::MountTypeOf(it->second);
    if (bestType.rfind("nfs", 0) == 0 || bestType == "cifs" || bestType == "smb3" || bestType == "smbfs" ||
        bestType == "fuse.sshfs" || bestType == "9p")
        return 4;
    if (bestType == "tmpfs" || bestType == "ramfs") return 6;
    if (bestType == "iso9660" || bestType == "udf") return 5;
    return 3;
}

namespace {

std::string TrashHome() {
    const char* data = std::getenv("XDG_DATA_HOME");
    std::string base;
    if (data && data[0] == '/') base = data;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/') base = std::string(home) + "/.local/share";
    else return {};
    return base + "/Trash";
}

bool MakeDirs(const std::string& native) {
    std::string cur;
    std::size_t i = 0;
    while (i < native.size()) {
        std::size_t j = native.find('/', i + 1);
        if (j == std::string::npos) j = native.size();
        cur = native.substr(0, j);
        if (mkdir(cur.c_str(), 0700) != 0 && errno != EEXIST) return false;
        i = j;
    }
    struct stat st;
    return stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string UrlEncodePath(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        const bool alnum = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (alnum || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') out += static_cast<char>(c);
        else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace

namespace detail {

bool TrashEntry(int dirfd, const std::string& name, const std::string& native) {
    const std::string trash = TrashHome();
    if (trash.empty() || !MakeDirs(trash + "/files") || !MakeDirs(trash + "/info")) return false;
    // Reserve a name by creating its info file exclusively.
    for (int n = 1; n < 10000; ++n) {
        const std::string taken = n == 1 ? name : name + "." + std::to_string(n);
        const std::string info = trash + "/info/" + taken + ".trashinfo";
        const int fd = open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return false;
        }
        char date[32];
        const std::time_t now = std::time(nullptr);
        struct tm tmv;
        localtime_r(&now, &tmv);
        std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &tmv);
        const std::string text =
            "[Trash Info]\nPath=" + UrlEncodePath(native) + "\nDeletionDate=" + date + "\n";
        const bool wrote = WriteAll(fd, text.data(), text.size());
        close(fd);
        const std::string dest = trash + "/files/" + taken;
        if (!wrote || renameat2(dirfd, name.c_str(), AT_FDCWD, dest.c_str(), RENAME_NOREPLACE) != 0) {
            // Another file system, or the name is taken in files/: nothing moved.
            const int err = errno;
            unlink(info.c_str());
            if (wrote && err == EEXIST) continue;
            return false;
        }
        return true;
    }
    return false;
}

}  // namespace detail

bool MoveToTrash(const std::string& path) {
    std::string native;
    if (!Native(path, native) || native == "/") return false;
    for (const auto& [letter, root] : Drives())
        if (native == root) return false;  // never a whole drive
    struct stat st;
    if (lstat(native.c_str(), &st) != 0) return false;
    const std::size_t slash = native.find_last_of('/');
    const std::string parent = slash == 0 ? std::string("/") : native.substr(0, slash);
    const int dirfd = open(parent.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (dirfd < 0) return false;
    const bool moved = detail::TrashEntry(dirfd, native.substr(slash + 1), native);
    close(dirfd);
    return moved;
}

}  // namespace plat
