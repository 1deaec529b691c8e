// Changes to the animation that must wait for the thread: a move of the
// preview rewrites the region only while the thread stands still, and a new
// start (another size, another display) needs the thread to have returned
// and the dialog to hold it no longer. What cannot be done now is kept, the
// latest wish winning, and carried out once, when the hold ends or at a
// later try.
#pragma once
#include <cstdint>

#include "animation/geometry.h"

struct WaitingChanges {
    bool move;            // the region is to be rewritten (same size)
    DrawRegion moveTo;
    bool restart;         // the animation is to start over
    DrawRegion restartIn;
    bool newSurface;      // ... on a surface made anew
    uint32_t failures;    // new starts that failed in a row
    uint32_t wishes;      // counts every wish, to tell one made during a new start
};

// How the changes are carried out; every call answers at once or within
// its own bound.
struct AnimationOwnerSeam {
    void* context;
    // The thread stands still for the move (or none runs); false when it
    // did not get there in time. The hold stands either way, until released.
    bool (*HoldForMove)(void* context);
    void (*ReleaseMoveHold)(void* context);
    void (*WriteRegion)(void* context, const DrawRegion& region);
    // Whether the dialog holds the thread (its message is up, say).
    bool (*HeldByDialog)(void* context);
    // No thread runs any more; false when it did not return in time. The
    // request stands, so the thread draws nothing meanwhile.
    bool (*StopThread)(void* context);
    // Lays the animation out over `region` and starts a thread; false when
    // the surface could not be had. `failures` in a row came before.
    bool (*StartOver)(void* context, const DrawRegion& region, bool newSurface, uint32_t failures);
};

enum class CarriedOut {
    All,
    Later,   // something still waits: try again after RetryDelayMs
};

// The preview moved: the latest place is kept, or given to a waiting new start.
void WishMove(WaitingChanges& changes, const DrawRegion& region);
// A new start over `region`; a surface once asked for stays asked for.
void WishRestart(WaitingChanges& changes, const DrawRegion& region, bool newSurface);

CarriedOut CarryOutWaitingChanges(WaitingChanges& changes, const AnimationOwnerSeam& owner);

// The wait before the next try: 100 ms, doubled with every failed new
// start, at most 8 s, so a surface that cannot be had for hours (another
// program holds the display) costs next to nothing.
uint32_t RetryDelayMs(const WaitingChanges& changes);
