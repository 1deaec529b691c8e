#include "surface_recovery.h"

uint32_t NextRestoreDelay(uint32_t delayMs)
{
    return delayMs >= LongestRestoreDelayMs / 2 ? LongestRestoreDelayMs : 2 * delayMs;
}

bool WaitForLostSurface(const SurfaceRecovery& recovery)
{
    for (uint32_t delay = FirstRestoreDelayMs;; delay = NextRestoreDelay(delay)) {
        if (!recovery.Wait(recovery.context, delay)) return false;
        if (recovery.Restore(recovery.context)) return true;
    }
}
