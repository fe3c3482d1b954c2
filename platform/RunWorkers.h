// How many items of a run work at once: from the file system that holds the
// run's destination and the number of cores. Nothing for the user to set.
//
// Measured with bare loops of the run's calls (bench/core_pool_bench.cpp),
// one main folder per thread at a time, against the same loop alone:
//   - a file system that answers each request after a delay (a network share,
//     most FUSE file systems) gains with many requests in flight: at 1 ms
//     create 6x (the main folders of one destination are made one after
//     another, whatever the pool), remove 27x, copy 35x with 64 threads;
//     at 0.2 ms 4x, 15x, 24x;
//   - memory (tmpfs) is bound by the cores: gains level off at their number;
//   - a local disk gains on remove and copy (about 5x with 8 to 16 threads)
//     but creating folders goes either way with the state of the journal
//     (0.4x to 2x in one session): there, folders are made one at a time.
#pragma once

#include <cstdint>
#include <string>

namespace plat {

enum class FsKind {
    LocalDisk,  // block devices: ext4, xfs, btrfs, fuseblk (ntfs-3g) ...; also what is not known
    Memory,     // tmpfs, ramfs
    Remote,     // NFS, SMB/CIFS, 9p, Ceph, AFS ... and FUSE file systems without a block device
};

// What a run does to the destination.
enum class RunWork {
    Look,    // reads only: checks and simulations
    Make,    // makes folders (with folders below them)
    Copy,    // writes files (and makes their folders)
    Remove,  // removes files and folders
    // Every item only makes, removes or renames entries of one and the same
    // folder (main folders with nothing attached, renames in one folder):
    // the kernel takes that folder's lock for each, so nothing overlaps.
    OneFolder,
};

// The kind of file system with this statfs type; `mountType` is the mount
// table's type, which tells a FUSE file system on a block device
// ("fuseblk") from one over a network.
FsKind FsKindOf(std::uint64_t statfsType, const std::string& mountType = std::string());

// The rule, for the given kind and cores.
unsigned RunWorkerCountFor(FsKind kind, RunWork work, unsigned cores);

// For a run whose destination is `folder` (drive form; the nearest existing
// folder above it when it does not exist yet): 1 when the file system
// cannot be asked.
unsigned RunWorkerCount(const std::string& folder, RunWork work);

// The cores this process may run on.
unsigned UsableCores();

}  // namespace plat
