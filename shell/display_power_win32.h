// The full-screen saver follows the display's power: it registers for the
// console display state, and rests the animation while the display is off.
#pragma once
#include <windows.h>

// From now on the system tells the window the console display state, at once
// and at every change (WM_POWERBROADCAST).
void WatchDisplayPower(HWND saverWindow);
void StopWatchingDisplayPower();

// WM_POWERBROADCAST: a change of the console display state rests or resumes
// the animation.
void FollowPowerBroadcast(WPARAM event, LPARAM setting);
// WM_SYSCOMMAND with SC_MONITORPOWER: the monitor asked off rests the
// animation, on or low power resumes it.
void FollowMonitorPower(LPARAM argument);
