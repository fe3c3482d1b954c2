// Every window fits a 1366×720 screen area, the main window shrinks with its
// pages scrolling, and a dialog reopens where it was.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QScrollArea>
#include <QWindow>

#include <filesystem>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/QtPlatform.h"
#include "platform/qt/WindowPlacement.h"
#include "results/TfrmLevelSummFolder.h"
#include "shell/AppState.h"
#include "shell/AppWindows.h"
#include "shell/TfrmMain.h"
#include "tests/support/TempDrive.h"

namespace {

// 1366×720 less what a window manager puts around a window.
constexpr int kRoomWidth = 1366 - 8;
constexpr int kRoomHeight = 720 - 32;

class WindowPlacementTest : public ::testing::Test {
protected:
    // The windows keep their settings, lock and working folders in the
    // program folder, the current one.
    void SetUp() override {
        drive.MakeFolder("prog");
        oldCwd = std::filesystem::current_path();
        std::filesystem::current_path(drive.nativePath("prog"));
        ResetStartStateWords();
        qtplat::SetModalHandler([](QDialog* dialog) { return dialog->result(); });
        CreateAppWindows();
    }
    void TearDown() override {
        DestroyAppWindows();
        qtplat::SetModalHandler({});
        std::filesystem::current_path(oldCwd);
    }

    testsupport::TempDrive drive{'W'};
    std::filesystem::path oldCwd;
};

}  // namespace

TEST_F(WindowPlacementTest, EveryWindowFitsASmallScreen) {
    std::vector<QWidget*> windows{frmMain};
    for (QObject* child : frmMain->children())
        if (auto* w = qobject_cast<QWidget*>(child); w && w->isWindow()) windows.push_back(w);
    ASSERT_GT(windows.size(), 40u);
    for (QWidget* w : windows) {
        const QSize least = w->minimumSize().expandedTo(w->minimumSizeHint());
        const char* name = w->metaObject()->className();
        EXPECT_LE(w->width(), kRoomWidth) << name;
        EXPECT_LE(w->height(), kRoomHeight) << name;
        EXPECT_LE(least.width(), kRoomWidth) << name;
        EXPECT_LE(least.height(), kRoomHeight) << name;
    }

    // On a smaller screen the main window opens as large as the screen lets
    // it; the page scrolls to its run buttons.
    frmMain->show();
    const QRect screen = frmMain->screen()->availableGeometry();
    ASSERT_LT(screen.width(), 1180);  // the offscreen screen is smaller than the window's default
    EXPECT_LE(frmMain->width(), screen.width());
    EXPECT_LE(frmMain->height(), screen.height());
    EXPECT_TRUE(screen.contains(frmMain->geometry()));
    frmMain->resize(760, 480);
    QApplication::processEvents();
    EXPECT_EQ(frmMain->size(), QSize(760, 480));
    auto* create = frmMain->findChild<QAbstractButton*>("btnVol02CreateFolders");
    QScrollArea* area = nullptr;
    for (QWidget* w = create; w && !area; w = w->parentWidget()) area = qobject_cast<QScrollArea*>(w);
    ASSERT_NE(area, nullptr);
    area->ensureWidgetVisible(create);
    QApplication::processEvents();
    EXPECT_FALSE(create->visibleRegion().isEmpty());
    frmMain->hide();
}

// Qt centres a dialog on its owner each time it is shown again; it opens
// where the user left it instead.
TEST_F(WindowPlacementTest, ADialogReopensWhereItWas) {
    frmMain->show();
    QDialog* dialog = frmLevelSummFolder;
    dialog->show();
    QApplication::processEvents();
    const QPoint first = dialog->pos();
    dialog->windowHandle()->setFramePosition(first + QPoint(37, 23));  // moved by the user
    QApplication::processEvents();
    const QPoint moved = dialog->pos();
    ASSERT_NE(moved, first);
    for (int i = 0; i < 3; ++i) {
        dialog->hide();
        QApplication::processEvents();
        dialog->show();
        QApplication::processEvents();
        EXPECT_EQ(dialog->pos(), moved);
    }
    dialog->hide();
    frmMain->hide();
}

// A main window shown for the first time opens where the program places it,
// in the middle of the free area, its whole frame on the screen: left to the
// window manager, a second copy's window was cascaded below the first one's
// and off the screen. One that does not fit shrinks to fit.
TEST(WindowPlacement, AMainWindowOpensWithItsWholeFrameOnTheScreen) {
    qtplat::InstallWindowPlacement();
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QSize size : {QSize(300, 200), area.size()}) {
        QWidget window;
        window.resize(size);
        window.show();
        QApplication::processEvents();
        const QRect frame = window.frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << size.width();
        const QPoint middle = frame.center() - area.center();
        EXPECT_LE(std::abs(middle.x()), 1) << size.width();
        EXPECT_LE(std::abs(middle.y()), 1) << size.width();
        // Shown again, it opens where it was.
        window.windowHandle()->setFramePosition(frame.topLeft() + QPoint(5, 7));
        QApplication::processEvents();
        window.hide();
        window.show();
        QApplication::processEvents();
        EXPECT_EQ(window.frameGeometry().topLeft(), frame.topLeft() + QPoint(5, 7));
    }
}
