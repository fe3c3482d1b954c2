#include <gtest/gtest.h>

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/RunWorkers.h"

namespace {

using plat::FsKind;
using plat::RunWork;

TEST(RunWorkers, KindsFromTheFileSystemType) {
    EXPECT_EQ(plat::FsKindOf(0x01021994), FsKind::Memory);  // tmpfs
    EXPECT_EQ(plat::FsKindOf(0xEF53), FsKind::LocalDisk);   // ext4
    EXPECT_EQ(plat::FsKindOf(0x6969), FsKind::Remote);      // NFS
    EXPECT_EQ(plat::FsKindOf(0xFE534D42), FsKind::Remote);  // SMB
    // FUSE: a block device's (ntfs-3g) is a local disk, the others wait on a server.
    EXPECT_EQ(plat::FsKindOf(0x65735546, "fuseblk"), FsKind::LocalDisk);
    EXPECT_EQ(plat::FsKindOf(0x65735546, "fuse.sshfs"), FsKind::Remote);
    EXPECT_EQ(plat::FsKindOf(0x12345678), FsKind::LocalDisk);  // not known
}

TEST(RunWorkers, OneAtATimeWhereOverlappingDoesNotPay) {
    for (unsigned cores : {1u, 6u, 64u}) {
        EXPECT_EQ(plat::RunWorkerCountFor(FsKind::LocalDisk, RunWork::Make, cores), 1u);
        EXPECT_EQ(plat::RunWorkerCountFor(FsKind::Remote, RunWork::Make, cores), 64u);
        for (RunWork w : {RunWork::Look, RunWork::Make, RunWork::Copy, RunWork::Remove, RunWork::OneFolder}) {
            const unsigned memory = plat::RunWorkerCountFor(FsKind::Memory, w, cores);
            EXPECT_GE(memory, 1u);
            EXPECT_LE(memory, cores);  // threads beyond the cores only take turns
        }
    }
    EXPECT_GT(plat::RunWorkerCountFor(FsKind::LocalDisk, RunWork::Remove, 1), 1u);
    // Entries of one folder are made one at a time by the kernel, on every
    // file system; on a share by one thread beside the window's.
    for (FsKind k : {FsKind::LocalDisk, FsKind::Memory})
        EXPECT_EQ(plat::RunWorkerCountFor(k, RunWork::OneFolder, 8), 1u);
    EXPECT_EQ(plat::RunWorkerCountFor(FsKind::Remote, RunWork::OneFolder, 8), 2u);
}

TEST(RunWorkers, AskedOfTheNearestExistingFolder) {
    // procfs is no disk the rule knows: taken as a local disk.
    EXPECT_EQ(plat::RunWorkerCount("C:\\proc\\not there\\either", RunWork::Make), 1u);
    EXPECT_EQ(plat::RunWorkerCount("C:\\proc", RunWork::Remove),
              plat::RunWorkerCountFor(FsKind::LocalDisk, RunWork::Remove, plat::UsableCores()));
    EXPECT_EQ(plat::RunWorkerCount("\\\\server\\share\\x", RunWork::Copy), 1u);  // cannot be asked
    EXPECT_EQ(plat::RunWorkerCount("Q:\\unmapped", RunWork::Copy), 1u);
}

}  // namespace
