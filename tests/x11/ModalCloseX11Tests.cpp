// The window manager's close of the main window while the list builder is
// open over it, and of the builder while it reads: each waits for the read
// and for what the handler does after it, on a real X server.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QTimer>
#include <QWindow>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/SettingsFile.h"
#include "core/SettingsStore.h"
#include "pages/RunBusy.h"
#include "pages/RunItems.h"
#include "pages/TfrmSubFolderListBuilder.h"
#include "pages/folders/Vol07Page.h"
#include "shell/SessionEnd.h"
#include "tests/ui/DelegatingDisk.h"
#include "tests/ui/PageWindowFixture.h"
#include "tests/x11/X11Support.h"

namespace {

using x11test::Eventually;
using x11test::WaitInLoop;
using x11test::WindowManagerClose;

// Sees the window manager's close of one window reach the program, as the
// program reads it from the server (before it holds it back or acts on it).
class CloseSeen : public QAbstractNativeEventFilter {
public:
    void Watch(QWidget* window) {
        window_ = window ? static_cast<xcb_window_t>(window->windowHandle()->winId()) : 0;
        seen = false;
    }
    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
            static_cast<const xcb_client_message_event_t*>(message)->window == window_ && window_)
            seen = true;
        return false;
    }
    bool seen = false;

private:
    xcb_window_t window_ = 0;
};

class ModalCloseX11Test : public pagewindow::PageWindowFixture {
protected:
    ModalCloseX11Test() : PageWindowFixture('P') {
        for (const char* folder : {"S\\a", "S\\b", "S\\c"}) drive.MakeFolder(folder);
    }
    void SetUp() override {
        PageWindowFixture::SetUp();
        InstallSessionEnd();
        // Every listing waits until the test lets the reads go on.
        slow.beforeFullList = [this] {
            const auto guard = std::chrono::steady_clock::now() + std::chrono::milliseconds(x11test::kGuardMs);
            while (!released && std::chrono::steady_clock::now() < guard)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        };
        builder()->SetReadDisk(&slow);
        qApp->installNativeEventFilter(&closeSeen);
        frmMain->show();
        ASSERT_TRUE(Eventually([] { return frmMain->windowHandle()->isExposed(); }));
        before = Session();
    }
    void TearDown() override {
        qApp->removeNativeEventFilter(&closeSeen);
        builder()->SetReadDisk(nullptr);
        PageWindowFixture::TearDown();
    }

    static TfrmSubFolderListBuilder* builder() { return frmSubFolderListBuilder; }
    template <class T>
    static T* B(const char* name) {
        return builder()->findChild<T*>(name);
    }
    void CloseTheMainWindowWhileTheBuilderIsOpen(bool duringRead);
    std::string Session() const { return drive.ReadFile("prog\\default.set"); }
    StringList SavedInclude() const {
        ResetSettingsToInitialValues();
        RestoreClass restore(drive.path("prog\\default.set"));
        restore.ClearLists();
        restore.Restore();
        return GetVol07IncludeFolderList();
    }
    // Build a List from S, one level deep: the reads wait for `released`,
    // which comes a second later; the window manager closes `closed` (when
    // given) meanwhile, and the reads wait for its close to have come.
    void BuildWithASlowRead(QWidget* closed) {
        B<QComboBox>("cboMainSourceFolder")->setEditText(QString::fromStdString(drive.path("S")));
        released = false;
        closeSeen.Watch(closed);
        if (closed) QTimer::singleShot(300, builder(), [closed] { WindowManagerClose(closed); });
        const auto guard = std::chrono::steady_clock::now() + std::chrono::milliseconds(x11test::kGuardMs);
        QTimer::singleShot(1200, builder(), [this, closed, guard] { Release(closed, guard); });
        B<QAbstractButton>("btnBuildList")->click();
    }
    void Release(QWidget* closed, std::chrono::steady_clock::time_point guard) {
        if (closed && !closeSeen.seen && std::chrono::steady_clock::now() < guard) {
            QTimer::singleShot(20, builder(), [this, closed, guard] { Release(closed, guard); });
            return;
        }
        released = true;
    }

    DryDisk dry;
    testdisk::DelegatingDisk slow{dry};
    std::atomic<bool> released{true};
    CloseSeen closeSeen;
    ForceRunWorkers workers{2};  // the reads on a worker: the window thread sees the close
    std::string before;
};

}  // namespace

// The main window stays while the builder is open and closes, saving the
// lines the builder handed over, once the builder's opener is done.
void ModalCloseX11Test::CloseTheMainWindowWhileTheBuilderIsOpen(bool duringRead) {
    bool mainStayed = false, unsaved = false;
    onModal = [&](QDialog* dialog) {
        if (!duringRead) QTimer::singleShot(100, dialog, [] { WindowManagerClose(frmMain); });
        QTimer::singleShot(500, dialog, [&] {
            BuildWithASlowRead(duringRead ? frmMain : nullptr);
            QTimer::singleShot(500, builder(), [&] {
                mainStayed = frmMain->isVisible();
                unsaved = Session() == before;
                B<QAbstractButton>("btnBuilderImport")->click();
            });
        });
        return dialog->exec();
    };
    frmMain->Page07->btnVol07SubFolderListBuilderClick();
    EXPECT_TRUE(mainStayed);
    EXPECT_TRUE(unsaved);
    EXPECT_TRUE(WaitInLoop([] { return !frmMain->isVisible(); }, x11test::kGuardMs));
    EXPECT_EQ(SavedInclude(), (StringList{drive.path("S\\a"), drive.path("S\\b"), drive.path("S\\c")}));
}

TEST_F(ModalCloseX11Test, TheMainWindowsCloseDuringTheBuildersReadWaitsForTheBuilder) {
    CloseTheMainWindowWhileTheBuilderIsOpen(true);
}

TEST_F(ModalCloseX11Test, TheMainWindowsCloseWhileTheBuilderWaitsForTheUserWaitsForTheBuilder) {
    CloseTheMainWindowWhileTheBuilderIsOpen(false);
}

// The builder's own close during its read: the read and the box after it
// come with the builder on screen; the builder closes once Build is done.
TEST_F(ModalCloseX11Test, TheBuildersCloseDuringItsReadWaitsForTheBuildToEnd) {
    std::vector<std::string> seen;
    onBox = [&](const std::string& caption) {
        if (caption.find("0587") != std::string::npos)
            seen.push_back(builder()->isVisible() ? "end box over the builder" : "end box, builder closed");
    };
    onModal = [&](QDialog* dialog) {
        const auto finished = QObject::connect(dialog, &QDialog::finished, [&] {
            seen.push_back(RunBusy::Busy() ? "closed during a read" : "closed");
        });
        QTimer::singleShot(100, dialog, [&] { BuildWithASlowRead(builder()); });
        // A hang fails, it does not block.
        QTimer::singleShot(x11test::kGuardMs, dialog, [dialog] { dialog->done(QDialog::Accepted); });
        const int result = dialog->exec();
        QObject::disconnect(finished);
        return result;
    };
    frmMain->Page07->btnVol07SubFolderListBuilderClick();
    EXPECT_EQ(seen, (std::vector<std::string>{"end box over the builder", "closed"}));
    EXPECT_EQ(builder()->result(), QDialog::Rejected);  // closed, not imported
    EXPECT_TRUE(Items("lstVol07IncludeFolderList").empty());
    EXPECT_TRUE(frmMain->isVisible());
}
