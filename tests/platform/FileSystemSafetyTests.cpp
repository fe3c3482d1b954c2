// What an odd path or an odd file system must never make the layer do.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

// A name is this system's name, byte for byte: each twin translates to
// itself both ways and is listed as itself; a name the drive form cannot
// say is listed apart, by its name, never dropped or taken for another.
TEST(FileSystemSafety, EveryNameRoundTripsByteForByte) {
    TempDrive d('T');
    const std::vector<std::string> twins = {"proj", "proj.", "proj .", "proj..", "a b. ", "Proj", " lead", ". x"};
    for (const std::string& name : twins) {
        d.MakeFolder("d/" + name + "/" + name);
        const std::string drive = "T:\\d\\" + name + "\\" + name, native = d.nativePath("d") + "/" + name + "/" + name;
        std::string there, back;
        ASSERT_TRUE(ToNative(drive, there)) << name;
        EXPECT_EQ(there, native) << name;
        ASSERT_TRUE(FromNative(native, back)) << name;
        EXPECT_EQ(back, drive) << name;
        EXPECT_TRUE(FolderExists(drive)) << name;
    }
    for (const std::string odd : {"back\\slash", "co:lon", "..."}) std::ofstream(d.nativePath("d") + "/" + odd) << "x";
    std::vector<DirEntry> entries, unsayable;
    ASSERT_TRUE(ListFolder(d.path("d"), entries, &unsayable));
    std::vector<std::string> listed, apart;
    for (const DirEntry& e : entries) listed.push_back(e.name);
    for (const DirEntry& e : unsayable) apart.push_back(e.name);
    std::vector<std::string> sorted = twins;
    std::sort(sorted.begin(), sorted.end());
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, sorted);
    EXPECT_EQ(apart, (std::vector<std::string>{"...", "back\\slash", "co:lon"}));

    std::string path;
    for (const char* refused : {"T:\\d\\...", "T:\\d\\..\\d", "T:\\d\\.", "T:\\d\\x\\..."}) EXPECT_FALSE(ToNative(refused, path)) << refused;
    EXPECT_FALSE(FromNative(d.nativePath("d") + "/...", path));
    EXPECT_FALSE(FromNative(d.nativePath("d") + "/co:lon", path));
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
