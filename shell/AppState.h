// Program-wide state words of the start-up that live for one process only.
// (The start-window choice, StartWindowState and RestoreMode, lives in the
// settings store and is saved with the settings.)
#pragma once

// 2 = the settings file was found at start-up; 1 = the defaults were written.
int GetDefaultsCreatedState();
void SetDefaultsCreatedState(int value);

// 2 = the main window has not been activated yet; 1 = its first activation ran.
int GetFirstActivationState();
void SetFirstActivationState(int value);

// Both words back to 2, as at process start (a new start within one process).
void ResetStartStateWords();
