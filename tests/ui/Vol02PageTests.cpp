// Page 02 in the real main window: the Include list's rules, the prefix
// check, and the road from an empty page to a simulation, a run, its
// Visual Log and its undo.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QApplication>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QPlainTextEdit>
#include <QListWidget>
#include <QRadioButton>

#include <filesystem>
#include <functional>
#include <set>

#include "core/SettingsStore.h"
#include "pages/VisualLog.h"
#include "pages/creation/Vol02Engine.h"
#include "pages/creation/Vol02Page.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/ResultsList.h"
#include "results/TfrmLevelSummFolder.h"
#include "results/TfrmStatistic02.h"
#include "results/TfrmVol02ZoomStatistics.h"
#include "shell/TfrmMain.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"
#include "windows/TfrmVol02EditIncludeList.h"

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

Lines LogLines(const char* list) {
    const ResultsListModel* model = frmStatistic02->List(list);
    return model ? model->Lines() : Lines{"<none>"};
}

class Vol02PageTest : public pagewindow::PageWindowFixture {
protected:
    Vol02PageTest() : PageWindowFixture('P') { drive.MakeFolder("Dest"); }
    void SetUp() override {
        PageWindowFixture::SetUp();
        page = frmMain->Page02;
    }
    void Add(const std::string& text) {
        C<QLineEdit>("edtVol02AddToList")->setText(QString::fromStdString(text));
        C<QAbstractButton>("btnVol02AddToList")->click();
    }

    Vol02Page* page = nullptr;
};

}  // namespace

TEST_F(Vol02PageTest, IncludeListTakesEachNameOnceAndNoPath) {
    EXPECT_FALSE(Enabled("edtVol02Prefix"));
    EXPECT_FALSE(Enabled("btnVol02AddToList"));
    page->Vol02SetDestinationFolder(drive.path("Dest"));
    EXPECT_TRUE(Enabled("btnVol02AddToList"));
    EXPECT_FALSE(Enabled("edtVol02Prefix"));  // opens with the first item

    Add("ABC");
    EXPECT_TRUE(Enabled("edtVol02Prefix"));
    Add("ABC");
    Add("abc");  // another folder's name
    Add("a/b//c");
    EXPECT_EQ(C<QLineEdit>("edtVol02AddToList")->text(), "a\\b\\c");
    Add("a\\b/c");  // the same path spelled otherwise
    Add("x?y");
    EXPECT_EQ(C<QLineEdit>("edtVol02AddToList")->text(), "x?");
    Add("C:\\data");
    Add("\\\\server\\share\\x");
    Add("up\\..\\..\\x");
    Add("");
    EXPECT_EQ(captions, (Lines{"20007.", "20007.", "20010.", "20009.", "20009.", "20010.", "20006."}));
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"a\\b\\c", "ABC", "abc"}));  // "\\" sorts before letters
    EXPECT_EQ(C<QLabel>("lblVol02IncludeSum")->text(), "3");

    // Existing structures but none listed: no run yet; Attach Nothing allows it.
    EXPECT_FALSE(Enabled("btnVol02CreateFolders"));
    C<QRadioButton>("rdoVol02AttachNothing")->click();
    EXPECT_TRUE(Enabled("btnVol02CreateFolders"));
    EXPECT_FALSE(Enabled("lstVol02AddFolderStructure"));

    // ">" with two selected, one of them already excluded.
    C<QListWidget>("lstVol02ExcludeStrings")->addItem("abc");
    auto* include = C<QListWidget>("lstVol02IncludeStrings");
    for (int i = 0; i < include->count(); ++i) include->item(i)->setSelected(true);
    C<QAbstractButton>("btnVol02IncToExc")->click();
    EXPECT_TRUE(Items("lstVol02IncludeStrings").empty());
    EXPECT_EQ(Items("lstVol02ExcludeStrings"), (Lines{"a\\b\\c", "ABC", "abc"}));
    EXPECT_FALSE(Enabled("btnVol02CreateFolders"));
    EXPECT_FALSE(Enabled("edtVol02Prefix"));
    C<QAbstractButton>("btnVol02AllFromExc")->click();
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"a\\b\\c", "ABC", "abc"}));
}

// Both lists keep the box's own order, letter case folded (names that differ
// only in case are two), whichever way the items came in; the counts follow.
TEST_F(Vol02PageTest, IncludeAndExcludeStaySortedEveryWayIn) {
    page->Vol02SetDestinationFolder(drive.path("Dest"));
    for (const char* item : {"Zeta", "One", "Two", "alpha"}) Add(item);
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"alpha", "One", "Two", "Zeta"}));

    StringList imported{"beta", "\u00C9clair", "alpha", "Gamma"};  // alpha is held already
    std::string memo = "delta\nBeta\n\u00C9clair\nomega";      // the Excluded line is dropped
    qtplat::SetModalHandler([&](QDialog* dialog) {
        if (dialog == frmFileImport) {
            dialog->findChild<QListWidget*>("lstFileImportResults")->addItems(listtools::ToQt(imported));
            return int(QDialog::Accepted);
        }
        if (dialog == frmVol02EditIncludeList) {
            dialog->findChild<QPlainTextEdit*>("mmoVol02EditIncludeList")->setPlainText(QString::fromStdString(memo));
            dialog->findChild<QAbstractButton*>("btnVol02EditOk")->click();
        }
        return dialog->result();
    });
    C<QAbstractButton>("btnVol02SmartImport")->click();
    // The user's order, letter case ignored: \u00C9clair among the e's, not after z.
    EXPECT_EQ(Items("lstVol02IncludeStrings"),
              (Lines{"alpha", "beta", "\u00C9clair", "Gamma", "One", "Two", "Zeta"}));
    EXPECT_EQ(C<QLabel>("lblVol02IncludeSum")->text(), "7");

    // Moves: both ends stay sorted.
    auto* include = C<QListWidget>("lstVol02IncludeStrings");
    for (int row : {2, 4, 0}) include->item(row)->setSelected(true);
    C<QAbstractButton>("btnVol02IncToExc")->click();
    EXPECT_EQ(Items("lstVol02ExcludeStrings"), (Lines{"alpha", "\u00C9clair", "One"}));
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"beta", "Gamma", "Two", "Zeta"}));
    C<QListWidget>("lstVol02ExcludeStrings")->item(2)->setSelected(true);
    C<QAbstractButton>("btnVol02ExcToInc")->click();
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"beta", "Gamma", "One", "Two", "Zeta"}));
    EXPECT_EQ(C<QLabel>("lblVol02ExcludeSum")->text(), "2");

    // The editor rebuilds the list; lines held by the Exclude list stay out.
    C<QAbstractButton>("btnVol02EditIncludeList")->click();
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"Beta", "delta", "omega"}));
    EXPECT_EQ(C<QLabel>("lblVol02IncludeSum")->text(), "3");

    // Settings restored from a profile.
    SetVol02IncludeStrings({"b2", "B1", "a3", "a3"});
    SetVol02ExcludeStrings({"z", "Y"});
    frmMain->RestorePageListsFromSettings();
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"a3", "B1", "b2"}));
    EXPECT_EQ(Items("lstVol02ExcludeStrings"), (Lines{"Y", "z"}));
    EXPECT_EQ(C<QLabel>("lblVol02IncludeSum")->text(), "3");
}

// A message box takes the focus from the field it complains about; that is
// no Exit. Leaving the field for another control of the window is.
TEST_F(Vol02PageTest, ExitRunsOnlyWhenTheUserLeavesForAnotherControl) {
    page->Vol02SetDestinationFolder(drive.path("Dest"));
    Add("a");
    frmMain->show();
    frmMain->activateWindow();
    QApplication::processEvents();
    ASSERT_TRUE(frmMain->isActiveWindow());

    // Each box is a window of its own that takes the focus while it is up.
    QWidget box;
    auto* boxButton = new QLineEdit(&box);
    onBox = [&](const std::string&) {
        box.show();
        box.activateWindow();
        boxButton->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::focusWidget(), boxButton);
        box.hide();
        frmMain->activateWindow();
        QApplication::processEvents();
    };
    auto* prefix = C<QLineEdit>("edtVol02Prefix");
    auto* suffix = C<QLineEdit>("edtVol02Suffix");
    prefix->setFocus();
    captions.clear();
    prefix->setText("P*");
    EXPECT_EQ(prefix->text(), "P");
    EXPECT_EQ(captions, (Lines{"20026."}));
    suffix->setFocus();
    suffix->setText("AB?");
    EXPECT_EQ(suffix->text(), "AB");
    suffix->setText("AB??");  // pasted: cut until nothing forbidden is left
    EXPECT_EQ(suffix->text(), "AB");
    EXPECT_EQ(captions, (Lines{"20026.", "20027.", "20027.", "20027."}));

    // A text the Change check has not seen (put in quietly) is checked on leaving.
    captions.clear();
    prefix->setFocus();
    {
        const QSignalBlocker quiet(prefix);
        prefix->setText("Q|");
    }
    C<QWidget>("chkVol02Hyphen")->setFocus();
    EXPECT_EQ(captions, (Lines{"20026."}));
    EXPECT_EQ(prefix->text(), "Q");
    EXPECT_EQ(QApplication::focusWidget(), prefix);  // the check keeps the user there

    // Another window taking the focus is no Exit.
    captions.clear();
    {
        const QSignalBlocker quiet(prefix);
        prefix->setText("R<");
    }
    onBox = nullptr;
    box.show();
    box.activateWindow();
    boxButton->setFocus();
    QApplication::processEvents();
    EXPECT_TRUE(captions.empty());
    box.hide();
    frmMain->hide();
}

// A history entry whose folder is gone is neither measured nor taken: the
// page says the folder does not exist, as "View" does, and the entry leaves
// the history.
TEST_F(Vol02PageTest, AMissingDestinationIsNeverDescribed) {
    int summaries = 0;
    qtplat::SetModalHandler([&](QDialog* dialog) {
        if (dialog == frmLevelSummFolder) ++summaries;
        return dialog->result();
    });
    auto* combo = C<QComboBox>("cboVol02DestFolders");
    const auto pick = [combo](const std::string& path) {
        const int row = combo->findText(QString::fromStdString(path));
        ASSERT_GE(row, 0) << path;
        combo->setCurrentIndex(row);
        emit combo->activated(row);
    };
    const auto inHistory = [combo](const std::string& path) {
        return combo->findText(QString::fromStdString(path)) >= 0;
    };
    // At start the history is offered and nothing is chosen.
    combo->addItems({QString::fromStdString(drive.path("Gone")), QString::fromStdString(drive.path("Dest")),
                     QString::fromStdString(drive.path("Gone2"))});
    combo->setCurrentIndex(-1);
    pick(drive.path("Gone"));
    EXPECT_EQ(summaries, 0);
    EXPECT_EQ(captions, (Lines{"0454."}));
    EXPECT_EQ(texts.back(),
              "The folder does not exist :\n" + drive.path("Gone") + "\n\nAction : Choose an existing folder.");
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_FALSE(inHistory(drive.path("Gone")));
    EXPECT_FALSE(Enabled("btnVol02AddToList"));

    pick(drive.path("Dest"));
    EXPECT_EQ(summaries, 1);
    EXPECT_TRUE(Enabled("btnVol02AddToList"));
    pick(drive.path("Gone2"));
    EXPECT_EQ(summaries, 1);
    EXPECT_EQ(captions, (Lines{"0454.", "0454."}));
    EXPECT_EQ(combo->currentText().toStdString(), drive.path("Dest"));  // the destination stays
    EXPECT_EQ(combo->count(), 1);
    EXPECT_TRUE(Enabled("btnVol02AddToList"));
    page->Vol02DescribeFolder(drive.path("Gone"));
    EXPECT_EQ(summaries, 1);
}

TEST_F(Vol02PageTest, PrefixAndSuffixLoseForbiddenCharacters) {
    page->Vol02SetDestinationFolder(drive.path("Dest"));
    Add("a");
    C<QLineEdit>("edtVol02Prefix")->setText("P:\\");
    EXPECT_EQ(C<QLineEdit>("edtVol02Prefix")->text(), "P");
    EXPECT_EQ(captions, (Lines{"20026.", "20026."}));
    C<QLineEdit>("edtVol02Suffix")->setText("S?");
    EXPECT_EQ(C<QLineEdit>("edtVol02Suffix")->text(), "S");
    EXPECT_EQ(texts.back(), "Illegal character in the Suffix :  ?");
    C<QLineEdit>("edtVol02Suffix")->setText("S|\U0001F600");  // the last character goes whole
    EXPECT_EQ(C<QLineEdit>("edtVol02Suffix")->text(), "S");
}

TEST_F(Vol02PageTest, SimulateCreateLookAndUndoInTheRealWindow) {
    drive.WriteFile("S\\docs\\readme.txt", "read me");
    drive.MakeFolder("Dest\\b");
    page->Vol02SetDestinationFolder(drive.path("Dest"));
    Add("a");
    Add("b");
    Add("c\\d");
    C<QRadioButton>("rdoVol02AttachMainFolderWithFiles")->click();
    page->Vol02AddStructureToList(drive.path("S"));
    C<QCheckBox>("chkVol02ViewDestFolder")->setChecked(false);
    ASSERT_TRUE(Enabled("btnVol02CreateFolders"));
    EXPECT_EQ(C<QLabel>("lblVol02FolderStructuresTemplatesSum")->text(), "1");

    bool otherTabsOff = false;
    onBox = [&](const std::string& caption) {
        if (caption.find("20053") != std::string::npos || caption.find("20075") != std::string::npos)
            otherTabsOff = !C<QWidget>("tabFolderCopy")->isEnabled();
    };
    C<QAbstractButton>("btnVol02CreateFoldersSimulation")->click();
    EXPECT_EQ(captions, (Lines{"20072.", "20075."}));
    EXPECT_EQ(texts[0], frmMain->CreateSimulationStartText);
    EXPECT_TRUE(otherTabsOff);
    EXPECT_TRUE(C<QWidget>("tabFolderCopy")->isEnabled());
    EXPECT_FALSE(drive.Exists("Dest\\a"));
    EXPECT_FALSE(frmStatistic02->findChild<QCheckBox*>("chkStat02NormalSimulate")->isChecked());
    const Lines simulatedFolders = LogLines("lstStat02FoldersCreated");
    const Lines simulatedFiles = LogLines("lstStat02FilesCreated");
    // c is made on the way to c\\d: listed with the main folders.
    EXPECT_EQ(simulatedFolders, (Lines{drive.path("Dest\\a"), drive.path("Dest\\c"), drive.path("Dest\\c\\d")}));

    captions.clear();
    C<QAbstractButton>("btnVol02CreateFolders")->click();
    EXPECT_EQ(captions, (Lines{"20048.", "20053."}));
    EXPECT_TRUE(frmStatistic02->findChild<QCheckBox*>("chkStat02NormalSimulate")->isChecked());
    EXPECT_EQ(frmStatistic02->findChild<QLabel*>("lblVol02NormalSimulate")->text(), "Folder/File Creation Process.");
    EXPECT_EQ(LogLines("lstStat02FoldersCreated"), simulatedFolders);
    EXPECT_EQ(LogLines("lstStat02FilesCreated"), simulatedFiles);
    EXPECT_EQ(LogLines("lstStat02FilesCreated"),
              (Lines{drive.path("Dest\\a\\S\\docs\\readme.txt"), drive.path("Dest\\c\\d\\S\\docs\\readme.txt")}));
    EXPECT_EQ(LogLines("lstStat02FoldersExists"), (Lines{drive.path("Dest\\b")}));
    EXPECT_EQ(frmStatistic02->findChild<QLabel*>("lblStat02FoldersCreated")->text(), "3");
    EXPECT_EQ(frmStatistic02->findChild<QLabel*>("lblStat02FilesSizeCreated")->text(), "14");
    EXPECT_EQ(drive.ReadFile("Dest\\c\\d\\S\\docs\\readme.txt"), "read me");
    EXPECT_TRUE(Enabled("btnVol02CreateFolders"));
    EXPECT_EQ(C<QComboBox>("cboVol02DestFolders")->itemText(0).toStdString(), drive.path("Dest"));

    // The Visual Log exports what the run listed; the Include list exports its strings.
    frmStatistic02->findChild<QAbstractButton*>("btnStat02SmartExportFolders")->click();
    EXPECT_EQ(frmFileExport->ExportLines(),
              (StringList{drive.path("Dest\\a"), drive.path("Dest\\c"), drive.path("Dest\\c\\d")}));
    EXPECT_EQ(frmFileExport->ListKind(), "FOLDERS");
    C<QAbstractButton>("btnVol02SmartExport")->click();
    EXPECT_EQ(frmFileExport->ExportLines(), (StringList{"a", "b", "c\\d"}));
    EXPECT_EQ(frmFileExport->ListKind(), "STRINGS");

    captions.clear();
    C<QAbstractButton>("btnVol02Undo")->click();
    EXPECT_EQ(captions, (Lines{"20056.", "20058."}));
    EXPECT_FALSE(drive.Exists("Dest\\a"));
    EXPECT_FALSE(drive.Exists("Dest\\c"));  // the parent the run made goes too
    EXPECT_TRUE(drive.Exists("Dest\\b"));
    EXPECT_TRUE(LogLines("lstStat02FoldersCreated").empty());
    EXPECT_EQ(frmStatistic02->findChild<QLabel*>("lblStat02FoldersCreated")->text(), "0");
}

TEST_F(Vol02PageTest, UndoRemovesWhatTheRunMadeAfterItsVisualLogWasRefilled) {
    // The run's record names the lines its Visual Log keeps instead of
    // copying them: a simulation that empties and refills the log, and an
    // emptied zoom window, leave the undo exactly what the run made.
    drive.MakeFolder("Dest\\keep");
    drive.WriteFile("S\\docs\\readme.txt", "read me");
    const auto entries = [&] {
        std::set<std::string> found;
        for (const auto& e : fs::recursive_directory_iterator(drive.native())) found.insert(e.path().string());
        return found;
    };
    for (const bool templates : {false, true}) {
        const std::set<std::string> before = entries();
        Vol02State state;
        Vol02Inputs in;
        in.DestFolder = drive.path("Dest");
        in.IncludeStrings = {"a", "keep", "c\\d"};
        in.ViewDestFolder = false;
        if (templates) {
            in.RelativePaths = true;
            in.FolderStructures = {"t1", "t1\\t2"};
        } else {
            in.FullPaths = true;
            in.MainFolderWithFiles = true;
            in.FolderStructures = {drive.path("S")};
            Vol02CheckDiskSpace(state, in, true);
        }
        VisualLog log = Vol02VisualLog();
        Vol02RunCreateFolders(state, in, log, RunHooks{});
        ASSERT_TRUE(drive.Exists(templates ? "Dest\\c\\d\\t1\\t2" : "Dest\\c\\d\\S\\docs\\readme.txt"));
        EXPECT_EQ(LogLines("lstStat02FoldersCreated"),
                  (Lines{drive.path("Dest\\a"), drive.path("Dest\\c"), drive.path("Dest\\c\\d")}));

        Vol02SimulateCreateFolders(state, in, log, RunHooks{}, "start", "end");
        frmVol02ZoomStatistics->ClearAllLists();
        EXPECT_TRUE(LogLines("lstStat02FoldersCreated").empty());
        Vol02UndoLastRun(state, log);
        EXPECT_EQ(entries(), before) << templates;
    }
}

TEST_F(Vol02PageTest, ClearAllReturnsToTheStartState) {
    page->Vol02SetDestinationFolder(drive.path("Dest"));
    Add("a");
    C<QRadioButton>("rdoVol02StructureImportRelativePaths")->click();
    C<QCheckBox>("chkVol02Hyphen")->setChecked(false);
    answer = plat::IDNO;
    C<QAbstractButton>("btnVol02ClearAll")->click();
    EXPECT_EQ(Items("lstVol02IncludeStrings"), (Lines{"a"}));
    answer = plat::IDYES;
    C<QAbstractButton>("btnVol02ClearAll")->click();
    EXPECT_EQ(captions, (Lines{"20044.", "20044.", "20045."}));
    EXPECT_TRUE(Items("lstVol02IncludeStrings").empty());
    EXPECT_EQ(C<QComboBox>("cboVol02DestFolders")->count(), 0);
    EXPECT_TRUE(C<QCheckBox>("chkVol02Hyphen")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("rdoVol02StructureImportFullPaths")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("rdoVol02AttachMainFolderWithoutFiles")->isChecked());
    EXPECT_FALSE(Enabled("edtVol02AddToList"));
    EXPECT_TRUE(Enabled("btnVol02AddDestFolder"));
}
