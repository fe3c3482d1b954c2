#include "shell/SessionEnd.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QPointer>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>

#include "pages/RunBusy.h"
#include "platform/qt/WindowManagerClose.h"
#include "shell/TfrmMain.h"

namespace {

// The signal handler only writes a byte here; the event loop does the rest.
int signalPipe[2] = {-1, -1};

void OnTerminate(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(signalPipe[1], &byte, 1);  // a full pipe already says it
    errno = saved;
}

// As File > Exit: the main window closes (and saves); every event loop,
// a modal window's too, is left. A run cannot be stopped: the program ends
// after it, and no box of the run is cut short.
void EndProgram() {
    if (frmMain && RunBusy::Busy()) {
        frmMain->AfterRun(EndProgram);
        return;
    }
    if (frmMain) frmMain->close();
    QCoreApplication::exit(0);
}

}  // namespace

void SaveForSessionManager() {
    if (!frmMain) return;
    // The run's results belong in the session: it is written after the run.
    frmMain->AfterRun([] {
        if (frmMain) frmMain->FormClose();
    });
}

void InstallSessionEnd() {
    static QPointer<QSocketNotifier> installed;
    if (!qApp || installed) return;
    if (signalPipe[0] < 0 && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;  // no pipe: SIGTERM keeps its default
    installed = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, qApp);
    QObject::connect(installed, &QSocketNotifier::activated, qApp, [] {
        char bytes[64];
        while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
        }
        EndProgram();
    });
    struct sigaction action {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &action, nullptr);

    // The session manager asks every program to save before the session
    // ends (or is saved); it ends the program by quitting the application.
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                     [](QSessionManager&) { SaveForSessionManager(); });
    // A box of a run or a modal window (the list builder) blocks the main
    // window, and Qt drops a close of a blocked window: the window
    // manager's close is taken before that. The main window closes, and
    // saves, once the run is over and no modal window is left; a modal
    // window that its own handler keeps reading closes after that handler.
    qtplat::WatchWindowManagerCloses([](QWidget* window) {
        if (!frmMain || !window) return false;
        if (window == frmMain) {
            if (!RunBusy::Busy() && !QApplication::activeModalWidget()) return false;
            frmMain->CloseAfterTheRun();
            return true;
        }
        if (!RunBusy::RunsIn(window)) return false;
        RunBusy::WhenFree(window, [window = QPointer<QWidget>(window)] {
            if (window) window->close();
        });
        return true;
    });
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] {
        if (frmMain) frmMain->close();
    });
}
