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

// All four edges tested signed; right and bottom strictly below the screen
// size, so a region ending exactly on the screen's edge counts as off.
bool RegionWhollyOnScreen(const DrawRegion& region, int32_t screenWidth, int32_t screenHeight);

// A move of the dialog: the thread is held while the shared region is
// rewritten, with one suspension at most, and runs afterwards only when the
// moved region lies wholly on the screen.
void MoveSharedRegion(const AnimationThreadSeam& seam, DrawRegion& shared, const DrawRegion& moved,
                      int32_t screenWidth, int32_t screenHeight);

// A change of several settings: one more suspension around `change`, given
// back only when it reports success; after a failure the thread stays held.
// Returns what `change` returned.
bool ChangeWhileHeld(const AnimationThreadSeam& seam, bool (*change)(void* context), void* context);

// Before the dialog closes for good: the thread stays held until the program
// ends it.
void HoldForGood(const AnimationThreadSeam& seam);
