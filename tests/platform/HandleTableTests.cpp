// Workers with a table of handles of their own: a base is used only where
// its handle names it, and letting it go never closes another table's
// handle of the same number.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/Beneath.h"
#include "platform/HandleTable.h"
#include "tests/support/TempDrive.h"

using namespace plat;
using testsupport::TempDrive;

namespace {

#if defined(__SANITIZE_THREAD__)

// The sanitizer follows handles by number across the process: there the
// workers keep the process's table, and what one opens is used anywhere.
TEST(HandleTable, WorkersKeepTheProcesssTableUnderThreadSanitizer) {
    TempDrive d;
    d.MakeFolder("W");
    Beneath made;
    bool own = true;
    std::thread([&] {
        own = OwnHandleTable();
        ASSERT_EQ(made.Open(d.path("W")), FsResult::Ok);
    }).join();
    EXPECT_FALSE(own);
    EXPECT_TRUE(made.UsableHere());
    EXPECT_EQ(made.MakeFolder(d.path("W\\here")), FsResult::Ok);
}

#else

// Runs `f` on a new thread with its own table of handles.
void OnOwnTable(const std::function<void()>& f) {
    std::thread([&] {
        OwnHandleTable();
        f();
    }).join();
}

// The highest handle number open on this thread's table.
int HighestHandle() {
    int high = -1;
    for (const auto& e : std::filesystem::directory_iterator("/proc/thread-self/fd"))
        high = std::max(high, std::atoi(e.path().filename().c_str()));
    return high;
}

TEST(HandleTable, ABaseOfAWorkersTableFailsElsewhereAndLeavesTheOtherTablesHandles) {
    TempDrive d;
    d.MakeFolder("W");
    Beneath made;
    int high = -1;
    std::thread worker;
    // The worker opens a base on its table, uses it, and keeps its table
    // alive (as a run's worker does) while the base is used and let go here.
    bool opened = false, release = false;
    std::mutex m;
    std::condition_variable cv;
    worker = std::thread([&] {
        OwnHandleTable();
        Beneath b;
        const bool ok = b.Open(d.path("W")) == FsResult::Ok && b.MakeFolder(d.path("W\\on worker")) == FsResult::Ok;
        std::unique_lock lock(m);
        made = std::move(b);
        opened = ok;
        high = HighestHandle();
        cv.notify_all();
        cv.wait(lock, [&] { return release; });
    });
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return high >= 0; });
    }
    ASSERT_TRUE(opened);
    EXPECT_TRUE(d.Exists("W\\on worker"));
    // Every number the worker's handles have is taken here by another file.
    std::vector<int> fillers;
    const int devnull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    ASSERT_GE(devnull, 0);
    for (int n = 3; n <= high; ++n)
        if (fcntl(n, F_GETFD) == -1 && dup2(devnull, n) == n) fillers.push_back(n);
    EXPECT_TRUE(made.IsOpen());
    EXPECT_FALSE(made.UsableHere());
    EXPECT_EQ(made.MakeFolder(d.path("W\\on main")), FsResult::Failed);
    EXPECT_FALSE(d.Exists("W\\on main"));
    EntryInfo info;
    EXPECT_EQ(made.Look(d.path("W"), info), FsResult::Failed);
    EXPECT_EQ(made.RealNative(), "");
    EXPECT_FALSE(made.Twin().IsOpen());
    made.Close();
    for (int n = 3; n <= high; ++n) EXPECT_NE(fcntl(n, F_GETFD), -1) << "handle " << n << " was closed";
    {
        std::lock_guard lock(m);
        release = true;
    }
    cv.notify_all();
    worker.join();
    for (const int n : fillers) close(n);
    close(devnull);
}

TEST(HandleTable, AWorkerUsesTheBasesOpenedBeforeItsTableAndItsOwn) {
    TempDrive d;
    d.MakeFolder("Before\\deep\\er");
    d.MakeFolder("After");
    d.WriteFile("Before\\deep\\er\\f.txt", "x");
    Beneath before, after;
    ASSERT_EQ(before.Open(d.path("Before")), FsResult::Ok);
    EntryInfo info;
    // Folders held on this table before the base goes to the worker.
    ASSERT_EQ(before.Look(d.path("Before\\deep\\er\\f.txt"), info), FsResult::Ok);
    bool beforeUsable = false, afterUsable = true;
    FsResult made = FsResult::Failed, madeAfter = FsResult::Ok, mode = FsResult::Failed;
    std::string real;
    std::mutex m;
    std::condition_variable cv;
    int step = 0;
    std::thread worker([&] {
        OwnHandleTable();
        std::unique_lock lock(m);
        step = 1;
        cv.notify_all();
        cv.wait(lock, [&] { return step == 2; });
        beforeUsable = before.UsableHere();
        made = before.MakeFolder(d.path("Before\\deep\\er\\w"));
        mode = before.SetMode(d.path("Before\\deep\\er\\f.txt"), 0640);
        real = before.RealNative();
        afterUsable = after.UsableHere();
        madeAfter = after.MakeFolder(d.path("After\\w"));
        step = 3;
        cv.notify_all();
    });
    {
        std::unique_lock lock(m);
        cv.wait(lock, [&] { return step == 1; });
        // Opened after the worker's table was copied: not in it.
        ASSERT_EQ(after.Open(d.path("After")), FsResult::Ok);
        step = 2;
        cv.notify_all();
        cv.wait(lock, [&] { return step == 3; });
    }
    worker.join();
    EXPECT_TRUE(beforeUsable);
    EXPECT_EQ(made, FsResult::Ok);
    EXPECT_EQ(mode, FsResult::Ok);
    struct stat st {};
    ASSERT_EQ(stat(d.nativePath("Before\\deep\\er\\f.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(real, std::filesystem::canonical(d.nativePath("Before")).string());
    EXPECT_FALSE(afterUsable);
    EXPECT_EQ(madeAfter, FsResult::Failed);
    EXPECT_FALSE(d.Exists("After\\w"));
    // Back here the base works again, its folders held anew on this table;
    // a Twin made on a worker from it is the worker's.
    EXPECT_EQ(before.MakeFolder(d.path("Before\\deep\\er\\m")), FsResult::Ok);
    EXPECT_EQ(after.MakeFolder(d.path("After\\m")), FsResult::Ok);
    Beneath twin;
    OnOwnTable([&] {
        twin = before.Twin();
        EXPECT_TRUE(twin.UsableHere());
        EXPECT_EQ(twin.MakeFolder(d.path("Before\\t")), FsResult::Ok);
    });
    EXPECT_TRUE(d.Exists("Before\\t"));
    EXPECT_FALSE(twin.UsableHere());
}

#endif

}  // namespace
