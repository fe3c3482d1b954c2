// What happens to the user's input and to the window manager's close while
// a run keeps the window thread busy, on a real X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <functional>

#include "pages/creation/Vol02Page.h"
#include "platform/qt/QtPlatform.h"
#include "shell/SessionEnd.h"
#include "tests/ui/PageWindowFixture.h"
#include "tests/x11/X11Support.h"

namespace {

using x11test::ClickAt;
using x11test::Viewable;
using x11test::WaitUntil;
using x11test::WindowManagerClose;

}  // namespace

TEST(RunWaitX11, InputGivenWhileALoopPaintsIsDroppedNotReplayed) {
    QPushButton button("Go");
    button.resize(200, 80);
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.show();
    ASSERT_TRUE(WaitUntil([&] { return button.windowHandle()->isExposed() && button.isActiveWindow(); }, 5000));

    ClickAt(&button);  // the window takes a click as usual
    ASSERT_TRUE(WaitUntil([&] { return clicks == 1; }, 3000));

    // A long loop that lets paints through: the click given meanwhile is
    // gone for good, not handed over once the loop has ended.
    QElapsedTimer clock;
    clock.start();
    bool clicked = false;
    while (clock.elapsed() < 1500) {
        if (!clicked && clock.elapsed() > 200) {
            ClickAt(&button);
            clicked = true;
        }
        qtplat::ProcessPendingPaints();
        QThread::msleep(10);
    }
    // Held-back input would come with the next event from the server.
    const QPoint aside = button.mapToGlobal(QPoint(5, 5));
    QProcess::execute("xdotool", {"mousemove", QString::number(aside.x()), QString::number(aside.y())});
    WaitUntil([] { return false; }, 1000);
    EXPECT_EQ(clicks, 1);
}

namespace {

class RunCloseX11Test : public pagewindow::PageWindowFixture {
protected:
    RunCloseX11Test() : PageWindowFixture('P') { drive.MakeFolder("Dest"); }
    void SetUp() override {
        PageWindowFixture::SetUp();
        InstallSessionEnd();
        Vol02Page* page = frmMain->Page02;
        page->Vol02SetDestinationFolder(drive.path("Dest"));
        pagewindow::C<QLineEdit>("edtVol02AddToList")->setText("a");
        Click("btnVol02AddToList");
        pagewindow::C<QRadioButton>("rdoVol02AttachNothing")->click();
        pagewindow::C<QCheckBox>("chkVol02ViewDestFolder")->setChecked(false);
        frmMain->show();
        ASSERT_TRUE(WaitUntil([] { return frmMain->windowHandle()->isExposed(); }, 5000));
    }
    std::string Session() const { return drive.ReadFile("prog\\default.set"); }
};

}  // namespace

// The run's first box blocks the main window when the window manager's
// close comes: the window closes once the run has ended, and saves.
TEST_F(RunCloseX11Test, TheWindowManagersCloseDuringARunBoxClosesAfterTheRun) {
    const std::string before = Session();
    bool sent = false;
    onBox = [&](const std::string&) {
        if (sent) return;
        sent = true;
        QMessageBox box(QMessageBox::Question, "Question", "Go on?", QMessageBox::Ok, frmMain);
        QTimer::singleShot(300, &box, [&] { WindowManagerClose(frmMain); });
        QTimer::singleShot(1200, &box, [&] { box.accept(); });
        box.exec();
    };
    Click("btnVol02CreateFolders");
    EXPECT_TRUE(sent);
    EXPECT_TRUE(drive.Exists("Dest\\a"));
    EXPECT_TRUE(WaitUntil([] { return !frmMain->isVisible(); }, 5000));
    EXPECT_TRUE(Session() != before);  // saved
}
