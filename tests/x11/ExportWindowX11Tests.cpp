// A window that blocks the program is on screen: opened modally, closed
// with the window manager's close, and opened again, time after time.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QDialog>
#include <QProcess>
#include <QPushButton>
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
using x11test::WaitUntil;

constexpr int kRounds = 12;

// Opens `dialog` modally with `open`, `kRounds` times; each time it must be
// mapped within a few seconds (else it is closed, so the test goes on).
// Returns how often it was seen.
int TimesSeen(QDialog* dialog, const std::function<void()>& open) {
    int seen = 0;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer modalFor;
        bool done = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != dialog) return;
            if (!modalFor.isValid()) modalFor.start();
            if (Viewable(dialog)) {
                ++seen;
                watch.stop();
                QProcess::execute("xdotool", {"key", "--clearmodifiers", "alt+F4"});  // the window manager's close
            } else if (modalFor.elapsed() > 4000) {
                watch.stop();
                dialog->reject();
            }
        });
        const auto finished = QObject::connect(dialog, &QDialog::finished, [&] { done = true; });
        watch.start(50);
        open();
        WaitUntil([&] { return done; }, 10000);
        QObject::disconnect(finished);
        if (!done) {
            ADD_FAILURE() << "round " << round << ": the modal window never ended";
            break;
        }
        WaitUntil([] { return false; }, 300);
    }
    return seen;
}

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
    ASSERT_TRUE(WaitUntil([&] { return Viewable(log) && log->isActiveWindow(); }, 5000));
    auto* button = log->findChild<QPushButton*>("btnStat03SmartExportFolders");
    EXPECT_EQ(TimesSeen(frmFileExport, [&] { ClickAt(button); }), kRounds);

    // Any window opened modally, also one that was shown and hidden in the
    // same moment before.
    QDialog other(&main);
    other.resize(300, 200);
    EXPECT_EQ(TimesSeen(&other,
                        [&] {
                            other.show();
                            other.hide();
                            QTimer::singleShot(0, [&] { qtplat::ExecModal(&other); });
                        }),
              kRounds);
    delete log;
    delete frmFileExport;
    frmFileExport = nullptr;
}
