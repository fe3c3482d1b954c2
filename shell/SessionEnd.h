// The end of the desktop session, and SIGTERM (what a logout sends to the
// programs still running), close the program as File > Exit does: the main
// window closes and writes the settings file, then the program ends, even
// from inside a modal window. During a page's run (or any handler that
// waits: a count, a structure's summary) both wait for its end, as
// the window manager's close does while a box of the run or another modal
// window blocks the main window (it closes once that window is closed).
#pragma once

// Once per application object, after the main window exists.
void InstallSessionEnd();

// What the session manager's save request does: the session is written as
// at the program's close; during a run, once the run has ended.
void SaveForSessionManager();
