#include "platform/Memory.h"

#include <malloc.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <limits>
#include <set>
#include <sstream>
#include <vector>

namespace plat {

namespace {

std::optional<std::string> ReadWhole(const std::string& path) {
    std::ifstream in(path);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The number after `key` at the start of a line ("MemAvailable:  123 kB").
std::optional<std::uint64_t> Field(const std::string& text, const std::string& key) {
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        if (text.compare(at, key.size(), key) == 0) {
            const char* p = text.c_str() + at + key.size();
            char* stop = nullptr;
            const unsigned long long v = std::strtoull(p, &stop, 10);
            if (stop != p) return v;
        }
        at = end + 1;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> Number(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    const char* p = text->c_str();
    char* stop = nullptr;
    const unsigned long long v = std::strtoull(p, &stop, 10);
    if (stop == p) return std::nullopt;  // "max", or nothing
    return v;
}

// What a tmpfs file holds in the kernel while it exists: its inode and the
// folder entry that names it (752 B and 192 B objects on 6.x kernels; about
// 960 B a file measured with the slabs' slack). Neither can be given back.
constexpr std::uint64_t kTmpfsFile = 1024;
constexpr std::uint64_t kDentry = 192;
constexpr std::uint64_t kShmemInode = 752;

// A group's slab caches as v1's memory.kmem.slabinfo lists them ("name
// active_objs num_objs objsize ..."): the bytes of folder entries and inodes
// the kernel could drop, less the entries a tmpfs pins (one for each of its
// inodes, and these inodes not at all). None when the file lists no cache:
// kernels since 5.9 keep it but leave it empty.
std::optional<std::uint64_t> SlabReclaimable(const std::string& slabinfo) {
    std::uint64_t dropped = 0, tmpfs = 0, dentry = kDentry;
    bool listed = false;
    std::istringstream lines(slabinfo);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string name;
        std::uint64_t active = 0, all = 0, size = 0;
        if (!(fields >> name >> active >> all >> size) || name == "#") continue;
        listed = true;
        name.erase(std::min(name.find('('), name.size()));  // a group's copy: "dentry(5:box)"
        const auto endsWith = [&](const std::string& tail) {
            return name.size() >= tail.size() && name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
        };
        if (name == "shmem_inode_cache") {
            tmpfs = active;
        } else if (name == "dentry") {
            dentry = size;
            dropped += active * size;
        } else if ((endsWith("_inode_cache") || endsWith("_inode")) && name != "sock_inode_cache") {
            // A file system's inodes (ext4_inode_cache, xfs_inode, ovl_inode):
            // dropped with their entries. Sockets' live as long as the socket.
            dropped += active * size;
        }
    }
    if (!listed) return std::nullopt;
    return dropped - std::min(dropped, tmpfs * dentry);
}

// v1's kernel memory the group could give back, when it does not list its
// caches: what it holds beyond the tmpfs files in sight, of which the share
// the machine's own kernel memory (also less those files) could give back.
std::uint64_t KernelReclaimableGuess(std::uint64_t kernel, const std::string& meminfo, std::uint64_t tmpfsFiles) {
    const std::uint64_t pinned = tmpfsFiles * kTmpfsFile;
    if (kernel <= pinned) return 0;
    const auto kB = [&](const char* key) { return Field(meminfo, key).value_or(0) * 1024; };
    const std::uint64_t all = kB("Slab:") + kB("KernelStack:") + kB("PageTables:"),
                        reclaimable = kB("SReclaimable:");
    if (all <= pinned || reclaimable <= tmpfsFiles * kDentry) return 0;
    const double share = std::min(1.0, static_cast<double>(reclaimable - tmpfsFiles * kDentry) /
                                           static_cast<double>(all - pinned));
    return static_cast<std::uint64_t>(static_cast<double>(kernel - pinned) * share);
}

// What a group may still take: its limit less what it holds, less what it
// could give back: its clean file pages (tmpfs's pages are no file pages;
// dirty ones wait for the disk) and the folder entries and inodes it holds
// of files no tmpfs keeps. As the kernel's MemAvailable holds back a share
// of each, half of it up to the machine's low watermark (`low`): a slab page
// is freed only once all its objects are dropped, and the program's own
// code is among the file pages. None when it sets no limit.
std::optional<std::uint64_t> GroupRoom(const ControlFileReader& read, const std::string& dir, bool v2,
                                       const std::string& meminfo, const std::function<std::uint64_t()>& tmpfsFiles,
                                       std::uint64_t low) {
    const std::optional<std::uint64_t> limit = Number(read(dir + (v2 ? "memory.max" : "memory.limit_in_bytes")));
    // v1 writes "no limit" as a huge multiple of the page size.
    if (!limit || *limit >= (std::uint64_t{1} << 60)) return std::nullopt;
    std::uint64_t used = Number(read(dir + (v2 ? "memory.current" : "memory.usage_in_bytes"))).value_or(0);
    std::uint64_t file = 0, kernel = 0;
    if (const std::optional<std::string> stat = read(dir + "memory.stat")) {
        const auto value = [&](const char* v2Key, const char* v1Key) {
            return Field(*stat, std::string(v2 ? v2Key : v1Key) + " ").value_or(0);
        };
        file = value("inactive_file", "total_inactive_file") + value("active_file", "total_active_file");
        file -= std::min(file, value("file_dirty", "total_dirty") + value("file_writeback", "total_writeback"));
        if (v2) {
            // v2 tells reclaimable slab apart but not the entries a tmpfs
            // pins in it; each comes with an inode in the unreclaimable part,
            // so that part bounds them.
            const std::uint64_t reclaimable = Field(*stat, "slab_reclaimable ").value_or(0),
                                pinned = Field(*stat, "slab_unreclaimable ").value_or(0) / kShmemInode * kDentry;
            kernel = reclaimable - std::min(reclaimable, pinned);
        }
    }
    if (!v2) {
        // v1 tells its kernel memory whole: its slab caches say what part of
        // it could go. Newer kernels list none: the part beyond the tmpfs
        // files in sight is guessed. None counts where the list is missing.
        if (const std::optional<std::string> slabinfo = read(dir + "memory.kmem.slabinfo")) {
            const std::uint64_t held = Number(read(dir + "memory.kmem.usage_in_bytes")).value_or(0);
            const std::optional<std::uint64_t> listed = SlabReclaimable(*slabinfo);
            kernel = std::min(held, listed ? *listed : KernelReclaimableGuess(held, meminfo, tmpfsFiles()));
        }
    }
    const auto given = [low](std::uint64_t reclaimable) { return reclaimable - std::min(reclaimable / 2, low); };
    used -= std::min(used, given(file) + given(kernel));
    return *limit > used ? *limit - used : 0;
}

// The group of the process and every group above it, each as a folder
// below the cgroup mount ("/a/b/" , "/a/", "/"); v1's memory controller
// is mounted in a folder of its own.
std::vector<std::pair<std::string, bool>> Groups(const std::string& cgroups) {
    std::vector<std::pair<std::string, bool>> groups;  // folder, v2
    std::istringstream lines(cgroups);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t a = line.find(':'), b = line.find(':', a + 1);
        if (a == std::string::npos || b == std::string::npos) continue;
        const std::string controllers = line.substr(a + 1, b - a - 1);
        const bool v2 = line.compare(0, a, "0") == 0 && controllers.empty();
        std::istringstream names(controllers);
        bool memory = false;
        for (std::string name; std::getline(names, name, ',');) memory |= name == "memory";
        if (!v2 && !memory) continue;
        std::string path = line.substr(b + 1);
        const std::string mount = v2 ? "" : "/memory";
        for (;;) {
            while (!path.empty() && path.back() == '/') path.pop_back();
            groups.emplace_back(mount + path + "/", v2);
            if (path.empty()) break;
            path.erase(path.rfind('/') == std::string::npos ? 0 : path.rfind('/'));
        }
    }
    return groups;
}

// The files and folders held by the tmpfs file systems the process sees
// (each counted once, however often it is mounted); one that sets no limit
// on its files does not say.
std::uint64_t TmpfsFiles() {
    std::ifstream in("/proc/self/mountinfo");
    std::set<std::string> seen;
    std::uint64_t files = 0;
    for (std::string line; std::getline(in, line);) {
        // "id parent major:minor root mountpoint options ... - type source ..."
        std::istringstream fields(line);
        std::string id, parent, device, root, where;
        fields >> id >> parent >> device >> root >> where;
        const std::size_t dash = line.find(" - ");
        if (dash == std::string::npos || line.compare(dash + 3, 6, "tmpfs ") != 0) continue;
        if (!seen.insert(device).second) continue;
        std::string path;  // the kernel writes a space as \040
        for (std::size_t i = 0; i < where.size(); ++i) {
            if (where[i] == '\\' && i + 3 < where.size() && where.find_first_not_of("01234567", i + 1) >= i + 4) {
                path += static_cast<char>(std::strtol(where.substr(i + 1, 3).c_str(), nullptr, 8));
                i += 3;
            } else {
                path += where[i];
            }
        }
        struct statvfs fs {};
        if (statvfs(path.c_str(), &fs) == 0 && fs.f_files >= fs.f_ffree) files += fs.f_files - fs.f_ffree;
    }
    return files;
}

AvailableMemoryHandler& Answer() {
    static AvailableMemoryHandler handler;
    return handler;
}

}  // namespace

namespace {

// The tmpfs files are counted only where a group needs them (each mount is
// asked of the disk).
std::optional<std::uint64_t> AvailableFrom(const std::string& meminfo, const std::string& cgroups,
                                           const ControlFileReader& read,
                                           const std::function<std::uint64_t()>& tmpfsFiles,
                                           std::uint64_t lowWatermark) {
    const std::optional<std::uint64_t> available = Field(meminfo, "MemAvailable:");
    if (!available) return std::nullopt;
    std::uint64_t room = (*available + Field(meminfo, "SwapFree:").value_or(0)) * 1024;
    // A group's folder that is not there (a namespace shows its own group
    // as the mount's root) sets nothing.
    for (const auto& [dir, v2] : Groups(cgroups)) {
        const std::optional<std::uint64_t> group = GroupRoom(read, dir, v2, meminfo, tmpfsFiles, lowWatermark);
        if (group) room = std::min(room, *group);
    }
    return room;
}

}  // namespace

std::optional<std::uint64_t> AvailableMemoryFrom(const std::string& meminfo, const std::string& cgroups,
                                                  const ControlFileReader& read, std::uint64_t tmpfsFiles,
                                                  std::uint64_t lowWatermark) {
    return AvailableFrom(meminfo, cgroups, read, [tmpfsFiles] { return tmpfsFiles; }, lowWatermark);
}

AvailableMemoryHandler SetAvailableMemoryHandler(AvailableMemoryHandler handler) {
    AvailableMemoryHandler previous = std::move(Answer());
    Answer() = std::move(handler);
    return previous;
}

std::optional<std::uint64_t> GetAvailableMemory() {
    if (const AvailableMemoryHandler& answer = Answer()) return answer();
    // What the program freed but the allocator kept (a run's lines and
    // lists once let go) is the program's to use again: handed back first,
    // so that the kernel's figures count it as free.
    malloc_trim(0);
    const std::optional<std::string> meminfo = ReadWhole("/proc/meminfo");
    if (!meminfo) return std::nullopt;
    std::optional<std::uint64_t> tmpfsFiles;
    return AvailableFrom(*meminfo, ReadWhole("/proc/self/cgroup").value_or(""),
                         [](const std::string& path) { return ReadWhole("/sys/fs/cgroup" + path); },
                         [&tmpfsFiles] {
                             if (!tmpfsFiles) tmpfsFiles = TmpfsFiles();
                             return *tmpfsFiles;
                         },
                         LowWatermarkFrom(ReadWhole("/proc/zoneinfo").value_or("")));
}

namespace {
MemoryGroupLimitsHandler& LimitsAnswer() {
    static MemoryGroupLimitsHandler handler;
    return handler;
}
}  // namespace

MemoryGroupLimitsHandler SetMemoryGroupLimitsHandler(MemoryGroupLimitsHandler handler) {
    MemoryGroupLimitsHandler previous = std::move(LimitsAnswer());
    LimitsAnswer() = std::move(handler);
    return previous;
}

bool MemoryGroupLimits() {
    if (const MemoryGroupLimitsHandler& answer = LimitsAnswer()) return answer();
    for (const auto& [dir, v2] : Groups(ReadWhole("/proc/self/cgroup").value_or(""))) {
        const std::optional<std::uint64_t> limit =
            Number(ReadWhole("/sys/fs/cgroup" + dir + (v2 ? "memory.max" : "memory.limit_in_bytes")));
        // v1 writes "no limit" as a huge multiple of the page size.
        if (limit && *limit < (std::uint64_t{1} << 60)) return true;
    }
    return false;
}

std::uint64_t LowWatermarkFrom(const std::string& zoneinfo) {
    // Each zone's "low" line, in pages; none read: no bound of its own.
    std::istringstream lines(zoneinfo);
    std::uint64_t pages = 0;
    bool any = false;
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string key;
        std::uint64_t n = 0;
        if (words >> key >> n && key == "low") {
            pages += n;
            any = true;
        }
    }
    return any ? pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) : UINT64_MAX;
}

}  // namespace plat
