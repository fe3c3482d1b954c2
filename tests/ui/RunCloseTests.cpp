// A close of the main window, or SIGTERM, while a page's run is under way
// waits for the run's end (its end box and its finish included); the window
// then closes as usual and the session file holds what the run left. Every
// Undo counts as a run from its first box to its last.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>
#include <QThread>
#include <QTimer>

#include <csignal>

#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "pages/RunBusy.h"
#include "pages/creation/Vol02Page.h"
#include "pages/creation/Vol03Page.h"
#include "pages/creation/Vol04Page.h"
#include "pages/files/Vol10Page.h"
#include "pages/files/Vol12Page.h"
#include "pages/folders/Vol06Page.h"
#include "pages/folders/Vol08Page.h"
#include "shell/SessionEnd.h"
#include "tests/ui/PageWindowFixture.h"

namespace {

using pagewindow::C;
using pagewindow::Lines;

class RunCloseTest : public pagewindow::PageWindowFixture {
protected:
    RunCloseTest() : PageWindowFixture('P') {
        drive.MakeFolder("Dest");
        drive.MakeFolder("Dest2");
    }
    void SetUp() override {
        PageWindowFixture::SetUp();
        Vol02Page* page = frmMain->Page02;
        // Dest is chosen but stands second in the history: the run's end
        // puts it first.
        page->Vol02SetDestinationFolder(drive.path("Dest"));
        page->Vol02SetDestinationFolder(drive.path("Dest2"));
        C<QComboBox>("cboVol02DestFolders")->setCurrentIndex(1);
        C<QLineEdit>("edtVol02AddToList")->setText("a");
        Click("btnVol02AddToList");
        C<QRadioButton>("rdoVol02AttachNothing")->click();
        C<QCheckBox>("chkVol02ViewDestFolder")->setChecked(false);
        ASSERT_TRUE(Enabled("btnVol02CreateFolders"));
        before = Session();
    }

    std::string Session() const { return drive.ReadFile("prog\\default.set"); }
    StringList SavedHistory() const {
        ResetSettingsToInitialValues();
        RestoreClass restore(drive.path("prog\\default.set"));
        restore.ClearLists();
        restore.Restore();
        return GetVol02DestFolderHistory();
    }
    // Lets the event loop run until the session file changes (a minute at
    // most: only a save that never comes takes it).
    bool WaitForSave() const {
        QElapsedTimer clock;
        clock.start();
        while (Session() == before && clock.elapsed() < 60000) {
            QCoreApplication::processEvents();
            QThread::msleep(10);
        }
        return Session() != before;
    }

    std::string before;
};

}  // namespace

TEST_F(RunCloseTest, CloseDuringARunWaitsForItsEnd) {
    bool closed = true;
    onBox = [&](const std::string& caption) {
        if (caption.find("20053") != std::string::npos) closed = frmMain->close();
    };
    Click("btnVol02CreateFolders");
    EXPECT_FALSE(closed);
    EXPECT_TRUE(drive.Exists("Dest\\a"));
    EXPECT_TRUE(Session() == before);  // not while the run was on
    ASSERT_TRUE(WaitForSave());
    EXPECT_EQ(SavedHistory(), (StringList{drive.path("Dest"), drive.path("Dest2")}));
}

// A logout's save request comes while the run waits: the session is
// written after the run, with what it left.
TEST_F(RunCloseTest, TheSessionManagersSaveDuringARunWaitsForItsEnd) {
    onBox = [&](const std::string& caption) {
        if (caption.find("20048") != std::string::npos) SaveForSessionManager();
    };
    Click("btnVol02CreateFolders");
    EXPECT_TRUE(drive.Exists("Dest\\a"));
    EXPECT_TRUE(Session() == before);
    ASSERT_TRUE(WaitForSave());
    EXPECT_EQ(SavedHistory(), (StringList{drive.path("Dest"), drive.path("Dest2")}));
}

TEST_F(RunCloseTest, TermSignalDuringARunEndsTheProgramAfterIt) {
    InstallSessionEnd();
    onBox = [&](const std::string& caption) {
        // A real box runs its own event loop: the signal gets in there.
        if (caption.find("20048") != std::string::npos) {
            raise(SIGTERM);
            QCoreApplication::processEvents();
        }
    };
    Click("btnVol02CreateFolders");
    EXPECT_EQ(captions, (Lines{"20048.", "20053."}));  // the end box is not cut short
    EXPECT_TRUE(drive.Exists("Dest\\a"));
    EXPECT_TRUE(Session() == before);
    // A hang fails, it does not block; the guard ends with the test.
    QTimer hang;
    hang.setSingleShot(true);
    QObject::connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(7); });
    hang.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(SavedHistory(), (StringList{drive.path("Dest"), drive.path("Dest2")}));
}

TEST_F(RunCloseTest, EveryUndoIsARunFromItsFirstBoxToItsLast) {
    Click("btnVol02CreateFolders");
    captions.clear();
    std::vector<bool> busy;
    onBox = [&](const std::string&) { busy.push_back(RunBusy::Busy()); };
    frmMain->Page02->btnVol02UndoClick();  // its question and its end box
    EXPECT_FALSE(drive.Exists("Dest\\a"));
    // Nothing to undo: each says so.
    frmMain->Page03->btnVol03UndoClick();
    frmMain->Page04->btnVol04UndoClick();
    frmMain->Page06->btnVol06UndoClick();
    frmMain->Page08->btnVol08UndoClick();
    frmMain->Page10->btnVol10UndoClick();
    frmMain->Page12->btnVol12UndoClick();
    EXPECT_EQ(captions.size(), 8u);
    EXPECT_EQ(busy, std::vector<bool>(captions.size(), true));
    EXPECT_FALSE(RunBusy::Busy());
}

// What waits for the runs comes once the last nested one has ended, from
// the event loop after it; with no run under way it comes at once.
TEST(RunBusyTest, WaitingActionsComeAfterTheLastRunFromTheEventLoop) {
    std::vector<int> done;
    RunBusy::WhenIdle([&] { done.push_back(0); });
    EXPECT_EQ(done, std::vector<int>{0});
    {
        const RunBusy outer;
        {
            const RunBusy inner;
            RunBusy::WhenIdle([&] { done.push_back(1); });
        }
        QCoreApplication::processEvents();
        EXPECT_EQ(done.size(), 1u);  // the outer run goes on
        RunBusy::WhenIdle([&] { done.push_back(2); });
    }
    EXPECT_EQ(done.size(), 1u);  // not inside the handler the run ended in
    QCoreApplication::processEvents();
    EXPECT_EQ(done, (std::vector<int>{0, 1, 2}));
}
