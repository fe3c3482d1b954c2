// A window that blocks the program is on screen: opened modally, closed
// with the window manager's close, and opened again, time after time. A
// window shown and hidden a moment before its modal showing is lost to the
// window manager when that showing comes while it maps the first one (it
// then withdraws the window the program waits on): a short stretch, hit
// only now and then on a loaded machine, so the showings here come at
// every spacing up to several milliseconds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QDialog>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <functional>
#include <string>

#include "core/SettingsStore.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowPlacement.h"
#include "results/ResultsWindows.h"
#include "tests/x11/X11Support.h"
#include "windows/TfrmFileExport.h"

namespace {

using x11test::ClickAt;
using x11test::Viewable;
using x11test::Eventually;
using x11test::Pause;

constexpr int kRounds = 12;
// The spacings between a hide and the modal showing after it, in
// microseconds: the window manager's stretch lies within them.
constexpr int kSpacings = 32;
constexpr int kSpacingStepUs = 250;
constexpr int kRoundGuardMs = x11test::kGuardMs / 2;

// Opens `dialog` modally with `open(round)`, `rounds` times; each time it
// must be mapped and given the focus, and it is then closed with the window
// manager's close, which goes to the window with the focus. A round that
// does not get so far in half the guard is ended by the test, so that the
// test goes on. Returns how often the window was seen.
int TimesSeen(QDialog* dialog, int rounds, const std::function<void(int round)>& open) {
    int seen = 0;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer modalFor;
        QElapsedTimer closedFor;
        bool done = false;
        QTimer watch;
        const auto endRound = [&](const char* why) {
            ADD_FAILURE() << "round " << round << ": " << why;
            watch.stop();
            dialog->reject();
        };
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != dialog) return;
            if (!modalFor.isValid()) modalFor.start();
            if (closedFor.isValid()) {
                if (closedFor.elapsed() > kRoundGuardMs) endRound("the window manager's close did not end it");
            } else if (Viewable(dialog) && dialog->isActiveWindow()) {
                ++seen;
                closedFor.start();
                x11test::Xdo({"key", "--clearmodifiers", "alt+F4"});
            } else if (modalFor.elapsed() > kRoundGuardMs) {
                endRound(Viewable(dialog) ? "on screen, never given the focus" : "never on screen");
            }
        });
        const auto finished = QObject::connect(dialog, &QDialog::finished, [&] { done = true; });
        watch.start(50);
        open(round);
        Eventually([&] { return done; });
        QObject::disconnect(finished);
        if (!done) {
            ADD_FAILURE() << "round " << round << ": the modal window never ended";
            break;
        }
        Pause(300);
    }
    return seen;
}

// Counts the showings of a window.
class ShowCount : public QObject {
public:
    explicit ShowCount(QWidget* window) { window->installEventFilter(this); }
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Show) ++count;
        return false;
    }
};

}  // namespace

TEST(ExportWindowX11, TheExportWindowIsOnScreenEveryTimeItOpens) {
    SetProgramTitle(kProgramTitle);
    qtplat::InstallWindowPlacement();
    QWidget main;
    main.resize(800, 600);
    main.show();
    frmFileExport = new TfrmFileExport(&main);
    auto* log = new TfrmStatistic03(&main);
    for (int i = 0; i < 5; ++i) log->AddLine(TfrmStatistic03::FoldersCreated, "C:\\Jobs\\F" + std::to_string(i));
    log->show();
    log->activateWindow();
    results::FlushPending();
    ASSERT_TRUE(Eventually([&] { return Viewable(log) && log->isActiveWindow(); }));
    auto* button = log->findChild<QPushButton*>("btnStat03SmartExportFolders");
    // Shown once per export, modally: never mapped and withdrawn before.
    ShowCount shows(frmFileExport);
    EXPECT_EQ(TimesSeen(frmFileExport, kRounds, [&](int) { ClickAt(button); }), kRounds);
    EXPECT_EQ(shows.count, kRounds);

    // Any window opened modally, also one that was shown and hidden a
    // moment before.
    QDialog other(&main);
    other.resize(300, 200);
    EXPECT_EQ(TimesSeen(&other, kSpacings,
                        [&](int round) {
                            other.show();
                            other.hide();
                            QThread::usleep(static_cast<unsigned long>(round * kSpacingStepUs));
                            QTimer::singleShot(0, [&] { qtplat::ExecModal(&other); });
                        }),
              kSpacings);
    delete log;
    delete frmFileExport;
    frmFileExport = nullptr;
}
