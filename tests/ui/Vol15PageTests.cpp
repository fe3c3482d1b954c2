// Page 15 in the real main window: the enable rules of the run button and
// of the source and compare radios, the Include list's moves, and the road
// from filled lists to a check, its Visual Log, zoom and export; Help.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>

#include "core/SettingsStore.h"
#include "help/HelpWindows.h"
#include "help/TfrmAltalanosHelp.h"
#include "pages/checker/Vol15Page.h"
#include "platform/Desktop.h"
#include "platform/MessageBox.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic15.h"
#include "results/TfrmVol15ZoomStatistics.h"
#include "shell/TfrmMain.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/TfrmFileExport.h"

using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

class Vol15PageTest : public pagewindow::PageWindowFixture {
protected:
    Vol15PageTest() : PageWindowFixture('P') {
        drive.WriteFile("Models\\Std\\Docs\\a.txt", "a");
        drive.MakeFolder("Models\\Std\\Src");
        drive.WriteFile("Jobs\\P1\\Docs\\a.txt", "a");
        drive.MakeFolder("Jobs\\P1\\Src");
        drive.MakeFolder("Jobs\\P2\\Docs");
        drive.MakeFolder("Jobs\\P2\\Temp");
    }
    void BeforeWindows() override { SetFileSelNameMasks({"*.*"}); }
    void SetUp() override {
        PageWindowFixture::SetUp();
        previousBrowser = plat::SetFolderBrowserHandler([this](void*, const std::string&) { return browsed; });
        page = frmMain->Page15;
    }
    void TearDown() override {
        plat::SetFolderBrowserHandler(previousBrowser);
        PageWindowFixture::TearDown();
    }
    void OtherModal(QDialog* dialog) override {
        if (dialog == frmAltalanosHelp) topics.push_back(frmAltalanosHelp->GetTopic());
        if (dialog == frmFileExport) exported = frmFileExport->ExportLines();
    }
    void Browse(const char* button, const std::string& folder) {
        browsed = folder;
        C<QAbstractButton>(button)->click();
    }
    bool Checked(const char* name) { return C<QAbstractButton>(name)->isChecked(); }
    Lines Numbers() const {
        Lines out;
        for (const auto& c : captions) out.push_back(c.substr(c.rfind(' ') + 1));
        return out;
    }
    Lines LogLines(const char* list) const {
        const ResultsListModel* model = frmStatistic15->List(list);
        return model ? model->Lines() : Lines{"<none>"};
    }
    std::string LogLabel(const char* label) const {
        return frmStatistic15->findChild<QLabel*>(label)->text().toStdString();
    }

    plat::FolderBrowserHandler previousBrowser;
    std::string browsed;
    Vol15Page* page = nullptr;
    std::vector<unsigned> topics;
    StringList exported;
};

}  // namespace

// The run button waits for both lists; a new source kind empties the
// structure list at once; a drive root as a model is asked about; Clear All
// and a restore leave one compare way chosen.
TEST_F(Vol15PageTest, RunNeedsBothListsAndOneCompareWayStaysChosen) {
    EXPECT_FALSE(Enabled("btnVol15CheckProjectsConsistency"));
    EXPECT_FALSE(Enabled("btnVol15AddFolderStructure"));
    Browse("btnVol15AddFolderToList", drive.path("Jobs\\P1"));
    Browse("btnVol15AddFolderToList", drive.path("Jobs\\P1"));
    EXPECT_EQ(Numbers(), Lines{"150009."});
    EXPECT_EQ(C<QLabel>("lblVol15IncludeSum")->text(), "1");
    EXPECT_TRUE(Enabled("btnVol15AddFolderStructure"));
    EXPECT_FALSE(Enabled("btnVol15CheckProjectsConsistency"));

    answer = plat::IDNO;
    Browse("btnVol15AddFolderStructure", drive.path());  // the whole drive
    EXPECT_EQ(Numbers().back(), "150029.");
    EXPECT_TRUE(Items("lstVol15AddFolderStructure").empty());
    Browse("btnVol15AddFolderStructure", drive.path("Models\\Std"));
    EXPECT_EQ(Items("lstVol15AddFolderStructure"), Lines{drive.path("Models\\Std")});
    EXPECT_TRUE(Enabled("btnVol15CheckProjectsConsistency"));
    // The models' counts reach the Visual Log at once.
    EXPECT_EQ(LogLabel("lblStat15FoldersToCheck"), "1");
    EXPECT_EQ(LogLabel("lblStat15SubFoldersToCheck"), "3");  // Std, Docs, Src

    C<QAbstractButton>("rdoVol15StructureImportRelativePaths")->click();
    EXPECT_TRUE(Items("lstVol15AddFolderStructure").empty());
    EXPECT_FALSE(Enabled("btnVol15CheckProjectsConsistency"));
    EXPECT_FALSE(Enabled("rdoVol15AttachMainFolderWithoutFiles"));
    EXPECT_TRUE(Enabled("btnVol15FolderTemplatesOptions"));

    C<QAbstractButton>("rdoVol15StructureImportFullPaths")->click();
    C<QAbstractButton>("rdoVol15AttachSubFoldersOnlyWithFiles")->click();
    EXPECT_TRUE(Enabled("btnVol15FileSelection"));
    answer = plat::IDYES;
    C<QAbstractButton>("btnVol15ClearAll")->click();
    EXPECT_TRUE(Checked("rdoVol15StructureImportRelativePaths"));
    EXPECT_TRUE(Checked("rdoVol15AttachMainFolderWithoutFiles"));
    EXPECT_FALSE(Checked("rdoVol15AttachSubFoldersOnlyWithFiles"));
    EXPECT_FALSE(Enabled("btnVol15FolderTemplatesOptions"));
    EXPECT_TRUE(Items("lstVol15IncludeFolderList").empty());
    EXPECT_EQ(Numbers().back(), "150046.");

    // A restore that leaves every compare way unchosen.
    SetVol15IncludeFolderList({drive.path("Jobs\\P1")});
    SetVol15StructureImportFullPaths(1);
    SetVol15StructureImportRelativePaths(0);
    for (auto set : {SetVol15AttachMainFolderWithoutFiles, SetVol15AttachSubFoldersOnlyWithoutFiles,
                     SetVol15AttachMainFolderWithFiles, SetVol15AttachSubFoldersOnlyWithFiles})
        set(0);
    frmMain->RestorePageListsFromSettings();
    frmMain->RefreshAllPagesAfterRestore();
    EXPECT_TRUE(Checked("rdoVol15AttachMainFolderWithoutFiles"));
    EXPECT_TRUE(Enabled("rdoVol15AttachSubFoldersOnlyWithFiles"));
}

// Moves never make a second copy; "<>" swaps the lists as its hint says.
TEST_F(Vol15PageTest, MovesKeepEachFolderOnceAndExchangeSwaps) {
    auto* include = C<QListWidget>("lstVol15IncludeFolderList");
    auto* exclude = C<QListWidget>("lstVol15ExcludeFolderList");
    include->addItems({"P:\\Jobs\\P1", "P:\\Jobs\\P2"});
    exclude->addItems({"p:\\Jobs\\P1", "P:\\Jobs\\P3"});
    exclude->item(0)->setSelected(true);
    C<QAbstractButton>("btnVol15ExcToInc")->click();
    EXPECT_EQ(Items("lstVol15IncludeFolderList"), (Lines{"P:\\Jobs\\P1", "P:\\Jobs\\P2"}));
    EXPECT_EQ(Items("lstVol15ExcludeFolderList"), Lines{"P:\\Jobs\\P3"});
    C<QAbstractButton>("btnVol15ExchangeIncExc")->click();
    EXPECT_EQ(Items("lstVol15IncludeFolderList"), Lines{"P:\\Jobs\\P3"});
    EXPECT_EQ(Items("lstVol15ExcludeFolderList"), (Lines{"P:\\Jobs\\P1", "P:\\Jobs\\P2"}));
    EXPECT_EQ(C<QLabel>("lblVol15ExcludeSum")->text(), "2");
    C<QAbstractButton>("btnVol15AllFromExc")->click();
    EXPECT_EQ(Items("lstVol15IncludeFolderList"), (Lines{"P:\\Jobs\\P3", "P:\\Jobs\\P1", "P:\\Jobs\\P2"}));
    EXPECT_TRUE(Items("lstVol15ExcludeFolderList").empty());
}

// The whole road in the main window: a check with files fills the Visual
// Log and the zoom window, the other pages come back afterwards, and the
// missing files export as main folder and item.
TEST_F(Vol15PageTest, CheckFillsVisualLogZoomAndExport) {
    Browse("btnVol15AddFolderToList", drive.path("Jobs\\P1"));
    Browse("btnVol15AddFolderToList", drive.path("Jobs\\P2"));
    Browse("btnVol15AddFolderStructure", drive.path("Models\\Std"));
    C<QAbstractButton>("rdoVol15AttachSubFoldersOnlyWithFiles")->click();
    EXPECT_EQ(LogLabel("lblStat15FilesToCheck"), "2");
    captions.clear();
    bool othersOffDuringRun = false;
    plat::SetMessageBoxHandler([&](const std::string&, const std::string& caption, unsigned flags) {
        captions.push_back(caption);
        if (caption.find("150052") != std::string::npos)
            othersOffDuringRun = !C<QWidget>("tabFolderCopy")->isEnabled();
        return (flags & plat::MB_BUTTONMASK) == plat::MB_YESNO ? int(plat::IDYES) : int(plat::IDOK);
    });
    C<QAbstractButton>("btnVol15CheckProjectsConsistency")->click();

    const std::string p2 = drive.path("Jobs\\P2");
    EXPECT_EQ(Numbers(), (Lines{"150048.", "150052."}));
    EXPECT_EQ(captions.front(), "Checking Projects Consistency..            Information no: 150048.");
    EXPECT_TRUE(othersOffDuringRun);
    EXPECT_TRUE(C<QWidget>("tabFolderCopy")->isEnabled());
    EXPECT_TRUE(Enabled("btnVol15CheckProjectsConsistency"));
    EXPECT_TRUE(frmStatistic15->isVisible());
    EXPECT_EQ(LogLines("lstStat15FoldersMissing"), Lines{p2});
    EXPECT_EQ(LogLines("lstStat15SubFoldersMissing"), Lines{p2 + "\\Src is Missing from " + p2});
    EXPECT_EQ(LogLines("lstStat15SegedFilesMissing"), Lines{p2 + "," + p2 + "\\Docs\\a.txt"});
    EXPECT_EQ(LogLines("lstStat15SubFoldersExtra"), Lines{p2 + "\\Temp"});
    EXPECT_EQ(frmVol15ZoomStatistics->List("FilesMissing")->Lines(),
              Lines{p2 + "\\Docs\\a.txt is Missing from " + p2});
    EXPECT_EQ(LogLabel("lblStat15FoldersToCheck"), "2");
    EXPECT_EQ(LogLabel("lblStat15SubFoldersMissing"), "1");
    EXPECT_EQ(LogLabel("lblStat15FilesMissing"), "1");
    EXPECT_EQ(LogLabel("lblStat15SubFoldersExtra"), "1");
    EXPECT_EQ(frmStatistic15->findChild<QLabel*>("lblVol15NormalSimulate")->text(),
              "Checking Projects Consistency..");

    frmStatistic15->findChild<QAbstractButton*>("btnStat15SmartExportFilesMissing")->click();
    EXPECT_EQ(exported, StringList{p2 + "," + p2 + "\\Docs\\a.txt"});
    frmStatistic15->findChild<QAbstractButton*>("btnStat15ZoomSubFoldersExtra")->click();
    EXPECT_EQ(frmVol15ZoomStatistics->ShownCategory(), frmVol15ZoomStatistics->IndexOf("SubFoldersExtra"));
}

TEST_F(Vol15PageTest, HelpOpensTopicEighteen) {
    C<QAbstractButton>("btnVol15Help")->click();
    EXPECT_EQ(topics, std::vector<unsigned>{HelpTopic::Vol15});
}
