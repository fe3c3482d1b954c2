// The undo's bases: recorded once per folder, found again only as the very
// folder the run worked beneath.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/UndoBases.h"
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

}  // namespace
