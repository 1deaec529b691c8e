// The full-screen saver follows the display's power: it registers for the
// best display state the system tells, and rests the animation while the
// display is off.
#pragma once
#include <windows.h>

// From now on the system tells the window the display state, at once and at
// every change (WM_POWERBROADCAST): of the session's display where the system
// knows it, else of the console's, else the monitor's power.
void WatchDisplayPower(HWND saverWindow);
void StopWatchingDisplayPower();

// WM_POWERBROADCAST: a change of the watched display state rests or resumes
// the animation.
void FollowPowerBroadcast(WPARAM event, LPARAM setting);
// WM_SYSCOMMAND with SC_MONITORPOWER: the monitor asked off rests the
// animation, on or low power resumes it.
void FollowMonitorPower(LPARAM argument);
