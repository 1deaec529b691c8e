// The animation thread: the frame cycle on the primary surface, without end.
#pragma once
#include <windows.h>

// parameter: the address of the AnimationState. Returns 0 when its heap, its
// growth mask or a lock of the surface fails; otherwise it runs until
// terminated, or until asked to park.
DWORD WINAPI AnimationThreadProc(LPVOID parameter);

// Asks the thread to stop after its current pass and waits, at most boundMs,
// until it stands parked there, in a wait of its own that holds no lock (or
// has ended). False when it did not get there in time.
bool ParkAnimationThread(HANDLE thread, DWORD boundMs);
