// Page 04 in the real main window: the Include and Exclude lists' rules,
// the prefix check, template lines, and the road from an empty page to a
// simulation, a run, its Visual Log, exports and its undo.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "core/SettingsStore.h"
#include "help/TfrmAltalanosHelp.h"
#include "pages/creation/Vol04Page.h"
#include "platform/MessageBox.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic04.h"
#include "shell/TfrmMain.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"
#include "windows/TfrmFileImport.h"

using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

Lines LogLines(const char* list) {
    const ResultsListModel* model = frmStatistic04->List(list);
    return model ? model->Lines() : Lines{"<none>"};
}

std::string Label(const char* name) { return frmStatistic04->findChild<QLabel*>(name)->text().toStdString(); }

class Vol04PageTest : public pagewindow::PageWindowFixture {
protected:
    Vol04PageTest() : PageWindowFixture('P') { drive.MakeFolder("Work"); }
    void SetUp() override {
        PageWindowFixture::SetUp();
        page = frmMain->Page04;
    }
    void Add(const std::string& text) {
        C<QLineEdit>("edtVol04AddToList")->setText(QString::fromStdString(text));
        C<QAbstractButton>("btnVol04AddToList")->click();
    }
    std::string W(const std::string& rel) const { return drive.path("Work\\" + rel); }

    Vol04Page* page = nullptr;
};

}  // namespace

TEST_F(Vol04PageTest, IncludeListTakesFullPathsEachOnce) {
    EXPECT_FALSE(Enabled("edtVol04Prefix"));
    EXPECT_TRUE(Enabled("edtVol04AddToList"));
    Add("   ");
    Add("Work\\Alpha");
    Add(W("a/b"));
    EXPECT_EQ(captions, (Lines{"40002.", "40003.", "40004."}));
    EXPECT_EQ(texts[2], "Illegal characters in the text :  /");
    EXPECT_EQ(C<QLineEdit>("edtVol04AddToList")->text().toStdString(), W("a/b"));  // kept as typed

    // Several paths typed in one text are split at their drive letters.
    captions.clear();
    Add(W("Alpha") + " " + W("Beta\\\\Deep") + "  " + W("Gamma"));
    EXPECT_TRUE(captions.empty());
    EXPECT_EQ(Items("lstVol04IncludeFolderList"), (Lines{W("Alpha"), W("Beta\\Deep"), W("Gamma")}));
    EXPECT_EQ(C<QLineEdit>("edtVol04AddToList")->text().toStdString(),
              W("Alpha") + " " + W("Beta\\Deep") + "  " + W("Gamma"));
    EXPECT_EQ(C<QLabel>("lblVol04IncludeSum")->text(), "3");
    EXPECT_TRUE(Enabled("edtVol04Prefix"));

    // A refusal keeps what came before it; letter case makes another folder.
    Add(W("alpha") + W("Alpha") + W("Zeta"));
    EXPECT_EQ(captions, (Lines{"40004."}));
    EXPECT_EQ(texts.back(), "This item already exists in the Include list !");
    EXPECT_EQ(Items("lstVol04IncludeFolderList"), (Lines{W("Alpha"), W("Beta\\Deep"), W("Gamma"), W("alpha")}));
    Add(W("up\\..\\..\\x"));
    Add(drive.path(""));
    EXPECT_EQ(texts.back(), "There is no Folder part (just root).");

    // Moves: ">" with one already excluded, then back.
    auto* include = C<QListWidget>("lstVol04IncludeFolderList");
    C<QListWidget>("lstVol04ExcludeFolderList")->addItem(QString::fromStdString(W("Gamma")));
    include->item(0)->setSelected(true);
    include->item(2)->setSelected(true);
    Click("btnVol04IncToExc");
    EXPECT_EQ(Items("lstVol04IncludeFolderList"), (Lines{W("Beta\\Deep"), W("alpha")}));
    EXPECT_EQ(Items("lstVol04ExcludeFolderList"), (Lines{W("Gamma"), W("Alpha")}));
    Add(W("Gamma"));
    EXPECT_EQ(texts.back(), "This item already exists in the Exclude list !");
    Click("btnVol04ExchangeIncExc");
    EXPECT_EQ(Items("lstVol04IncludeFolderList"), (Lines{W("Gamma"), W("Alpha")}));
    EXPECT_EQ(C<QLabel>("lblVol04ExcludeSum")->text(), "2");
    Click("btnVol04AllfromInc");
    EXPECT_TRUE(Items("lstVol04IncludeFolderList").empty());
    EXPECT_FALSE(Enabled("edtVol04Prefix"));
    EXPECT_FALSE(Enabled("btnVol04CreateFolders"));
    Click("btnVol04AllfromExc");
    EXPECT_EQ(Items("lstVol04IncludeFolderList").size(), 4u);

    // Exclude deletes.
    captions.clear();
    Click("btnVol04DeleteExcludeAll");
    Click("btnVol04DeleteFromExclude");
    EXPECT_EQ(captions, (Lines{"40019.", "40018."}));
    EXPECT_EQ(captions.size(), 2u);

    // Import: lines without a drive or with dot names are skipped silently.
    onModal = [](QDialog* dialog) {
        if (dialog == frmFileImport) {
            dialog->findChild<QListWidget*>("lstFileImportResults")
                ->addItems({"P:/Work/Imported", "relative\\x", "P:\\Work\\a\\..\\b", "P:\\Work\\Alpha"});
            return int(QDialog::Accepted);
        }
        return dialog->result();
    };
    captions.clear();
    Click("btnVol04SmartImport");
    EXPECT_EQ(captions, (Lines{"40051."}));
    EXPECT_EQ(Items("lstVol04IncludeFolderList").back(), W("Imported"));
    EXPECT_EQ(Items("lstVol04IncludeFolderList").size(), 5u);
}

TEST_F(Vol04PageTest, PrefixAndSuffixLoseForbiddenCharacters) {
    Add(W("a"));
    C<QLineEdit>("edtVol04Prefix")->setText("x?");
    EXPECT_EQ(C<QLineEdit>("edtVol04Prefix")->text(), "x");
    EXPECT_EQ(texts.back(), "Illegal character in the Prefix :  ?");
    C<QLineEdit>("edtVol04Suffix")->setText("a/bc");
    EXPECT_EQ(C<QLineEdit>("edtVol04Suffix")->text(), "a");
    EXPECT_EQ(captions, (Lines{"40021.", "40022.", "40022.", "40022."}));
}

TEST_F(Vol04PageTest, SimulateCreateLookExportAndUndoInTheRealWindow) {
    drive.WriteFile("Tpl\\docs\\readme.txt", "read me");
    drive.MakeFolder("Work\\P-Old-S");
    Add(W("Alpha") + W("Old") + drive.path("New\\Deep\\Beta") + W("Report.2024"));
    C<QLineEdit>("edtVol04Prefix")->setText("P");
    C<QLineEdit>("edtVol04Suffix")->setText("S");
    C<QCheckBox>("chkVol04Hyphen")->setChecked(true);
    Click("rdoVol04AttachMainFolderWithFiles");
    page->Vol04AddFolderStructurePath(drive.path("Tpl"));
    EXPECT_EQ(C<QLabel>("lblVol04FolderStructuresTemplatesSum")->text(), "1");
    ASSERT_TRUE(Enabled("btnVol04CreateFolders"));
    EXPECT_EQ(Label("lblStat04FoldersToCreate"), "6");  // New and New\\Deep are made on the way
    EXPECT_EQ(Label("lblStat04FilesToCreate"), "4");

    bool otherTabsOff = false;
    onBox = [&](const std::string& caption) {
        if (caption.find("40048") != std::string::npos || caption.find("40070") != std::string::npos)
            otherTabsOff = !C<QWidget>("tabFolderCopy")->isEnabled() &&
                           C<QWidget>("tabCreateFolderFolders")->isEnabled();
    };
    captions.clear();
    Click("btnVol04CreateFoldersSimulation");
    EXPECT_EQ(captions, (Lines{"40067.", "40070."}));
    EXPECT_EQ(texts[texts.size() - 2], frmMain->CreateSimulationStartText);
    EXPECT_EQ(texts.back(), frmMain->CreateSimulationEndText);
    EXPECT_TRUE(otherTabsOff);
    EXPECT_FALSE(drive.Exists("Work\\P-Alpha-S"));
    EXPECT_FALSE(frmStatistic04->findChild<QCheckBox*>("chkStat04NormalSimulate")->isChecked());
    const Lines simulatedFolders = LogLines("lstStat04FoldersCreated");
    const Lines simulatedSub = LogLines("lstStat04SubFoldersCreated");
    const Lines simulatedFiles = LogLines("lstStat04FilesCreated");
    EXPECT_EQ(simulatedFolders, (Lines{W("P-Alpha-S"), drive.path("New"), drive.path("New\\Deep"),
                                       drive.path("New\\Deep\\P-Beta-S"), drive.path("P-Work-S")}));

    captions.clear();
    Click("btnVol04CreateFolders");
    EXPECT_EQ(captions, (Lines{"40043.", "40048."}));
    EXPECT_TRUE(frmStatistic04->findChild<QCheckBox*>("chkStat04NormalSimulate")->isChecked());
    EXPECT_EQ(LogLines("lstStat04FoldersCreated"), simulatedFolders);
    EXPECT_EQ(LogLines("lstStat04SubFoldersCreated"), simulatedSub);
    EXPECT_EQ(LogLines("lstStat04FilesCreated"), simulatedFiles);
    EXPECT_EQ(LogLines("lstStat04FoldersExists"), (Lines{W("P-Old-S")}));
    EXPECT_EQ(Label("lblStat04FoldersCreated"), "5");
    EXPECT_EQ(Label("lblStat04FilesSizeCreated"), "21");
    EXPECT_EQ(drive.ReadFile("New\\Deep\\P-Beta-S\\Tpl\\docs\\readme.txt"), "read me");
    EXPECT_TRUE(Enabled("btnVol04CreateFolders"));
    EXPECT_TRUE(C<QWidget>("tabFolderCopy")->isEnabled());

    // The Visual Log exports what the run listed; the Include list its paths.
    frmStatistic04->findChild<QAbstractButton*>("btnStat04SmartExportFolders")->click();
    EXPECT_EQ(frmFileExport->ExportLines(),
              (StringList{W("P-Alpha-S"), drive.path("New"), drive.path("New\\Deep"), drive.path("New\\Deep\\P-Beta-S"),
                          drive.path("P-Work-S")}));
    C<QListWidget>("lstVol04IncludeFolderList")->addItem("no drive");
    Click("btnVol04SmartExport");
    EXPECT_EQ(frmFileExport->ExportLines(),
              (StringList{W("Alpha"), W("Old"), drive.path("New\\Deep\\Beta"), W("Report.2024")}));
    EXPECT_EQ(frmFileExport->ListKind(), "FOLDERS");

    // Undo leaves every parent that was there before the run.
    captions.clear();
    Click("btnVol04Undo");
    EXPECT_EQ(captions, (Lines{"40051.", "40053."}));
    EXPECT_FALSE(drive.Exists("Work\\P-Alpha-S"));
    EXPECT_FALSE(drive.Exists("New"));
    EXPECT_FALSE(drive.Exists("P-Work-S"));
    EXPECT_TRUE(drive.Exists("Work\\P-Old-S"));
    EXPECT_TRUE(drive.Exists("Tpl\\docs\\readme.txt"));
    EXPECT_TRUE(LogLines("lstStat04FoldersCreated").empty());
    EXPECT_EQ(Label("lblStat04FoldersCreated"), "0");
}

TEST_F(Vol04PageTest, TemplateLinesImportedExportedAndCreated) {
    Add(W("Job"));
    Click("rdoVol04StructureImportRelativePaths");
    EXPECT_TRUE(Enabled("btnVol04ImportFolderStructuresTemplates"));
    EXPECT_FALSE(Enabled("btnVol04AddFolderStructure"));
    EXPECT_FALSE(Enabled("btnVol04CreateFolders"));
    onModal = [](QDialog* dialog) {
        if (dialog == frmFileImport) {
            dialog->findChild<QListWidget*>("lstFileImportResults")->addItems({"\\Docs/Plans", "\\Notes"});
            return int(QDialog::Accepted);
        }
        return dialog->result();
    };
    captions.clear();
    Click("btnVol04ImportFolderStructuresTemplates");
    EXPECT_EQ(captions, (Lines{"40052."}));
    EXPECT_EQ(Items("lstVol04AddFolderStructure"), (Lines{"\\Docs\\Plans", "\\Notes"}));
    EXPECT_TRUE(Enabled("btnVol04CreateFolders"));
    EXPECT_EQ(Label("lblStat04SubFoldersToCreate"), "3");  // Docs on the way to Docs\\Plans
    onModal = nullptr;
    Click("btnVol04ExportFolderStructuresTemplates");
    EXPECT_EQ(frmFileExport->ExportLines(), (StringList{"\\Docs\\Plans", "\\Notes"}));
    EXPECT_EQ(frmFileExport->ListKind(), "STRINGS");

    Click("btnVol04CreateFolders");
    EXPECT_EQ(LogLines("lstStat04SubFoldersCreated"), (Lines{W("Job\\Docs"), W("Job\\Docs\\Plans"), W("Job\\Notes")}));
    EXPECT_TRUE(drive.Exists("Work\\Job\\Docs\\Plans"));
    Click("btnVol04Undo");
    EXPECT_FALSE(drive.Exists("Work\\Job"));
    EXPECT_TRUE(drive.Exists("Work"));

    captions.clear();
    Click("btnVol04DeleteAllFolderStructuresTemplates");
    EXPECT_TRUE(Items("lstVol04AddFolderStructure").empty());
    Click("btnVol04DeleteAllFolderStructuresTemplates");
    EXPECT_EQ(captions, (Lines{"40039.", "40038."}));
    EXPECT_FALSE(Enabled("btnVol04CreateFolders"));
}

TEST_F(Vol04PageTest, ClearAllHelpExamplesAndARestore) {
    Add(W("a"));
    Add(W("b"));
    C<QCheckBox>("chkVol04Hyphen")->setChecked(false);
    answer = plat::IDNO;
    Click("btnVol04ClearAll");
    EXPECT_EQ(Items("lstVol04IncludeFolderList").size(), 2u);
    answer = plat::IDYES;
    captions.clear();
    Click("btnVol04ClearAll");
    EXPECT_EQ(captions, (Lines{"40040", "40041."}));
    EXPECT_TRUE(Items("lstVol04IncludeFolderList").empty());
    EXPECT_TRUE(C<QCheckBox>("chkVol04Hyphen")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("rdoVol04StructureImportFullPaths")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("rdoVol04AttachMainFolderWithoutFiles")->isChecked());
    EXPECT_FALSE(Enabled("edtVol04Prefix"));
    EXPECT_TRUE(Enabled("edtVol04AddToList"));

    modals.clear();
    Click("btnVol04Help");
    Click("btnVol04Examples");
    EXPECT_EQ(modals, (Lines{"TfrmAltalanosHelp", "TfrmExamplesCreateFolders"}));
    EXPECT_EQ(frmAltalanosHelp->GetTopic(), 6u);

    // A profile's lists come back with the page refreshed.
    SetVol04IncludeFolderList({W("x"), W("y")});
    SetVol04ExcludeFolderList({W("z")});
    SetVol04AttachNothing(1);
    SetVol04StructureImportFullPaths(0);
    frmMain->RestorePageListsFromSettings();
    frmMain->RefreshAllPagesAfterRestore();
    frmMain->ReapplyAttachOptions();
    EXPECT_EQ(C<QLabel>("lblVol04IncludeSum")->text(), "2");
    EXPECT_EQ(C<QLabel>("lblVol04ExcludeSum")->text(), "1");
    EXPECT_TRUE(Enabled("edtVol04Prefix"));
    EXPECT_TRUE(Enabled("btnVol04CreateFolders"));
    EXPECT_EQ(Label("lblStat04FoldersToCreate"), "2");
}
