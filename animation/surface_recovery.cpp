#include "surface_recovery.h"

uint32_t NextRestoreDelay(uint32_t delayMs)
{
    return delayMs >= LongestRestoreDelayMs / 2 ? LongestRestoreDelayMs : 2 * delayMs;
}

Recovery RecoverSurface(const SurfaceRecovery& recovery, RecoveryState& state)
{
    for (;;) {
        if (state.attempts >= AttemptsBeforeNewSurface) return Recovery::NeedsNewSurface;
        if (!recovery.Wait(recovery.context, state.delayMs)) return Recovery::Stopped;
        const Recovery attempt = AttemptRestore(recovery, state);
        if (attempt != Recovery::NotYet) return attempt;
    }
}

Recovery AttemptRestore(const SurfaceRecovery& recovery, RecoveryState& state)
{
    state.delayMs = NextRestoreDelay(state.delayMs);
    ++state.attempts;
    switch (recovery.Restore(recovery.context)) {
    case RestoreResult::Restored: return Recovery::Restored;
    case RestoreResult::NeedsNewSurface: return Recovery::NeedsNewSurface;
    case RestoreResult::NotYet: break;
    }
    return Recovery::NotYet;
}
