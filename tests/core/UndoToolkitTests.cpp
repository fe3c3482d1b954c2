// The undo's bases: recorded once per folder, found again only as the very
// folder the run worked beneath.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/UndoToolkit.h"
#include "tests/support/FailingAllocation.h"
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

// An undo beneath many thousand folders keeps only the bases it used last
// open; one it let go is found again only as the very folder.
TEST(UndoBases, OnlyTheLastUsedStayOpenAndOneLetGoIsCheckedAgain) {
    testsupport::TempDrive drive;
    VEC_UNDO_BASES bases;
    UndoBaseIndex index(bases);
    const std::size_t n = UndoBaseOpener::kOpenBases * 3;
    for (std::size_t i = 0; i < n; ++i) {
        drive.MakeFolder("F" + std::to_string(i));
        index.IndexOf(Opened(drive.path("F" + std::to_string(i))));
    }
    const auto handles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {});
    };
    // An opener of its own list, and one over a list it shares with other
    // workers; both moved after use, as a page's list of workers may.
    std::vector<UndoBaseOpener> openers;
    openers.emplace_back(bases);
    openers.emplace_back(&bases);
    for (UndoBaseOpener& opener : openers) {
        const auto before = handles();
        for (std::uint32_t i = 0; i < n; ++i) ASSERT_NE(opener.Get(i), nullptr) << i;
        EXPECT_LE(handles() - before, static_cast<long>(UndoBaseOpener::kOpenBases));
    }
    // A move cannot fail, memory running out or not.
    std::vector<UndoBaseOpener> moved;
    moved.reserve(openers.size());
    {
        const testsupport::FailAllocation fail(0);
        for (UndoBaseOpener& opener : openers) moved.push_back(std::move(opener));
        EXPECT_FALSE(fail.Failed());
    }

    std::filesystem::rename(drive.nativePath("F0"), drive.nativePath("Old"));
    drive.MakeFolder("F0");
    for (UndoBaseOpener& opener : moved) {
        EXPECT_EQ(opener.Bases().size(), n);
        EXPECT_EQ(opener.Get(0), nullptr);
        ASSERT_NE(opener.Get(1), nullptr);  // let go, opened again: still itself
        EXPECT_EQ(opener.Get(1)->Identity(), bases[1].Id);
    }
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
