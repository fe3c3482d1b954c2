#include <gtest/gtest.h>

#include "core/Validation.h"
#include "platform/MessageBox.h"
#include "tests/support/TempDrive.h"

TEST(Validation, IllegalCharactersAndColons) {
    std::string found = "junk";
    EXPECT_TRUE(FindIllegalChars("F", "a*b?*c", found));
    EXPECT_EQ(found, " * ? *");
    EXPECT_FALSE(FindIllegalChars("N", "C:\\Jobs\\A", found));
    EXPECT_EQ(found, "");
    EXPECT_TRUE(FindIllegalChars("H", "\\a!b", found));
    EXPECT_FALSE(FindIllegalChars("N", "C:\\a!b", found));
    EXPECT_TRUE(FindIllegalChars("F", "a\\b/c", found));
    EXPECT_EQ(found, " \\ /");

    std::string msg;
    EXPECT_TRUE(AnalyseColons("C:\\A", msg));
    EXPECT_EQ(msg, "There is(are) a drive letter(s) before colon(s) (:).");
    EXPECT_FALSE(AnalyseColons("1:\\A", msg));
    EXPECT_EQ(msg, "There is(are) no drive letter(s) before colon(s) (:) : 1");
    EXPECT_FALSE(AnalyseColons(":A", msg));
    EXPECT_EQ(msg, "The colon (:) is the first character in the text.");
    EXPECT_FALSE(AnalyseColons("A:", msg));
    EXPECT_EQ(msg, "The colon (:) is the last character in the text.");
    EXPECT_FALSE(AnalyseColons("abc", msg));
    EXPECT_EQ(msg, "Not found any colon (:) in the text !!!!");
}

TEST(Validation, FolderNameRefusesRootsAndDotNames) {
    std::string msg;
    for (const char* root : {"C:\\", "C:", "C:\\.", "C:\\\\", "C:/", "C:\\a\\..", " C:\\a\\... ", "\\\\srv\\share\\"}) {
        msg.clear();
        EXPECT_FALSE(ValidateFolderName(root, msg, true)) << root;
        EXPECT_EQ(msg, "There is no Folder part (just root).") << root;
    }
    for (const char* dots : {"C:\\a\\..\\b", "C:\\a\\.\\b", "C:\\a\\...\\b", "C:..\\b"}) {
        EXPECT_FALSE(ValidateFolderName(dots, msg, true)) << dots;
        EXPECT_EQ(msg, "There are \".\" or \"..\" folder names in the path.") << dots;
    }
    EXPECT_TRUE(ValidateFolderName("Q:\\A", msg, true));  // any drive accepted
    EXPECT_TRUE(ValidateFolderName("C:\\a..b\\.x", msg, false));
    // Blanks and dots are a name's own: no dot name, no root.
    EXPECT_TRUE(ValidateFolderName("C:\\a\\... \\ .\\b", msg, false));
    EXPECT_FALSE(ValidateFolderName("\\Jobs\\A", msg, true));
    EXPECT_EQ(msg, "This item is not a valid Folder Name (No drive letter) !");
    EXPECT_FALSE(ValidateFolderName("C:\\A?", msg, true));
    EXPECT_EQ(msg, "Illegal characters in the folder name :  ?");

    EXPECT_TRUE(IsDriveRootPath("\\"));
    EXPECT_FALSE(IsDriveRootPath("C:\\a"));
    EXPECT_FALSE(IsDriveRootPath("a\\.."));
}

// What a run builds new names from: each use refuses what leads elsewhere
// or names no folder to take a name from.
TEST(Validation, RunItemsThatLeadElsewhereOrNameNothingAreUnusable) {
    using U = RunItemUse;
    const auto usable = [](const char* item) {
        return std::string(IsUsableRunItem(item, U::Destination) ? "D" : "-") +
               (IsUsableRunItem(item, U::IncludeFolder) ? "I" : "-") +
               (IsUsableRunItem(item, U::NamedFolder) ? "N" : "-");
    };
    // Dot names with either slash, drive-relative texts, colons behind the
    // drive and texts without a drive are refused by every use.
    for (const char* item : {"C:\\Dest\\.", "C:\\Dest\\..", "C:\\Dest/../sibling/y", "C:/Dest/./y", "C:\\a\\...\\b",
                             "C:x", "C:", "C:x\\y", "C:\\a:b", "1:\\a", "\\Dest", "Dest", "", "   "})
        EXPECT_EQ(usable(item), "---") << item;
    // A drive root is a destination only; an empty last name names no folder.
    for (const char* item : {"C:\\", "C:/", " C:\\\\ ", "\\\\srv\\share"}) EXPECT_EQ(usable(item), "D--") << item;
    for (const char* item : {"C:\\Dest\\", "C:\\Dest/", "C:\\Dest\\ \t"}) EXPECT_EQ(usable(item), "DI-") << item;
    for (const char* item : {"C:\\Dest", " C:/Dest/x.. ", "C:\\a..b\\.x", "\\\\srv\\share\\x", "C:\\a\\ . \\b."})
        EXPECT_EQ(usable(item), "DIN") << item;
}

TEST(Validation, CheckDriveUsesMappedLetters) {
    std::string name = "junk";
    {
        testsupport::TempDrive drive('T');
        EXPECT_TRUE(CheckDrive("t:\\x", name, false));
        EXPECT_FALSE(name.empty());
        std::string msg;
        EXPECT_TRUE(ValidateFolderName("T:\\Jobs", msg, false));
    }
    EXPECT_FALSE(CheckDrive("T:\\x", name, false));
    EXPECT_EQ(name, "");
    EXPECT_TRUE(CheckDrive("T:\\x", name, true));
    std::string msg;
    EXPECT_FALSE(ValidateFolderName("T:\\Jobs", msg, false));
    EXPECT_EQ(msg, "There is no valid drive letter.");
}

TEST(Validation, IncludeTextEntriesAndSplitting) {
    std::string msg, norm = "unchanged";
    EXPECT_FALSE(ValidateIncludeListText("", msg, norm));
    EXPECT_EQ(msg, "The text field is empty !\nAction : You must enter a text to add to the Include Folder List.");
    EXPECT_FALSE(ValidateIncludeListText("C:\\a|b", msg, norm));
    EXPECT_EQ(msg, "Illegal characters in the text :  |");
    EXPECT_FALSE(ValidateIncludeListText("C:\\a\\..\\..\\etc", msg, norm));
    EXPECT_EQ(norm, "unchanged");
    EXPECT_FALSE(ValidateIncludeListText("C:/a", msg, norm));  // the slash is a forbidden character here
    EXPECT_TRUE(ValidateIncludeListText("C:::\\a\\\\b", msg, norm));
    EXPECT_EQ(norm, "C:\\a\\b");

    StringList paths{"old"};
    EXPECT_TRUE(AddToIncludeListChecked("C:\\a D:\\b", paths, msg, norm));
    EXPECT_EQ(paths, (StringList{"C:\\a ", "D:\\b"}));
    EXPECT_EQ(SplitPathsAtDriveLetters(" 1:y C:\\a:"), (StringList{"C:\\a:"}));
    EXPECT_EQ(SplitPathsAtDriveLetters("C::x"), (StringList{"C"}));  // ends, never loops back

    StringList ok{"old"}, bad{"old"};
    const std::string long254 = "C:\\" + std::string(251, 'a');
    EXPECT_TRUE(ValidateEntryList(long254, ok, bad));
    EXPECT_EQ(ok, StringList{long254});
    EXPECT_TRUE(bad.empty());
    EXPECT_FALSE(ValidateEntryList(long254 + "a", ok, bad));
    EXPECT_TRUE(ok.empty());
    EXPECT_FALSE(ValidateEntryList("C:/x/../y", ok, bad));
    EXPECT_EQ(bad, StringList{"C:\\x\\..\\y"});
    EXPECT_FALSE(ValidateEntryList("C:\\", ok, bad));

    EXPECT_TRUE(CheckDestinationNotSource("c:\\jobs\\A", "C:\\Jobs\\\\a", msg));
    EXPECT_EQ(msg,
              "The ATTACH/COPY/MOVE operation is NOT PERFORMED !!!\nThe Destination Folder is the same as the "
              "source Folder !!! \nDestination Folder : c:\\jobs\\A\nSource Folder      : C:\\Jobs\\a");
    EXPECT_TRUE(CheckDestinationNotSource("C:\\a", "", msg));
    EXPECT_FALSE(CheckDestinationNotSource("C:\\a", "\\Tmpl\\x", msg));
}

TEST(Validation, RelativeListReport) {
    std::string report = "previous text";
    const StringList items{"C:\\a1", "C:\\a2", "C:\\a3", "C:\\a4", "C:\\a5"};
    EXPECT_TRUE(CheckRelativePathList(items, report));
    EXPECT_EQ(report,
              "You can only enter relative paths without drive letters.\nError Type: There are drive letters in "
              "paths (5 )\nC:\\a1\nC:\\a2\nC:\\a3\n\n2  more left\n\n"
              "There are Colons in the Folder Names ( 5) \nNo. of Colons: 1   C:\\a1\nNo. of Colons: 1   "
              "C:\\a2\nNo. of Colons: 1   C:\\a3\n\n2  more left\n\n"
              "Error Type: There are paths not beginning with \\ (backslash) (total: 5) \nC:\\a1\nC:\\a2\nC:\\a3\n"
              "\n2  more left\n\n");

    report = "kept";
    EXPECT_FALSE(CheckRelativePathList({"\\Tmpl\\A", "/Tmpl//B"}, report));
    EXPECT_EQ(report, "kept");
    EXPECT_TRUE(CheckRelativePathList({"\\Tmpl\\..\\..\\x"}, report));
    EXPECT_EQ(report, "kept"
                      "Error Type: There are \".\" or \"..\" folder names in paths (total: 1) \n\\Tmpl\\..\\..\\x\n\n");
}

TEST(Validation, FullListReport) {
    std::string report = "old";
    EXPECT_TRUE(CheckFullPathList({"C:\\ok", "rel\\x", "C:\\a\\..\\b", "D:\\x:y", "E:/q?"}, report));
    EXPECT_EQ(report,
              "You can only enter full paths with drive letters.\nError Type: There are no drive letters in paths (1 "
              ")\nrel\\x\n\n\n"
              "Error Type: There are Syntax errors in the Folder Names ( / \" * | < > ?)  (total: 1) \n"
              "Syntax Error:  ?    E:\\q?\n\n"
              "There are more than one Colons in the Folder Names (total: 1) \nNo. of Colons: 2   D:\\x:y\n\n"
              "Error Type: There are \".\" or \"..\" folder names in paths (total: 1) \nC:\\a\\..\\b\n\n");

    report.clear();
    EXPECT_FALSE(CheckColonsInFolderNames({"C:\\A"}, 1, report));
    EXPECT_TRUE(CheckColonsInFolderNames({"C:\\A:B"}, 1, report));
    EXPECT_EQ(report, "There are more than one Colons in the Folder Names (total: 1) \nNo. of Colons: 2   C:\\A:B\n\n");
    report.clear();
    EXPECT_FALSE(CheckFullPathList({"C:\\a", "D:/b"}, report));
    EXPECT_EQ(report, "");
}

// A block of lines is checked as the same lines in a list are, its bytes
// looked at sixteen at a time: wherever an offending byte falls.
TEST(Validation, FolderNameSyntaxOfABlockOfLines) {
    for (std::size_t k = 0; k < 35; ++k) {
        for (const char c : std::string("/\"*|<>?")) {
            const StringList lines{"C:\\A", "C:\\" + std::string(k, 'x') + c + "y", "C:/B"};
            LineStore block;
            for (const auto& line : lines) block.Append(line);
            std::string fromList, fromBlock;
            EXPECT_EQ(CheckFolderNameSyntax(block, fromBlock), CheckFolderNameSyntax(lines, fromList)) << k << c;
            EXPECT_EQ(fromBlock, fromList);
            EXPECT_EQ(fromBlock.empty(), c == '/');
        }
    }
}

TEST(Validation, SeparatorCount) {
    plat::MessageBoxScript boxes;
    StringList items{"keep"};
    EXPECT_TRUE(CheckSeparatorCount("", items));
    EXPECT_EQ(items, StringList{"keep"});
    EXPECT_FALSE(CheckSeparatorCount("\"a\" \"b", items));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text,
              "Odd number of marks(separators) : 3\n\nAction : You must enter an even number of separators(marks).");
    EXPECT_EQ(boxes.shown()[0].caption, "Warning !    Msg no: 0519.");
    EXPECT_EQ(boxes.shown()[0].flags, plat::MB_ICONWARNING | plat::MB_OK);
    EXPECT_TRUE(CheckSeparatorCount("*.txt \"my file*.doc\" *.pdf", items));
    EXPECT_EQ(items, (StringList{"*.txt", "my file*.doc", "*.pdf"}));
}
