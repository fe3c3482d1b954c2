#include <gtest/gtest.h>

#include "core/SettingsStore.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    void SetUp() override { ResetSettingsToInitialValues(); }
};

TEST_F(SettingsStoreTest, InitialValues) {
    EXPECT_EQ(GetSelectedDelimiter(), ",");
    EXPECT_EQ(GetSelectedQuotationMark(), "\"");
    EXPECT_EQ(GetFileSelNamesText(), "*.*");
    EXPECT_EQ(GetStartWindowState(), 2);
    EXPECT_EQ(GetRestoreMode(), 1);
    EXPECT_EQ(GetVol02StructureImportFullPaths(), 1);
    EXPECT_TRUE(GetDelimList().empty());
    EXPECT_TRUE(GetFileSelNameMasks().empty());
    EXPECT_TRUE(CopyFolderTemplateOptionsMap().empty());
}

TEST_F(SettingsStoreTest, ListsAreCopiedInAndOut) {
    AddToVol02IncludeStrings("A");
    AddToVol02IncludeStrings("A");
    AddToVol02IncludeStrings("");
    EXPECT_EQ(GetVol02IncludeStrings(), (StringList{"A", "A", ""}));

    StringList copy = GetVol02IncludeStrings();
    copy.push_back("changed");
    EXPECT_EQ(GetVol02IncludeStrings().size(), 3u);

    StringList given{"x", "y"};
    SetVol10IncludeFolderList(given);
    given.push_back("z");
    AddToVol10IncludeFolderList("w");
    EXPECT_EQ(GetVol10IncludeFolderList(), (StringList{"x", "y", "w"}));
    SetVol10IncludeFolderList({});
    EXPECT_TRUE(GetVol10IncludeFolderList().empty());

    AddToDelimListChars(";");
    AddToQuotListChars("'");
    EXPECT_EQ(GetDelimList(), StringList{";"});
    EXPECT_EQ(GetQuotList(), StringList{"'"});
    ClearDelimList();
    EXPECT_TRUE(GetDelimList().empty());
}

TEST_F(SettingsStoreTest, FirstStartDefaults) {
    FillFirstStartDefaults();
    const StringList marks{",", ";", "\"", "'", "|", "~", ":", "#", "&",
                           "@", "$", "<", ">", ".", "-", "_", "space"};
    EXPECT_EQ(GetDelimList(), marks);
    EXPECT_EQ(GetQuotList(), marks);
    EXPECT_EQ(GetFileSelNameMasks(), StringList{"*.*"});

    const StringList include = GetFileSelIncludeTypeList();
    ASSERT_EQ(include.size(), 172u);
    EXPECT_EQ(include.front(), "doc");
    EXPECT_EQ(include[79], "iqy");  // stands twice
    EXPECT_EQ(include[82], "iqy");
    EXPECT_EQ(include.back(), "yy");
    EXPECT_EQ(GetFileSelExcludeTypeList(), (StringList{"bak", "nt", "old", "org", "sav"}));
    const StringList fallback = GetFileSelFallbackTypes();
    ASSERT_EQ(fallback.size(), 215u);
    EXPECT_EQ(fallback.front(), "exe");
    EXPECT_EQ(fallback[193], "wa~");
    EXPECT_EQ(fallback.back(), "xlt");

    const MAP_FOLDER_TEMPLATE_OPTIONS map = CopyFolderTemplateOptionsMap();
    ASSERT_EQ(map.size(), 5u);
    EXPECT_EQ(map.begin()->first, 1);
    EXPECT_EQ(map.rbegin()->first, 5);

    // Masks chosen before are kept.
    ResetSettingsToInitialValues();
    AddToFileSelNameMasks("*.txt");
    SetFolderTemplateOptions(7, {0, 0, "", 1, 0});
    FillFirstStartDefaults();
    EXPECT_EQ(GetFileSelNameMasks(), StringList{"*.txt"});
    EXPECT_EQ(CopyFolderTemplateOptionsMap().count(7), 0u);
}

TEST_F(SettingsStoreTest, StartValuesAndWorkingFolders) {
    SetValuesOfEveryStart("C:\\Apps\\Qm");
    EXPECT_EQ(GetAppName(), "Quillmere");
    EXPECT_EQ(GetProgramTitle(), "Quillmere 7.00");
    EXPECT_EQ(GetProgramFolder(), "C:\\Apps\\Qm");
    SetWorkingFoldersFromProgramFolder();
    EXPECT_EQ(GetWorkingDir(), "C:\\Apps\\Qm\\WorkingDir");
    EXPECT_EQ(GetWorkingDirCopyFiles(), "C:\\Apps\\Qm\\WorkingDir\\COPYFILES");
    EXPECT_EQ(GetWorkingDirRenameFiles(), "C:\\Apps\\Qm\\WorkingDir\\RENAMEFILES");
    EXPECT_EQ(GetWorkingDirCopyFilesSimul(), "C:\\Apps\\Qm\\WorkingDir\\COPYFILESSIMUL");
    EXPECT_EQ(GetWorkingDirRenameFilesSimul(), "C:\\Apps\\Qm\\WorkingDir\\RENAMEFILESSIMUL");
    EXPECT_EQ(GetWorkingDirConsistencyCheck(), "C:\\Apps\\Qm\\WorkingDir\\CONSISTENCYCHECK");

    SetProgramFolder("C:\\");  // the root: no doubled backslash
    SetWorkingFoldersFromProgramFolder();
    EXPECT_EQ(GetWorkingDir(), "C:\\WorkingDir");
}

TEST_F(SettingsStoreTest, SnapshotPutsTheWholeStoreBack) {
    FillFirstStartDefaults();
    SetVol02Prefix("P");
    AddToVol02IncludeStrings("one");
    const SettingsSnapshot before = TakeSettingsSnapshot();

    SetVol02Prefix("Q");
    ClearVol02IncludeStrings();
    ClearFileSelIncludeTypeList();
    ClearFolderTemplateOptions();
    SetStartWindowState(9);

    RestoreSettingsSnapshot(before);
    EXPECT_EQ(GetVol02Prefix(), "P");
    EXPECT_EQ(GetVol02IncludeStrings(), StringList{"one"});
    EXPECT_EQ(GetFileSelIncludeTypeList().size(), 172u);
    EXPECT_EQ(CopyFolderTemplateOptionsMap().size(), 5u);
    EXPECT_EQ(GetStartWindowState(), 2);
}

}  // namespace
