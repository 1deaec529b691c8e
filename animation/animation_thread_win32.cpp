#include "animation_thread_win32.h"

#include "animation/random.h"
#include "display/ddraw_surface_win32.h"   // brings the frame cycle
#include "shell/process_state_win32.h"

namespace {
// Created at the thread's first start and kept for the process; only the
// animation thread allocates from it, so it needs no serialisation.
HANDLE AnimationHeap = nullptr;

// Set once by the user-interface thread; the event is made before it.
volatile LONG ParkRequested = 0;
HANDLE ParkedEvent = nullptr;

bool ParkIsRequested()
{
    return InterlockedCompareExchange(&ParkRequested, 0, 0) != 0;
}

size_t GrowthMaskSizeOf(const DrawRegion& region)
{
    const int32_t width = region.right - region.left;
    const int32_t height = region.bottom - region.top;
    if (width <= 0 || height <= 0)
        return 0;
    return static_cast<size_t>(width) * static_cast<size_t>(height);
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

    // The region keeps its size while the thread lives (the dialog only moves it).
    const size_t maskSize = GrowthMaskSizeOf(SaverRegion);
    uint8_t* growthMask = static_cast<uint8_t*>(HeapAlloc(AnimationHeap, HEAP_NO_SERIALIZE, maskSize));
    if (growthMask == nullptr)
        return 0;

    AnimationState& state = *static_cast<AnimationState*>(parameter);
    PrimarySurfaceUse use;
    const DrawingSurface surface = PrimaryDrawingSurface(use, state.PhraseTextEncoding);
    FrameCycle cycle;
    StartFrameCycle(cycle, growthMask, maskSize);
    // No pacing: the idle priority gives the thread only spare processor time.
    while (!ParkIsRequested() && RunFramePass(cycle, state, PhraseTextBytes, SaverRegion, surface)) {
    }
    if (ParkIsRequested()) {
        SetEvent(ParkedEvent);
        for (;;)
            Sleep(INFINITE);
    }
    return 0;
}

bool ParkAnimationThread(HANDLE thread, DWORD boundMs)
{
    if (ParkedEvent == nullptr)
        ParkedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (ParkedEvent == nullptr)
        return false;
    InterlockedExchange(&ParkRequested, 1);
    HANDLE ends[2] = {ParkedEvent, thread};
    return WaitForMultipleObjects(2, ends, FALSE, boundMs) < WAIT_OBJECT_0 + 2;
}
