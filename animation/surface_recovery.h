// Waiting for a lost surface to come back. The system takes the screen away
// for as long as it likes (the secure desktop, a monitor asleep for hours), so
// the waits grow from 50 ms to 1 s: a surface that stays lost costs next to no
// processor time, and one that comes back soon is drawn on again at once.
// A surface that cannot come back (made for another display mode, smaller
// than the region now, or refused again and again) is to be made anew.
#pragma once
#include <cstdint>

const uint32_t FirstRestoreDelayMs = 50;
const uint32_t LongestRestoreDelayMs = 1000;
// Failed attempts in a row, about 9.5 s of waits, after which a surface is
// made anew rather than asked for back once more.
const uint32_t AttemptsBeforeNewSurface = 12;

enum class RestoreResult {
    Restored,          // it can be drawn on again
    NotYet,            // still away
    NeedsNewSurface,   // it can never come back as it was
};

enum class Recovery {
    Restored,
    Stopped,           // a request to stop cut a wait short
    NeedsNewSurface,
    NotYet,            // one attempt found it still away
};

struct SurfaceRecovery {
    void* context;
    RestoreResult (*Restore)(void* context);
    // Waits `ms`; false when a request to stop cut the wait short.
    bool (*Wait)(void* context, uint32_t ms);
};

// Kept from one failed pass to the next, and begun anew by a pass that
// drew: a surface that restores but still refuses to lock is waited for
// ever longer too, and is made anew in the end.
struct RecoveryState {
    uint32_t delayMs = FirstRestoreDelayMs;
    uint32_t attempts = 0;
};

// The wait before the next attempt, after a wait of `delayMs`.
uint32_t NextRestoreDelay(uint32_t delayMs);

// After a failed pass: waits, then tries to restore, until the surface is
// back, a wait is cut short, or it has to be made anew. The first attempt
// follows the first wait, since the system seldom gives a surface back at once.
Recovery RecoverSurface(const SurfaceRecovery& recovery, RecoveryState& state);

// One attempt without a wait, for a thread that draws elsewhere meanwhile:
// the caller lets state.delayMs pass before it, and makes the surface anew
// once state.attempts reaches AttemptsBeforeNewSurface.
Recovery AttemptRestore(const SurfaceRecovery& recovery, RecoveryState& state);
