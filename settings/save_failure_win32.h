// Telling the user why the settings could not be saved.
#pragma once
#include <windows.h>

// One message box owned by `dialog`, naming verdo.set in the current
// directory and giving the system's reason for `error`.
void TellSaveFailed(HWND dialog, DWORD error);

// The same for the choice for the monitors, which lives in the registry.
void TellMonitorsNotSaved(HWND dialog, DWORD error);
