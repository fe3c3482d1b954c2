// A page's run, simulation or undo is under way, from its first question to
// its end box. While the window thread waits for the run's workers, and
// while a box of the run is up, window events get in: a close of the main
// window or the end of the session must wait for the run, which cannot be
// stopped, and then close as usual.
#pragma once

#include <functional>

class RunBusy {
public:
    RunBusy();
    ~RunBusy();
    RunBusy(const RunBusy&) = delete;
    RunBusy& operator=(const RunBusy&) = delete;

    // True while any lives (the window thread's runs only).
    static bool Busy();
    // `action` now when no run is under way, else from the event loop once
    // the last one has ended.
    static void WhenIdle(std::function<void()> action);
};
