// The animation thread: the frame cycle on a drawing surface, pass after
// pass, until asked to stop. It stops only between passes or in one of its
// own waits, where it holds no lock, and returns from there: nothing ever
// has to end it from outside.
#pragma once
#include <windows.h>

#include "animation/animation_state.h"
#include "animation/frame_cycle.h"
#include "animation/monitor_lanes.h"
#include "animation/surface_recovery.h"

// The requests of the user-interface thread, read between passes.
struct AnimationControl {
    volatile LONG stop;    // leave the loop and return
    volatile LONG holds;   // non-zero: stand still (one bit for each holder)
    volatile LONG rest;    // the display is off: stand still
    HANDLE wake;           // auto-reset: set at every request, ends a wait
    HANDLE standsStill;    // manual-reset: set while the thread stands in a wait of its own
};

// Everything one thread works with; the starter keeps it alive until the
// thread has returned.
struct AnimationRun {
    AnimationState* state;
    const uint8_t* phraseText;
    // Shared with the user-interface thread, which rewrites it only while
    // the thread stands still.
    const DrawRegion* region;
    DrawingSurface surface;
    // Asks for a lost surface back.
    RestoreResult (*Restore)(void* context);
    void* restoreContext;
    AnimationControl* control;
    // Told, by a posted message with `generation` as its wParam, when the
    // surface has to be made anew; the thread has returned by then.
    HWND noticeWindow;
    UINT noticeMessage;
    WPARAM generation;
    // The monitors beside the primary: each gets one pass after the
    // primary's in every round, and goes on while the primary is away.
    MonitorLane* lanes;
    uint32_t laneCount;
    MonitorChoice monitorChoice;
};

// parameter: the address of an AnimationRun. Returns 0: when asked to stop,
// when the surface has to be made anew, or when its memory cannot be had.
DWORD WINAPI AnimationThreadProc(LPVOID parameter);

// Whether the thread stands in one of its own waits, where it holds no lock.
bool AnimationThreadWaits(const AnimationControl& control);
