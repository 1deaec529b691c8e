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
// Clicks the left button over the centre of a window (of any process) once
// the pointer stands over it, no other program's window is in front there,
// and the window has stood still for 100 ms: the window manager places a
// window shown just now in its own time, which moves every control in it.
// False when that never came about within the bound.
bool ClickAtCentreOf(HWND window, DWORD timeoutMs = 5000);

void PressKey(WORD virtualKey);
void ReleaseKey(WORD virtualKey);
void TapKey(WORD virtualKey);

// Makes a window of another process the foreground window, so that keys reach it.
bool BringToForeground(HWND window);
