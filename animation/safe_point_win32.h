// The way out's last resort for an animation thread that did not answer.
#pragma once
#include <windows.h>

#include "animation/animation_thread_win32.h"

// Suspends the thread, with few attempts, where it holds no lock of the
// system's: true when it is held there, false when it is held wherever it
// stood (or could not be held).
bool HoldAnimationThreadForExit(HANDLE thread, const AnimationControl& control);
