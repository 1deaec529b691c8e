// When the settings dialog holds the animation thread still.
//
// The thread draws straight onto the screen inside the preview region, so it
// may only run while that region lies wholly on the screen, and it must stand
// still while the dialog rewrites the region or several settings at once.
// Suspensions nest; these rules keep moves from ever stacking more than one.
#pragma once
#include <cstdint>

#include "animation/geometry.h"

const uint32_t SuspendFailed = 0xFFFFFFFFu;

// The animation thread as the dialog sees it.
struct AnimationThreadSeam {
    void* thread;
    // The suspension count the thread had before this call, or SuspendFailed.
    uint32_t (*Suspend)(void* thread);
    void (*Resume)(void* thread);
};

// The system's own suspension of the thread, and whether a suspended thread
// stands where it holds no lock (in the program's own drawing code rather
// than inside a system call that another thread may need next).
struct RawThread {
    void* thread;
    uint32_t (*Suspend)(void* thread);   // previous count, or SuspendFailed
    void (*Resume)(void* thread);
    bool (*StoppedAtSafePoint)(void* thread);
    void (*LetRun)(int attempt);         // gives the thread a moment to move on
};

// Attempts the dialog makes: it lets the thread run on afterwards, so it
// waits long for a safe point.
const int SafePointAttempts = 200;
// Attempts on the way out of a full-screen run, which ends the process at
// once: a thread left held in a system call is taken away with it.
const int ExitSafePointAttempts = 3;

struct SafePointHold {
    uint32_t before;     // the suspension count before, or SuspendFailed
    bool atSafePoint;    // this call saw the thread stand where it holds nothing
};

// Suspends the thread where it holds nothing: caught elsewhere, it is let go
// again and caught anew, `attempts` times at most; the last catch is kept
// wherever the thread stands. A thread that was already suspended is taken
// as it is, at no known place.
SafePointHold SuspendAtSafePoint(const RawThread& raw, int attempts);

// All four edges tested signed; right and bottom strictly below the screen
// size, so a region ending exactly on the screen's edge counts as off.
bool RegionWhollyOnScreen(const DrawRegion& region, int32_t screenWidth, int32_t screenHeight);

// A move of the dialog: the thread is held while the shared region is
// rewritten, with one suspension at most, and runs afterwards only when the
// moved region lies wholly on the screen.
void MoveSharedRegion(const AnimationThreadSeam& seam, DrawRegion& shared, const DrawRegion& moved,
                      int32_t screenWidth, int32_t screenHeight);

// A change of several settings: one more suspension around `change`. A
// failure is told through `tellFailure` (may be null) while the thread is
// still held, so the preview cannot draw over the message; the suspension is
// given back either way, and the change can be tried again. Returns what
// `change` returned.
bool ChangeWhileHeld(const AnimationThreadSeam& seam, bool (*change)(void* context),
                     void (*tellFailure)(void* context), void* context);

// Before the dialog closes for good: the thread stays held until the program
// ends it.
void HoldForGood(const AnimationThreadSeam& seam);
