// The undo's bases: recorded once per folder, found again only as the very
// folder the run worked beneath.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/UndoToolkit.h"
#include "tests/support/TempDrive.h"

namespace {

plat::Beneath Opened(const std::string& path) {
    plat::Beneath base;
    base.Open(path);
    return base;
}

TEST(UndoBases, EachFolderIsRecordedOnceAndFoundAgainOnlyAsItself) {
    testsupport::TempDrive drive;
    drive.MakeFolder("A");
    drive.MakeFolder("B");
    VEC_UNDO_BASES bases{{"X:\\earlier", {1, 2}}};  // a base an earlier run kept
    UndoBaseIndex index(bases);
    EXPECT_EQ(index.IndexOf(Opened(drive.path("A"))), 1u);
    EXPECT_EQ(index.IndexOf(Opened(drive.path("B"))), 2u);
    EXPECT_EQ(index.IndexOf(Opened(drive.path("A"))), 1u);
    EXPECT_EQ(UndoBaseIndex(bases).IndexOf(Opened(drive.path("B"))), 2u);  // a later run finds it too

    // A path that names another folder now is another base.
    std::filesystem::rename(drive.nativePath("A"), drive.nativePath("Old"));
    drive.MakeFolder("A");
    EXPECT_EQ(index.IndexOf(Opened(drive.path("A"))), 3u);
    ASSERT_EQ(bases.size(), 4u);

    UndoBaseOpener opener(bases);
    EXPECT_EQ(opener.Get(0), nullptr);  // gone
    EXPECT_EQ(opener.Get(1), nullptr);  // another folder stands at its path
    ASSERT_NE(opener.Get(2), nullptr);
    EXPECT_EQ(opener.Get(2)->Identity(), bases[2].Id);
    EXPECT_NE(opener.Fresh(3), nullptr);
    EXPECT_EQ(opener.Get(9), nullptr);  // no such record
}

// A recorded file goes only as the run left it (or as this undo put it
// back); what it finds instead says why it stays.
TEST(UndoToolkit, RemovesAFileOnlyAsItWasLeft) {
    testsupport::TempDrive drive;
    drive.WriteFile("same.txt", "run");
    drive.WriteFile("other.txt", "run");
    drive.WriteFile("mine.txt", "run");
    plat::Beneath base = Opened(drive.path(""));
    plat::EntryInfo info;
    auto stampOf = [&](const std::string& name) {
        base.Look(drive.path(name), info);
        return info.Stamp();
    };
    const plat::FileStamp same = stampOf("same.txt");
    const plat::FileStamp other = stampOf("other.txt");
    const plat::FileStamp mine = stampOf("mine.txt");
    drive.WriteFile("other.txt", "user's");  // rewritten since

    EXPECT_EQ(RemoveFileAsLeft(&base, drive.path("other.txt"), &other), AsLeft::Changed);
    EXPECT_EQ(RemoveFileAsLeft(&base, drive.path("gone.txt"), &other), AsLeft::Missing);
    EXPECT_EQ(RemoveFileAsLeft(nullptr, drive.path("same.txt"), &same), AsLeft::Failed);
    EXPECT_EQ(RemoveFileAsLeft(&base, drive.path("same.txt"), nullptr), AsLeft::Changed);  // never read back
    EXPECT_EQ(RemoveFileAsLeft(&base, drive.path("same.txt"), &same), AsLeft::Removed);
    EXPECT_EQ(RemoveFileAsLeft(&base, drive.path("mine.txt"), &other, &mine), AsLeft::Removed);
    EXPECT_EQ(drive.ReadFile("other.txt"), "user's");
    EXPECT_FALSE(drive.Exists("same.txt") || drive.Exists("mine.txt"));
}

}  // namespace
