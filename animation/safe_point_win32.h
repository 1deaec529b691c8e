// Holding the animation thread where it holds no lock.
#pragma once
#include <windows.h>

#include <cstdint>

// Suspends the thread once it stands in the program's own code: stopped inside
// a system call it may hold a GDI, heap or display lock that the
// user-interface thread needs next, and terminating or keeping it there would
// hang the program. Returns the previous suspension count, or 0xFFFFFFFF.
uint32_t SuspendAnimationThreadAtSafePoint(void* thread);

void ResumeAnimationThread(void* thread);
