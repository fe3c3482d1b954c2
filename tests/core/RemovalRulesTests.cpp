// What the delete pages remove: a file goes without its mode being touched
// (a hard link elsewhere keeps its bits), the read-only option only decides
// whether a file without its write bit is taken, and a folder that must be
// emptied gets its write bit for that and back when it stays. The dry disk
// answers as the real one and changes nothing.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "core/RemovalRules.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"

using plat::EntryKind;
using plat::FsResult;
namespace fs = std::filesystem;

namespace {

std::uint32_t ModeOf(const std::string& native) {
    struct stat st {};
    return lstat(native.c_str(), &st) == 0 ? st.st_mode & 07777 : 07777;
}

class RemovalRules : public ::testing::Test {
protected:
    testsupport::TempDrive d{'T'};
    plat::Beneath base;
    RealDisk real;
    DryDisk dry;

    void SetUp() override {
        d.WriteFile("Main\\ro.txt", "read-only");
        d.WriteFile("Main\\rw.txt", "writable");
        d.MakeFolder("Elsewhere");
        // The same file under a second name outside the folder being emptied.
        ASSERT_EQ(link(d.nativePath("Main\\ro.txt").c_str(), d.nativePath("Elsewhere\\ro.txt").c_str()), 0);
        chmod(d.nativePath("Main\\ro.txt").c_str(), 0444);
        fs::create_symlink(d.nativePath("Main\\ro.txt"), d.nativePath("Main\\alias"));
        ASSERT_EQ(base.Open(d.path("Main")), FsResult::Ok);
    }
    std::string M(const std::string& name) const { return d.path("Main\\" + name); }
};

}  // namespace

TEST_F(RemovalRules, ReadOnlyFilesGoOnlyWhenAskedAndNoModeEverChanges) {
    for (RunDisk* disk : {static_cast<RunDisk*>(&dry), static_cast<RunDisk*>(&real)}) {
        SCOPED_TRACE(disk->IsDry() ? "dry" : "real");
        EXPECT_EQ(RemoveTakenFile(*disk, base, M("ro.txt"), EntryKind::File, false), FsResult::Failed);
        EXPECT_EQ(RemoveTakenFile(*disk, base, M("gone.txt"), EntryKind::File, false), FsResult::NotFound);
        EXPECT_EQ(RemoveTakenFile(*disk, base, M("gone.txt"), EntryKind::File, true), FsResult::NotFound);
        // A link goes as the entry it is, whatever its target's mode.
        EXPECT_EQ(RemoveTakenFile(*disk, base, M("alias"), EntryKind::Link, false), FsResult::Ok);
        EXPECT_EQ(RemoveTakenFile(*disk, base, M("rw.txt"), EntryKind::File, false), FsResult::Ok);
        EXPECT_EQ(RemoveTakenFile(*disk, base, M("ro.txt"), EntryKind::File, true), FsResult::Ok);
        EXPECT_EQ(ModeOf(d.nativePath("Elsewhere\\ro.txt")), 0444u);
        EXPECT_EQ(d.Exists("Main\\ro.txt"), disk->IsDry());
    }
    EXPECT_FALSE(d.Exists("Main\\rw.txt"));
    EXPECT_EQ(d.ReadFile("Elsewhere\\ro.txt"), "read-only");
}

// As an ordinary user nothing in a folder without its write bit can go: the
// folder gets the bit only when read-only entries are taken, and gets its
// old mode back when it stays.
TEST_F(RemovalRules, AFolderToEmptyGetsItsWriteBitBackWhenItStays) {
    d.WriteFile("Main\\Locked\\a.txt", "a");
    d.MakeFolder("Main\\Gone");
    chmod(d.nativePath("Main\\Locked").c_str(), 0555);
    chmod(d.nativePath("Main\\Gone").c_str(), 0555);
    testsupport::OpenPathToEveryone(d.native());
    testsupport::GiveToNobody(d.nativePath("Main"));
    const int code = testsupport::RunAsNobody([&] {
        for (const bool readOnlyToo : {false, true}) {
            DryDisk dryDisk;
            RealDisk realDisk;
            for (RunDisk* disk : {static_cast<RunDisk*>(&dryDisk), static_cast<RunDisk*>(&realDisk)}) {
                const int at = (readOnlyToo ? 20 : 10) + (disk->IsDry() ? 0 : 5);
                FolderToEmpty folder(*disk, base, M("Locked"), readOnlyToo);
                if (folder.Writable() != readOnlyToo) return at + 1;
                const FsResult r = RemoveTakenFile(*disk, base, M("Locked\\a.txt"), EntryKind::File, true);
                if ((r == FsResult::Ok) != readOnlyToo) return at + 2;
                folder.GiveBack();
                if (ModeOf(d.nativePath("Main\\Locked")) != 0555) return at + 3;
            }
        }
        // A folder removed after its emptying is given nothing back.
        RealDisk realDisk;
        {
            FolderToEmpty gone(realDisk, base, M("Gone"), true);
            if (realDisk.RemoveFolder(base, M("Gone")) != FsResult::Ok) return 31;
        }
        return d.Exists("Main\\Gone") ? 32 : 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(d.Exists("Main\\Locked\\a.txt"));
}
