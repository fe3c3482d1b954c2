#include "platform/RunWorkers.h"

#include <sched.h>
#include <sys/vfs.h>

#include <algorithm>
#include <cerrno>
#include <thread>

#include "platform/FileSystem.h"
#include "platform/FileSystemInternal.h"

namespace plat {

namespace {

// statfs f_type values (linux/magic.h and the file systems' own headers).
constexpr std::uint64_t kTmpfs = 0x01021994, kRamfs = 0x858458f6;
constexpr std::uint64_t kFuse = 0x65735546;
constexpr std::uint64_t kRemote[] = {
    0x6969,      // NFS
    0x517B,      // SMB
    0xFF534D42,  // CIFS
    0xFE534D42,  // SMB2/3
    0x01021997,  // 9p
    0x00C36400,  // Ceph
    0x5346414F,  // AFS (kAFS)
    0x6B414653,  // AFS (OpenAFS)
    0x73757245,  // Coda
    0x0BD00BD0,  // Lustre
    0x01161970,  // GFS2
    0x7461636F,  // OCFS2
    0x47504653,  // GPFS
};

// Remote file systems: every thread mostly waits for an answer, so the
// cores do not count; 64 was the best measured (copy 35x against 23x at 32
// threads, look 42x against 25x; create and remove level off before).
constexpr unsigned kRemoteWorkers = kMostRunWorkers;
// Local disks: remove, copy and look gained from 8 threads on, nothing more
// above 16.
constexpr unsigned kDiskWorkers = 16;

}  // namespace

FsKind FsKindOf(std::uint64_t statfsType, const std::string& mountType) {
    if (statfsType == kTmpfs || statfsType == kRamfs) return FsKind::Memory;
    if (statfsType == kFuse) return mountType == "fuseblk" ? FsKind::LocalDisk : FsKind::Remote;
    if (std::find(std::begin(kRemote), std::end(kRemote), statfsType) != std::end(kRemote)) return FsKind::Remote;
    return FsKind::LocalDisk;
}

unsigned RunWorkerCountFor(FsKind kind, RunWork work, unsigned cores) {
    cores = std::max(1u, cores);
    // On a share such work gains nothing from more threads either, but one
    // thread beside the window's keeps the window answering while each
    // request takes its long while.
    if (work == RunWork::OneFolder) return kind == FsKind::Remote ? 2 : 1;
    switch (kind) {
    case FsKind::Remote:
        return kRemoteWorkers;
    case FsKind::Memory:
        return std::min(cores, kDiskWorkers);  // the cores do the work; more threads only take turns
    case FsKind::LocalDisk:
        if (work == RunWork::Make) return 1;
        return std::min(std::max(2u, 2 * cores), kDiskWorkers);
    }
    return 1;
}

unsigned UsableCores() {
    cpu_set_t set;
    CPU_ZERO(&set);
    if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
    return std::max(1u, std::thread::hardware_concurrency());
}

std::optional<FsKind> FsKindAt(const std::string& folder) {
    std::string native;
    if (!ToNative(folder, native)) return std::nullopt;
    struct statfs sfs {};
    for (;;) {
        if (statfs(native.c_str(), &sfs) == 0) break;
        if ((errno != ENOENT && errno != ENOTDIR) || native == "/" || native.empty()) return std::nullopt;
        const std::size_t slash = native.rfind('/');
        native = slash == 0 || slash == std::string::npos ? std::string("/") : native.substr(0, slash);
    }
    const auto type = static_cast<std::uint64_t>(static_cast<std::uint32_t>(sfs.f_type));
    const std::string mountType = type == kFuse ? detail::MountTypeOf(native) : std::string();
    return FsKindOf(type, mountType);
}

unsigned RunWorkerCount(const std::string& folder, RunWork work) {
    const std::optional<FsKind> kind = FsKindAt(folder);
    return kind ? RunWorkerCountFor(*kind, work, UsableCores()) : 1;
}

}  // namespace plat
