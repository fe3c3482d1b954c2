#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/PathTools.h"
#include "platform/FileSystem.h"
#include "tests/support/TempDrive.h"

TEST(PathTools, NormalisationLevelsAndJoin) {
    const std::string mixed = "C:/A//B\\\\\\C";
    EXPECT_EQ(CollapseDoubleColons(CollapseDoubleBackslashes(SlashesToBackslashes(mixed))), "C:\\A\\B\\C");
    EXPECT_EQ(CountPathSeparators("C:\\A\\B\\C"), 3u);
    EXPECT_EQ(CountPathSeparators(mixed), 6u);
    EXPECT_EQ(CountPathSeparators(""), 0u);
    EXPECT_EQ(CollapseDoubleSlashes("a////b//"), "a/b/");
    StringList list{"old"};
    EXPECT_TRUE(NormalizePath("\\\\server//x::y", list));
    EXPECT_EQ(list, (StringList{"\\server\\x::y"}));

    std::string drive = "junk", rest;
    EXPECT_TRUE(SplitAtColon("C::A", drive, rest));
    EXPECT_EQ(drive + "|" + rest, "C:|:A");
    EXPECT_FALSE(SplitAtColon("A\\B", drive, rest));
    EXPECT_EQ(drive + "|" + rest, "|A\\B");

    EXPECT_EQ(JoinDestinationAndTemplatePath("D:\\Dest\\", "\\Sub//X"), "D:\\Dest\\Sub\\X");
    EXPECT_EQ(JoinDestinationAndTemplatePath("D::\\Dest", "Sub"), "D:\\Dest\\Sub");
    EXPECT_EQ(JoinDestinationAndTemplatePath("D:\\Dest", "E:\\Sub"), "");
}

TEST(PathTools, FolderAndParentSplit) {
    testsupport::TempDrive drive('T');
    drive.MakeFolder("Jobs\\Alpha");
    std::string name = "junk", folder = "junk";
    // An existing folder is kept whole; anything else loses its last name.
    SplitFolderAndFileName("T:/Jobs/Alpha", name, folder);
    EXPECT_EQ(name + "|" + folder, "|T:\\Jobs\\Alpha");
    SplitFolderAndFileName("T:\\Jobs\\Missing", name, folder);
    EXPECT_EQ(name + "|" + folder, "Missing|T:\\Jobs");
    SplitFolderAndFileName("", name, folder);  // not the current directory
    EXPECT_EQ(name + "|" + folder, "|");

    // Blanks at either end belong to the names.
    EXPECT_EQ(SplitParentFolder("D:/Jobs/ Alpha ", name, 0), "D:\\Jobs\\");
    EXPECT_EQ(name, " Alpha ");
    EXPECT_EQ(SplitParentFolder("Alpha", name, 0), "Alpha");
    EXPECT_EQ(name, "");
    EXPECT_EQ(SplitParentFolder("T:\\Jobs\\Alpha\\", name, 1), "T:\\Jobs");
    EXPECT_EQ(name, "Alpha");
    EXPECT_EQ(SplitParentFolder("T:\\Jobs\\Missing\\Leaf", name, 1), "T:\\Jobs");
    EXPECT_EQ(name, "Missing");
    EXPECT_EQ(SplitParentFolder("T:\\Jobs \\ Missing \\Leaf", name, 1), "T:\\Jobs ");
    EXPECT_EQ(name, " Missing ");
}

TEST(PathTools, CurrentDirectoryHasNoLengthLimitAndStays) {
    const std::string before = plat::GetCurrentDir();
    testsupport::TempDrive drive('T');
    std::string deep;  // longer than 260 characters
    for (char c = 'a'; c < 'g'; ++c) deep += std::string(50, c) + "\\";
    drive.MakeFolder(deep);
    ASSERT_TRUE(plat::SetCurrentDir(drive.path(deep)));
    unsigned long length = 0;
    std::string text;
    EXPECT_TRUE(GetCurrentDir(length, text));
    EXPECT_EQ(text + "\\", drive.path(deep));
    EXPECT_EQ(length, text.size());
    std::string name, folder;
    SplitFolderAndFileName(drive.path(), name, folder);
    EXPECT_EQ(plat::GetCurrentDir(), text);
    ASSERT_TRUE(plat::SetCurrentDir(before));
}

TEST(PathTools, TrimAndLowerKeepUtf8Whole) {
    EXPECT_EQ(TrimBlanks("  ab  "), "ab");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks("\tab \t"), "\tab \t");
    EXPECT_EQ(TrimControlAndBlanks("\t\r\n \xC2\xA0x\xC2\xA0 \x01"), "\xC2\xA0x\xC2\xA0");
    EXPECT_EQ(CountTrailingBlanks("ab \t\n"), 3u);
    EXPECT_EQ(CountTrailingBlanks("ab\xC3\xA0"), 0u);

    // À, É, Þ lowered; × (U+00D7), Ł and continuation bytes of other sequences untouched.
    EXPECT_EQ(ToLowerCase("AbZ\xC3\x80\xC3\x89\xC3\x9E"), "abz\xC3\xA0\xC3\xA9\xC3\xBE");
    EXPECT_EQ(ToLowerCase("\xC3\x97\xC5\x81\xE2\x80\x94"), "\xC3\x97\xC5\x81\xE2\x80\x94");
    EXPECT_TRUE(SameTextIgnoreCase("C:\\JOBS\\\xC3\x89t\xC3\xA9", "c:\\jobs\\\xC3\xA9T\xC3\x89"));
    EXPECT_FALSE(SameTextIgnoreCase("abc", "abcd"));
}


TEST(PathTools, LevelQueueWalkOrder) {
    AS_MULTIMAP_NIVO_FOLDER_NAMES queue;
    for (const char* path : {"C:\\x\\y\\z\\W", "C:\\x\\y\\B", "C:\\x\\y\\A", "C:\\x\\y\\z\\V"})
        queue.insert(AS_PAIR_NIVO_FOLDER_NAMES(CountPathSeparators(path), path + 7));
    std::vector<std::string> forwards, backwards;
    for (const auto& entry : queue) forwards.push_back(entry.second);
    for (auto it = queue.rbegin(); it != queue.rend(); ++it) backwards.push_back(it->second);
    EXPECT_EQ(forwards, (std::vector<std::string>{"B", "A", "z\\W", "z\\V"}));
    EXPECT_EQ(backwards, (std::vector<std::string>{"z\\V", "z\\W", "A", "B"}));
}
