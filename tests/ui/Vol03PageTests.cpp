// Page 03 in the real main window: the destination, the number checks, the
// road from an empty page to a simulation, a run, its Visual Log, an export
// and its undo, bad number texts after a restore, Clear All and the Help
// and Examples buttons.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "core/SettingsStore.h"
#include "core/TemplateOptions.h"
#include "help/TfrmAltalanosHelp.h"
#include "pages/creation/TfrmVol03Multi.h"
#include "pages/creation/Vol03Page.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic03.h"
#include "shell/TfrmMain.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileExport.h"

using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

Lines LogLines(const char* list) {
    const ResultsListModel* model = frmStatistic03->List(list);
    return model ? model->Lines() : Lines{"<none>"};
}

std::string Label(const char* name) { return frmStatistic03->findChild<QLabel*>(name)->text().toStdString(); }

class Vol03PageTest : public pagewindow::PageWindowFixture {
protected:
    Vol03PageTest() : PageWindowFixture('P') { drive.MakeFolder("Dest"); }
    void SetUp() override {
        PageWindowFixture::SetUp();
        previousOpen = plat::SetOpenFolderHandler([this](const std::string& folder) {
            opened.push_back(folder);
            return true;
        });
        page = frmMain->Page03;
    }
    void TearDown() override {
        plat::SetOpenFolderHandler(previousOpen);
        PageWindowFixture::TearDown();
    }
    std::string Text(const char* name) { return C<QLineEdit>(name)->text().toStdString(); }

    plat::OpenFolderHandler previousOpen;
    Vol03Page* page = nullptr;
    Lines opened;
};

}  // namespace

TEST_F(Vol03PageTest, TheDestinationOpensThePage) {
    EXPECT_FALSE(Enabled("edtVol03StartNumber"));
    EXPECT_FALSE(Enabled("btnVol03CreateFolders"));
    EXPECT_TRUE(Enabled("btnVol03AddDestFolder"));
    page->Vol03SetDestFolder("   ");
    EXPECT_EQ(captions, (Lines{"30002."}));
    EXPECT_EQ(captions.size(), 1u);

    drive.WriteFile("Dest\\sub\\f.txt", "12345");
    captions.clear();
    texts.clear();
    page->Vol03SetDestFolder(drive.path("Dest"));
    ASSERT_FALSE(texts.empty());
    EXPECT_EQ(texts[0], "Folder structure: " + drive.path("Dest") +
                            "\n\nContains :       2 Main Folders/Subfolders.\n\n                       1 Files.\n\nSum "
                            "file size :  5.00 Bytes  (5 bytes).\n");
    EXPECT_TRUE(Enabled("edtVol03StartNumber"));
    EXPECT_TRUE(Enabled("btnVol03AddFolderStructure"));
    EXPECT_FALSE(Enabled("btnVol03ImportFolderStructuresTemplates"));
    EXPECT_FALSE(Enabled("btnVol03CreateFolders"));  // existing structures, none listed
    Click("rdoVol03AttachNothing");
    EXPECT_TRUE(Enabled("btnVol03CreateFolders"));
    EXPECT_FALSE(Enabled("lstVol03AddFolderStructure"));
    Click("rdoVol03StructureImportRelativePaths");
    EXPECT_TRUE(Enabled("btnVol03FolderTemplatesOptions"));
    EXPECT_TRUE(Enabled("chkVol03AddIncNumbersAsSuffix"));
    EXPECT_FALSE(Enabled("btnVol03AddFolderStructure"));
    EXPECT_FALSE(Enabled("btnVol03CreateFolders"));

    // The history: a new path goes first, a known one is only selected.
    drive.MakeFolder("Other");
    page->Vol03SetDestFolder(drive.path("Other"));
    page->Vol03SetDestFolder(drive.path("Dest"));
    auto* combo = C<QComboBox>("cboVol03DestFolders");
    EXPECT_EQ(combo->itemText(0).toStdString(), drive.path("Other"));
    EXPECT_EQ(combo->currentText().toStdString(), drive.path("Dest"));

    Click("btnVol03ViewDestFolder");
    EXPECT_EQ(opened, (Lines{drive.path("Dest")}));
}

TEST_F(Vol03PageTest, NumberChecksReplaceTextsThatAreNoNumber) {
    page->Vol03SetDestFolder(drive.path("Dest"));
    Click("rdoVol03AttachNothing");
    SetText("edtVol03StartNumber", "abc");
    SetText("edtVol03EndNumber", "12");
    page->edtVol03StartNumberExit();
    EXPECT_EQ(Text("edtVol03StartNumber"), "1");
    EXPECT_EQ(Label("lblStat03FoldersToCreate"), "12");
    SetText("edtVol03EndNumber", "");
    page->edtVol03EndNumberExit();
    EXPECT_EQ(Text("edtVol03EndNumber"), "1");
    SetText("edtVol03EndNumber", "0");
    page->edtVol03EndNumberExit();
    EXPECT_EQ(Text("edtVol03EndNumber"), "0");  // kept; only the stored number is raised
    EXPECT_EQ(page->Vol03EndValue, 1);
}

TEST_F(Vol03PageTest, SimulateCreateLookExportAndUndoInTheRealWindow) {
    drive.WriteFile("S\\docs\\readme.txt", "read me");
    drive.MakeFolder("Dest\\Job-2");
    page->Vol03SetDestFolder(drive.path("Dest"));
    SetText("edtVol03Prefix", "Job");
    C<QCheckBox>("chkVol03Hyphen")->setChecked(true);
    C<QCheckBox>("chkVol03PaddedZeroes")->setChecked(true);
    SetText("edtVol03StartNumber", "1");
    SetText("edtVol03EndNumber", "10");
    page->edtVol03EndNumberExit();
    Click("rdoVol03AttachMainFolderWithFiles");
    page->Vol03AddStructure(drive.path("S"));
    EXPECT_EQ(C<QLabel>("lblVol03FolderStructuresTemplatesSum")->text(), "1");
    ASSERT_TRUE(Enabled("btnVol03CreateFolders"));
    SetText("edtVol03EndNumber", "3");  // a run reads the edits as they are

    bool otherTabsOff = false;
    onBox = [&](const std::string& caption) {
        if (caption.find("30034") != std::string::npos || caption.find("30054") != std::string::npos)
            otherTabsOff = !C<QWidget>("tabFolderCopy")->isEnabled() &&
                           C<QWidget>("tabCreateFolderIncreasedNumbers")->isEnabled();
    };
    captions.clear();
    Click("btnVol03CreateFoldersSimulation");
    EXPECT_EQ(captions, (Lines{"30051.", "30054."}));
    EXPECT_EQ(texts[texts.size() - 2], frmMain->CreateSimulationStartText);
    EXPECT_TRUE(otherTabsOff);
    EXPECT_TRUE(C<QWidget>("tabFolderCopy")->isEnabled());
    EXPECT_FALSE(drive.Exists("Dest\\Job-1"));
    EXPECT_FALSE(frmStatistic03->findChild<QCheckBox*>("chkStat03NormalSimulate")->isChecked());
    EXPECT_EQ(opened, (Lines{drive.path("Dest")}));  // Show Explorer
    const Lines simulatedFolders = LogLines("lstStat03FoldersCreated");
    const Lines simulatedSub = LogLines("lstStat03SubFoldersCreated");
    const Lines simulatedFiles = LogLines("lstStat03FilesCreated");
    EXPECT_EQ(simulatedFolders, (Lines{drive.path("Dest\\Job-1"), drive.path("Dest\\Job-3")}));
    EXPECT_EQ(Label("lblStat03FoldersToCreate"), "3");

    captions.clear();
    Click("btnVol03CreateFolders");
    EXPECT_EQ(captions, (Lines{"30030.", "30034."}));
    EXPECT_TRUE(frmStatistic03->findChild<QCheckBox*>("chkStat03NormalSimulate")->isChecked());
    EXPECT_EQ(frmStatistic03->findChild<QLabel*>("lblVol03NormalSimulate")->text(), "Folder/File Creation Process.");
    EXPECT_EQ(LogLines("lstStat03FoldersCreated"), simulatedFolders);
    EXPECT_EQ(LogLines("lstStat03SubFoldersCreated"), simulatedSub);
    EXPECT_EQ(LogLines("lstStat03FilesCreated"), simulatedFiles);
    EXPECT_EQ(LogLines("lstStat03FoldersExists"), (Lines{drive.path("Dest\\Job-2")}));
    EXPECT_EQ(Label("lblStat03FoldersCreated"), "2");
    EXPECT_EQ(Label("lblStat03FilesSizeCreated"), "14");
    EXPECT_EQ(drive.ReadFile("Dest\\Job-3\\S\\docs\\readme.txt"), "read me");
    EXPECT_TRUE(Enabled("btnVol03CreateFolders"));

    frmStatistic03->findChild<QAbstractButton*>("btnStat03SmartExportFolders")->click();
    EXPECT_EQ(frmFileExport->ExportLines(), (StringList{drive.path("Dest\\Job-1"), drive.path("Dest\\Job-3")}));
    EXPECT_EQ(frmFileExport->ListKind(), "FOLDERS");

    captions.clear();
    Click("btnVol03Undo");
    EXPECT_EQ(captions, (Lines{"30037.", "30039."}));
    EXPECT_FALSE(drive.Exists("Dest\\Job-1"));
    EXPECT_FALSE(drive.Exists("Dest\\Job-3"));
    EXPECT_TRUE(drive.Exists("Dest\\Job-2"));
    EXPECT_TRUE(LogLines("lstStat03FoldersCreated").empty());
    EXPECT_EQ(Label("lblStat03FoldersCreated"), "0");
}

// However large the range, the count is what one number's is: the largest
// end shows its count at once and no box, with the folder every number
// makes on its way and the template line that meets one number's name.
TEST_F(Vol03PageTest, TheLargestEndIsCountedAtOnce) {
    page->Vol03SetDestFolder(drive.path("Dest\\New"));
    Click("rdoVol03AttachNothing");
    SetText("edtVol03StartNumber", "1");
    SetText("edtVol03EndNumber", "2147483647");
    captions.clear();
    page->edtVol03EndNumberExit();
    EXPECT_EQ(Label("lblStat03FoldersToCreate"), "2147483648");

    SetFolderTemplateOptions(3, {0, 1, "%", 0, 0});
    Click("rdoVol03AttachMainFolderWithoutFiles");
    Click("rdoVol03StructureImportRelativePaths");
    listtools::SetListLines(C<QListWidget>("lstVol03AddFolderStructure"),
                            StringList{"Plans\\%\\Notes", "Plans\\5\\Old"});
    page->edtVol03EndNumberExit();
    EXPECT_EQ(Label("lblStat03FoldersToCreate"), "2147483648");
    EXPECT_EQ(Label("lblStat03SubFoldersToCreate"), "10737418234");  // 5 each, Plans\5 once for 5
    EXPECT_EQ(Text("edtVol03EndNumber"), "2147483647");
    EXPECT_TRUE(captions.empty());
}

// Restored settings put texts into the number edits that no exit check has
// seen: the run reads them, shows the page's fallback, and nothing is left
// disabled whatever the texts are.
TEST_F(Vol03PageTest, BadNumberTextsAfterARestore) {
    SetVol03StartNumber("seven");
    SetVol03EndNumber("3");
    SetVol03DestFolderHistory({drive.path("Dest")});
    SetVol03DestFolder(drive.path("Dest"));
    SetVol03AttachNothing(1);
    SetVol03StructureImportFullPaths(0);
    frmMain->RestorePageListsFromSettings();
    frmMain->RefreshAllPagesAfterRestore();
    frmMain->ReapplyAttachOptions();
    EXPECT_EQ(Text("edtVol03StartNumber"), "seven");
    ASSERT_TRUE(Enabled("btnVol03CreateFolders"));
    captions.clear();
    Click("btnVol03CreateFolders");
    EXPECT_EQ(Text("edtVol03StartNumber"), "1");
    EXPECT_EQ(captions, (Lines{"30030.", "30034."}));
    EXPECT_TRUE(drive.Exists("Dest\\1"));
    EXPECT_TRUE(drive.Exists("Dest\\3"));

    for (const auto& [start, end] : std::vector<std::pair<std::string, std::string>>{
             {"", "x"}, {"99999999999", "2"}, {"5", "-2147483649"}, {"8", "2"}}) {
        SetText("edtVol03StartNumber", start);
        SetText("edtVol03EndNumber", end);
        captions.clear();
        answer = plat::IDNO;
        Click("btnVol03CreateFoldersSimulation");
        Click("btnVol03CreateFolders");
        for (const char* sheet : {"tabFolderCopy", "tabCreateFolderStrings", "tabFileRename"})
            EXPECT_TRUE(C<QWidget>(sheet)->isEnabled()) << start << " " << end;
        EXPECT_TRUE(Enabled("btnVol03CreateFolders"));
    }
    EXPECT_EQ(captions, (Lines{"30049.", "30027."}));  // the last pair: 8 above 2
}

TEST_F(Vol03PageTest, ClearAllHelpAndExamples) {
    page->Vol03SetDestFolder(drive.path("Dest"));
    Click("rdoVol03StructureImportRelativePaths");
    C<QCheckBox>("chkVol03Hyphen")->setChecked(true);
    SetText("edtVol03EndNumber", "9");
    answer = plat::IDNO;
    Click("btnVol03ClearAll");
    EXPECT_EQ(Text("edtVol03EndNumber"), "9");
    answer = plat::IDYES;
    captions.clear();
    Click("btnVol03ClearAll");
    EXPECT_EQ(captions, (Lines{"30008.", "30009."}));
    EXPECT_EQ(Text("edtVol03StartNumber"), "1");
    EXPECT_EQ(Text("edtVol03EndNumber"), "1");
    EXPECT_EQ(C<QComboBox>("cboVol03DestFolders")->count(), 0);
    EXPECT_FALSE(C<QCheckBox>("chkVol03Hyphen")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("rdoVol03StructureImportFullPaths")->isChecked());
    EXPECT_TRUE(C<QRadioButton>("rdoVol03AttachMainFolderWithoutFiles")->isChecked());
    EXPECT_TRUE(C<QCheckBox>("chkVol03ViewDestFolder")->isChecked());
    EXPECT_FALSE(Enabled("edtVol03StartNumber"));

    modals.clear();
    Click("btnVol03Help");
    Click("btnVol03Examples");
    EXPECT_EQ(modals, (Lines{"TfrmAltalanosHelp", "TfrmExamplesIncreasedNumbers"}));
    EXPECT_EQ(frmAltalanosHelp->GetTopic(), 8u);
}

// The multiline window: created at start with every line off; nothing shows it.
TEST_F(Vol03PageTest, MultilineWindowLinesFollowTheirBoxes) {
    ASSERT_NE(frmVol03Multi, nullptr);
    TfrmVol03Multi* w = frmVol03Multi;
    EXPECT_EQ(w->windowTitle(), "Advanced  - Multiline Creation Using Increased Numbers");
    for (int line = 1; line <= 10; ++line) {
        EXPECT_FALSE(w->LineCheck(line)->isChecked());
        for (int column = 0; column < 5; ++column) EXPECT_FALSE(w->LineEdit(line, column)->isEnabled());
    }
    w->LineCheck(8)->click();
    for (int column = 0; column < 5; ++column) {
        EXPECT_TRUE(w->LineEdit(8, column)->isEnabled());
        EXPECT_FALSE(w->LineEdit(7, column)->isEnabled());
    }
    w->LineCheck(8)->click();
    EXPECT_FALSE(w->LineEdit(8, 0)->isEnabled());
    w->SetAllLines(true);
    for (int line = 1; line <= 10; ++line) EXPECT_TRUE(w->LineEdit(line, 4)->isEnabled());

    w->LineEdit(1, 3)->setText("ab?");
    EXPECT_EQ(w->LineEdit(1, 3)->text(), "ab");
    EXPECT_EQ(captions, (Lines{"0079."}));
    EXPECT_EQ(texts.back(), "Illegal characters in the Prefix :  ?");
    w->LineEdit(2, 3)->setText("x?");  // no other edit is checked
    EXPECT_EQ(w->LineEdit(2, 3)->text(), "x?");
    w->LineEdit(1, 0)->setText("last");
    w->findChild<QAbstractButton*>("btnVol03MultiClearAll")->click();
    EXPECT_EQ(w->LineEdit(1, 0)->text(), "");
    EXPECT_EQ(w->LineEdit(1, 3)->text(), "");
    EXPECT_EQ(w->LineEdit(2, 3)->text(), "x?");
    EXPECT_FALSE(w->LineCheck(1)->isChecked());
    EXPECT_FALSE(w->LineEdit(2, 3)->isEnabled());
}

// "View Selected" opens only a folder that is there; a template line or a
// gone folder is never handed to the desktop.
TEST_F(Vol03PageTest, ViewSelectedOpensOnlyExistingFolders) {
    drive.MakeFolder("S");
    page->Vol03SetDestFolder(drive.path("Dest"));
    page->Vol03AddStructure(drive.path("S"));
    page->Vol03AddStructure(drive.path("Gone"));
    auto* list = C<QListWidget>("lstVol03AddFolderStructure");
    captions.clear();
    opened.clear();
    Click("btnVol03ViewFolderStructure");
    EXPECT_EQ(captions, (Lines{"30013."}));
    list->setCurrentRow(0);
    Click("btnVol03ViewFolderStructure");
    list->setCurrentRow(1);
    Click("btnVol03ViewFolderStructure");
    EXPECT_EQ(opened, (Lines{drive.path("S")}));
    EXPECT_EQ(captions.size(), 2u);  // the gone folder is said, not opened
}
