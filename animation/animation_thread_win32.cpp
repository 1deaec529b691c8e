#include "animation_thread_win32.h"

#include "animation/random.h"
#include "animation/shared_read.h"
#include "animation/surface_recovery.h"
#include "display/ddraw_surface_win32.h"   // brings the frame cycle
#include "display/display_state_win32.h"
#include "shell/process_state_win32.h"

namespace {
// Created at the first thread's start and kept for the process; only the
// animation thread allocates from it, one thread at a time, so it needs no
// serialisation.
HANDLE AnimationHeap = nullptr;
// The running thread's mask; a thread started after it frees it.
uint8_t* GrowthMask = nullptr;
// The running thread's use of the surface, kept here so that what a thread
// ended from outside held can be given back.
PrimarySurfaceUse SurfaceUse = {};

// Set by the user-interface thread, which makes the events before the thread.
volatile LONG ParkRequested = 0;
// While the display is off; kept for a thread started meanwhile.
volatile LONG RestRequested = 0;
HANDLE ControlEvent = nullptr;   // auto-reset: wakes the thread's waits at every request
HANDLE ParkedEvent = nullptr;
volatile LONG StandsInWait = 0;

bool IsSet(volatile LONG& flag)
{
    return InterlockedCompareExchange(&flag, 0, 0) != 0;
}

bool ParkIsRequested()
{
    return IsSet(ParkRequested);
}

// Waits `ms` at most, or until the user-interface thread asks something.
void WaitForRequest(DWORD ms)
{
    InterlockedExchange(&StandsInWait, 1);
    if (ControlEvent == nullptr || WaitForSingleObject(ControlEvent, ms) == WAIT_FAILED)
        Sleep(ms < 50 ? ms : 50);
    InterlockedExchange(&StandsInWait, 0);
}

size_t GrowthMaskSizeOf(const DrawRegion& region)
{
    const int32_t width = region.right - region.left;
    const int32_t height = region.bottom - region.top;
    if (width <= 0 || height <= 0)
        return 0;
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

bool WaitUnlessParked(void*, uint32_t ms)
{
    WaitForRequest(ms);
    return !ParkIsRequested();
}

bool RestoreSurface(void*)
{
    return RestorePrimary();
}

[[noreturn]] void Park()
{
    InterlockedExchange(&StandsInWait, 1);
    SetEvent(ParkedEvent);
    for (;;)
        Sleep(INFINITE);
}
}

DWORD WINAPI AnimationThreadProc(LPVOID parameter)
{
    if (AnimationHeap == nullptr)
        AnimationHeap = HeapCreate(HEAP_NO_SERIALIZE, 0, 0);
    if (AnimationHeap == nullptr)
        return 0;

    SYSTEMTIME now;
    GetLocalTime(&now);
    SeedRandom(SeedFromLocalTime(now.wDay, now.wHour, now.wMinute, now.wSecond));

    if (GrowthMask != nullptr)
        HeapFree(AnimationHeap, HEAP_NO_SERIALIZE, GrowthMask);
    // The region keeps its size while the thread lives: a new size means a
    // new thread, so the mask is made once.
    const size_t maskSize = GrowthMaskSizeOf(ReadSharedRegion(SaverRegion));
    GrowthMask = static_cast<uint8_t*>(HeapAlloc(AnimationHeap, HEAP_NO_SERIALIZE, maskSize));
    if (GrowthMask == nullptr)
        return 0;

    AnimationState& state = *static_cast<AnimationState*>(parameter);
    const DrawingSurface surface = PrimaryDrawingSurface(SurfaceUse, state.PhraseTextEncoding);
    const SurfaceRecovery recovery = {nullptr, RestoreSurface, WaitUnlessParked};
    FrameCycle cycle;
    StartFrameCycle(cycle, GrowthMask, maskSize);
    // No pacing: the idle priority gives the thread only spare processor time.
    while (!ParkIsRequested()) {
        // Nobody sees the screen: rest between passes, and go on from there.
        if (IsSet(RestRequested)) {
            WaitForRequest(INFINITE);
            continue;
        }
        const FrameOutcome outcome = RunFramePass(cycle, state, PhraseTextBytes, SaverRegion, surface);
        if (outcome == FrameOutcome::LockRefused)
            return 0;
        if (outcome == FrameOutcome::SurfaceLost) {
            if (!WaitForLostSurface(recovery))
                break;
            // What the loss left on the screen is not to be trusted.
            StartFrameCycle(cycle, GrowthMask, maskSize);
        }
    }
    Park();
}

HANDLE CreateAnimationThread(AnimationState* state)
{
    if (ControlEvent == nullptr)
        ControlEvent = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (ParkedEvent == nullptr)
        ParkedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (ControlEvent != nullptr)
        ResetEvent(ControlEvent);
    if (ParkedEvent != nullptr)
        ResetEvent(ParkedEvent);
    InterlockedExchange(&ParkRequested, 0);
    InterlockedExchange(&StandsInWait, 0);
    DWORD threadId = 0;
    return CreateThread(nullptr, 0, AnimationThreadProc, state, CREATE_SUSPENDED, &threadId);
}

bool ParkAnimationThread(HANDLE thread, DWORD boundMs)
{
    if (ParkedEvent == nullptr)
        return false;
    InterlockedExchange(&ParkRequested, 1);
    if (ControlEvent != nullptr)
        SetEvent(ControlEvent);
    HANDLE ends[2] = {ParkedEvent, thread};
    return WaitForMultipleObjects(2, ends, FALSE, boundMs) < WAIT_OBJECT_0 + 2;
}

void RestAnimationThread(bool rest)
{
    InterlockedExchange(&RestRequested, rest ? 1 : 0);
    if (ControlEvent != nullptr)
        SetEvent(ControlEvent);
}

bool AnimationThreadWaits()
{
    return IsSet(StandsInWait);
}

void LetGoOfEndedThreadsSurface()
{
    if (PrimarySurface != nullptr)
        LetGoOfPrimary(SurfaceUse);
}
