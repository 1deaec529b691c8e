#include "dialog_suspension.h"

bool RegionWhollyOnScreen(const DrawRegion& region, int32_t screenWidth, int32_t screenHeight)
{
    return region.left >= 0 && region.top >= 0 && region.right < screenWidth &&
           region.bottom < screenHeight;
}

void MoveSharedRegion(const AnimationThreadSeam& seam, DrawRegion& shared, const DrawRegion& moved,
                      int32_t screenWidth, int32_t screenHeight)
{
    const uint32_t before = seam.Suspend(seam.thread);
    // A failed suspension holds nothing, so there is nothing to give back:
    // resuming now could wake a thread that an earlier move parked off screen.
    const bool held = before != SuspendFailed;
    if (held && before != 0)
        seam.Resume(seam.thread);   // already parked: keep it at one suspension
    shared = moved;
    if (held && RegionWhollyOnScreen(moved, screenWidth, screenHeight))
        seam.Resume(seam.thread);
}

bool ChangeWhileHeld(const AnimationThreadSeam& seam, bool (*change)(void* context),
                     void (*tellFailure)(void* context), void* context)
{
    const bool held = seam.Suspend(seam.thread) != SuspendFailed;
    const bool changed = change(context);
    if (!changed && tellFailure)
        tellFailure(context);
    if (held)
        seam.Resume(seam.thread);
    return changed;
}

void HoldForGood(const AnimationThreadSeam& seam)
{
    seam.Suspend(seam.thread);
}

SafePointHold SuspendAtSafePoint(const RawThread& raw, int attempts)
{
    for (int attempt = 1;; ++attempt) {
        const uint32_t before = raw.Suspend(raw.thread);
        if (before == SuspendFailed || before != 0)
            return SafePointHold{before, false};
        if (raw.StoppedAtSafePoint(raw.thread))
            return SafePointHold{before, true};
        if (attempt >= attempts)
            return SafePointHold{before, false};
        raw.Resume(raw.thread);
        raw.LetRun(attempt);
    }
}
