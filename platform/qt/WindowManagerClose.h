// The window manager's close (its close button, Alt+F4) of a window that a
// modal window blocks is dropped by Qt before the window hears of it. A
// watch installed here hears each such request first, blocked or not.
#pragma once

#include <functional>

class QWidget;

namespace qtplat {

// `takes(window)` is asked for every close request the window manager sends
// to one of the program's windows; true takes it (Qt never sees it). Once
// per application; a later call replaces the handler. Without X, nothing.
void WatchWindowManagerCloses(std::function<bool(QWidget* window)> takes);

}  // namespace qtplat
