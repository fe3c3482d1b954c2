// The end of the desktop session, and SIGTERM (what a logout sends to the
// programs still running), close the program as File > Exit does: the main
// window closes and writes the settings file, then the program ends, even
// from inside a modal window. During a page's run both wait for its end.
#pragma once

// Once per application object, after the main window exists.
void InstallSessionEnd();
