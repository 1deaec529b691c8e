// The saver window's creation, the DirectDraw set-up, and the way out.
#pragma once
#include <windows.h>

// The saver window, or null after a failure the user has been told of.
HWND CreateSaverWindow(HINSTANCE instance, int showCommand);

// Restores the display mode where one was set, stops the animation thread and
// posts the quit message. Safe to call more than once.
void ShutdownSaver(HWND saverWindow);
