// Page 06 in the real main window: the Include list filled through the
// editor, the simulation and the run on the Visual Log, the undo that puts
// every name back, and the page's list and field rules.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/folders/Vol06Page.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic06.h"
#include "results/TfrmVol06ZoomStatistics.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/TfrmVol06EditIncludeList.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

constexpr const char* kLists[] = {"lstStat06FoldersRenamed", "lstStat06FoldersSourceNotExists",
                                  "lstStat06FoldersDestinationExists", "lstStat06FoldersOtherReasons",
                                  "lstStat06FoldersFailedUndo"};

class Vol06PageTest : public pagewindow::PageWindowFixture {
protected:
    Vol06PageTest()
        : PageWindowFixture('R', "Apps\\Prog",
                            {[] { return static_cast<QDialog*>(frmVol06EditIncludeList); }, "btnVol06EditIncludeListOk",
                             "btnVol06EditIncludeList"}) {}
    void SetUp() override {
        PageWindowFixture::SetUp();
        page = frmMain->Page06;
    }
    std::string Label(const char* name) { return frmStatistic06->findChild<QLabel*>(name)->text().toStdString(); }
    std::map<std::string, Lines> LogLines() {
        std::map<std::string, Lines> out;
        for (const char* list : kLists) out[list] = frmStatistic06->List(list)->Lines();
        return out;
    }

    Vol06Page* page = nullptr;
};

}  // namespace

// The simulation touches nothing and foretells the run line for line (a
// dotted name renamed in place, nested folders, a missing folder); the
// undo puts every name back.
TEST_F(Vol06PageTest, SimulationForetellsTheRunAndUndoRestoresTheNames) {
    drive.MakeFolder("Data\\Proj\\Sub");
    drive.MakeFolder("Data\\Proj.old");
    drive.MakeFolder("Data\\Other\\x");
    drive.MakeFolder("Data\\Twin\\x");
    EXPECT_FALSE(Enabled("btnVol06RenameFolders"));
    EXPECT_FALSE(Enabled("btnVol06Undo"));
    Edit(drive.path("Data\\Proj") + "\n" + drive.path("Data\\Proj\\Sub") + "\n" + drive.path("Data\\Proj.old") +
         "\n" + drive.path("Data\\Gone") + "\n" + drive.path("Data\\Other\\x") + "\n" + drive.path("Data\\Twin\\x") +
         "\n");
    EXPECT_EQ(C<QLabel>("lblVol06IncludeSum")->text(), "6");
    EXPECT_TRUE(Enabled("btnVol06RenameFolders"));
    EXPECT_TRUE(Enabled("btnVol06RenameFoldersSimulation"));
    EXPECT_EQ(Label("lblStat06FoldersToRename"), "6");
    C<QLineEdit>("edtVol06NewPrefix")->setText(" X");
    C<QLineEdit>("edtVol06DelimiterPrefixSubFolder")->setText("_");

    // Nothing to undo yet, and a simulation does not give anything.
    Click("btnVol06Undo");
    EXPECT_EQ(captions, Lines{"60044."});
    captions.clear();
    const Lines before = Tree();
    Click("btnVol06RenameFoldersSimulation");
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(captions, (Lines{"60054.", "60055."}));
    EXPECT_FALSE(frmStatistic06->findChild<QCheckBox*>("chkStat06NormalSimulate")->isChecked());
    EXPECT_EQ(frmStatistic06->findChild<QLabel*>("lblVol06NormalSimulate")->text(),
              "Simulate the Folder Rename Process.");
    const auto simulated = LogLines();
    EXPECT_EQ(simulated.at("lstStat06FoldersRenamed"),
              (Lines{drive.path("Data\\Twin\\X_x"), drive.path("Data\\Other\\X_x"), drive.path("Data\\Proj\\X_Sub"),
                     drive.path("Data\\X_Proj.old"), drive.path("Data\\X_Proj")}));
    EXPECT_EQ(simulated.at("lstStat06FoldersSourceNotExists"), Lines{drive.path("Data\\Gone")});
    EXPECT_EQ(Label("lblStat06FoldersRenamed"), "5");
    EXPECT_EQ(frmVol06ZoomStatistics->List(std::size_t(0))->Lines(),
              simulated.at("lstStat06FoldersRenamed"));
    captions.clear();
    Click("btnVol06Undo");
    EXPECT_EQ(captions, Lines{"60044."});

    // The run: the same lines, the folders renamed.
    captions.clear();
    Click("btnVol06RenameFolders");
    EXPECT_EQ(captions, (Lines{"60039.", "60042."}));
    EXPECT_TRUE(frmStatistic06->findChild<QCheckBox*>("chkStat06NormalSimulate")->isChecked());
    EXPECT_EQ(LogLines(), simulated);
    EXPECT_TRUE(fs::is_directory(drive.nativePath("Data\\X_Proj\\X_Sub")));
    EXPECT_TRUE(fs::is_directory(drive.nativePath("Data\\X_Proj.old")));
    EXPECT_TRUE(fs::is_directory(drive.nativePath("Data\\Other\\X_x")));
    EXPECT_EQ(page->Undo.Vol06RenamedPairs.size(), 5u);
    EXPECT_TRUE(Enabled("btnVol06RenameFolders"));
    EXPECT_TRUE(C<QWidget>("tabFolderCopy")->isEnabled());

    // Answered No, the undo keeps everything.
    answer = plat::IDNO;
    captions.clear();
    Click("btnVol06Undo");
    EXPECT_EQ(captions, Lines{"60045."});
    EXPECT_EQ(page->Undo.Vol06RenamedPairs.size(), 5u);
    answer = plat::IDYES;

    // A renamed folder removed by hand is reported and forgotten; the
    // others, nested ones included, go back.
    fs::remove(drive.nativePath("Data\\Twin\\X_x"));
    captions.clear();
    Click("btnVol06Undo");
    EXPECT_EQ(captions, (Lines{"60045.", "0213.", "60046."}));
    EXPECT_NE(texts.at(texts.size() - 2).find("DESTINATION FOLDERS DO NOT EXIST : \n\n" +
                                              drive.path("Data\\Twin\\X_x") + "\n"),
              std::string::npos);
    fs::create_directory(drive.nativePath("Data\\Twin\\x"));
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(Label("lblStat06FoldersRenamed"), "0");
    EXPECT_TRUE(frmStatistic06->List("lstStat06FoldersRenamed")->Lines().empty());
    captions.clear();
    Click("btnVol06Undo");
    EXPECT_EQ(captions, Lines{"60044."});
}

// The last-subfolder method: no new name, or one of blanks only, is
// refused before the run's and the simulation's questions; a name is
// taken as typed. An empty list still clears the undo records after the
// Yes; the Visual Log button shows the last counts.
TEST_F(Vol06PageTest, LastSubfolderMethodAndEmptyList) {
    drive.MakeFolder("A\\one");
    drive.MakeFolder("A\\two");
    Edit(drive.path("A\\one") + "\n" + drive.path("A\\two") + "\n");
    C<QRadioButton>("rdoVol06RenameTheLastSubFolder")->click();
    EXPECT_FALSE(Enabled("edtVol06NewPrefix"));
    EXPECT_TRUE(Enabled("edtVol06RenameNewLastSubFolder"));
    const Lines before = Tree();
    for (const char* name : {"", "   "}) {
        C<QLineEdit>("edtVol06RenameNewLastSubFolder")->setText(name);
        captions.clear();
        Click("btnVol06RenameFoldersSimulation");
        Click("btnVol06RenameFolders");
        EXPECT_EQ(captions, (Lines{"60041.", "60041."})) << '"' << name << '"';
        EXPECT_EQ(Tree(), before);
    }
    C<QLineEdit>("edtVol06RenameNewLastSubFolder")->setText("Same");
    Click("btnVol06RenameFolders");
    // Reverse list order within a level: two takes the name, one finds it taken.
    EXPECT_TRUE(fs::is_directory(drive.nativePath("A\\Same")));
    EXPECT_TRUE(fs::is_directory(drive.nativePath("A\\one")));
    EXPECT_EQ(frmStatistic06->List("lstStat06FoldersDestinationExists")->Lines(), Lines{drive.path("A\\one")});
    EXPECT_EQ(page->Undo.Vol06RenamedPairs.size(), 1u);

    Click("btnVol06Statistics");
    EXPECT_EQ(Label("lblStat06FoldersRenamed"), "1");
    EXPECT_EQ(Label("lblStat06FoldersDestinationExists"), "1");

    C<QLineEdit>("edtVol06RenameNewLastSubFolder")->setText(" x ");
    Click("btnVol06RenameFolders");
    EXPECT_EQ(frmStatistic06->List("lstStat06FoldersRenamed")->Lines(), Lines{drive.path("A\\ x ")});
    EXPECT_TRUE(fs::is_directory(drive.nativePath("A\\ x ")));

    // An empty list: the records go after the Yes, with the warning.
    C<QListWidget>("lstVol06IncludeFolderList")->clear();
    captions.clear();
    page->btnVol06RenameFoldersClick();
    EXPECT_EQ(captions, (Lines{"60039.", "60043."}));
    EXPECT_TRUE(page->Undo.Vol06RenamedPairs.empty());
}

// A listed folder that is one of the program's own (the working folder, a
// folder in it, one reached through a link, the program folder, a folder
// that holds it and would move it) stops the
// run and its simulation before their questions, with a box naming it:
// nothing is renamed, and the last run's renames stay for the Undo. With
// one worker and with eight.
TEST_F(Vol06PageTest, TheProgramsOwnFoldersStopTheRunBeforeAnythingIsRenamed) {
    SetWorkingDir(drive.path("Apps\\Prog\\WorkingDir"));
    drive.MakeFolder("Apps\\Prog\\WorkingDir\\COPYFILES");
    drive.MakeFolder("Data\\A");
    drive.MakeFolder("Data\\B");
    fs::create_directory_symlink(drive.nativePath("Apps\\Prog\\WorkingDir"), drive.nativePath("Data\\ToWork"));
    C<QLineEdit>("edtVol06NewPrefix")->setText("X_");
    Edit(drive.path("Data\\A") + "\n");
    Click("btnVol06RenameFolders");
    ASSERT_TRUE(fs::is_directory(drive.nativePath("Data\\X_A")));
    const Lines before = Tree();
    for (const unsigned workers : {1u, 8u}) {
        ForceRunWorkers force(workers);
        for (const std::string& own :
             {drive.path("Apps\\Prog\\WorkingDir\\COPYFILES"), drive.path("Data\\ToWork\\COPYFILES"),
              drive.path("Apps\\Prog\\WorkingDir"), drive.path("Apps\\Prog"), drive.path("Apps")}) {
            Edit(drive.path("Data\\B") + "\n" + own + "\n");
            captions.clear();
            texts.clear();
            Click("btnVol06RenameFoldersSimulation");
            Click("btnVol06RenameFolders");
            EXPECT_EQ(captions, (Lines{"60040.", "60040."})) << own;
            ASSERT_EQ(texts.size(), 2u);
            EXPECT_TRUE(texts[1].ends_with("Folder : " + own)) << texts[1];
            EXPECT_EQ(Tree(), before) << own;
            EXPECT_EQ(page->Undo.Vol06RenamedPairs.size(), 1u) << own;
            EXPECT_TRUE(Enabled("btnVol06RenameFolders"));
        }
    }
    captions.clear();
    Click("btnVol06Undo");
    EXPECT_EQ(captions, (Lines{"60045.", "60046."}));
    EXPECT_TRUE(fs::is_directory(drive.nativePath("Data\\A")));
}

// "<<" drops an Exclude item without a drive; a forbidden character is cut
// off the prefix with its message; Clear All answered No changes nothing,
// answered Yes resets the method and leaves its controls off.
TEST_F(Vol06PageTest, ListRulesFieldCheckAndClearAll) {
    auto* exclude = C<QListWidget>("lstVol06ExcludeFolderList");
    exclude->addItem("Projects\\Alpha");
    exclude->addItem(QString::fromStdString(drive.path("Beta")));
    Click("btnVol06AllfromExc");
    EXPECT_EQ(Items("lstVol06IncludeFolderList"), Lines{drive.path("Beta")});
    EXPECT_TRUE(Items("lstVol06ExcludeFolderList").empty());
    EXPECT_TRUE(Enabled("btnVol06Undo"));

    captions.clear();
    C<QLineEdit>("edtVol06NewPrefix")->setText("ab*");
    EXPECT_EQ(C<QLineEdit>("edtVol06NewPrefix")->text(), "ab");
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_EQ(texts.back(), "Illegal character in the Prefix :  *");

    C<QRadioButton>("rdoVol06RenameTheLastSubFolder")->click();
    answer = plat::IDNO;
    captions.clear();
    Click("btnVol06ClearAll");
    EXPECT_EQ(captions, Lines{"60037."});
    EXPECT_EQ(Items("lstVol06IncludeFolderList").size(), 1u);
    answer = plat::IDYES;
    captions.clear();
    Click("btnVol06ClearAll");
    EXPECT_EQ(captions, (Lines{"60037.", "60038."}));
    EXPECT_TRUE(Items("lstVol06IncludeFolderList").empty());
    EXPECT_TRUE(C<QRadioButton>("rdoVol06RenameAddPrefixesSuffixes")->isChecked());
    EXPECT_FALSE(Enabled("edtVol06NewPrefix"));
    EXPECT_FALSE(Enabled("rdoVol06RenameAddPrefixesSuffixes"));
    EXPECT_FALSE(Enabled("btnVol06RenameFolders"));
    EXPECT_TRUE(C<QLineEdit>("edtVol06NewPrefix")->text().isEmpty());

    Click("btnVol06Help");
    Click("btnVol06Examples");
    EXPECT_EQ(modals, (Lines{"TfrmAltalanosHelp", "TfrmExamplesRename"}));
}
