// One holder of a folder at a time; the folder is free again when its
// holder goes, also when the holder's process is killed. A lock that
// cannot be taken is never taken as free.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "platform/FolderLock.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"

using plat::FolderLock;
using Status = plat::FolderLock::Status;

TEST(FolderLock, OneHolderAtATimeUntilItsProcessEnds) {
    testsupport::TempDrive drive('L');
    drive.MakeFolder("prog");
    const std::string folder = drive.path("prog");
    {
        FolderLock first(folder);
        EXPECT_EQ(first.GetStatus(), Status::Held);
        EXPECT_EQ(FolderLock(folder).GetStatus(), Status::InUse);
    }
    EXPECT_EQ(FolderLock(folder).GetStatus(), Status::Held);
    EXPECT_EQ(FolderLock(drive.path("no such folder")).GetStatus(), Status::Unavailable);

    // Another process holds it until it is killed.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FolderLock held(folder);
        const char status = held.GetStatus() == Status::Held ? 'H' : '-';
        if (write(ready[1], &status, 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    close(ready[1]);
    char status = 0;
    ASSERT_EQ(read(ready[0], &status, 1), 1);
    close(ready[0]);
    EXPECT_EQ(status, 'H');
    EXPECT_EQ(FolderLock(folder).GetStatus(), Status::InUse);
    kill(child, SIGKILL);
    int code = 0;
    ASSERT_EQ(waitpid(child, &code, 0), child);
    EXPECT_EQ(FolderLock(folder).GetStatus(), Status::Held);
}

// A lock that cannot be taken says why and is never taken as free: what
// lies at the lock's name is not followed, opened as a FIFO or locked.
TEST(FolderLock, WhatIsNoLockFileAtItsNameLeavesItUnsure) {
    testsupport::TempDrive drive('L');
    drive.MakeFolder("prog");
    drive.MakeFolder("other");
    const std::string folder = drive.path("prog");
    const std::string lockFile = drive.nativePath("prog\\.qm-settings.lock");
    const std::string otherLock = drive.nativePath("other\\.qm-settings.lock");
    const auto reason = [&folder](const char* why) { return folder + "\\.qm-settings.lock : " + why; };

    ASSERT_EQ(mkdir(lockFile.c_str(), 0755), 0);
    {
        FolderLock lock(folder);
        EXPECT_EQ(lock.GetStatus(), Status::Unavailable);
        EXPECT_EQ(lock.GetReason(), reason("Is a directory"));
    }
    ASSERT_EQ(rmdir(lockFile.c_str()), 0);

    // A link, whether its target exists or not: the target is neither
    // made nor locked.
    ASSERT_EQ(symlink(otherLock.c_str(), lockFile.c_str()), 0);
    {
        FolderLock lock(folder);
        EXPECT_EQ(lock.GetStatus(), Status::Unavailable);
        EXPECT_EQ(lock.GetReason(), reason("Is a symbolic link"));
        EXPECT_FALSE(drive.Exists("other\\.qm-settings.lock"));
        FolderLock other(drive.path("other"));
        EXPECT_EQ(other.GetStatus(), Status::Held);
        EXPECT_EQ(FolderLock(folder).GetStatus(), Status::Unavailable);
    }
    ASSERT_EQ(unlink(lockFile.c_str()), 0);

    // A FIFO is not waited on.
    ASSERT_EQ(mkfifo(lockFile.c_str(), 0644), 0);
    {
        FolderLock lock(folder);
        EXPECT_EQ(lock.GetStatus(), Status::Unavailable);
        EXPECT_EQ(lock.GetReason(), reason("Not a regular file"));
    }
    ASSERT_EQ(unlink(lockFile.c_str()), 0);
    EXPECT_EQ(FolderLock(folder).GetStatus(), Status::Held);
    EXPECT_TRUE(FolderLock(folder).GetReason().empty());
}

// A folder its user may not write in: a lock file made there before locks
// through a read-only open; without one, the lock cannot be taken.
TEST(FolderLock, AFolderItsUserMayNotWriteIn) {
    testsupport::TempDrive drive('L');
    drive.MakeFolder("prog");
    const std::string folder = drive.path("prog");
    testsupport::OpenPathToEveryone(drive.native());
    ASSERT_EQ(chmod(drive.nativePath("prog").c_str(), 0555), 0);
    const std::string denied = folder + "\\.qm-settings.lock : " + std::generic_category().message(EACCES);
    EXPECT_EQ(testsupport::RunAsNobody([&] {
                  FolderLock lock(folder);
                  return lock.GetStatus() == Status::Unavailable && lock.GetReason() == denied ? 0 : 1;
              }),
              0);
    EXPECT_FALSE(drive.Exists("prog\\.qm-settings.lock"));
    // Made while the folder is open to its owner, and read-only: nobody
    // (or the ordinary user who runs the tests) may write it either.
    const std::string prog = drive.nativePath("prog");
    ASSERT_EQ(chmod(prog.c_str(), 0755), 0);
    drive.WriteFile("prog\\.qm-settings.lock", "");
    ASSERT_EQ(chmod((prog + "/.qm-settings.lock").c_str(), 0444), 0);
    ASSERT_EQ(chmod(prog.c_str(), 0555), 0);
    EXPECT_EQ(testsupport::RunAsNobody([&] { return FolderLock(folder).GetStatus() == Status::Held ? 0 : 1; }), 0);
    chmod(drive.nativePath("prog").c_str(), 0755);
}

// A process out of handles cannot open the lock file: unsure, not free.
TEST(FolderLock, NoHandlesLeftLeavesItUnsure) {
    testsupport::TempDrive drive('L');
    drive.MakeFolder("prog");
    const std::string folder = drive.path("prog");
    const std::string expected = folder + "\\.qm-settings.lock : " + std::generic_category().message(EMFILE);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const rlimit none{0, 0};
        if (setrlimit(RLIMIT_NOFILE, &none) != 0) _exit(2);
        FolderLock lock(folder);
        _exit(lock.GetStatus() == Status::Unavailable && lock.GetReason() == expected ? 0 : 1);
    }
    int code = -1;
    ASSERT_EQ(waitpid(child, &code, 0), child);
    ASSERT_TRUE(WIFEXITED(code));
    EXPECT_EQ(WEXITSTATUS(code), 0);
}

namespace {
int lockError = 0;
int interruptions = 0;
int FailingLock(int, int) {
    if (interruptions > 0) {
        --interruptions;
        errno = EINTR;
        return -1;
    }
    if (lockError == 0) return 0;
    errno = lockError;
    return -1;
}
}  // namespace

// A file system without locks (network, FUSE) answers the lock with an
// error of its own: unsure. Only "held by another" is InUse.
TEST(FolderLock, ALockTheFileSystemRefusesLeavesItUnsure) {
    testsupport::TempDrive drive('L');
    drive.MakeFolder("prog");
    const std::string folder = drive.path("prog");
    const FolderLock::LockCall previous = FolderLock::SetLockCall(FailingLock);
    for (const int error : {ENOLCK, EOPNOTSUPP, EBADF}) {
        lockError = error;
        FolderLock lock(folder);
        EXPECT_EQ(lock.GetStatus(), Status::Unavailable) << error;
        EXPECT_EQ(lock.GetReason(), folder + "\\.qm-settings.lock : " + std::generic_category().message(error));
    }
    lockError = EWOULDBLOCK;
    EXPECT_EQ(FolderLock(folder).GetStatus(), Status::InUse);
    lockError = 0;
    interruptions = 2;
    EXPECT_EQ(FolderLock(folder).GetStatus(), Status::Held);
    FolderLock::SetLockCall(previous);
    EXPECT_EQ(FolderLock(folder).GetStatus(), Status::Held);
}
