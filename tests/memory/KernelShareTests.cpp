// What the kernel keeps of a run's new entries on a tmpfs, as the weight
// costs it (InMemoryWeight), against what the kernel spends: a child makes
// N entries of one kind on a tmpfs of its own, in a memory group of its
// own, and reads the group's kernel memory and its tmpfs pages before and
// after. N is just past a power of two.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "pages/RunMemory.h"
#include "platform/Memory.h"
#include "tests/support/MountNamespace.h"
#include "tests/support/TempDrive.h"

namespace {

// This process's own v1 memory group, where the kernel keeps one (empty: none).
std::string OwnMemoryGroup() {
    std::ifstream in("/proc/self/cgroup");
    for (std::string line; std::getline(in, line);) {
        const std::size_t a = line.find(':'), b = line.find(':', a + 1);
        if (a == std::string::npos || b == std::string::npos) continue;
        std::stringstream controllers(line.substr(a + 1, b - a - 1));
        for (std::string c; std::getline(controllers, c, ',');)
            if (c == "memory") {
                const std::string group = "/sys/fs/cgroup/memory" + line.substr(b + 1);
                return std::filesystem::is_regular_file(group + "/memory.kmem.usage_in_bytes") ? group : "";
            }
    }
    return "";
}

double Number(const std::string& file) {
    double n = -1;
    std::ifstream(file) >> n;
    return n;
}

// A field of a group's memory.stat.
double Stat(const std::string& group, const std::string& key) {
    std::ifstream in(group + "/memory.stat");
    std::string name;
    for (double n = 0; in >> name >> n;)
        if (name == key) return n;
    return -1;
}

enum class Kind { EmptyFile, Folder, File };

struct Spent {
    double kernel = 0, pages = 0;  // the group's kernel memory, and its tmpfs pages
    double weight = 0;             // InMemoryWeight of the entries
};

// What `n` entries of `kind` (files of `size` bytes) cost the kernel on a
// tmpfs (or on the disk, the group limiting), made by a child in a memory
// group of its own below `parent`.
Spent Spend(const std::string& parent, Kind kind, long n, std::size_t size, bool disk = false) {
    const testsupport::TempDrive drive('K');
    const std::string group = parent + "/kernel-share-" + std::to_string(getpid());
    const std::string report = drive.nativePath("spent");
    EXPECT_EQ(mkdir(group.c_str(), 0755), 0) << group;
    const testsupport::MountChild child = testsupport::InOwnMountNamespace([&] {
        drive.MakeFolder("T");
        if (mount("tmpfs", drive.nativePath("T").c_str(), "tmpfs", 0, "size=1g") != 0)
            testsupport::CannotMount("a tmpfs for the entries");
        // Beside it on the disk, nothing is the kernel's to keep: each
        // destination weighed by its own file system.
        plat::SetMemoryGroupLimitsHandler([] { return false; });
        if (InMemoryWeight({drive.path("")}, 1, 0) != 0 ||
            InMemoryWeight({drive.path("T"), drive.path("")}, 2, 2 * kPageBytes) != kInMemoryEntry + kPageBytes)
            return 2;
        plat::SetMemoryGroupLimitsHandler({});  // the group's own answer, from here
        drive.MakeFolder("D");
        if (disk) std::ofstream(group + "/memory.limit_in_bytes") << (std::uint64_t{2} << 30) << std::flush;
        std::ofstream(group + "/cgroup.procs") << getpid() << std::flush;
        if (disk && !plat::MemoryGroupLimits()) return 3;
        const std::string content(size, 'x');
        const std::string at = drive.nativePath(disk ? "D" : "T") + "/An entry of the kernel's share no ";
        const double kernel = Number(group + "/memory.kmem.usage_in_bytes"), pages = Stat(group, "shmem");
        for (long i = 0; i < n; ++i) {
            const std::string path = at + std::to_string(i);
            if (kind == Kind::Folder)
                mkdir(path.c_str(), 0755);
            else
                std::ofstream(path) << content;
        }
        std::ofstream(report) << Number(group + "/memory.kmem.usage_in_bytes") - kernel << ' '
                              << Stat(group, "shmem") - pages << ' '
                              << InMemoryWeight({drive.path(disk ? "D" : "T")}, static_cast<double>(n),
                                                static_cast<double>(n) * InMemoryFileBytes(size));
        return 0;
    });
    // The tmpfs went with the child's namespace: the group holds nothing.
    rmdir(group.c_str());
    EXPECT_TRUE(child.mounted) << child.why;
    EXPECT_EQ(child.code, 0) << "2: entries on the disk weighed; 3: the group's limit misread";
    Spent spent;
    std::ifstream(report) >> spent.kernel >> spent.pages >> spent.weight;
    return spent;
}

TEST(KernelShare, EachEntryAndPageOnATmpfsCostsWhatTheKernelSpends) {
    if (geteuid() != 0) GTEST_SKIP() << "a memory group of the test's own needs root";
    const std::string parent = OwnMemoryGroup();
    if (parent.empty()) GTEST_SKIP() << "no v1 memory group that counts kernel memory holds this process";
    struct Case {
        const char* name;
        Kind kind;
        long n;
        std::size_t size;
    };
    const long n = (1L << 14) + 1;
    // Files of one page; of two, and a node indexing them; of 66, and three.
    for (const Case& c : {Case{"empty file", Kind::EmptyFile, n, 0}, Case{"folder", Kind::Folder, n, 0},
                          Case{"file of 1 byte", Kind::File, n, 1}, Case{"file of 5,000 bytes", Kind::File, n, 5000},
                          Case{"file of 66 pages", Kind::File, (1L << 10) + 1, 65 * 4096 + 1}}) {
        SCOPED_TRACE(c.name);
        const Spent spent = Spend(parent, c.kind, c.n, c.size);
        const double each = static_cast<double>(c.n);
        // The pages are whole, one for each 4 KiB begun: the rest is the kernel's own.
        const double pages = each * static_cast<double>((c.size + 4095) / 4096) * kPageBytes;
        const double kernel = spent.weight - pages;
        std::printf("%-20s n %6ld: kernel %6.0f B and pages %7.0f B each; weighed %6.0f B beside the pages: %.3f\n",
                    c.name, c.n, spent.kernel / each, spent.pages / each, kernel / each, spent.kernel / kernel);
        EXPECT_NEAR(spent.pages, pages, 0.01 * pages + 64 * 4096);
        EXPECT_LE(spent.kernel + spent.pages, spent.weight);
        EXPECT_LE(spent.kernel, kernel);
        EXPECT_GE(spent.kernel, 0.85 * kernel);
    }
}


// On a disk, where a memory group limits the program, the group pays for
// each new entry until the disk has it: empty files and folders.
TEST(KernelShare, EachEntryOnADiskCostsWhatItsLimitingGroupSpends) {
    if (geteuid() != 0) GTEST_SKIP() << "a memory group of the test's own needs root";
    const std::string parent = OwnMemoryGroup();
    if (parent.empty()) GTEST_SKIP() << "no v1 memory group that counts kernel memory holds this process";
    const long n = (1L << 14) + 1;
    for (const Kind kind : {Kind::EmptyFile, Kind::Folder}) {
        const Spent spent = Spend(parent, kind, n, 0, true);
        std::printf("%-12s on a disk: %5.0f B each, weighed %5.0f B: %.3f\n", kind == Kind::Folder ? "folder" : "empty file",
                    spent.kernel / n, spent.weight / n, spent.kernel / spent.weight);
        EXPECT_LE(spent.kernel, spent.weight);
        EXPECT_GE(spent.kernel, 0.85 * spent.weight);
    }
}

}  // namespace
