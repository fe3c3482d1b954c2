// What the machine can give: available memory and free swap, capped by the
// tightest control group above the process that sets a limit, of which only
// what the group could really give back counts as free.
#include <gtest/gtest.h>
#include <unistd.h>

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

    // v2: the parent's limit is the tighter one. Half of its clean file pages
    // (dirty and writeback ones wait for the disk) and of its reclaimable
    // slab count as free, as MemAvailable holds back a share.
    std::map<std::string, std::string> v2 = {
        {"/a/b/memory.max", "max\n"},
        {"/a/memory.max", "4194304\n"},
        {"/a/memory.current", "4194304\n"},
        {"/a/memory.stat", "anon 1\ninactive_file 2097152\nactive_file 1572864\nfile_dirty 262144\n"
                           "file_writeback 262144\nshmem 1048576\nslab_reclaimable 1048576\n"}};
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "0::/a/b\n", Files(v2)), 2 * kMiB);
    // The share held back of each is no more than the machine's low watermark
    // (its zones' "low" lines, in pages).
    const std::string zones = "Node 0, zone DMA\n  pages free 9\n        min      10\n        low      24\n"
                              "Node 0, zone Normal\n        low      40\n        high     48\n";
    const std::uint64_t page = static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE));
    EXPECT_EQ(plat::LowWatermarkFrom(zones), 64 * page);
    EXPECT_EQ(plat::LowWatermarkFrom(""), UINT64_MAX);
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "0::/a/b\n", Files(v2), 0, 256 * 1024), 4 * kMiB - kMiB / 2);
    // The entries of 4,096 tmpfs files are among that slab and cannot go: the
    // tmpfs inodes in the unreclaimable part tell how many there may be.
    v2["/a/memory.stat"] += "slab_unreclaimable " + std::to_string(4096 * 752) + "\n";
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "0::/a/b\n", Files(v2)), 2 * kMiB - 4096 * 192 / 2);

    // v1: only the memory controller's line counts; its "no limit" is a huge number.
    const auto v1 = Files({{"/memory/box/memory.limit_in_bytes", "2097152\n"},
                           {"/memory/box/memory.usage_in_bytes", "1572864\n"},
                           {"/memory/memory.limit_in_bytes", "9223372036854771712\n"}});
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "5:cpu:/other\n4:memory:/box\n", v1), kMiB / 2);

    // v1 tells its kernel memory whole. The slab caches it lists say what
    // could go: a disk's folder entries and inodes (a group that made a
    // million folders on a disk holds them until something else needs them),
    // not a socket's inodes, nor a tmpfs file's inode and entry.
    std::map<std::string, std::string> kmem = {
        {"/memory/box/memory.limit_in_bytes", "4194304\n"},
        {"/memory/box/memory.usage_in_bytes", "4194304\n"},
        {"/memory/box/memory.kmem.usage_in_bytes", "2097152\n"},
        {"/memory/box/memory.stat", "total_inactive_file 262144\ntotal_active_file 262144\n"},
        {"/memory/box/memory.kmem.slabinfo",
         "slabinfo - version: 2.1\n# name <active_objs> <num_objs> <objsize> <objperslab> <pagesperslab> : ...\n"
         "dentry 2000 2016 192 21 1 : tunables 0 0 0 : slabdata 96 96 0\n"
         "ext4_inode_cache 1000 1015 1128 29 8 : tunables 0 0 0 : slabdata 35 35 0\n"
         "sock_inode_cache 100 117 832 39 8 : tunables 0 0 0 : slabdata 3 3 0\n"
         "shmem_inode_cache 500 504 752 21 4 : tunables 0 0 0 : slabdata 24 24 0\n"}};
    const std::uint64_t files = 256 * 1024;  // half the file pages
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "4:memory:/box\n", Files(kmem)),
              files + (1500 * 192 + 1000 * 1128) / 2);
    // Newer kernels leave that list empty: of what it holds beyond the tmpfs
    // files in sight, the machine's reclaimable share (here three quarters),
    // halved, counts.
    const std::string reclaiming =
        std::string(kMeminfo) + "Slab: 3000 kB\nSReclaimable: 2400 kB\nKernelStack: 200 kB\n";
    kmem["/memory/box/memory.kmem.slabinfo"] = "";
    EXPECT_EQ(plat::AvailableMemoryFrom(reclaiming, "4:memory:/box\n", Files(kmem)), files + 3 * kMiB / 4);
    EXPECT_EQ(plat::AvailableMemoryFrom(reclaiming, "4:memory:/box\n", Files(kmem), 2048), files);
    // Where the list cannot be read, none of it counts.
    kmem.erase("/memory/box/memory.kmem.slabinfo");
    EXPECT_EQ(plat::AvailableMemoryFrom(reclaiming, "4:memory:/box\n", Files(kmem)), files);

    // A group that holds more than its limit can give nothing.
    const auto over = Files({{"/g/memory.max", "1048576"}, {"/g/memory.current", "2097152"}});
    EXPECT_EQ(plat::AvailableMemoryFrom(kMeminfo, "0::/g", over), 0u);
}

// Figures read in a 400 MB v1 group on a 6.18 kernel, first holding 200,000
// empty files on a tmpfs, then 300,000 folders made on an ext4 disk.
TEST(AvailableMemory, AGroupsTmpfsFilesAreNotFreeItsDiskFoldersAre) {
    const std::string meminfo =
        "MemAvailable: 20228620 kB\nSwapFree: 0 kB\nSlab: 392180 kB\nSReclaimable: 180604 kB\n"
        "KernelStack: 4880 kB\nPageTables: 16760 kB\n";
    const std::string box = "4:memory:/box\n";
    std::map<std::string, std::string> tmpfs = {
        {"/memory/box/memory.limit_in_bytes", "419430400\n"},
        {"/memory/box/memory.usage_in_bytes", "193306624\n"},
        {"/memory/box/memory.kmem.usage_in_bytes", "192266240\n"},
        {"/memory/box/memory.stat",
         "total_cache 90112\ntotal_shmem 0\ntotal_dirty 8192\ntotal_writeback 0\n"
         "total_inactive_file 77824\ntotal_active_file 12288\n"},
        // As a kernel that still lists a group's caches gives them (the counts
        // grew by these in /proc/slabinfo).
        {"/memory/box/memory.kmem.slabinfo",
         "shmem_inode_cache 200001 200004 752 21 4 : tunables 0 0 0 : slabdata 9524 9524 0\n"
         "dentry 200136 200151 192 21 1 : tunables 0 0 0 : slabdata 9531 9531 0\n"}};
    // Their 183 MB of inodes and entries cannot go: about 216 MB is free, and
    // a process could take 214 MB. (The machine's reclaimable share of the
    // group's kernel memory made it 281 MB, and taking 95 % of that was
    // killed.)
    const std::uint64_t room = 419430400 - 193306624 + (77824 + 12288 - 8192) / 2;
    EXPECT_EQ(plat::AvailableMemoryFrom(meminfo, box, Files(tmpfs)), room + 135 * 192 / 2);
    // This kernel lists none: the tmpfs files in sight stand for them.
    tmpfs["/memory/box/memory.kmem.slabinfo"] = "";
    EXPECT_EQ(plat::AvailableMemoryFrom(meminfo, box, Files(tmpfs), 200001 + 400), room);

    // On the disk, the folders' entries and inodes could go (a process could
    // then take 393 MB): between a third and a half of them counts, with half
    // the clean file pages, so that the same run can go again.
    const std::string disk =
        "MemAvailable: 20000000 kB\nSwapFree: 0 kB\nSlab: 268472 kB\nSReclaimable: 223340 kB\n"
        "KernelStack: 4900 kB\nPageTables: 14420 kB\n";
    const auto folders = Files(
        {{"/memory/box/memory.limit_in_bytes", "419430400\n"},
         {"/memory/box/memory.usage_in_bytes", std::to_string(395 * kMiB)},
         {"/memory/box/memory.kmem.usage_in_bytes", std::to_string(121 * kMiB)},
         {"/memory/box/memory.stat",
          "total_cache 287252480\ntotal_shmem 0\ntotal_dirty 40378368\ntotal_writeback 0\n"
          "total_inactive_file 4173824\ntotal_active_file 283078656\n"},
         {"/memory/box/memory.kmem.slabinfo", ""}});
    const std::uint64_t clean = 5 * kMiB + (4173824 + 283078656 - 40378368) / 2;
    const std::optional<std::uint64_t> answer = plat::AvailableMemoryFrom(disk, box, folders, 400);
    ASSERT_TRUE(answer);
    EXPECT_GE(*answer, clean + 121 * kMiB / 3);
    EXPECT_LE(*answer, clean + 121 * kMiB / 2);
}
