// One holder of a folder at a time; the folder is free again when its
// holder goes, also when the holder's process is killed.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/FolderLock.h"
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
