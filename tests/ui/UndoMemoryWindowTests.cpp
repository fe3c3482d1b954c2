// An Undo is weighed as a run is, in the real main window: one the machine
// cannot hold is refused with the memory box, changes nothing on disk and
// keeps its records, so that the next Undo, with room, undoes it all.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPlainTextEdit>

#include <string>

#include "pages/RunMemory.h"
#include "pages/folders/Vol06Page.h"
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

}  // namespace
