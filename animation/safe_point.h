// Holding a thread where it holds no lock: in the program's own code, or in
// a wait of its own, rather than inside a system call that another thread
// may need next. Only the way out's last resort holds a thread so.
#pragma once
#include <cstdint>

const uint32_t SuspendFailed = 0xFFFFFFFFu;

// The system's own suspension of the thread, and whether a suspended thread
// stands where it holds no lock.
struct RawThread {
    void* thread;
    uint32_t (*Suspend)(void* thread);   // previous count, or SuspendFailed
    void (*Resume)(void* thread);
    bool (*StoppedAtSafePoint)(void* thread);
    void (*LetRun)(int attempt);         // gives the thread a moment to move on
};

// Attempts on the way out, which ends the process at once: a thread left
// held in a system call is taken away with it.
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
