#include <gtest/gtest.h>

#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"

namespace {

class TemplateOptionsTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSettingsToInitialValues(); }

    // Mode of index 9 after storing the flags; `term` gets the returned term.
    int ModeOf(std::uint8_t no, std::uint8_t remainder, std::uint8_t first, std::uint8_t all,
               const std::string& searchTerm = "abc") {
        SetFolderTemplateOptions(9, {no, remainder, searchTerm, first, all});
        term = "junk";
        return GetFolderTemplateMode(9, term);
    }
    std::string term;
};

TEST_F(TemplateOptionsTest, ModeFollowsTheFixedOrderOfFlags) {
    term = "junk";
    EXPECT_EQ(GetFolderTemplateMode(2, term), 1);  // empty map
    EXPECT_EQ(term, "");

    EXPECT_EQ(ModeOf(1, 0, 1, 0), 1);
    EXPECT_EQ(ModeOf(0, 0, 1, 1), 3);
    EXPECT_EQ(ModeOf(0, 1, 0, 1), 4);
    EXPECT_EQ(term, "");  // the term reaches the caller only in mode 2
    EXPECT_EQ(ModeOf(0, 0, 0, 0), 1);
    EXPECT_EQ(term, "");
    EXPECT_EQ(ModeOf(0, 1, 0, 0, "abc"), 2);
    EXPECT_EQ(term, "abc");
    EXPECT_EQ(ModeOf(0, 1, 0, 0, ""), 2);
    EXPECT_EQ(term, "");
    // Only exactly 1 counts as set.
    EXPECT_EQ(ModeOf(2, 0, 2, 1), 4);
    EXPECT_EQ(ModeOf(2, 2, 2, 2), 1);
}

TEST_F(TemplateOptionsTest, MapKeepsOnlyWhatWasStored) {
    const _tagFoldersTemplateOptions absent = GetFolderTemplateOptions(4);
    EXPECT_EQ(absent.ReplaceNo, 1);
    EXPECT_EQ(absent.ReplaceRemainder, 0);
    EXPECT_EQ(absent.SearchTerm, "");
    EXPECT_EQ(absent.ReplaceFirst, 0);
    EXPECT_EQ(absent.ReplaceAll, 0);
    EXPECT_TRUE(CopyFolderTemplateOptionsMap().empty());  // a lookup adds nothing

    SetFolderTemplateOptions(7, {0, 1, "x", 0, 0});
    SetFolderTemplateOptions(7, {0, 0, "y", 1, 0});  // replaces every field
    EXPECT_EQ(GetFolderTemplateOptions(7).SearchTerm, "y");
    EXPECT_EQ(GetFolderTemplateOptions(7).ReplaceRemainder, 0);

    ResetFolderTemplateOptions({1, 2, 3, 4, 5});
    const MAP_FOLDER_TEMPLATE_OPTIONS map = CopyFolderTemplateOptionsMap();
    ASSERT_EQ(map.size(), 5u);
    EXPECT_EQ(map.begin()->first, 1);
    EXPECT_EQ(map.rbegin()->first, 5);
    for (const auto& [index, options] : map) {
        EXPECT_EQ(options.ReplaceNo, 1) << index;
        EXPECT_EQ(options.ReplaceFirst + options.ReplaceAll + options.ReplaceRemainder, 0) << index;
    }
    ClearFolderTemplateOptions();
    EXPECT_TRUE(CopyFolderTemplateOptionsMap().empty());
}

}  // namespace
