// The one owner of the animation thread. The dialog, the display set-up and
// the saver window all go through here: it starts the thread, asks it to
// stop or to stand still between passes (giving it the processor meanwhile),
// and carries out a move or a new start that had to wait. Nothing here ends
// or suspends the thread where it stands, but the way out's last resort.
#pragma once
#include <windows.h>

#include "animation/geometry.h"

// Posted to the saver window by a thread whose surface has to be made anew;
// wParam is the thread's generation.
const UINT AnimationNoticeMessage = WM_APP + 2;

// Who holds the thread still; each holds or lets go on its own.
enum AnimationHold : LONG {
    HeldOffScreen = 1,   // the preview does not lie wholly on the screen
    HeldForChange = 2,   // the dialog changes settings, or its message is up
    HeldForMove = 4,     // the region is being rewritten
};

// A new thread over SaverRegion, on the primary surface, standing still
// while any hold stands. Any thread before it must have returned. False
// when it cannot be made.
bool StartAnimationThread();

// Asks the thread to stop at its next frame boundary and waits, boundMs at
// most, for it to return. True once none runs. A stop not answered in time
// still stands: the thread draws nothing more and returns when it can.
bool StopAnimationThread(DWORD boundMs);

// Holds the thread still at its next frame boundary and waits, boundMs at
// most, until it stands there (true), or until it has returned.
bool HoldAnimation(AnimationHold who, DWORD boundMs);
// Lets go; once the dialog lets go, a new start that waited is carried out.
void ReleaseAnimation(AnimationHold who);

// While nobody can see the screen (the display is off) the thread rests
// between passes; it holds for threads started meanwhile.
void RestAnimation(bool rest);

// The preview's frame moved (same size): the region follows while the
// thread stands still; off the screen, the thread stays still.
void MoveAnimation(const DrawRegion& region);

// The animation starts over in `region` (with a new primary surface after
// a change of display): at once, or once the dialog's hold ends, or at a
// later try while the thread does not stop or the surface cannot be had.
void RestartAnimation(const DrawRegion& region, bool newSurface);
bool RestartWaits();

// AnimationNoticeMessage: the surface is made anew, unless the notice
// comes from a thread before the present one.
void FollowAnimationNotice(WPARAM generation);

// The way out: the thread is stopped, boundMs at most, where it holds no
// lock, and nothing waits any more. False when it did not answer and could
// only be held where it stood: the caller then ends the process.
bool EndAnimationForExit(DWORD boundMs);
