// What happens to the user's input and to the window manager's close while
// a run keeps the window thread busy, on a real X server.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <csignal>
#include <functional>
#include <map>
#include <stdexcept>
#include <tuple>
#include <utility>
#include <vector>

#include "core/FolderStructSize.h"
#include "core/RunDisk.h"
#include "pages/WalksOnPool.h"
#include "pages/creation/Vol02Page.h"
#include "pages/folders/Vol07Page.h"
#include "platform/MessageBox.h"
#include "platform/qt/QtPlatform.h"
#include "results/LevelSummary.h"
#include "shell/SessionEnd.h"
#include "tests/ui/DelegatingDisk.h"
#include "tests/ui/PageWindowFixture.h"
#include "tests/x11/X11Support.h"

namespace {

using pagewindow::Lines;
using x11test::ClickAt;
using x11test::Viewable;
using x11test::Eventually;
using x11test::Pause;
using x11test::WindowManagerClose;

// A wait as the program's loops make one: paints go on for `ms`, and
// `during` runs once, a little after it began. However long `during` takes
// (a tool started on a loaded machine), the wait goes on as long again
// after it, so that what it gave comes inside the wait.
void Wait(int ms, const std::function<void()>& during) {
    QElapsedTimer clock;
    clock.start();
    bool done = false;
    while (clock.elapsed() < ms) {
        if (!done && clock.elapsed() > 150) {
            done = true;
            during();
            ms = std::max<int>(ms, static_cast<int>(clock.elapsed()) + ms - 150);
        }
        qtplat::ProcessPendingPaints();
        QThread::msleep(10);
    }
}

}  // namespace

TEST(RunWaitX11, InputGivenWhileALoopPaintsIsDroppedNotReplayed) {
    QPushButton button("Go");
    button.resize(200, 80);
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
    button.show();
    ASSERT_TRUE(Eventually([&] { return button.windowHandle()->isExposed() && button.isActiveWindow(); }));

    ClickAt(&button);  // the window takes a click as usual
    ASSERT_TRUE(Eventually([&] { return clicks == 1; }));

    // A long loop that lets paints through: the click given meanwhile is
    // gone for good, not handed over once the loop has ended.
    Wait(1500, [&] { ClickAt(&button); });
    // Held-back input would come with the next event from the server.
    const QPoint aside = button.mapToGlobal(QPoint(5, 5));
    x11test::Xdo({"mousemove", QString::number(aside.x()), QString::number(aside.y())});
    Pause(1000);
    EXPECT_EQ(clicks, 1);
}

namespace {

using x11test::Xdo;
using x11test::MoveTo;

struct Window {
    QWidget top;
    QLineEdit* field = new QLineEdit(&top);
    QPushButton* button = new QPushButton("Go", &top);
    int clicks = 0;
    Window() {
        top.resize(300, 200);
        field->setGeometry(10, 10, 200, 30);
        button->setGeometry(10, 80, 200, 60);
        QObject::connect(button, &QPushButton::clicked, [this] { ++clicks; });
        top.show();
    }
    bool Ready() { return top.windowHandle()->isExposed() && top.isActiveWindow(); }
};

// A Yes/No box over `owner`, as a run asks its question: `user` acts once
// the box is on screen and placed. The box's answer, or -2 if none came.
int Ask(QWidget* owner, const std::function<void(QMessageBox&)>& user) {
    QMessageBox box(QMessageBox::Question, "Question", "Go on?", QMessageBox::Yes | QMessageBox::No, owner);
    QTimer::singleShot(0, &box, [&] {
        if (!Eventually([&] { return box.windowHandle() && box.windowHandle()->isExposed(); })) return;
        Pause(300);  // the window manager has placed it
        user(box);
    });
    QTimer::singleShot(x11test::kGuardMs, &box, [&] { box.done(-2); });
    return box.exec();
}

}  // namespace

// A click whose press came before the wait completes once the wait is
// over. A press and a key that begin while the program waits go whole:
// their releases, which come after the wait, do nothing either. What
// follows is taken as usual.
TEST(RunWaitX11, AClickBegunBeforeAWaitCompletesAfterItOneBegunInItGoesWhole) {
    Window w;
    ASSERT_TRUE(Eventually([&] { return w.Ready(); }));
    Xdo(MoveTo(w.button) + QStringList{"mousedown", "1"});
    ASSERT_TRUE(Eventually([&] { return w.button->isDown(); }));
    Wait(500, [&] { Xdo({"mouseup", "1"}); });
    EXPECT_EQ(w.clicks, 0);  // not inside the wait
    EXPECT_TRUE(Eventually([&] { return w.clicks == 1; }));
    EXPECT_FALSE(w.button->isDown());

    w.clicks = 0;
    w.field->setFocus();
    ASSERT_TRUE(Eventually([&] { return w.field->hasFocus(); }));

    Wait(700, [&] {
        Xdo(MoveTo(w.button) + QStringList{"mousedown", "1"});
        Xdo({"keydown", "x"});
    });
    Xdo(QStringList{"mousemove_relative", "3", "3", "mouseup", "1"});
    Xdo({"keyup", "x"});
    Pause(500);
    EXPECT_EQ(w.clicks, 0);
    EXPECT_FALSE(w.button->isDown());
    EXPECT_EQ(w.field->text(), "");

    Xdo({"type", "y"});
    ClickAt(w.button);
    EXPECT_TRUE(Eventually([&] { return w.clicks == 1; }));
    EXPECT_EQ(w.field->text(), "y");
}

// A wait that a paint ends by throwing still ends: the user's clicks and
// keys are taken afterwards.
TEST(RunWaitX11, AWaitEndedByAThrowLeavesTheInputOn) {
    Window w;
    ASSERT_TRUE(Eventually([&] { return w.Ready(); }));
    struct Failing : QObject {
        bool event(QEvent* e) override {
            if (e->type() == QEvent::User) throw std::runtime_error("a paint failed");
            return QObject::event(e);
        }
    } failing;
    QCoreApplication::postEvent(&failing, new QEvent(QEvent::User));
    EXPECT_THROW(qtplat::ProcessPendingPaints(), std::runtime_error);

    ClickAt(w.button);
    EXPECT_TRUE(Eventually([&] { return w.clicks == 1; }));
}

// A box that comes up while the program waits (a run's question) is
// answered with the mouse as any other.
TEST(RunWaitX11, ABoxOpenedInAWaitTakesItsClicks) {
    Window w;
    ASSERT_TRUE(Eventually([&] { return w.Ready(); }));
    int answer = -1;
    Wait(400, [&] { answer = Ask(&w.top, [](QMessageBox& box) { ClickAt(box.button(QMessageBox::No)); }); });
    EXPECT_EQ(answer, QMessageBox::No);
}

// A key pressed while the program waits and held until a box comes up (a
// run's question after its count) repeats into the box: neither its
// repeats nor its release answer the box, not even as the shortcut of one
// of its buttons; a press given once it is up does.
TEST(RunWaitX11, AKeyHeldFromAWaitIntoABoxLeavesItToAFreshPress) {
    Window w;
    ASSERT_TRUE(Eventually([&] { return w.Ready(); }));
    for (const QString held : {"space", "alt+n"}) {
        SCOPED_TRACE(held.toStdString());
        Wait(500, [&] { Xdo({"keydown", held}); });
        bool upAfterTheHold = false;
        const int answer = Ask(&w.top, [&](QMessageBox& box) {
            // The server repeats the key meanwhile, each repeat read as it comes.
            x11test::WaitInLoop([] { return false; }, 1200);
            Xdo({"keyup", held});
            Pause(300);
            upAfterTheHold = box.isVisible();
            Xdo({"key", "space"});
        });
        EXPECT_TRUE(upAfterTheHold);
        EXPECT_EQ(answer, QMessageBox::Yes);  // the button with the focus
    }
}

// A press dropped in a wait whose release never comes to the program does
// not take the next press of its key or button with it: the key came up
// while another client held the keyboard, the button while a box blocked
// the window it was pressed in.
TEST(RunWaitX11, APressDroppedInAWaitWhoseReleaseIsLostLeavesTheNextOneOn) {
    Window w;
    ASSERT_TRUE(Eventually([&] { return w.Ready() && w.field->hasFocus(); }));
    Wait(400, [] { Xdo({"keydown", "b"}); });
    {
        const x11test::Connection grab = x11test::GrabKeyboardElsewhere();
        ASSERT_TRUE(Eventually([] { return QGuiApplication::applicationState() != Qt::ApplicationActive; }));
        Xdo({"keyup", "b"});
    }
    ASSERT_TRUE(Eventually([&] { return w.Ready(); }));
    Xdo({"type", "ba"});
    EXPECT_TRUE(Eventually([&] { return w.field->text() == "ba"; })) << w.field->text().toStdString();

    Wait(400, [&] { Xdo(MoveTo(w.button) + QStringList{"mousedown", "1"}); });
    const int answer = Ask(&w.top, [](QMessageBox& box) {
        Xdo({"mouseup", "1"});
        ClickAt(box.button(QMessageBox::No));
    });
    EXPECT_EQ(answer, QMessageBox::No);
    EXPECT_EQ(w.clicks, 0);
}

// Text that an input method makes of keys is input as the keys are: a
// compose sequence (dead acute, e) typed while the program waits puts
// nothing in the field, nor does one begun before the wait and ended in or
// after it, or begun in it and ended after it; nor does an input method's
// commit that comes in the wait. Outside a wait it composes as usual.
TEST(RunWaitX11, InputMethodTextGivenWhileTheProgramWaitsIsDropped) {
    // A layout with a dead acute (the apostrophe key), for this server only.
    ASSERT_TRUE(x11test::Run("setxkbmap", {"-layout", "us", "-variant", "intl"}));
    Window w;
    ASSERT_TRUE(Eventually([&] { return w.Ready() && w.field->hasFocus(); }));
    const auto keys = [](const QString& typed) {
        if (!typed.isEmpty()) Xdo(QStringList{"key"} + typed.split(' '));
    };
    struct Typed {
        const char *before, *in, *after, *text;
    };
    for (const Typed t : {Typed{"", "", "dead_acute e", "é"}, Typed{"", "z dead_acute e", "", ""},
                          Typed{"dead_acute", "e", "", ""}, Typed{"dead_acute", "", "e", "e"},
                          Typed{"", "dead_acute", "e", "e"}}) {
        SCOPED_TRACE(std::string(t.before) + " | " + t.in + " | " + t.after);
        w.field->clear();
        keys(t.before);
        Pause(300);
        Wait(600, [&] { keys(t.in); });
        keys(t.after);
        Pause(300);
        EXPECT_EQ(w.field->text(), QString::fromUtf8(t.text));
    }
    // An input method's commit, read in the wait as its message comes.
    w.field->clear();
    Wait(400, [&] {
        QTimer::singleShot(0, w.field, [&] {
            QInputMethodEvent commit;
            commit.setCommitString("ü");
            QCoreApplication::sendEvent(w.field, &commit);
        });
    });
    EXPECT_EQ(w.field->text(), "");
    x11test::Run("setxkbmap", {"-layout", "us"});
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
        ASSERT_TRUE(Eventually([] { return frmMain->windowHandle()->isExposed(); }));
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
    EXPECT_TRUE(Eventually([] { return !frmMain->isVisible(); }));
    EXPECT_TRUE(Session() != before);  // saved
}

// A box answers only a press that began once it was up: not a key pressed
// 50 ms after page 07's Delete and held while the page kept the window
// thread from its events for 0.4 s before its first confirmation, nor a
// fresh press on the first confirmation held into the second. Their
// repeats and releases answer neither; a press given afterwards does.
TEST_F(RunCloseX11Test, AConfirmationIsAnsweredOnlyByAPressBegunWhileItIsUp) {
    drive.MakeFolder("Del\\a");
    pagewindow::C<QListWidget>("lstVol07IncludeFolderList")->addItem(QString::fromStdString(drive.path("Del\\a")));
    frmMain->Page07->Vol07RefreshPage();
    pagewindow::C<QCheckBox>("chkVol07DeleteDoubleConfirm")->setChecked(true);
    ASSERT_TRUE(Eventually([] { return frmMain->isActiveWindow(); }));
    for (const auto& [key, fromTheClick] : {std::pair{"y", true}, {"alt+y", true}, {"y", false}, {"alt+y", false}}) {
        SCOPED_TRACE(std::string(key) + (fromTheClick ? " from the click" : " from the first box"));
        bool upAfterTheHold = false;
        onBox = [&, key = QString(key), fromTheClick = fromTheClick](const std::string& caption) {
            const bool first = caption.ends_with("70032.");
            if (!first && !caption.ends_with("70033.")) return;
            if (first) {  // the page's hold: the key comes in it, however long the tool takes
                QThread::msleep(50);
                if (fromTheClick) Xdo({"keydown", key});
                QThread::msleep(350);
            }
            const auto box = qtplat::MakeMessageBox("Delete?", caption, plat::MB_YESNO, frmMain);
            QTimer::singleShot(0, box.get(), [&] {
                Eventually([&] { return box->isActiveWindow(); });
                QTimer::singleShot(x11test::kGuardMs, box.get(), [&] { box->done(QMessageBox::No); });  // a hang fails
                if (first && !fromTheClick) return void(Xdo({"keydown", key}));
                x11test::WaitInLoop([] { return false; }, 1200);  // the server repeats the key meanwhile
                Xdo({"keyup", key});
                Pause(300);
                upAfterTheHold = box->isVisible();
                Xdo({"key", "n"});
            });
            answer = box->exec() == QMessageBox::Yes ? plat::IDYES : plat::IDNO;
        };
        captions.clear();
        Click("btnVol07DeleteFolders");
        EXPECT_TRUE(upAfterTheHold);
        EXPECT_EQ(captions, fromTheClick ? Lines{"70032."} : (Lines{"70032.", "70033."}));
        EXPECT_TRUE(drive.Exists("Del\\a"));
        Xdo({"keyup", key});
        drive.MakeFolder("Del\\a");
    }
}

namespace {

// What comes 0.2 s into a handler that reads a structure on a share (each
// listing takes 0.5 s), with a count of its own first when the second
// parameter says so (busy as a run is), as Add Structure's totals and
// summary do: the window manager's close, SIGTERM, the session manager's
// save, or the main window's activation.
class CloseInAWaitX11Test : public RunCloseX11Test,
                            public ::testing::WithParamInterface<std::tuple<std::string, bool>> {};

}  // namespace

// Each waits for the handler's end, as for a run's: while it goes on the
// window stays, the session is not written and the activation's refresh
// does not run; each comes once the handler has returned.
TEST_P(CloseInAWaitX11Test, WaitsForTheHandlerThatReads) {
    const auto [comes, counts] = GetParam();
    drive.MakeFolder("S");
    DryDisk dry;
    testdisk::DelegatingDisk slow{dry};
    slow.beforeFullList = [] { QThread::msleep(500); };
    QWidget other;  // has the focus until the activation
    other.show();
    other.activateWindow();
    ASSERT_TRUE(Eventually([&] { return other.isActiveWindow(); }));
    auto* types = pagewindow::C<QListWidget>("lstVol08FileTypesAllSelected");
    types->clear();
    types->addItem("stale");                                    // the activation's refresh fills it anew
    pagewindow::C<QLineEdit>("edtVol02Prefix")->setText("p");  // what a save writes
    const std::string before = Session();
    const auto state = [&] {  // shown, unsaved, not refreshed
        return std::vector<bool>{frmMain->isVisible(), Session() == before, types->item(0)->text() == "stale"};
    };
    std::vector<bool> atTheEnd, after;
    QTimer::singleShot(200, frmMain, [comes = comes] {
        if (comes == "close") WindowManagerClose(frmMain);
        if (comes == "SIGTERM") raise(SIGTERM);
        if (comes == "save") SaveForSessionManager();
        if (comes == "activation") Xdo({"windowactivate", QString::number(frmMain->windowHandle()->winId())});
    });
    QTimer::singleShot(0, frmMain, [&, counts = counts] {
        if (counts) {
            const CountingBusy counting;
            ReadOnPool({drive.path("S")}, [](std::size_t) { QThread::msleep(500); });
        }
        FolderStructSize size(drive.path("S"));
        size.SetDisk(&slow);
        ExamineShowingProgress(size);
        atTheEnd = state();
    });
    // In the program's own loop, which SIGTERM leaves (and the leaving closes the window).
    QTimer look, hang;
    QObject::connect(&look, &QTimer::timeout, [&] {
        if (atTheEnd.empty() || state() == atTheEnd) return;
        after = state();
        QCoreApplication::exit(1);
    });
    QObject::connect(&hang, &QTimer::timeout, [] { QCoreApplication::exit(7); });  // a hang fails
    look.start(20);
    hang.start(x11test::kGuardMs);
    if (QApplication::exec() == 0) after = state();  // the program's own end
    EXPECT_EQ(atTheEnd, (std::vector<bool>{true, true, true}));
    const std::map<std::string, std::vector<bool>> settled{
        {"close", {false, false, true}}, {"SIGTERM", {false, false, true}},
        {"save", {true, false, true}}, {"activation", {true, true, false}}};
    EXPECT_EQ(after, settled.at(comes));
}

INSTANTIATE_TEST_SUITE_P(EveryEnd, CloseInAWaitX11Test,
                         ::testing::Combine(::testing::Values("close", "SIGTERM", "save", "activation"),
                                            ::testing::Bool()));
