// Page 07 in the real main window: the Include list filled, the pre-count,
// the simulation and the run on the Visual Log, its zoom and export, and
// the folders the run may not touch however they entered the list.
#include <gtest/gtest.h>

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
#include <optional>

#include "core/SettingsStore.h"
#include "pages/RunItems.h"
#include "pages/folders/Vol07Page.h"
#include "pages/TfrmSubFolderListBuilder.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistics07.h"
#include "results/TfrmVol07ZoomStatistics.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "shell/TfrmRestoreSettings.h"
#include "tests/support/TempDrive.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmVol07EditIncludeList.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

constexpr const char* kLists[] = {"lstStat07FoldersDeleted",      "lstStat07FoldersOtherReasons",
                                  "lstStat07MainFoldersNotExist", "lstStat07FilesDeleted",
                                  "lstStat07FilesOtherReasons",   "lstStat07FoldersNotExists",
                                  "lstStat07FilesNotExists"};

class Vol07PageTest : public pagewindow::PageWindowFixture {
protected:
    Vol07PageTest()
        : PageWindowFixture('P', "Prog",
                            {[] { return static_cast<QDialog*>(frmVol07EditIncludeList); }, "btnVol07EditIncludeListOk",
                             "btnVol07EditIncludeList"}) {}
    void SetUp() override {
        PageWindowFixture::SetUp();
        SetWorkingDir(drive.path("Prog\\WorkingDir"));
        page = frmMain->Page07;
    }
    std::string Label(const char* name) { return frmStatistics07->findChild<QLabel*>(name)->text().toStdString(); }
    std::map<std::string, Lines> LogLines() {
        std::map<std::string, Lines> out;
        for (const char* list : kLists) out[list] = frmStatistics07->List(list)->Lines();
        return out;
    }

    void OtherModal(QDialog* dialog) override {
        if (dialog == frmFileExport) exported = frmFileExport->findChild<QLabel*>("lblSmartExportSource")->text();
    }

    Vol07Page* page = nullptr;
    QString exported;
};

}  // namespace

// The simulation touches nothing and shows the run's outcome line for line;
// the run deletes every file whatever the file selection holds, counted
// ahead by the page refresh; the Visual Log's zoom and export show them.
TEST_F(Vol07PageTest, SimulationForetellsTheRunLineForLine) {
    drive.WriteFile("Main\\a.txt", "a");
    drive.WriteFile("Main\\Sub\\b.dat", "b");
    drive.WriteFile("Main\\Sub\\Deep\\c.txt", "c");
    drive.WriteFile("Other\\x.txt", "x");
    SetFileSelNamesText("*.txt");
    EXPECT_FALSE(Enabled("btnVol07DeleteFolders"));
    Edit(drive.path("Main") + "\n" + drive.path("Main\\Sub") + "\n" + drive.path("Other") + "\n" +
         drive.path("Gone") + "\n");
    EXPECT_EQ(C<QLabel>("lblVol07IncludeSum")->text(), "4");
    EXPECT_TRUE(Enabled("btnVol07DeleteFolders"));
    EXPECT_FALSE(C<QWidget>("btnVol07DeleteFoldersSimulation")->isVisibleTo(frmMain));
    EXPECT_EQ(Label("lblStat07FoldersToDelete"), "2");  // Sub, Deep; a nested main folder counts once
    EXPECT_EQ(Label("lblStat07FilesToDelete"), "4");
    C<QRadioButton>("rdoVol07DeleteCompleteFolders")->click();
    EXPECT_EQ(Label("lblStat07FoldersToDelete"), "4");  // and the two main folders

    const auto before = Tree();
    page->btnVol07DeleteFoldersSimulationClick();
    EXPECT_EQ(Tree(), before);
    EXPECT_EQ(captions, (Lines{"70050.", "70051."}));
    EXPECT_FALSE(frmStatistics07->findChild<QCheckBox*>("chkStat07NormalSimulate")->isChecked());
    const auto simulated = LogLines();
    EXPECT_EQ(simulated.at("lstStat07FilesDeleted").size(), 4u);
    EXPECT_EQ(simulated.at("lstStat07MainFoldersNotExist"), Lines{drive.path("Gone")});
    EXPECT_EQ(page->Vol07CountState, 1);

    captions.clear();
    texts.clear();
    Click("btnVol07DeleteFolders");
    EXPECT_EQ(captions, (Lines{"70032.", "70033.", "70037."}));
    EXPECT_EQ(texts[0].rfind("First Confirmation for DELETING Folders/Files\n\n", 0), 0u);
    EXPECT_FALSE(drive.Exists("Main"));
    EXPECT_FALSE(drive.Exists("Other"));
    EXPECT_TRUE(drive.Exists("Prog"));
    EXPECT_EQ(LogLines(), simulated);
    EXPECT_EQ(Label("lblStat07FoldersDeleted"), "4");
    EXPECT_EQ(Label("lblStat07FilesDeleted"), "4");
    EXPECT_EQ(Label("lblStat07MainFoldersNotExist"), "1");
    EXPECT_TRUE(frmStatistics07->findChild<QCheckBox*>("chkStat07NormalSimulate")->isChecked());
    EXPECT_EQ(frmStatistics07->findChild<QLabel*>("lblVol07NormalSimulate")->text(), "Folder/File Delete Process.");
    EXPECT_EQ(page->Vol07CountState, 2);
    EXPECT_TRUE(Enabled("btnVol07DeleteFolders"));
    EXPECT_TRUE(C<QWidget>("tabFileCopy")->isEnabled());

    frmStatistics07->findChild<QAbstractButton*>("btnStat07ZoomFilesDeleted")->click();
    EXPECT_EQ(frmVol07ZoomStatistics->List("FilesDeleted")->Lines(), simulated.at("lstStat07FilesDeleted"));
    EXPECT_TRUE(frmVol07ZoomStatistics->isVisible());
    frmStatistics07->findChild<QAbstractButton*>("btnStat07SmartExportFoldersDeleted")->click();
    EXPECT_EQ(modals, Lines{"TfrmFileExport"});
    EXPECT_EQ(exported.toStdString().find('4') != std::string::npos, true) << exported.toStdString();

    // The Visual Log button shows the page's counters; the next run counts again.
    Click("btnVol07Statistics");
    EXPECT_TRUE(frmStatistics07->isVisible());
    drive.WriteFile("Other\\y.txt", "y");
    // A main folder gone once the run counted it: what it held is named by it.
    drive.WriteFile("Main\\Sub\\z.txt", "z");
    drive.WriteFile("Main\\w.txt", "w");
    const pagewindow::WhenShown counted(frmStatistics07, [&] { fs::remove_all(drive.nativePath("Main")); });
    captions.clear();
    C<QCheckBox>("chkVol07DeleteDoubleConfirm")->setChecked(false);
    Click("btnVol07DeleteFolders");
    EXPECT_EQ(captions, (Lines{"70032.", "70037."}));
    EXPECT_EQ(texts.back().rfind("End of the Delete process", 0), 0u);
    EXPECT_FALSE(drive.Exists("Other"));
    EXPECT_EQ(Label("lblStat07FilesDeleted"), "1");
    EXPECT_EQ(Label("lblStat07FilesToDelete"), "3");  // counted again when the run started
    EXPECT_EQ(Label("lblStat07FilesOtherReasons"), "2");
    EXPECT_EQ(Label("lblStat07FoldersToDelete"), "3");
    EXPECT_EQ(Label("lblStat07FoldersDeleted"), "1");
    EXPECT_EQ(Label("lblStat07FoldersOtherReasons"), "2");
    EXPECT_EQ(LogLines().at("lstStat07MainFoldersNotExist"), (Lines{drive.path("Gone"), drive.path("Main")}));
}

// A folder the run may not touch stops it with the page's warning, whether
// a restore or a move put it in the list; the simulation stops there too.
// The program's folder stops it before its questions, nothing deleted; a
// root where the run meets it, the main folders before it done.
TEST_F(Vol07PageTest, RunRefusesRootsAndTheProgramsFolderAtRunTime) {
    drive.WriteFile("A\\a.txt", "a");
    drive.WriteFile("Prog\\WorkingDir\\w.txt", "w");
    drive.WriteFile("Z\\z.txt", "z");
    // A list read from elsewhere holds the program folder (the editor refuses it).
    listtools::SetListLines(C<QListWidget>("lstVol07IncludeFolderList"), StringList{drive.path("A"), drive.path("Prog")});
    page->Vol07RefreshPage();
    ASSERT_EQ(listtools::ListLines(C<QListWidget>("lstVol07IncludeFolderList")).size(), 2u);
    captions.clear();
    page->btnVol07DeleteFoldersSimulationClick();
    EXPECT_EQ(captions, (Lines{"70050.", "70039."}));
    EXPECT_TRUE(drive.Exists("A\\a.txt"));
    captions.clear();
    Click("btnVol07DeleteFolders");
    EXPECT_EQ(captions, Lines{"70039."});
    EXPECT_TRUE(drive.Exists("A\\a.txt"));
    EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\w.txt"));

    // A root spelt past the entry checks, as a restored profile brings it.
    for (const std::string root : {"P:\\Z\\..\\.", "P:\\Z\\..", "P:\\\\.", " P:/Z/../ "}) {
        listtools::SetListLines(C<QListWidget>("lstVol07IncludeFolderList"), StringList{root});
        page->Vol07RefreshPage();
        captions.clear();
        Click("btnVol07DeleteFolders");
        EXPECT_EQ(captions, (Lines{"70032.", "70033.", "70039.", "70037."})) << root;
        EXPECT_TRUE(drive.Exists("Z\\z.txt")) << root;
    }

    // The lists: "<" stops at a bare drive, "<<" drops it.
    listtools::SetListLines(C<QListWidget>("lstVol07ExcludeFolderList"), StringList{drive.path("Z"), "P:\\"});
    captions.clear();
    Click("btnVol07AllfromExc");
    EXPECT_EQ(captions, Lines{"70005."});
    EXPECT_TRUE(C<QListWidget>("lstVol07ExcludeFolderList")->count() == 0);
    EXPECT_EQ(listtools::ListLines(C<QListWidget>("lstVol07IncludeFolderList")).back(), drive.path("Z"));
}

// "To Delete" counts what the run deletes: nothing at all when the list
// names one of the program's own folders (also on a line below another
// main folder), or a drive's root, which holds every folder listed beside
// it; with one worker and with eight.
TEST_F(Vol07PageTest, ToDeleteCountsWhatTheRunDeletes) {
    drive.WriteFile("Prog\\WorkingDir\\w.txt", "w");
    const std::string root = "P:\\M\\..\\.";
    for (const unsigned workers : {1u, 8u}) {
        ForceRunWorkers force(workers);
        for (const std::string& refused : {drive.path("Prog"), drive.path("Prog\\WorkingDir"),
                                           drive.path("Z\\..\\Prog\\WorkingDir"), root}) {
            drive.WriteFile("A\\Sub\\a.txt", "a");
            drive.WriteFile("Z\\Sub\\z.txt", "z");
            // As a restored profile brings it, past the entry checks.
            listtools::SetListLines(C<QListWidget>("lstVol07IncludeFolderList"),
                                    StringList{drive.path("A"), refused, drive.path("Z")});
            page->Vol07RefreshPage();
            C<QRadioButton>("rdoVol07DeleteCompleteFolders")->click();
            const std::string folders = Label("lblStat07FoldersToDelete"), files = Label("lblStat07FilesToDelete");
            captions.clear();
            Click("btnVol07DeleteFolders");
            EXPECT_EQ(folders, "0") << refused;
            EXPECT_EQ(files, "0") << refused;
            if (refused == root) {
                EXPECT_EQ(Label("lblStat07FoldersDeleted"), folders);
                EXPECT_EQ(Label("lblStat07FilesDeleted"), files);
            } else {
                EXPECT_EQ(captions, Lines{"70039."}) << refused;  // refused before the questions
            }
            EXPECT_TRUE(drive.Exists("A\\Sub\\a.txt")) << refused;
            EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\w.txt")) << refused;
        }
    }
}

// A count that fails inside the run (after both confirmations) ends it
// with the count's box: nothing is deleted. A delete that fails keeps
// nothing for an Undo, and its box does not say so.
TEST_F(Vol07PageTest, AFailedCountInsideTheRunDeletesNothing) {
    drive.WriteFile("A\\a.txt", "a");
    drive.WriteFile("B\\Sub\\b.txt", "b");
    C<QRadioButton>("rdoVol07DeleteCompleteFolders")->click();
    Edit(drive.path("A") + "\n" + drive.path("B") + "\n");
    // Armed once the last question is answered: the looks before it pass.
    std::optional<FailRunItemsNamed> fail;
    onBox = [&](const std::string& caption) {
        if (caption.ends_with("70033.")) fail.emplace(drive.path("B"));
    };
    for (const unsigned workers : {1u, 8u}) {
        ForceRunWorkers force(workers);
        page->Vol07CountState = 2;  // the run counts again
        captions.clear();
        texts.clear();
        Click("btnVol07DeleteFolders");
        EXPECT_EQ(captions, (Lines{"70032.", "70033.", "!"})) << workers;
        EXPECT_TRUE(drive.Exists("A\\a.txt")) << workers;
        EXPECT_TRUE(drive.Exists("B\\Sub\\b.txt")) << workers;
        EXPECT_NE(texts.back().find(drive.path("B") + " : "), std::string::npos) << workers;
        EXPECT_EQ(texts.back().find("kept for the Undo"), std::string::npos) << workers;
        EXPECT_TRUE(Enabled("btnVol07DeleteFolders"));
        fail.reset();
    }
    // Armed once the run has counted (its Visual Log shows before the work):
    // the delete itself fails at B.
    onBox = nullptr;
    const pagewindow::WhenShown counted(frmStatistics07, [&] { fail.emplace(drive.path("B")); });
    captions.clear();
    texts.clear();
    Click("btnVol07DeleteFolders");
    EXPECT_EQ(captions, (Lines{"70032.", "70033.", "!"}));
    EXPECT_FALSE(drive.Exists("A\\a.txt"));
    EXPECT_NE(texts.back().find(drive.path("B") + " : "), std::string::npos);
    EXPECT_EQ(texts.back().find("kept for the Undo"), std::string::npos);
    fail.reset();
}

// A count that failed when the list changed is no run's figures: the run
// counts again, and "To Delete" is what it then deletes.
TEST_F(Vol07PageTest, AFailedCountIsNotTheNextRunsFigures) {
    drive.WriteFile("A\\a.txt", "a");
    drive.WriteFile("B\\Sub\\b.txt", "b");
    C<QRadioButton>("rdoVol07DeleteCompleteFolders")->click();
    {
        const FailRunItemsNamed fail(drive.path("B"));
        Edit(drive.path("A") + "\n" + drive.path("B") + "\n");
    }
    EXPECT_EQ(page->Vol07CountState, 0);
    captions.clear();
    Click("btnVol07DeleteFolders");
    EXPECT_FALSE(drive.Exists("B\\Sub\\b.txt"));
    EXPECT_EQ(Label("lblStat07FoldersDeleted"), Label("lblStat07FoldersToDelete"));
    EXPECT_EQ(Label("lblStat07FilesDeleted"), Label("lblStat07FilesToDelete"));
}

// The program's folders enter the list nowhere a root may not, however
// spelt; one that got in by the editor is refused at run time as the
// program's folder, not as a drive.
TEST_F(Vol07PageTest, TheProgramsFoldersAreRefusedAsTheyEnterTheList) {
    drive.WriteFile("Prog\\WorkingDir\\w.txt", "w");
    drive.MakeFolder("A");
    listtools::SetListLines(C<QListWidget>("lstVol07ExcludeFolderList"),
                            StringList{drive.path("A"), " p:/prog/workingdir/ ", drive.path("A\\..\\Prog")});
    captions.clear();
    Click("btnVol07AllfromExc");
    EXPECT_EQ(captions, (Lines{"70005.", "70005."}));
    EXPECT_EQ(listtools::ListLines(C<QListWidget>("lstVol07IncludeFolderList")), StringList{drive.path("A")});
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[0].find("Folder of the program"), std::string::npos);

    // Edit List refuses it too: only a list read from elsewhere holds it.
    listtools::SetListLines(C<QListWidget>("lstVol07IncludeFolderList"), StringList{drive.path("Prog\\WorkingDir")});
    page->Vol07RefreshPage();
    captions.clear();
    texts.clear();
    Click("btnVol07DeleteFolders");
    EXPECT_EQ(captions, Lines{"70039."});
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_NE(texts[0].find("Folder of the program"), std::string::npos);
    EXPECT_TRUE(drive.Exists("Prog\\WorkingDir\\w.txt"));
}

// Edit List refuses the program's folders however spelt, as it refuses a
// root, and keeps the list; Import and the builder take the other lines and
// name those they drop, a long list cut short.
TEST_F(Vol07PageTest, EditListRefusesTheProgramsFoldersAndImportsNameThem) {
    drive.MakeFolder("Prog\\WorkingDir");
    drive.MakeFolder("A");
    drive.MakeFolder("B");
    Edit(drive.path("A") + "\n");
    for (const std::string& spelt : {drive.path("Prog"), std::string(" p:/prog/workingdir/ "),
                                    drive.path("Prog\\\\WorkingDir\\")}) {
        captions.clear();
        texts.clear();
        Edit(drive.path("B") + "\n" + spelt + "\n");
        EXPECT_EQ(captions, Lines{"70039."}) << spelt;
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_NE(texts[0].find("Folder of the program"), std::string::npos) << spelt;
        EXPECT_EQ(Items("lstVol07IncludeFolderList"), Lines{drive.path("A")}) << spelt;
    }

    StringList imported{drive.path("B"), drive.path("Prog"), " p:/prog/workingdir/ "};
    onModal = [&](QDialog* dialog) {
        QListWidget* results = dialog == frmFileImport ? dialog->findChild<QListWidget*>("lstFileImportResults")
                                                       : dialog->findChild<QListWidget*>("lstIncludeFolderList");
        listtools::SetListLines(results, imported);
        return int(QDialog::Accepted);
    };
    captions.clear();
    texts.clear();
    Click("btnVol07SmartImport");
    EXPECT_EQ(captions, (Lines{"70039.", "70051."}));
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "You can not Delete the Folder of the program, its Working Folder or a Folder in it!\nSo "
                        "these lines were not taken into the Include list (total: 2) :\n\n" +
                            drive.path("Prog") + "\np:/prog/workingdir/");
    EXPECT_EQ(Items("lstVol07IncludeFolderList"), (Lines{drive.path("A"), drive.path("B")}));

    imported.assign(12, drive.path("Prog\\WorkingDir"));
    captions.clear();
    texts.clear();
    Click("btnVol07SubFolderListBuilder");
    EXPECT_EQ(captions, (Lines{"70039.", "70052."}));
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts[0].find("(total: 12)"), std::string::npos);
    EXPECT_EQ(std::count(texts[0].begin(), texts[0].end(), '\n'), 2 + 10 + 1);
    EXPECT_TRUE(texts[0].ends_with(drive.path("Prog\\WorkingDir") + "\n\u2026"));
    EXPECT_EQ(Items("lstVol07IncludeFolderList"), (Lines{drive.path("A"), drive.path("B")}));
}

// The working folder's folders are the program's own too: each way a line
// enters the list refuses one as it refuses the program folder, however
// spelt; one that reaches it through a link, past the entry checks, stops
// the run and its simulation before anything is deleted, with one worker
// and with eight, and counts nothing to delete.
TEST_F(Vol07PageTest, TheWorkingFoldersFoldersAreRefusedWhereTheyEnterAndBeforeTheRun) {
    drive.WriteFile("Prog\\WorkingDir\\COPYFILES\\w.txt", "the copy page's");
    drive.WriteFile("Prog\\WorkingDir\\CONSISTENCYCHECK\\c.txt", "c");
    drive.WriteFile("A\\Sub\\a.txt", "a");
    Edit(drive.path("A") + "\n");
    const std::string copies = drive.path("Prog\\WorkingDir\\COPYFILES");
    for (const std::string& spelt : {copies, std::string(" p:/prog/workingdir/consistencycheck/ "),
                                     drive.path("Prog\\\\WorkingDir\\RENAMEFILES\\")}) {
        captions.clear();
        texts.clear();
        Edit(drive.path("A") + "\n" + spelt + "\n");
        EXPECT_EQ(captions, Lines{"70039."}) << spelt;
        EXPECT_EQ(Items("lstVol07IncludeFolderList"), Lines{drive.path("A")}) << spelt;
    }
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts[0].find("Working Folder or a Folder in it"), std::string::npos);

    // "<" stops at it, "<<" drops it, as a root.
    QListWidget* exclude = C<QListWidget>("lstVol07ExcludeFolderList");
    listtools::SetListLines(exclude, StringList{copies, drive.path("B")});
    exclude->item(0)->setSelected(true);
    captions.clear();
    Click("btnVol07ExcToInc");
    EXPECT_EQ(captions, Lines{"70039."});
    EXPECT_EQ(Items("lstVol07IncludeFolderList"), Lines{drive.path("A")});
    captions.clear();
    Click("btnVol07AllfromExc");
    EXPECT_EQ(captions, Lines{"70005."});
    EXPECT_EQ(Items("lstVol07IncludeFolderList"), (Lines{drive.path("A"), drive.path("B")}));

    // Import and the builder drop it and name it.
    onModal = [&](QDialog* dialog) {
        QListWidget* results = dialog == frmFileImport ? dialog->findChild<QListWidget*>("lstFileImportResults")
                                                       : dialog->findChild<QListWidget*>("lstIncludeFolderList");
        listtools::SetListLines(results, StringList{drive.path("C"), copies});
        return int(QDialog::Accepted);
    };
    for (const char* button : {"btnVol07SmartImport", "btnVol07SubFolderListBuilder"}) {
        captions.clear();
        texts.clear();
        Click(button);
        ASSERT_FALSE(texts.empty()) << button;
        EXPECT_EQ(captions.front(), "70039.") << button;
        EXPECT_TRUE(texts[0].ends_with("\n\n" + copies)) << button;
    }
    EXPECT_EQ(Items("lstVol07IncludeFolderList"), (Lines{drive.path("A"), drive.path("B"), drive.path("C")}));

    // Through a link, as a restored profile brings it: refused before the questions.
    fs::create_directory_symlink(drive.nativePath("Prog\\WorkingDir"), drive.nativePath("ToWork"));
    const std::string linked = drive.path("ToWork\\COPYFILES");
    listtools::SetListLines(C<QListWidget>("lstVol07IncludeFolderList"), StringList{drive.path("A"), linked});
    C<QRadioButton>("rdoVol07DeleteCompleteFolders")->click();
    EXPECT_EQ(Label("lblStat07FoldersToDelete"), "0");
    EXPECT_EQ(Label("lblStat07FilesToDelete"), "0");
    for (const unsigned workers : {1u, 8u}) {
        ForceRunWorkers force(workers);
        captions.clear();
        texts.clear();
        page->btnVol07DeleteFoldersSimulationClick();
        Click("btnVol07DeleteFolders");
        EXPECT_EQ(captions, (Lines{"70050.", "70039.", "70039."})) << workers;
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_TRUE(texts[2].ends_with("Folder : " + linked)) << texts[2];
        EXPECT_TRUE(drive.Exists("A\\Sub\\a.txt")) << workers;
        EXPECT_EQ(drive.ReadFile("Prog\\WorkingDir\\COPYFILES\\w.txt"), "the copy page's") << workers;
        EXPECT_TRUE(Enabled("btnVol07DeleteFolders"));
    }
}

// Clear All asks first; Yes empties both lists and leaves DELETE disabled.
TEST_F(Vol07PageTest, ClearAllAndThePagesWindows) {
    drive.MakeFolder("Main");
    Edit(drive.path("Main") + "\n");
    EXPECT_TRUE(Enabled("btnVol07DeleteFolders"));
    Click("btnVol07ClearAll");
    EXPECT_EQ(captions, (Lines{"70030.", "70031."}));
    EXPECT_EQ(C<QListWidget>("lstVol07IncludeFolderList")->count(), 0);
    EXPECT_FALSE(Enabled("btnVol07DeleteFolders"));
    EXPECT_FALSE(C<QCheckBox>("chkVol07ReadOnlyFolders")->isChecked());
    Click("btnVol07Help");
    Click("btnVol07Examples");
    EXPECT_EQ(modals, (Lines{"TfrmAltalanosHelp", "TfrmExamplesDelete"}));
}
