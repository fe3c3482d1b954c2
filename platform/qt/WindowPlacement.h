// Where the program's windows open: a window shown for the first time fits
// the screen it opens on (it shrinks, down to its minimum size, and moves
// so that its frame stays on the screen), a main window in the middle of
// the screen, at a place the program names; a window shown again opens where
// it was when it was hidden, not where Qt would centre it again (which, on
// some window managers, also lands a title bar lower every time).
#pragma once

namespace qtplat {

// Watches every top-level window of the application from now on; once per
// application object.
void InstallWindowPlacement();

}  // namespace qtplat
