// The saver window's creation, the DirectDraw set-up, and the way out.
#pragma once
#include <windows.h>
#include <ddraw.h>

#include "animation/geometry.h"

// The saver window, or null after a failure the user has been told of.
HWND CreateSaverWindow(HINSTANCE instance, int showCommand);

// Counts the drawable modes; picks the saved one for the full screen, or
// appends each to the combo box named by the context.
HRESULT WINAPI EnumModesCallback(LPDDSURFACEDESC mode, LPVOID context);

// Releases what is held of the primary surface and the DirectDraw object.
void ReleaseDisplay();

// Tells the user the display set-up failed and destroys the saver window.
// Returns null.
HWND FailDisplaySetup(HWND saverWindow);

// Starts the animation over in `region`: the thread is parked and ended, the
// saver window takes the region's size, and a new thread starts with a growth
// mask and a phrase font of that size. With `newSurface`, after a change of
// display, the primary surface is made anew first.
void RestartAnimation(const DrawRegion& region, bool newSurface);

// WM_DISPLAYCHANGE: the covers follow the monitors, and a display of another
// size or depth than the animation runs on starts it over there. The mode the
// saver set itself, announced as well, changes nothing.
void FollowDisplayChange(int bits, int width, int height);

// Restores the display mode where one was set, stops the animation thread and
// posts the quit message. Safe to call more than once. A full-screen run whose
// animation thread could only be held inside a system call ends its process
// right there.
void ShutdownSaver(HWND saverWindow);
