// A page's run, simulation or undo is under way, from its first question to
// its end box. While the window thread waits for the run's workers, and
// while a box of the run is up, window events get in: a close of the main
// window or the end of the session must wait for the run, which cannot be
// stopped, and then close as usual.
#pragma once

#include <functional>

class QWidget;

class RunBusy {
public:
    RunBusy();
    ~RunBusy();
    RunBusy(const RunBusy&) = delete;
    RunBusy& operator=(const RunBusy&) = delete;

    // True while any lives (the window thread's runs only).
    static bool Busy();
    // True while a run is under way that began in `window`, the modal
    // window then on top (a read of the window's own handler); the main
    // window's runs begin under no modal window.
    static bool RunsIn(const QWidget* window);
    // `action` now when no run is under way, else from the event loop once
    // the last one has ended.
    static void WhenIdle(std::function<void()> action);
    // `action` from the event loop once no run is under way and the program
    // waits for the user with `modal` the topmost modal window (none: no
    // modal window at all) and no popup open: the handler that opened a
    // window over it has gone on to its end (a list taken from a closed
    // window is in place, its boxes are answered). Dropped when `modal`
    // closes meanwhile.
    static void WhenFree(QWidget* modal, std::function<void()> action);
};
