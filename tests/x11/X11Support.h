// What the tests on a real X server share: waiting with the event loop
// running, asking the server itself, and the user's pointer.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QThread>
#include <QWidget>
#include <QWindow>
#include <functional>

namespace x11test {

inline bool WaitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

// What the X server says of the window, not what Qt believes.
inline bool Viewable(QWidget* w) {
    QProcess p;
    p.start("xwininfo", {"-id", QString::number(w->windowHandle()->winId())});
    p.waitForFinished(3000);
    return p.readAllStandardOutput().contains("IsViewable");
}

inline void ClickAt(QWidget* w) {
    const QPoint at = w->mapToGlobal(w->rect().center());
    QProcess::execute("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"});
}

}  // namespace x11test
