// What the tests on a real X server share: waiting with the event loop
// running, asking the server itself, and the user's pointer.
#pragma once

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>

namespace x11test {

// How long a wait for what must come may last: only a hang reaches it, so
// that a loaded machine, however slow, never fails a test.
constexpr int kGuardMs = 60000;

inline bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

// Waits, the event loop running, for what must come.
inline bool Eventually(const std::function<bool()>& done) { return WaitUntil(done, kGuardMs); }

// Lets the event loop run for `ms`: what should not come has had its chance
// (a loaded machine only makes such a check pass more easily).
inline void Pause(int ms) { WaitUntil([] { return false; }, ms); }

// As WaitUntil, in an event loop that waits for events between looks, as
// the program's own loop does: what waits until the program is idle (a
// close held back) comes only in such a loop.
inline bool WaitInLoop(const std::function<bool()>& done, int ms) {
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    look.start(20);
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (!done()) loop.exec();
    return done();
}

// What the X server says of the window, not what Qt believes.
inline bool Viewable(QWidget* w) {
    QProcess p;
    p.start("xwininfo", {"-id", QString::number(w->windowHandle()->winId())});
    p.waitForFinished(kGuardMs);
    return p.readAllStandardOutput().contains("IsViewable");
}

// Runs a tool that drives the server, until the guard at most: one that
// waits on something that never comes (an activation) fails the step
// instead of holding the whole run.
inline bool Run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(kGuardMs)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

inline bool Xdo(const QStringList& args) { return Run("xdotool", args); }

// Several steps in one go, so that all of them reach the server before
// the program reads any.
inline bool XdoAtOnce(const QString& script) { return Run("sh", {"-c", script}); }

// xdotool's words that move the pointer to `at` in `w` (its middle unless
// told).
inline QStringList MoveTo(QWidget* w, QPoint at) {
    at = w->mapToGlobal(at);
    return {"mousemove", QString::number(at.x()), QString::number(at.y())};
}
inline QStringList MoveTo(QWidget* w) { return MoveTo(w, w->rect().center()); }

inline void ClickAt(QWidget* w) { Xdo(MoveTo(w) + QStringList{"click", "1"}); }

inline xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// Another client grabs the keyboard, as another program's menu does: the
// program loses the focus and the keys go to that client, until the
// connection closes.
using Connection = std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)>;
inline Connection GrabKeyboardElsewhere() {
    Connection other(xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(other.get())) return other;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other.get())).data->root;
    std::free(xcb_grab_keyboard_reply(
        other.get(), xcb_grab_keyboard(other.get(), 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr));
    return other;
}

// What the window manager sends when its close button or Alt+F4 is used.
inline void WindowManagerClose(QWidget* window) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return;
    xcb_connection_t* connection = x11->connection();
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = static_cast<xcb_window_t>(window->windowHandle()->winId());
    event.type = Atom(connection, "WM_PROTOCOLS");
    event.data.data32[0] = Atom(connection, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, event.window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    xcb_flush(connection);
}

}  // namespace x11test
