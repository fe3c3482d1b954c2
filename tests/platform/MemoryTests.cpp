// What the machine can give: available memory and free swap, capped by the
// tightest control group above the process that sets a limit.
#include <gtest/gtest.h>

#include <map>

#include "platform/Memory.h"

namespace {

constexpr std::uint64_t kMiB = 1024 * 1024;
const char* const kMeminfo = "MemTotal:  8000000 kB\nMemFree: 100 kB\nMemAvailable:   4096 kB\nSwapFree:  1024 kB\n";

plat::ControlFileReader Files(std::map<std::string, std::string> files) {
    return [files](const std::string& path) -> std::optional<std::string> {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    };
}

}  // namespace

TEST(AvailableMemory, KernelFiguresCappedByTheTightestGroup) {
    // No group limit: available memory and free swap.
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "0::/\n", Files({{"/memory.max", "max\n"}})), 5 * kMiB);
    EXPECT_EQ(plat::AvailableMemoryFrom("MemTotal: 1 kB\n", "", Files({})), std::nullopt);

    // v2: the parent's limit is the tighter one; the file cache and the
    // kernel's caches it could give back count as free.
    const auto v2 = Files({{"/a/b/memory.max", "max\n"},
                           {"/a/memory.max", "4194304\n"},
                           {"/a/memory.current", "4194304\n"},
                           {"/a/memory.stat",
                            "anon 1\ninactive_file 1048576\nactive_file 524288\nslab_reclaimable 524288\n"}});
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "0::/a/b\n", v2), 2 * kMiB);

    // v1: only the memory controller's line counts; its "no limit" is a huge number.
    const auto v1 = Files({{"/memory/box/memory.limit_in_bytes", "2097152\n"},
                           {"/memory/box/memory.usage_in_bytes", "1572864\n"},
                           {"/memory/memory.limit_in_bytes", "9223372036854771712\n"}});
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "5:cpu:/other\n4:memory:/box\n", v1), kMiB / 2);
    // v1 tells its kernel memory whole: the part the machine can reclaim of
    // its own (here three quarters: folder entries and inodes) counts as free,
    // as do the group's file pages, active ones too. (A group that made a
    // million folders holds their entries until something else needs them.)
    const std::string reclaiming =
        std::string(kMeminfo) + "Slab: 3000 kB\nSReclaimable: 2400 kB\nKernelStack: 200 kB\n";
    const auto kmem = Files({{"/memory/box/memory.limit_in_bytes", "4194304\n"},
                             {"/memory/box/memory.usage_in_bytes", "4194304\n"},
                             {"/memory/box/memory.kmem.usage_in_bytes", "2097152\n"},
                             {"/memory/box/memory.stat", "total_inactive_file 262144\ntotal_active_file 262144\n"}});
    EXPECT_EQ(plat::AvailableMemoryFrom(reclaiming, "4:memory:/box\n", kmem), 2 * kMiB);

    // A group that holds more than its limit can give nothing.
    const auto over = Files({{"/g/memory.max", "1048576"}, {"/g/memory.current", "2097152"}});
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "0::/g", over), 0u);
}
