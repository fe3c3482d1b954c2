// How many items of a run work at once: from the file system that holds the
// run's destination and the number of cores. Nothing for the user to set.
//
// Measured with bare loops of the run's calls (bench/core_pool_bench.cpp),
// each thread taking whole main folders, against the same loop alone
// (best ratio over pool sizes 2 to 64; 8 cores, shared with other work):
//                   create  flat  remove  copy  look
//   latfs 1 ms       6x     1x    27x     35x   42x   (64 threads; create
//   latfs 0.2 ms     4x     1x    15x     24x   13x    levels off at 8-16)
//   tmpfs            2x     1x    5x      2x    3x    (levels off at the cores)
//   ext4 (vda)     0.4-2.6x 1x    5-14x   1-1.5x 4x   (8 to 16 threads)
// "flat" makes main folders alone, all in one folder: the kernel takes that
// folder's lock for each entry, so no pool helps on any file system.
// Creating folders on the local disk went below one at a time in one
// session of two (the journal): there, folders are made one at a time.
#pragma once

#include <cstdint>
#include <optional>
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
    // the kernel takes that folder's lock for each, so nothing overlaps
    // (on a share one thread still works beside the window's).
    OneFolder,
};

// The most workers any run gets (a remote file system's).
inline constexpr unsigned kMostRunWorkers = 64;

// The kind of file system with this statfs type; `mountType` is the mount
// table's type, which tells a FUSE file system on a block device
// ("fuseblk") from one over a network.
FsKind FsKindOf(std::uint64_t statfsType, const std::string& mountType = std::string());

// The rule, for the given kind and cores.
unsigned RunWorkerCountFor(FsKind kind, RunWork work, unsigned cores);

// The kind of file system that holds `folder` (drive form; the nearest
// existing folder above it when it does not exist yet); none when it
// cannot be asked.
std::optional<FsKind> FsKindAt(const std::string& folder);

// For a run whose destination is `folder`: 1 when the file system cannot
// be asked.
unsigned RunWorkerCount(const std::string& folder, RunWork work);

// The cores this process may run on.
unsigned UsableCores();

}  // namespace plat
