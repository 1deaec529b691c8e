#include "waiting_changes.h"

void WishMove(WaitingChanges& changes, const DrawRegion& region)
{
    ++changes.wishes;
    // A waiting new start lays the region out anyway.
    if (changes.restart) {
        changes.restartIn = region;
        return;
    }
    changes.move = true;
    changes.moveTo = region;
}

void WishRestart(WaitingChanges& changes, const DrawRegion& region, bool newSurface)
{
    ++changes.wishes;
    changes.restart = true;
    changes.restartIn = region;
    changes.newSurface = changes.newSurface || newSurface;
    // A new start lays out the region anyway.
    changes.move = false;
}

CarriedOut CarryOutWaitingChanges(WaitingChanges& changes, const AnimationOwnerSeam& owner)
{
    if (changes.move) {
        // Not still in time: the hold stays, so nothing is drawn at the old
        // place meanwhile.
        if (!owner.HoldForMove(owner.context))
            return CarriedOut::Later;
        owner.WriteRegion(owner.context, changes.moveTo);
        changes.move = false;
        owner.ReleaseMoveHold(owner.context);
    }
    if (!changes.restart)
        return CarriedOut::All;
    // Carried out when the dialog lets go, which tries again by itself.
    if (owner.HeldByDialog(owner.context))
        return CarriedOut::All;
    if (!owner.StopThread(owner.context))
        return CarriedOut::Later;
    const uint32_t wishesBefore = changes.wishes;
    if (!owner.StartOver(owner.context, changes.restartIn, changes.newSurface, changes.failures)) {
        ++changes.failures;
        // Whatever failed, the next try makes everything anew.
        changes.newSurface = true;
        return CarriedOut::Later;
    }
    changes.failures = 0;
    // A wish made during the new start (its own windows moved) comes next.
    if (changes.wishes != wishesBefore)
        return CarriedOut::Later;
    changes.restart = false;
    changes.newSurface = false;
    return CarriedOut::All;
}

uint32_t RetryDelayMs(const WaitingChanges& changes)
{
    const uint32_t doublings = changes.failures < 7 ? changes.failures : 7;
    const uint32_t delay = 100u << doublings;
    return delay < 8000 ? delay : 8000;
}
