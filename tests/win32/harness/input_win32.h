// Real input through the system's input queue (SendInput), as a user's mouse
// and keyboard would give it. Messages go to whichever window the pointer is
// over or has the focus, in whatever process.
#pragma once
#include <windows.h>

// Puts the pointer at a screen position (the window under it may get a
// movement report; the step on the way keeps x + y unless y is 0).
bool PlaceCursor(int x, int y);
// A mouse movement to a screen position. Returns whether the pointer got there.
bool MoveMouseTo(int x, int y);
// Waits until the thread of `window` has taken the input reports that wait in
// its queue now. The system merges a movement report with one still waiting
// there, so a second move sent before this would replace the first. False
// when the window is gone or its thread did not answer in time.
bool WaitUntilInputTaken(HWND window);
POINT CursorPosition();

enum class MouseButton { Left, Right, Middle };
void PressMouseButton(MouseButton button);
void ReleaseMouseButton(MouseButton button);
void ClickMouseButton(MouseButton button);

void PressKey(WORD virtualKey);
void ReleaseKey(WORD virtualKey);
void TapKey(WORD virtualKey);

// Makes a window of another process the foreground window, so that keys reach it.
bool BringToForeground(HWND window);
