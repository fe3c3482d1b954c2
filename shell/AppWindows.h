// Every window of the program is created once at start, in a fixed order
// with the main window first, and lives until the program ends.
#pragma once

// Creates the windows in their order and sets their program-wide pointers.
// Creating the main window runs its FormCreate.
void CreateAppWindows();
// Destroys them (the main window's FormDestroy runs) and clears the pointers.
void DestroyAppWindows();
