// Page 08 in the real main window: the Include list filled through the
// editor, structures added, the simulation and the run on the Visual Log,
// the undo, a copy into the structure's own subfolder, the page's enable
// rules and its settings through the bridge.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/SettingsStore.h"
#include "pages/folders/Vol08Page.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic08.h"
#include "results/TfrmVol08ZoomStatistics.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"
#include "tests/support/Privileges.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmVol08EditIncludeList.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

constexpr const char* kLists[] = {"lstStat08FoldersCopied",    "lstStat08SubFoldersCopied",
                                  "lstStat08FilesCopied",      "lstStat08FoldersNotExists",
                                  "lstStat08SubFoldersExists", "lstStat08FilesExists",
                                  "lstStat08SubFoldersOtherReasons", "lstStat08SubFoldersFailedUndo"};

class Vol08PageTest : public pagewindow::PageWindowFixture {
protected:
    Vol08PageTest()
        : PageWindowFixture('Q', "Prog",
                            {[] { return static_cast<QDialog*>(frmVol08EditIncludeList); }, "btnVol08EditIncludeListOk",
                             "btnVol08EditIncludeList"}) {}
    void SetUp() override {
        PageWindowFixture::SetUp();
        page = frmMain->Page08;
        // Src: a.txt, b.doc; Sub\c.txt; Sub\Deep. Two main folders, one missing.
        drive.WriteFile("Src\\a.txt", "a");
        drive.WriteFile("Src\\b.doc", "bb");
        drive.WriteFile("Src\\Sub\\c.txt", "ccc");
        drive.MakeFolder("Src\\Sub\\Deep");
        drive.MakeFolder("Work\\M1");
        drive.MakeFolder("Work\\M2");
    }
    std::string W(const std::string& rel) const { return drive.path("Work\\" + rel); }
    std::string Label(const char* name) { return frmStatistic08->findChild<QLabel*>(name)->text().toStdString(); }
    std::map<std::string, Lines> LogLines() {
        std::map<std::string, Lines> out;
        for (const char* list : kLists) out[list] = frmStatistic08->List(list)->Lines();
        return out;
    }
    // Main folders M1, M2 and a missing one; Src as the structure.
    void Fill() {
        Edit(W("M1") + "\n" + W("M2") + "\n" + W("Gone") + "\n");
        page->Vol08AddFolderStructurePath(drive.path("Src"));
        captions.clear();
        texts.clear();
    }

    Vol08Page* page = nullptr;
};

}  // namespace

// The simulation touches nothing and shows the run's lines; the run copies
// the structure with its files into each main folder; the Visual Log's
// counters, zoom and export show them.
TEST_F(Vol08PageTest, SimulationForetellsTheRunLineForLine) {
    EXPECT_FALSE(Enabled("btnVol08CopyFolders"));
    Edit(W("M1") + "\n" + W("M2") + "\n" + W("Gone") + "\n");
    EXPECT_FALSE(Enabled("btnVol08CopyFolders"));  // no structure yet
    page->Vol08AddFolderStructurePath(drive.path("Src"));
    EXPECT_TRUE(Enabled("btnVol08CopyFolders"));
    EXPECT_TRUE(Enabled("btnVol08CopyFoldersSimulation"));
    EXPECT_EQ(C<QLabel>("lblVol08FolderStructuresTemplatesSum")->text(), "1");
    EXPECT_FALSE(Enabled("btnVol08FileSelection"));
    captions.clear();
    Click("rdoVol08AttachMainFolderWithFiles");
    Click("rdoVol08AttachMainFolderWithFiles");
    EXPECT_EQ(captions, Lines{"80027."});  // the hint once
    EXPECT_TRUE(Enabled("btnVol08FileSelection"));
    EXPECT_EQ(Label("lblStat08FoldersToCopy"), "3");
    EXPECT_EQ(Label("lblStat08FileSizeToCopy"), "18");  // 6 bytes into each

    const auto before = Tree();
    captions.clear();
    Click("btnVol08CopyFoldersSimulation");
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(captions, (Lines{"80072.", "80075."}));
    EXPECT_FALSE(frmStatistic08->findChild<QCheckBox*>("chkStat08NormalSimulate")->isChecked());
    EXPECT_EQ(frmStatistic08->findChild<QLabel*>("lblVol08NormalSimulate")->text(),
              "Simulate the Folder/File Copy Process.");
    const auto simulated = LogLines();
    EXPECT_EQ(simulated.at("lstStat08FoldersCopied"), (Lines{W("M1"), W("M2")}));
    EXPECT_EQ(simulated.at("lstStat08FoldersNotExists"), Lines{W("Gone")});
    EXPECT_EQ(simulated.at("lstStat08FilesCopied").size(), 6u);
    EXPECT_TRUE(page->Vol08CopiedFiles.empty());
    EXPECT_FALSE(Vol08HasUndo(*page));

    captions.clear();
    texts.clear();
    Click("btnVol08CopyFolders");
    EXPECT_EQ(captions, (Lines{"80048.", "80052."}));
    EXPECT_EQ(texts[0].rfind("Do you want to copy folders with files?", 0), 0u);
    EXPECT_EQ(LogLines(), simulated);
    EXPECT_EQ(drive.ReadFile("Work\\M2\\Src\\Sub\\c.txt"), "ccc");
    EXPECT_TRUE(drive.Exists("Work\\M1\\Src\\Sub\\Deep"));
    EXPECT_FALSE(drive.Exists("Work\\Gone"));
    EXPECT_EQ(Label("lblStat08FileSizeCopied"), "12");
    EXPECT_EQ(Label("lblStat08FoldersNotExists"), "1");
    EXPECT_TRUE(frmStatistic08->findChild<QCheckBox*>("chkStat08NormalSimulate")->isChecked());
    EXPECT_TRUE(Enabled("btnVol08CopyFolders"));
    EXPECT_TRUE(C<QWidget>("tabFileCopy")->isEnabled());

    frmStatistic08->findChild<QAbstractButton*>("btnStat08ZoomFilesCopied")->click();
    EXPECT_EQ(frmVol08ZoomStatistics->List("FilesCopied")->Lines(), simulated.at("lstStat08FilesCopied"));
    frmStatistic08->findChild<QAbstractButton*>("btnStat08SmartExportFoldersCopied")->click();
    EXPECT_EQ(modals, Lines{"TfrmFileExport"});

    // Template lines copy no files: the file selection goes off with the attach radios.
    Click("rdoVol08StructureImportRelativePaths");
    EXPECT_FALSE(Enabled("btnVol08FileSelection"));
    EXPECT_FALSE(Enabled("rdoVol08AttachMainFolderWithFiles"));
    EXPECT_TRUE(Enabled("btnVol08FolderTemplatesOptions"));
    EXPECT_EQ(C<QListWidget>("lstVol08AddFolderStructure")->count(), 0);
}

// Undo removes the copies and the folders the run made, keeps a copy the
// user edited (and the folders holding it) for the next Undo, and never
// touches what was there before.
TEST_F(Vol08PageTest, UndoKeepsACopyTheUserEdited) {
    drive.WriteFile("Work\\M1\\own.txt", "own");
    Fill();
    C<QRadioButton>("rdoVol08AttachSubFoldersOnlyWithFiles")->click();
    captions.clear();
    Click("btnVol08CopyFolders");
    EXPECT_TRUE(drive.Exists("Work\\M1\\Sub\\c.txt"));
    EXPECT_TRUE(drive.Exists("Work\\M2\\a.txt"));
    drive.RewriteKeepingSizeAndTime("Work\\M2\\Sub\\c.txt", "CCC");

    captions.clear();
    texts.clear();
    Click("btnVol08Undo");
    EXPECT_EQ(captions, (Lines{"80055.", "80056.", "80057."}));
    EXPECT_NE(texts[1].find(W("M2\\Sub\\c.txt")), std::string::npos) << texts[1];
    EXPECT_FALSE(drive.Exists("Work\\M1\\Sub"));
    EXPECT_FALSE(drive.Exists("Work\\M1\\a.txt"));
    EXPECT_FALSE(drive.Exists("Work\\M2\\a.txt"));
    EXPECT_FALSE(drive.Exists("Work\\M2\\Sub\\Deep"));
    EXPECT_EQ(drive.ReadFile("Work\\M2\\Sub\\c.txt"), "CCC");
    EXPECT_EQ(drive.ReadFile("Work\\M1\\own.txt"), "own");
    EXPECT_TRUE(drive.Exists("Work\\M1"));
    EXPECT_EQ(frmStatistic08->List("lstStat08SubFoldersFailedUndo")->Lines(), Lines{W("M2\\Sub")});

    // The user takes the edited file away: the next Undo removes the rest,
    // and one more has nothing left to do.
    fs::remove(drive.nativePath("Work\\M2\\Sub\\c.txt"));
    captions.clear();
    Click("btnVol08Undo");
    EXPECT_FALSE(drive.Exists("Work\\M2\\Sub"));
    EXPECT_TRUE(drive.Exists("Work\\M2"));
    captions.clear();
    Click("btnVol08Undo");
    EXPECT_EQ(captions, Lines{"80054."});
}

// A structure is never copied into itself: a main folder inside it (or the
// structure itself) is refused for that structure, with 80050 (the second
// main folder in a box of its own once the run is done), and
// still gets the other structures; a No to the question changes nothing.
TEST_F(Vol08PageTest, CopyIntoTheStructuresOwnSubfolderIsRefused) {
    drive.MakeFolder("Model\\Part");
    Edit(drive.path("Src\\Sub") + "\n" + drive.path("Src") + "\n" + W("M1") + "\n");
    page->Vol08AddFolderStructurePath(drive.path("Src"));
    page->Vol08AddFolderStructurePath(drive.path("Model"));
    answer = plat::IDNO;
    captions.clear();
    Click("btnVol08CopyFolders");
    EXPECT_EQ(captions, Lines{"80048."});
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src"));

    answer = plat::IDYES;
    captions.clear();
    Click("btnVol08CopyFolders");
    EXPECT_EQ(captions, (Lines{"80048.", "80050.", "80050.", "80052."}));
    EXPECT_FALSE(drive.Exists("Src\\Sub\\Src"));
    EXPECT_FALSE(drive.Exists("Src\\Src"));
    EXPECT_TRUE(drive.Exists("Src\\Sub\\Model\\Part"));
    EXPECT_TRUE(drive.Exists("Work\\M1\\Src\\Sub\\Deep"));
    EXPECT_FALSE(drive.Exists("Work\\M1\\Src\\Sub\\Model"));  // read before the run made it
}

// As an ordinary user: a structure's subfolder the count cannot read ends
// the run with a box naming it, before the question and before anything is made.
TEST_F(Vol08PageTest, AStructureFolderTheCountCannotReadEndsTheRun) {
    Fill();
    Click("rdoVol08AttachMainFolderWithFiles");
    testsupport::OpenPathToEveryone(drive.native());
    testsupport::GiveToNobody(drive.native());
    const int code = testsupport::RunAsNobody([&] {
        chmod(drive.nativePath("Src\\Sub").c_str(), 0);
        captions.clear();
        texts.clear();
        Click("btnVol08CopyFolders");
        if (texts.size() != 1 || texts[0].find("The folder " + drive.path("Src\\Sub") + " cannot be read.") ==
                                     std::string::npos)
            return 1;
        return fs::is_empty(drive.nativePath("Work\\M1")) && fs::is_empty(drive.nativePath("Work\\M2")) ? 0 : 2;
    });
    EXPECT_EQ(code, 0);
}

// The page's controls go through the bridge and come back; Clear All
// empties the page; the run's checks come before its question.
TEST_F(Vol08PageTest, SettingsRoundTripAndClearAll) {
    Fill();
    C<QRadioButton>("rdoVol08AttachSubFoldersOnlyWithoutFiles")->click();
    C<QCheckBox>("chkVol08ShowDetailedResults")->setChecked(false);
    listtools::SetListLines(C<QListWidget>("lstVol08ExcludeFolderList"), StringList{W("Parked")});
    frmMain->SaveControlsToSettings();

    captions.clear();
    Click("btnVol08ClearAll");
    EXPECT_EQ(captions, (Lines{"80045.", "80046."}));
    EXPECT_EQ(C<QListWidget>("lstVol08IncludeFolderList")->count(), 0);
    EXPECT_EQ(C<QListWidget>("lstVol08AddFolderStructure")->count(), 0);
    EXPECT_TRUE(C<QRadioButton>("rdoVol08AttachMainFolderWithoutFiles")->isChecked());
    EXPECT_FALSE(Enabled("btnVol08CopyFolders"));
    EXPECT_FALSE(Enabled("rdoVol08StructureImportFullPaths"));

    frmMain->RestorePageListsFromSettings();
    frmMain->RefreshAllPagesAfterRestore();
    frmMain->ReapplyAttachOptions();
    EXPECT_EQ(listtools::ListLines(C<QListWidget>("lstVol08IncludeFolderList")),
              (StringList{W("M1"), W("M2"), W("Gone")}));
    EXPECT_EQ(listtools::ListLines(C<QListWidget>("lstVol08ExcludeFolderList")), StringList{W("Parked")});
    EXPECT_EQ(listtools::ListLines(C<QListWidget>("lstVol08AddFolderStructure")), StringList{drive.path("Src")});
    EXPECT_TRUE(C<QRadioButton>("rdoVol08AttachSubFoldersOnlyWithoutFiles")->isChecked());
    EXPECT_FALSE(C<QCheckBox>("chkVol08ShowDetailedResults")->isChecked());
    EXPECT_TRUE(Enabled("rdoVol08StructureImportFullPaths"));
    EXPECT_TRUE(Enabled("btnVol08CopyFolders"));
    EXPECT_EQ(C<QLabel>("lblVol08IncludeSum")->text(), "3");

    // Without a structure the run stops before its question.
    listtools::SetListLines(C<QListWidget>("lstVol08AddFolderStructure"), StringList{});
    captions.clear();
    page->btnVol08CopyFoldersClick();
    EXPECT_EQ(captions, Lines{"80047."});
    page->Vol08SimulateCopyFolders();
    EXPECT_EQ(captions, (Lines{"80047.", "80071."}));
    Click("btnVol08Help");
    Click("btnVol08Examples");
    EXPECT_EQ(modals, (Lines{"TfrmAltalanosHelp", "TfrmExamplesCopy"}));
}

// Byte totals pass a million on any real copy: the labels show every digit,
// before the run and after it, as the other counters do.
TEST_F(Vol08PageTest, ByteCountersPastAMillionShowEveryDigit) {
    drive.WriteFile("Big\\big.bin", std::string(500617, 'x'));
    Edit(W("M1") + "\n" + W("M2") + "\n");
    page->Vol08AddFolderStructurePath(drive.path("Big"));
    Click("rdoVol08AttachMainFolderWithFiles");
    EXPECT_EQ(Label("lblStat08FileSizeToCopy"), "1001234");

    Click("btnVol08CopyFolders");
    EXPECT_EQ(drive.ReadFile("Work\\M2\\Big\\big.bin").size(), 500617u);
    EXPECT_EQ(Label("lblStat08FileSizeCopied"), "1001234");
    Click("btnVol08CopyFolders");  // now every file exists
    EXPECT_EQ(Label("lblStat08FileSizeExists"), "1001234");
}
