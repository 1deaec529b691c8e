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

// Lays the animation out over `region` and starts a thread there: the saver
// window takes the region's size, the phrase font its height; with
// `newSurface`, after a change of display, the primary surface is made anew,
// and after `failures` failed starts in a row the DirectDraw object too. No
// thread may run. False when the surface or the thread could not be had.
bool StartAnimationOver(const DrawRegion& region, bool newSurface, uint32_t failures);

// Where the run draws as the display and the frame stand now.
DrawRegion RegionOfTheRunNow();

// WM_DISPLAYCHANGE: the covers follow the monitors, and a display of another
// size or depth than the animation runs on starts it over there, as do
// monitors that came, went or moved while they are animated. The mode the
// saver set itself, announced as well, changes nothing.
void FollowDisplayChange(int bits, int width, int height);

// Stops the animation thread, then restores the display mode where one was
// set, and posts the quit message. Safe to call more than once. A run whose
// animation thread did not answer in time ends its process right there.
void ShutdownSaver(HWND saverWindow);
