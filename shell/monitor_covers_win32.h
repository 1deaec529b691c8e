// Black covers over every monitor but the primary, where the full-screen
// saver window and its animation stay.
#pragma once
#include <windows.h>

const char CoverClassName[] = "Verdo Cover";

// One topmost black window on each other monitor, owned by the saver window,
// so that they go with it. Input over a cover reaches the saver window as if
// it had happened there, and ends the run by the same rules. Called again
// after the monitors changed, it lays the covers out anew.
void CoverOtherMonitors(HWND saverWindow, HINSTANCE instance);
