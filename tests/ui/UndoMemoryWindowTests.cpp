// An Undo is weighed as a run is, in the real main window: one the machine
// cannot hold is refused with the memory box, changes nothing on disk and
// keeps its records, so that the next Undo, with room, undoes it all.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPlainTextEdit>

#include <string>

#include "pages/RunMemory.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol12Page.h"
#include "pages/folders/Vol06Page.h"
#include "platform/Desktop.h"
#include "results/ResultsList.h"
#include "results/TfrmStatistic12.h"
#include "tests/support/MachineMemory.h"
#include "tests/ui/AtWeight.h"
#include "tests/ui/PageWindowFixture.h"

namespace {

class UndoMemoryWindow : public pagewindow::PageWindowFixture {
public:
    UndoMemoryWindow() : PageWindowFixture('U') {}
};

TEST_F(UndoMemoryWindow, AnUndoThatCannotFitIsRefusedAndKeepsItsRecordsForTheNext) {
    const std::string lines = MakeFolders("R\\Folder ", 12);
    const pagewindow::Lines made = Tree();
    onModal = [&](QDialog* editor) {
        editor->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(lines));
        editor->findChild<QAbstractButton*>("btnVol06EditIncludeListOk")->click();
        return editor->result();
    };
    Click("btnVol06EditIncludeList");
    onModal = nullptr;
    SetText("edtVol06NewPrefix", "Renamed ");
    {
        const testsupport::MachineMemory ample(testsupport::kAmpleMemory);
        Click("btnVol06RenameFolders");
    }
    const pagewindow::Lines renamed = Tree();
    ASSERT_NE(renamed, made);
    const std::size_t records = frmMain->Page06->Undo.Vol06RenamedPairs.size();
    ASSERT_EQ(records, 12u);

    captions.clear();
    ResetLastWeighed();
    {
        const testsupport::AtWeight machine(-1);
        Click("btnVol06Undo");
    }
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.back(), "0458.");
    const RunMemoryNeed weighed = LastWeighedMemory();
    EXPECT_EQ(weighed.entries, 12) << "weighed from its records";
    EXPECT_EQ(Tree(), renamed) << "nothing moved back";
    EXPECT_EQ(frmMain->Page06->Undo.Vol06RenamedPairs.size(), records) << "its records kept";

    captions.clear();
    {
        const testsupport::AtWeight machine(0);
        Click("btnVol06Undo");
    }
    EXPECT_EQ(Tree(), made) << ::testing::PrintToString(captions);
    EXPECT_TRUE(frmMain->Page06->Undo.Vol06RenamedPairs.empty());
    EXPECT_TRUE(frmMain->Page06->Undo.Vol06FailedUndoPairs.empty());
}

// Page 10's Undo takes its records before it weighs them: refused, it
// gives every one back, the overwrites' working copies included.
TEST_F(UndoMemoryWindow, PageTensUndoRefusedGivesBackEveryRecordItTook) {
    for (const char* file : {"S\\Plans.txt", "S\\Notes.doc"}) drive.WriteFile(file, "new");
    const std::string lines = MakeFolders("M\\Destination ", 3, "Plans.txt");
    const pagewindow::Lines made = Tree();
    onModal = [&](QDialog* editor) {
        editor->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(lines));
        editor->findChild<QAbstractButton*>("btnVol10EditIncludeListOk")->click();
        return editor->result();
    };
    Click("btnVol10EditIncludeList");
    onModal = nullptr;
    const std::string source = drive.path("S");
    const auto previous = plat::SetFolderBrowserHandler([&](void*, const std::string&) { return source; });
    Click("btnVol10AddFolderStructures");
    plat::SetFolderBrowserHandler(previous);
    Click("rdoVol10DuplicatedFilesOverWrite");
    {
        const testsupport::MachineMemory ample(testsupport::kAmpleMemory);
        Click("btnVol10CopyFiles");
    }
    const pagewindow::Lines copied = Tree();
    ASSERT_NE(copied, made);
    const Vol10State& st = *frmMain->Page10;
    ASSERT_EQ(st.Vol10OverwriteRecords.size(), 3u);
    ASSERT_FALSE(st.Vol10FilesCopied.empty());
    const std::size_t copies = st.Vol10FilesCopied.size();

    captions.clear();
    {
        const testsupport::AtWeight machine(-1);
        Click("btnVol10Undo");
    }
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.back(), "0458.");
    EXPECT_EQ(Tree(), copied) << "nothing put back";
    EXPECT_EQ(st.Vol10OverwriteRecords.size(), 3u);
    EXPECT_EQ(st.Vol10FilesCopied.size(), copies);

    {
        const testsupport::AtWeight machine(0);
        Click("btnVol10Undo");
    }
    EXPECT_EQ(Tree(), made) << ::testing::PrintToString(captions);
    EXPECT_EQ(drive.ReadFile("M\\Destination 0\\Plans.txt"), "x");
}

// Page 12's Undo weighs the steps it took before it clears anything:
// refused, the files keep their new names, the replaced ones their copies,
// and the page its steps, counters and Visual Log.
TEST_F(UndoMemoryWindow, PageTwelvesUndoRefusedChangesNothing) {
    std::string lines;
    for (int i = 0; i < 3; ++i) {
        const std::string folder = "F\\Main " + std::to_string(i);
        drive.WriteFile(folder + "\\a.txt", "a");
        drive.WriteFile(folder + "\\new_a.txt", "taken");
        lines += drive.path(folder) + "\n";
    }
    const pagewindow::Lines made = Tree();
    onModal = [&](QDialog* editor) {
        editor->findChild<QPlainTextEdit*>()->setPlainText(QString::fromStdString(lines));
        editor->findChild<QAbstractButton*>("btnVol12EditIncludeListOk")->click();
        return editor->result();
    };
    Click("btnVol12EditIncludeList");
    onModal = nullptr;
    SetText("edtVol12NewPrefix", "new_");
    Click("rdoVol12RenameDuplicatedFilesOverWrite");
    Click("btnVol12RenameFiles");
    const pagewindow::Lines renamed = Tree();
    ASSERT_NE(renamed, made);
    const Vol12State& st = *frmMain->Page12;
    ASSERT_EQ(st.Vol12UndoSteps.size(), 6u);  // each a.txt: its replaced file saved, then its rename
    const auto logged = [] {
        std::size_t n = 0;
        for (int c = 0; c < frmStatistic12->CategoryCount(); ++c) n += frmStatistic12->CategoryList(c)->Count();
        return n;
    };
    const std::size_t shown = logged();
    ASSERT_GT(shown, 0u);

    captions.clear();
    ResetLastWeighed();
    {
        const testsupport::AtWeight machine(-1);
        Click("btnVol12Undo");
    }
    ASSERT_FALSE(captions.empty());
    EXPECT_EQ(captions.back(), "0458.");
    EXPECT_EQ(LastWeighedMemory().entries, 6) << "weighed from its steps";
    EXPECT_EQ(Tree(), renamed) << "nothing renamed back";
    EXPECT_EQ(st.Vol12UndoSteps.size(), 6u);
    EXPECT_EQ(st.FilesRenamed, 3);
    EXPECT_EQ(st.FilesOverWrited, 3);
    EXPECT_EQ(logged(), shown);

    {
        const testsupport::AtWeight machine(0);
        Click("btnVol12Undo");
    }
    EXPECT_EQ(Tree(), made) << ::testing::PrintToString(captions);
    EXPECT_EQ(drive.ReadFile("F\\Main 0\\new_a.txt"), "taken");
    EXPECT_TRUE(st.Vol12UndoSteps.empty());
    EXPECT_TRUE(st.Vol12FailedUndoSteps.empty());
}

}  // namespace
