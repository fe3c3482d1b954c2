#include <gtest/gtest.h>

#include <filesystem>

#include "core/LevelCopy.h"
#include "tests/support/TempDrive.h"

namespace {

// S\A\A1, S\B\B1, S\B\B2\B21, a file beside the folders, and two links:
// one to an ancestor (a loop if followed) and one to a folder elsewhere.
class LevelCopyTree : public ::testing::Test {
protected:
    void SetUp() override {
        drive.MakeFolder("S\\A\\A1");
        drive.MakeFolder("S\\B\\B1");
        drive.MakeFolder("S\\B\\B2\\B21");
        drive.MakeFolder("Elsewhere\\Deep");
        drive.WriteFile("S\\B\\file.txt", "x");
        std::filesystem::create_directory_symlink(drive.nativePath("S"), drive.nativePath("S\\B\\B1\\up"));
        std::filesystem::create_directory_symlink(drive.nativePath("Elsewhere"), drive.nativePath("S\\link"));
    }

    StringList Run(int mode, std::uint32_t a, std::uint32_t b, int variant, const std::string& filter = "",
                   const std::string& root = "S") {
        LevelCopy lister({drive.path(root)});
        if (mode == 1) lister.SetLevelRange(a, b);
        if (mode == 2) lister.SetAboveLevel(a);
        if (mode == 3) lister.SetBelowLevel(a);
        lister.SetVariant(variant);
        lister.SetFilter(filter);
        lister.Execute();
        unsayable = lister.GetUnsayable();
        return lister.GetResult();
    }

    std::string P(const std::string& rel) const { return drive.path(rel); }

    testsupport::TempDrive drive{'T'};
    StringList unsayable;  // the last Run's
};

}  // namespace

TEST_F(LevelCopyTree, AllSubfoldersGoDeepFirstAndNeverThroughLinks) {
    // B is examined before A (the last found among equals), links are neither
    // listed nor walked, so the loop back to S ends nothing.
    EXPECT_EQ(Run(3, 0, 0, 2), (StringList{P("S\\A"), P("S\\B"), P("S\\B\\B1"), P("S\\B\\B2"), P("S\\B\\B2\\B21"),
                                           P("S\\A\\A1")}));
    EXPECT_EQ(Run(3, 2, 0, 2), (StringList{P("S\\B\\B1"), P("S\\B\\B2"), P("S\\B\\B2\\B21"), P("S\\A\\A1")}));
    EXPECT_EQ(Run(1, 1, 1, 2), (StringList{P("S\\A"), P("S\\B")}));
    EXPECT_EQ(Run(1, 2, 3, 2), (StringList{P("S\\B\\B1"), P("S\\B\\B2"), P("S\\B\\B2\\B21"), P("S\\A\\A1")}));
    EXPECT_EQ(Run(2, 2, 0, 2), (StringList{P("S\\A"), P("S\\B"), P("S\\B\\B1"), P("S\\B\\B2"), P("S\\A\\A1")}));
    EXPECT_TRUE(Run(2, 0, 0, 2).empty());
    EXPECT_TRUE(Run(1, 3, 2, 2).empty());
    // A negative From, read unsigned, is deeper than any folder.
    EXPECT_TRUE(Run(1, static_cast<std::uint32_t>(-2), 5, 2).empty());
}

TEST_F(LevelCopyTree, OnlyTheLastSubfolderKeepsFoundOrder) {
    EXPECT_EQ(Run(3, 1, 0, 1), (StringList{P("S\\B\\B1"), P("S\\B\\B2\\B21"), P("S\\A\\A1")}));
    // On the upper bound a folder is listed whatever lies below it.
    EXPECT_EQ(Run(1, 1, 1, 1), (StringList{P("S\\A"), P("S\\B")}));
    EXPECT_EQ(Run(1, 1, 2, 1), (StringList{P("S\\B\\B1"), P("S\\B\\B2"), P("S\\A\\A1")}));
    EXPECT_EQ(Run(2, 2, 0, 1), (StringList{P("S\\B\\B1"), P("S\\B\\B2"), P("S\\A\\A1")}));
    EXPECT_EQ(Run(2, 3, 0, 1), (StringList{P("S\\B\\B1"), P("S\\B\\B2\\B21"), P("S\\A\\A1")}));

    // A folder no path can name is a subfolder all the same (B1 is no last
    // one now) and never listed, but named where the list would hold it (as
    // the filter says) or walk into it. A file so named is no subfolder.
    drive.MakeFolder("S\\B\\B1\\c:d");
    drive.WriteFile("S\\A\\A1\\x:y", "x");
    EXPECT_EQ(Run(3, 1, 0, 1), (StringList{P("S\\B\\B2\\B21"), P("S\\A\\A1")}));
    EXPECT_EQ(unsayable, (StringList{P("S\\B\\B1\\c:d")}));
    Run(1, 3, 3, 1, "zzz");
    EXPECT_TRUE(unsayable.empty());
}

TEST_F(LevelCopyTree, FilterDecidesListingOnly) {
    drive.MakeFolder("F\\Docs\\Work\\Docs2");
    drive.MakeFolder("F\\Projects\\mydocuments");
    const StringList expected{P("F\\Docs"), P("F\\Projects\\mydocuments"), P("F\\Docs\\Work\\Docs2")};
    EXPECT_EQ(Run(3, 0, 0, 2, "DOC", "F"), expected);
    EXPECT_EQ(Run(3, 0, 0, 2, "doc\\", "F"), expected);
    EXPECT_EQ(Run(3, 0, 0, 2, "\\", "F").size(), 5u);  // a lone backslash filters nothing
    EXPECT_TRUE(Run(3, 0, 0, 2, "zzz", "F").empty());
}

TEST_F(LevelCopyTree, RootsMissingEmptyOrWithTrailingBackslash) {
    // A drive root gives "T:\S", not "T:\\S", and depth still counts from it.
    EXPECT_EQ(Run(1, 1, 1, 2, "", ""), (StringList{P("Elsewhere"), P("S")}));
    EXPECT_EQ(Run(1, 1, 1, 2, "", "S\\"), (StringList{P("S\\A"), P("S\\B")}));
    EXPECT_TRUE(Run(3, 0, 0, 2, "", "Missing").empty());
    EXPECT_TRUE(Run(3, 0, 0, 2, "", "S\\link").empty());  // a link as the source is not walked
    EXPECT_TRUE(Run(3, 0, 0, 2, "", "S\\..\\S").empty());  // no path leaves through ".."

    LevelCopy lister({"", "  ", drive.path("S\\A"), drive.path("S\\B\\B2")});
    lister.SetBelowLevel(1);
    lister.SetVariant(2);
    lister.Execute();
    EXPECT_EQ(lister.GetResult(), (StringList{P("S\\A\\A1"), P("S\\B\\B2\\B21")}));

    LevelCopy unset({drive.path("S")});  // no level rule: nothing judged
    unset.Execute();
    EXPECT_TRUE(unset.GetResult().empty());
}
