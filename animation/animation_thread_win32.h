// The animation thread: the frame cycle on the primary surface, without end.
#pragma once
#include <windows.h>

#include "animation/animation_state.h"

// parameter: the address of the AnimationState. Returns 0 when its heap, its
// growth mask or a lock of the surface fails; otherwise it runs until
// terminated, or until asked to park. A lost surface it waits for, restores,
// and then starts a fresh cycle.
DWORD WINAPI AnimationThreadProc(LPVOID parameter);

// A new animation thread over `state`, made suspended; null when it cannot
// be made. Any thread before it must have been ended: the new one takes over
// the surface and gives back the growth mask of the one before.
HANDLE CreateAnimationThread(AnimationState* state);

// Asks the thread to stop after its current pass, or at once where it waits
// for a lost surface, and waits, at most boundMs, until it stands parked
// there, in a wait of its own that holds no lock (or has ended). False when
// it did not get there in time.
bool ParkAnimationThread(HANDLE thread, DWORD boundMs);

// While nobody can see the screen (the display is off), the thread rests at
// its next frame boundary, in a wait that takes no processor time; it goes on
// from there once rest is false again. Holds for threads started meanwhile.
void RestAnimationThread(bool rest);

// Whether the thread stands in one of its own waits (resting, for a lost
// surface, or parked), where it holds no lock, as in its own code.
bool AnimationThreadWaits();

// After the thread was ended from outside in the middle of a pass: gives
// back the surface's lock and device context it held, for the next thread.
void LetGoOfEndedThreadsSurface();
