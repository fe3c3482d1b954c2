#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <QWindow>
#include <functional>
#include <string>

#include "core/SettingsStore.h"
#include "platform/qt/WindowPlacement.h"
#include "results/ResultsWindows.h"
#include "windows/TfrmFileExport.h"

namespace {

bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

// What the X server says of the window, not what Qt believes.
bool Viewable(QWidget* w) {
    QProcess p;
    p.start("xwininfo", {"-id", QString::number(w->windowHandle()->winId())});
    p.waitForFinished(3000);
    return p.readAllStandardOutput().contains("IsViewable");
}

void ClickAt(QWidget* w) {
    const QPoint at = w->mapToGlobal(w->rect().center());
    QProcess::execute("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

}  // namespace

TEST(ExportWindowX11, ReopenedExportWindowIsAlwaysOnScreen) {
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
    int unseen = 0, shown = 0;
    for (int round = 0; round < 12; ++round) {
        QElapsedTimer modalFor;
        bool done = false;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (QApplication::activeModalWidget() != frmFileExport) return;
            if (!modalFor.isValid()) modalFor.start();
            if (Viewable(frmFileExport)) {
                ++shown;
                watch.stop();
                QProcess::execute("xdotool", {"key", "--clearmodifiers", "alt+F4"});  // the window manager's close
            } else if (modalFor.elapsed() > 4000) {
                ++unseen;
                watch.stop();
                frmFileExport->reject();
            }
        });
        QObject::connect(frmFileExport, &QDialog::finished, &watch, [&] { done = true; });
        watch.start(50);
        ClickAt(button);
        WaitUntil([&] { return done; }, 10000);
        QObject::disconnect(frmFileExport, &QDialog::finished, &watch, nullptr);
        if (!done) system("import -window root /tmp/x11fail.png");
        ASSERT_TRUE(done) << "round " << round << " modal " << (QApplication::activeModalWidget() == frmFileExport) << " at " << button->mapToGlobal(QPoint()).x() << "," << button->mapToGlobal(QPoint()).y();
        WaitUntil([] { return false; }, 500);
    }
    EXPECT_EQ(unseen, 0);
    EXPECT_EQ(shown, 12);
    delete log;
    delete frmFileExport;
    frmFileExport = nullptr;
}
