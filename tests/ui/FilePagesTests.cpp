// Pages 10, 11 and 12 in the real main window: their buttons from an empty
// page to a run, its Visual Log and its undo, the list rules they share,
// and their Help and Examples windows.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "help/TfrmAltalanosHelp.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol11Page.h"
#include "pages/files/Vol12Page.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic10.h"
#include "results/TfrmStatistic12.h"
#include "results/TfrmStatistics11.h"
#include "shell/TfrmMain.h"
#include "platform/qt/FileDialogs.h"
#include "tests/support/MachineMemory.h"
#include "tests/ui/PageWindowFixture.h"
#include "windows/ListTools.h"
#include "windows/TfrmFileImport.h"

using Lines = std::vector<std::string>;

namespace {

using pagewindow::C;

class FilePagesTest : public pagewindow::PageWindowFixture {
protected:
    FilePagesTest() : PageWindowFixture('P') {}
    // As the editor or a restore fills the list; then the page's refresh.
    void SetIncludeList(const char* list, const Lines& lines) {
        listtools::SetListLines(C<QListWidget>(list), StringList(lines.begin(), lines.end()));
    }
};

}  // namespace

TEST_F(FilePagesTest, CopyPageRunsAndUndoesAnOverwrite) {
    drive.WriteFile("Src\\a.txt", "new");
    drive.WriteFile("Dest\\a.txt", "old");
    Vol10Page* page = frmMain->Page10;
    EXPECT_FALSE(Enabled("btnVol10CopyFiles"));
    SetIncludeList("lstVol10IncludeFolderList", {drive.path("Dest")});
    page->Vol10RefreshPage();
    EXPECT_FALSE(Enabled("btnVol10CopyFiles"));  // no source yet
    page->Vol10AddSource(drive.path("Src"));
    EXPECT_TRUE(Enabled("btnVol10CopyFiles"));
    EXPECT_EQ(C<QLabel>("lblVol10FolderStructuresSum")->text(), "1");
    C<QRadioButton>("rdoVol10DuplicatedFilesOverWrite")->setChecked(true);

    Click("btnVol10CopyFilesSimulation");
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "old");
    Click("btnVol10CopyFiles");
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "new");
    EXPECT_EQ(frmStatistic10->List("lstStat10FilesOverWrited")->Lines(),
              Lines{"Overwrite: " + drive.path("Dest\\a.txt") + " With: " + drive.path("Src\\a.txt")});
    EXPECT_TRUE(Enabled("btnVol10CopyFiles"));

    // Clear All keeps the overwrite records: Undo still puts the old file back.
    Click("btnVol10ClearAll");
    EXPECT_FALSE(Enabled("btnVol10CopyFiles"));
    captions.clear();
    page->btnVol10UndoClick();  // the button waits for the next Include line
    EXPECT_EQ(drive.ReadFile("Dest\\a.txt"), "old");
    EXPECT_EQ(captions, (Lines{"100050.", "100052."}));
}

// A page's count of a source keeps its totals alone; one that would pass
// what the machine can give stops with box 0459 and the source is not
// added. A run keeps each file's size only while it runs.
TEST_F(FilePagesTest, CopyPageCountsASourceWithinMemory) {
    drive.WriteFile("Src\\a.txt", "a");
    drive.MakeFolder("Dest");
    for (int k = 0; k < 400; ++k) drive.WriteFile("Big\\folder number " + std::to_string(k) + "\\f.txt", "x");
    Vol10Page* page = frmMain->Page10;
    SetIncludeList("lstVol10IncludeFolderList", {drive.path("Dest")});
    page->Vol10AddSource(drive.path("Src"));
    EXPECT_EQ(page->Counters.FilesToCopy, 1);
    EXPECT_TRUE(page->Vol10SourceFileSizes.empty());
    {
        testsupport::MachineMemory small(std::uint64_t{256} * 1024);
        captions.clear();
        page->Vol10AddSource(drive.path("Big"));
    }
    EXPECT_EQ(captions, Lines{"0459."});
    ASSERT_FALSE(texts.empty());
    EXPECT_NE(texts[0].find("Nothing was changed."), std::string::npos);
    EXPECT_EQ(Items("lstVol10AddFolderStructure"), Lines{drive.path("Src")});
    EXPECT_EQ(page->Counters.FilesToCopy, 1);
    EXPECT_EQ(C<QLabel>("lblVol10FolderStructuresSource")->text(), "Source Folder Structures");

    Click("btnVol10CopyFilesSimulation");
    EXPECT_EQ(frmStatistic10->List("lstStat10FilesCopied")->Lines().size(), 1u);
    EXPECT_TRUE(page->Vol10SourceFileSizes.empty());
    // Removed, a source leaves nothing of its count behind.
    C<QListWidget>("lstVol10AddFolderStructure")->item(0)->setSelected(true);
    page->btnVol10DeleteSelectedFolderStructuresClick();
    EXPECT_TRUE(Items("lstVol10AddFolderStructure").empty());
    EXPECT_TRUE(page->Vol10SourceShares.empty());
    EXPECT_EQ(page->Counters.FilesToCopy, 0);
}

// A list whose file would not fit is refused with box 0460 before it is
// read; the page's list stays as it was.
TEST_F(FilePagesTest, ImportThatWouldNotFitChangesNothing) {
    std::string text;
    for (int k = 0; k < 2000; ++k) text += "C:\\Imported\\" + std::to_string(k) + "\n";
    drive.WriteFile("list.txt", text);
    SetIncludeList("lstVol10IncludeFolderList", {drive.path("Dest")});
    qtplat::SetFileDialogHandler([&](const qtplat::FileDialogRequest&) { return drive.path("list.txt"); });
    onModal = [](QDialog* dialog) {
        dialog->findChild<QAbstractButton*>("btnFileImportBrowse")->click();
        dialog->findChild<QAbstractButton*>("btnFileImportOk")->click();
        return dialog->result();
    };
    {
        testsupport::MachineMemory small(std::uint64_t{64} * 1024);
        Click("btnVol10SmartImport");
    }
    qtplat::SetFileDialogHandler({});
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions[0], "0460.");
    EXPECT_EQ(Items("lstVol10IncludeFolderList"), Lines{drive.path("Dest")});
}

// What the page adds to take the created list is weighed at the hand-over:
// refused, the window keeps the lines, and the next IMPORT with room takes them.
TEST_F(FilePagesTest, ImportThePageCannotTakeStaysInTheWindow) {
    std::string text;
    for (int k = 0; k < 2000; ++k) text += "C:\\Imported\\" + std::to_string(k) + "\n";
    drive.WriteFile("list.txt", text);
    SetIncludeList("lstVol10IncludeFolderList", {drive.path("Dest")});
    qtplat::SetFileDialogHandler([&](const qtplat::FileDialogRequest&) { return drive.path("list.txt"); });
    bool small = false;
    const testsupport::MachineMemory machine([&]() -> std::optional<std::uint64_t> {
        return small ? std::uint64_t{256} * 1024 : testsupport::kAmpleMemory;
    });
    onModal = [&](QDialog* dialog) {
        dialog->findChild<QAbstractButton*>("btnFileImportBrowse")->click();
        dialog->findChild<QAbstractButton*>("btnFileImportFrom")->click();
        small = true;  // the window's own checks passed
        dialog->findChild<QAbstractButton*>("btnFileImportOk")->click();
        return dialog->result();
    };
    Click("btnVol10SmartImport");
    qtplat::SetFileDialogHandler({});
    EXPECT_EQ(captions, (Lines{"0450.", "0451.", "0460."}));
    EXPECT_EQ(Items("lstVol10IncludeFolderList"), Lines{drive.path("Dest")});
    EXPECT_EQ(frmFileImport->GetResultLines().size(), 2000u);

    small = false;
    onModal = [](QDialog* dialog) {
        dialog->findChild<QAbstractButton*>("btnFileImportOk")->click();
        return dialog->result();
    };
    Click("btnVol10SmartImport");
    EXPECT_EQ(Items("lstVol10IncludeFolderList").size(), 2001u);
}

TEST_F(FilePagesTest, DeletePageRefusesARootAtRunTime) {
    drive.WriteFile("top.txt", "stays");
    drive.WriteFile("Main\\m.txt", "goes");
    EXPECT_FALSE(Enabled("btnVol11DeleteFiles"));
    // A root that came in through the editor or a restored profile.
    SetIncludeList("lstVol11IncludeFolderList", {drive.path(""), drive.path("Main")});
    frmMain->Page11->Vol11RefreshPage();
    EXPECT_TRUE(Enabled("btnVol11DeleteFiles"));
    EXPECT_FALSE(C<QWidget>("btnVol11DeleteFilesSimulation")->isVisibleTo(frmMain));
    // To Delete counts what the run deletes: nothing of the root.
    EXPECT_EQ(frmStatistics11->findChild<QLabel*>("lblStat11FilesToDelete")->text(), "1");
    Click("btnVol11DeleteFiles");
    EXPECT_TRUE(drive.Exists("top.txt"));
    EXPECT_FALSE(drive.Exists("Main\\m.txt"));
    EXPECT_EQ(captions, (Lines{"110030.", "110031.", "110037.", "110034."}));
    EXPECT_EQ(frmStatistics11->List("lstStat11FoldersOtherReasons")->Lines(), Lines{drive.path("")});
}

TEST_F(FilePagesTest, ListButtonsMoveLinesWithADrivePartAndRefuseRoots) {
    SetIncludeList("lstVol12ExcludeFolderList", {drive.path("A"), "no drive", drive.path(""), drive.path("B")});
    C<QListWidget>("lstVol12ExcludeFolderList")->selectAll();
    Click("btnVol12ExcToInc");  // the root stops the move; nothing leaves Exclude
    EXPECT_EQ(Items("lstVol12IncludeFolderList"), Lines{drive.path("A")});
    EXPECT_EQ(Items("lstVol12ExcludeFolderList").size(), 4u);
    EXPECT_EQ(captions, Lines{"110037."});

    // Page 11's ">>" applies no root rule; lines without a drive go nowhere.
    SetIncludeList("lstVol11IncludeFolderList", {drive.path(""), "no drive"});
    Click("btnVol11AllfromInc");
    EXPECT_EQ(Items("lstVol11ExcludeFolderList"), Lines{drive.path("")});
    EXPECT_TRUE(Items("lstVol11IncludeFolderList").empty());
    Click("btnVol11ExchangeIncExc");
    EXPECT_EQ(Items("lstVol11IncludeFolderList"), Lines{drive.path("")});
    EXPECT_EQ(C<QLabel>("lblVol11IncludeSum")->text(), "1");
}

TEST_F(FilePagesTest, RenamePageRunsUndoesAndExplains) {
    drive.WriteFile("Main\\a.txt", "a");
    EXPECT_FALSE(Enabled("btnVol12RenameFiles"));
    SetIncludeList("lstVol12IncludeFolderList", {drive.path("Main")});
    frmMain->Page12->Vol12RefreshPage();
    EXPECT_TRUE(Enabled("btnVol12RenameFiles"));
    C<QLineEdit>("edtVol12NewPrefix")->setText("p_");
    Click("btnVol12RenameFilesSimulation");
    EXPECT_TRUE(drive.Exists("Main\\a.txt"));
    Click("btnVol12RenameFiles");
    EXPECT_EQ(drive.ReadFile("Main\\p_a.txt"), "a");
    EXPECT_EQ(frmStatistic12->List("lstStat12FilesRenamed")->Lines(),
              Lines{"Renamed  Source: " + drive.path("Main\\a.txt") + " To Dest: " + drive.path("Main\\p_a.txt")});
    Click("btnVol12Undo");
    EXPECT_EQ(drive.ReadFile("Main\\a.txt"), "a");

    modals.clear();
    Click("btnVol12Help");
    Click("btnVol12Examples");
    Click("btnVol10Help");
    Click("btnVol11Examples");
    EXPECT_EQ(modals, (Lines{"TfrmAltalanosHelp", "TfrmExamplesRenameFiles", "TfrmAltalanosHelp",
                             "TfrmExamplesDeleteFiles"}));
}
