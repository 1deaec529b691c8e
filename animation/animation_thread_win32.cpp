#include "animation_thread_win32.h"

#include "animation/random.h"
#include "animation/shared_read.h"
#include "animation/thread_faults_win32.h"

namespace {
// Created at the first thread's start and kept for the process; only the
// animation thread allocates from it, one thread at a time, so it needs no
// serialisation.
HANDLE AnimationHeap = nullptr;

bool IsSet(volatile LONG& flag)
{
    return InterlockedCompareExchange(&flag, 0, 0) != 0;
}

// Between passes: true to draw the next one, false once a stop is asked.
// The mark "stands still" comes off before the requests are read, and a
// holder sets its request before it looks at the mark: so a holder that
// sees the mark can rely on no pass starting until it lets go. Only this
// thread sets the mark, so it takes it off only when there is one, and
// a pass costs no call to the system here.
bool MayDrawOn(AnimationControl& control, bool& marked)
{
    for (;;) {
        if (marked)
            ResetEvent(control.standsStill);
        marked = false;
        AnswerLateInTestBuild(control);
        if (IsSet(control.stop))
            return false;
        if (!IsSet(control.holds) && !IsSet(control.rest))
            return true;
        SetEvent(control.standsStill);
        marked = true;
        WaitForSingleObject(control.wake, INFINITE);
    }
}

// Waits `ms` at most, or until the user-interface thread asks something,
// then on for as long as it holds the thread; false once a stop is asked.
bool WaitForSurface(void* context, uint32_t ms)
{
    AnimationControl& control = *static_cast<AnimationRun*>(context)->control;
    SetEvent(control.standsStill);
    WaitForSingleObject(control.wake, ms);
    bool marked = true;
    return MayDrawOn(control, marked);
}

RestoreResult RestoreSurface(void* context)
{
    const AnimationRun& run = *static_cast<AnimationRun*>(context);
    return run.Restore(run.restoreContext);
}

size_t GrowthMaskSizeOf(const DrawRegion& region)
{
    const int32_t width = region.right - region.left;
    const int32_t height = region.bottom - region.top;
    if (width <= 0 || height <= 0)
        return 0;
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

// Each other monitor's mask, of its own size; false, with none held, when
// the memory cannot be had.
bool TakeLaneMasks(AnimationRun& run)
{
    for (uint32_t i = 0; i < run.laneCount; ++i) {
        MonitorLane& lane = run.lanes[i];
        const size_t size = GrowthMaskSizeOf(lane.region);
        auto* mask = static_cast<uint8_t*>(HeapAlloc(AnimationHeap, HEAP_NO_SERIALIZE, size));
        if (mask == nullptr) {
            while (i-- > 0)
                HeapFree(AnimationHeap, HEAP_NO_SERIALIZE, run.lanes[i].cycle.GrowthMask);
            return false;
        }
        StartLane(lane, *run.state, mask, size);
    }
    return true;
}

bool TimeReached(DWORD when)
{
    return static_cast<LONG>(GetTickCount() - when) >= 0;
}

// In the same phrase everywhere, the monitors start their cycles together.
void StartLanesOver(AnimationRun& run)
{
    if (run.monitorChoice != MonitorChoice::SamePhrase)
        return;
    for (uint32_t i = 0; i < run.laneCount; ++i) {
        FrameCycle& cycle = run.lanes[i].cycle;
        StartFrameCycle(cycle, cycle.GrowthMask, cycle.GrowthMaskSize);
    }
}

// A primary surface that is away (lost, or refused for any other reason:
// both are waited for alike), and when it is asked for next.
struct PrimaryRecovery {
    RecoveryState state;
    bool away = false;
    DWORD retryAt = 0;
};

bool NoticeNewSurface(const AnimationRun& run)
{
    PostMessageA(run.noticeWindow, run.noticeMessage, run.generation, 0);
    return false;
}

// Alone, the thread waits for the surface. False once it is to return.
bool RecoverAlone(AnimationRun& run, PrimaryRecovery& primary, FrameCycle& cycle)
{
    const SurfaceRecovery recovery = {&run, RestoreSurface, WaitForSurface};
    switch (RecoverSurface(recovery, primary.state)) {
    case Recovery::Stopped:
        return false;
    case Recovery::NeedsNewSurface:
        return NoticeNewSurface(run);
    default:
        // What the loss left on the screen is not to be trusted.
        StartFrameCycle(cycle, cycle.GrowthMask, cycle.GrowthMaskSize);
        return true;
    }
}

// Beside other monitors, it asks for the surface between rounds, after the
// same waits, while the others go on. False once it is to return.
bool RecoverBetweenRounds(AnimationRun& run, PrimaryRecovery& primary, FrameCycle& cycle)
{
    if (!primary.away || !TimeReached(primary.retryAt))
        return true;
    const SurfaceRecovery recovery = {&run, RestoreSurface, nullptr};
    const Recovery attempt = AttemptRestore(recovery, primary.state);
    if (attempt == Recovery::NeedsNewSurface ||
        (attempt == Recovery::NotYet && primary.state.attempts >= AttemptsBeforeNewSurface))
        return NoticeNewSurface(run);
    primary.retryAt = GetTickCount() + primary.state.delayMs;
    if (attempt == Recovery::Restored) {
        primary.away = false;
        StartFrameCycle(cycle, cycle.GrowthMask, cycle.GrowthMaskSize);
        StartLanesOver(run);
    }
    return true;
}

// Rounds of one pass on the primary, then one on each other monitor, until
// a stop: each monitor gets the same share of the passes.
void Animate(AnimationRun& run, uint8_t* growthMask, size_t maskSize)
{
    AnimationControl& control = *run.control;
    FrameCycle cycle;
    StartFrameCycle(cycle, growthMask, maskSize);
    PrimaryRecovery primary;
    bool marked = true;   // whatever a thread before may have left
    // No pacing: the idle priority gives the thread only spare processor time.
    while (MayDrawOn(control, marked)) {
        if (!RecoverBetweenRounds(run, primary, cycle))
            return;
        PhraseRound round = {run.monitorChoice, false, 0};
        BeginPhraseRound(round, cycle, *run.state, !primary.away);
        if (!primary.away) {
            const FrameOutcome outcome = RunFramePass(cycle, *run.state, run.phraseText, *run.region, run.surface);
            if (outcome == FrameOutcome::Passed) {
                primary.state = RecoveryState{};
            } else if (run.laneCount == 0) {
                if (!RecoverAlone(run, primary, cycle))
                    return;
            } else {
                primary.away = true;
                primary.retryAt = GetTickCount() + primary.state.delayMs;
            }
        }
        for (uint32_t i = 0; i < run.laneCount; ++i)
            RunLanePass(run.lanes[i], *run.state, run.phraseText, round);
    }
}
}

DWORD WINAPI AnimationThreadProc(LPVOID parameter)
{
    AnimationRun& run = *static_cast<AnimationRun*>(parameter);
    if (AnimationHeap == nullptr)
        AnimationHeap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    if (AnimationHeap == nullptr)
        return 0;

    SYSTEMTIME now;
    GetLocalTime(&now);
    SeedRandom(SeedFromLocalTime(now.wDay, now.wHour, now.wMinute, now.wSecond));

    // The region keeps its size while the thread lives: a new size means a
    // new thread, so the mask is made once.
    const size_t maskSize = GrowthMaskSizeOf(ReadSharedRegion(*run.region));
    auto* growthMask = static_cast<uint8_t*>(HeapAlloc(AnimationHeap, HEAP_NO_SERIALIZE, maskSize));
    if (growthMask == nullptr)
        return 0;
    // Without the other monitors' masks, their covers stay black.
    if (!TakeLaneMasks(run))
        run.laneCount = 0;
    Animate(run, growthMask, maskSize);
    for (uint32_t i = 0; i < run.laneCount; ++i)
        HeapFree(AnimationHeap, HEAP_NO_SERIALIZE, run.lanes[i].cycle.GrowthMask);
    HeapFree(AnimationHeap, HEAP_NO_SERIALIZE, growthMask);
    return 0;
}

bool AnimationThreadWaits(const AnimationControl& control)
{
    return WaitForSingleObject(control.standsStill, 0) == WAIT_OBJECT_0;
}
