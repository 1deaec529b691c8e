// Finding the windows of a verdo.scr process, and answering its message boxes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

std::string ClassNameOf(HWND window);
std::string TextOf(HWND window);

// Top-level windows of one process (of any, for 0), visible or not. A null
// class or caption matches any.
std::vector<HWND> ProcessWindows(DWORD processId, const char* className = nullptr,
                                 const char* caption = nullptr);
HWND FindProcessWindow(DWORD processId, const char* className = nullptr, const char* caption = nullptr);

// Waits (bounded, pumping messages) for a matching top-level window of the
// process; null when none showed up in time.
HWND WaitForProcessWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs);

// The saver window of a full-screen run: class "Verdo", top level.
HWND WaitForSaverWindow(DWORD processId, DWORD timeoutMs);
// A child window of `parent` (of any process) with the given class.
HWND FindChildOfClass(HWND parent, const char* className);

// A visible top-level window of the process whose title holds `fragment`.
HWND VisibleWindowWithTitle(DWORD processId, const char* fragment);

// A window's client area in screen coordinates, and centres of rectangles.
RECT ClientOnScreen(HWND window);
POINT CentreOf(const RECT& rect);
POINT WindowCentre(HWND window);

// A message box of the process ("#32770" with this caption); null if none.
HWND WaitForMessageBox(DWORD processId, const char* caption, DWORD timeoutMs);
// The text a message box shows.
std::string MessageBoxText(HWND box);
// Presses a button of the box (OK by default) the way a click would.
bool PressMessageBoxButton(HWND box, int buttonId = IDOK);
