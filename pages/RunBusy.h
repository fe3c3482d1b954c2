// A page's run, simulation or undo is under way, from its first question to
// its end box. While the window thread waits for the run's workers, and
// while a box of the run is up, window events get in: a close of the main
// window or the end of the session must wait for the run, which cannot be
// stopped, and then close as usual. So must they for any handler that
// waits (a count, a structure's summary, a read): the program is as busy
// until that handler has returned (qtplat::WaitUnderWay).
#pragma once

#include <functional>

class QWidget;

class RunBusy {
public:
    RunBusy();
    ~RunBusy();
    RunBusy(const RunBusy&) = delete;
    RunBusy& operator=(const RunBusy&) = delete;

    // True while any lives (the window thread's runs only), or a handler
    // that waited has not yet returned.
    static bool Busy();
    // True while a run or a waiting handler is under way that began in
    // `window`, the modal window then on top (a read of the window's own
    // handler); the main window's begin under no modal window.
    static bool RunsIn(const QWidget* window);
    // `action` now when the program is not busy, else from the event loop
    // once the last run has ended and the last waiting handler returned.
    static void WhenIdle(std::function<void()> action);
    // `action` from the event loop once the program waits for the user
    // with `modal` the topmost modal window and no popup open: with none,
    // no modal window at all and nothing busy (the handler that opened a
    // window over it has gone on to its end: a list taken from a closed
    // window is in place, its boxes are answered); with one, none of its
    // own runs and waits under way. Dropped when `modal` closes meanwhile.
    static void WhenFree(QWidget* modal, std::function<void()> action);
};
