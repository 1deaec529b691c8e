// Waiting for a lost surface to come back. The system takes the screen away
// for as long as it likes (the secure desktop, a monitor asleep for hours), so
// the waits grow from 50 ms to 1 s: a surface that stays lost costs next to no
// processor time, and one that comes back soon is drawn on again at once.
#pragma once
#include <cstdint>

const uint32_t FirstRestoreDelayMs = 50;
const uint32_t LongestRestoreDelayMs = 1000;

struct SurfaceRecovery {
    void* context;
    // Asks for the surface back; true once it is there again.
    bool (*Restore)(void* context);
    // Waits `ms`; false when a request to stop cut the wait short.
    bool (*Wait)(void* context, uint32_t ms);
};

// The wait before the next attempt, after a wait of `delayMs`.
uint32_t NextRestoreDelay(uint32_t delayMs);

// Waits, then tries to restore, until the surface is back (true) or a wait
// is cut short (false): the first attempt follows the first wait, since the
// system seldom gives a surface back at once.
bool WaitForLostSurface(const SurfaceRecovery& recovery);
