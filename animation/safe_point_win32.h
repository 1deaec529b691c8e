// Holding the animation thread where it holds no lock.
#pragma once
#include <windows.h>

#include <cstdint>

// Suspends the thread once it stands in the program's own code: stopped inside
// a system call it may hold a GDI, heap or display lock that the
// user-interface thread needs next, and terminating or keeping it there would
// hang the program. Returns the previous suspension count, or 0xFFFFFFFF.
uint32_t SuspendAnimationThreadAtSafePoint(void* thread);

// The same on the way out of a full-screen run, with few attempts: true when
// the thread is held at a safe point, false when it is held wherever it
// stood (or could not be held).
bool HoldAnimationThreadForExit(void* thread);

void ResumeAnimationThread(void* thread);
