#include "platform/Memory.h"

#include <malloc.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <limits>
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

// The share of the kernel's own memory (slab, stacks, page tables) that it
// can give back under pressure (folder entries and inodes of files not in
// use), as the machine as a whole holds it.
double ReclaimableKernelShare(const std::string& meminfo) {
    const double slab = static_cast<double>(Field(meminfo, "Slab:").value_or(0));
    const double all = slab + static_cast<double>(Field(meminfo, "KernelStack:").value_or(0) +
                                                  Field(meminfo, "PageTables:").value_or(0));
    return all > 0 ? static_cast<double>(Field(meminfo, "SReclaimable:").value_or(0)) / all : 0;
}

// What a group may still take: its limit less what it holds, less what it
// could give back at once: the file cache (the files' own pages; tmpfs's
// are no cache), and the kernel's caches of folder entries and inodes that
// an earlier run left (v2 says how much of them; v1 only how much kernel
// memory it holds, of which the machine's share is taken). None when it
// sets no limit.
std::optional<std::uint64_t> GroupRoom(const ControlFileReader& read, const std::string& dir, bool v2,
                                       const std::string& meminfo) {
    const std::optional<std::uint64_t> limit = Number(read(dir + (v2 ? "memory.max" : "memory.limit_in_bytes")));
    // v1 writes "no limit" as a huge multiple of the page size.
    if (!limit || *limit >= (std::uint64_t{1} << 60)) return std::nullopt;
    std::uint64_t used = Number(read(dir + (v2 ? "memory.current" : "memory.usage_in_bytes"))).value_or(0);
    std::uint64_t free = 0;
    if (const std::optional<std::string> stat = read(dir + "memory.stat")) {
        const char* const prefix = v2 ? "" : "total_";
        for (const char* field : {"inactive_file ", "active_file "})
            free += Field(*stat, std::string(prefix) + field).value_or(0);
        if (v2) free += Field(*stat, "slab_reclaimable ").value_or(0);
    }
    if (!v2)
        free += static_cast<std::uint64_t>(
            static_cast<double>(Number(read(dir + "memory.kmem.usage_in_bytes")).value_or(0)) *
            ReclaimableKernelShare(meminfo));
    used -= std::min(used, free);
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

AvailableMemoryHandler& Answer() {
    static AvailableMemoryHandler handler;
    return handler;
}

}  // namespace

std::optional<std::uint64_t> AvailableMemoryFrom(const std::string& meminfo, const std::string& cgroups,
                                                  const ControlFileReader& read) {
    const std::optional<std::uint64_t> available = Field(meminfo, "MemAvailable:");
    if (!available) return std::nullopt;
    std::uint64_t room = (*available + Field(meminfo, "SwapFree:").value_or(0)) * 1024;
    // A group's folder that is not there (a namespace shows its own group
    // as the mount's root) sets nothing.
    for (const auto& [dir, v2] : Groups(cgroups)) {
        const std::optional<std::uint64_t> group = GroupRoom(read, dir, v2, meminfo);
        if (group) room = std::min(room, *group);
    }
    return room;
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
    return AvailableMemoryFrom(*meminfo, ReadWhole("/proc/self/cgroup").value_or(""),
                               [](const std::string& path) { return ReadWhole("/sys/fs/cgroup" + path); });
}

}  // namespace plat
