#include <gtest/gtest.h>

#include "core/PathTools.h"
#include "core/TemplatePaths.h"
#include "tests/support/TempDrive.h"

TEST(TemplatePaths, SplitFirstFolder) {
    std::string drive, remainder;
    EXPECT_EQ(SplitFirstFolder("D:/Tmpl/Sub/Leaf", drive, remainder), "\\Tmpl");
    EXPECT_EQ(drive, "D:");
    EXPECT_EQ(remainder, "\\Sub\\Leaf");
    EXPECT_EQ(SplitFirstFolder("\\Tmpl", drive, remainder), "\\Tmpl");
    EXPECT_EQ(drive, "");
    EXPECT_EQ(remainder, "");
    EXPECT_EQ(SplitFirstFolder("", drive, remainder), "\\");
    EXPECT_EQ(remainder, "");
}

TEST(TemplatePaths, ExpansionByMode) {
    const std::string main = "E:\\Jobs\\Alpha";
    EXPECT_EQ(ExpandTemplatePath("\\Proj\\Docs", main, 1, "x"), "\\Proj\\Docs");
    EXPECT_EQ(ExpandTemplatePath("\\X\\NAME\\Plans", main, 2, "name"), "\\X\\Alpha\\Plans");
    // Whole text, not whole names; every occurrence.
    EXPECT_EQ(ExpandTemplatePath("\\Tmp\\MyTMPData", main, 2, "tmp"), "\\Alpha\\MyAlphaData");
    EXPECT_EQ(ExpandTemplatePath("\\Proj\\Docs\\Proj-old", main, 3, ""), "\\Docs\\Proj-old");
    EXPECT_EQ(ExpandTemplatePath("\\Proj\\Docs\\Proj-old", main, 4, ""), "\\Docs\\Alpha-old");
    EXPECT_EQ(ExpandTemplatePath("\\Proj", main, 4, ""), "");
    // The main folder's name goes in whole, blanks at its ends included.
    EXPECT_EQ(ExpandTemplatePath("\\Proj\\Proj-docs", "E:\\Jobs\\ b ", 4, ""), "\\ b -docs");
    // The main folder's name is the replacement, also where it holds the term.
    EXPECT_EQ(ExpandTemplatePath("\\a\\a", "E:\\aa", 2, "a"), "\\aa\\aa");
    // An empty term (mode 2 without one, or a path that starts "\\") changes nothing.
    EXPECT_EQ(ExpandTemplatePath("\\X\\Y", main, 2, ""), "\\X\\Y");
    EXPECT_EQ(ExpandTemplatePath("\\\\X\\Y", main, 4, ""), "\\X\\Y");
    // Latin-1 letters of UTF-8 text match ignoring case.
    EXPECT_EQ(ExpandTemplatePath("\\\xC3\x89T\xC3\x89\\x", main, 2, "\xC3\xA9t\xC3\xA9"), "\\Alpha\\x");

    EXPECT_EQ(ReplaceAllIgnoreCase("aaaa", "aa", "b"), "bb");
    EXPECT_EQ(ReplaceAllIgnoreCase("abc", "", "x"), "abc");
}

TEST(TemplatePaths, ExtraFolderPaths) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("S\\Tmpl");
    bool differs = false;
    EXPECT_EQ(BuildExtraFolderPaths("C:\\Model", "C:\\Model\\A\\B", "D:\\S", 5, differs), "D:\\S\\A\\B");
    EXPECT_FALSE(differs);

    const std::string tmpl = drive.path("S\\Tmpl");
    EXPECT_EQ(BuildExtraFolderPaths("C:\\Model", "C:\\Model\\Tmpl\\B", tmpl, 4, differs),
              drive.path("S\\Tmpl\\B"));
    EXPECT_FALSE(differs);
    EXPECT_EQ(BuildExtraFolderPaths("C:\\Model", "C:\\Model\\Other\\B", tmpl, 4, differs),
              drive.path("S\\Other\\B"));
    EXPECT_TRUE(differs);
    EXPECT_EQ(BuildExtraFolderPaths("C:\\Model", "C:\\Model\\Tmpl", tmpl, 4, differs), drive.path("S\\Tmpl"));
    EXPECT_TRUE(differs);  // never cleared here

    // Mode 1: the model folder exists, so its own name is used.
    drive.MakeFolder("Model");
    EXPECT_EQ(BuildExtraFolderPaths(drive.path("Model"), drive.path("Model\\A"), "D:\\S", 1, differs),
              "D:\\S\\Model\\A");
    EXPECT_EQ(BuildExtraFolderPaths("C:\\Model\\Long", "C:\\M", "D:\\S", 5, differs), "D:\\S\\C:\\M");
}

TEST(TemplatePaths, TextAppendedToEveryLevel) {
    EXPECT_EQ(AppendTextToPathLevels("C:\\A\\B", "pre ", "X"), "\\A X\\B X");
    EXPECT_EQ(AppendTextToPathLevels("\\Docs\\Plans", "p\t ", "007"), "\\Docs  007\\Plans  007");
    EXPECT_EQ(AppendTextToPathLevels("Docs", "", "7"), "\\Docs7");
    EXPECT_EQ(AppendTextToPathLevels("", "x ", "7"), "");
    // No level made of the suffix alone.
    EXPECT_EQ(AppendTextToPathLevels("\\Docs\\\\Plans\\", " ", "7"), "\\Docs 7\\Plans 7");
    EXPECT_EQ(AppendTextToPathLevels("\\\\\\", "", "7"), "");
    // A trailing UTF-8 byte is not a blank.
    EXPECT_EQ(AppendTextToPathLevels("\\D", "\xC3\xA9", "7"), "\\D7");
}
