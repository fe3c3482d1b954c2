// What an odd path or an odd file system must never make the layer do.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/FileSystem.h"
#include "tests/support/TempDrive.h"

using namespace plat;
using testsupport::TempDrive;
namespace fs = std::filesystem;

TEST(FileSystemSafety, EmptyAndNetworkPathsNameNothing) {
    TempDrive d('T');
    d.MakeFolder("cwd");
    const fs::path before = fs::current_path();
    ASSERT_EQ(chdir(d.nativePath("cwd").c_str()), 0);
    std::string native;
    EXPECT_FALSE(ToNative("", native));
    // Acting on "" used to act on the current directory.
    EXPECT_NE(RemoveFolder(""), FsResult::Ok);
    EXPECT_FALSE(MoveToTrash(""));
    EXPECT_TRUE(d.Exists("cwd"));
    // \\server\share is no folder of the current drive.
    EXPECT_FALSE(ToNative("\\\\cwd\\share\\x", native));
    EXPECT_FALSE(ToNative("//cwd", native));
    EXPECT_TRUE(ToNative("\\cwd", native));  // one backslash: the current drive's root
    fs::current_path(before);
}

TEST(FileSystemSafety, NamesEndingInDotOrBlankAreNeverTakenForAnother) {
    TempDrive d('T');
    d.WriteFile("d/x", "plain");
    d.WriteFile("d/x.", "dot");
    d.WriteFile("d/y ", "blank");
    d.WriteFile("d/ lead", "kept");
    std::vector<DirEntry> entries;
    std::size_t untranslatable = 0;
    ASSERT_TRUE(ListFolder(d.path("d"), entries, &untranslatable));
    ASSERT_EQ(entries.size(), 2u);  // "x." would be read back as "x"
    EXPECT_EQ(entries[0].name, " lead");
    EXPECT_EQ(entries[1].name, "x");
    EXPECT_EQ(untranslatable, 2u);

    std::string path;
    EXPECT_FALSE(FromNative(d.nativePath("d") + "/x.", path));
    EXPECT_FALSE(FromNative(d.nativePath("d") + "/y /z", path));
    ASSERT_TRUE(FromNative(d.nativePath("d") + "/ lead", path));
    EXPECT_EQ(path, "T:\\d\\ lead");
    // Only the names below the drive's root count.
    d.MakeFolder("root.");
    MapDrive('U', d.nativePath("root."));
    EXPECT_TRUE(FromNative(d.nativePath("root.") + "/a", path));
    EXPECT_EQ(path, "U:\\a");
    UnmapDrive('U');
}

TEST(FileSystemSafety, CopyNeverOpensASpecialFile) {
    TempDrive d('T');
    d.MakeFolder("dst");
    ASSERT_EQ(mkfifo(d.nativePath("pipe").c_str(), 0600), 0);
    const int watch = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(inotify_add_watch(watch, d.nativePath("pipe").c_str(), IN_OPEN), 0);
    EXPECT_EQ(CopyFileNoOverwrite(d.path("pipe"), d.path("dst\\pipe")), FsResult::Failed);
    char events[256];
    EXPECT_LT(read(watch, events, sizeof events), 0) << "the FIFO was opened";
    close(watch);
    EXPECT_TRUE(fs::is_empty(d.nativePath("dst")));
}

TEST(FileSystemSafety, TrashNeverTakesAWholeDrive) {
    TempDrive d('U');
    d.WriteFile("a.txt", "x");
    EXPECT_FALSE(MoveToTrash("U:\\"));
    EXPECT_FALSE(MoveToTrash("u:"));
    EXPECT_FALSE(MoveToTrash("U:\\\\"));
    EXPECT_TRUE(fs::exists(d.native()));
    EXPECT_TRUE(d.Exists("a.txt"));
}
