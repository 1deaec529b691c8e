// Covers over every monitor but the primary, where the full-screen saver
// window stays: black, or showing the animation of their own monitor.
#pragma once
#include <windows.h>

const char CoverClassName[] = "Verdo Cover";

// More monitors than this beside the primary are left as they are.
const int MaximumCovers = 16;

// One topmost black window on each other monitor, owned by the saver window,
// so that they go with it. Input over a cover reaches the saver window as if
// it had happened there, and ends the run by the same rules. Called again
// after the monitors changed, it lays the covers out anew; true when a
// cover came, went, moved or changed its size.
bool CoverOtherMonitors(HWND saverWindow, HINSTANCE instance);

// The saver window's covers, `capacity` at most, in the order of their
// monitors; returns how many.
int CoversOf(HWND saverWindow, HWND* covers, int capacity);
