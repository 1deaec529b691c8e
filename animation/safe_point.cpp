#include "safe_point.h"

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
