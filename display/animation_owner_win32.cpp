#include "animation_owner_win32.h"

#include "animation/animation_thread_win32.h"
#include "animation/safe_point_win32.h"
#include "animation/thread_faults_win32.h"
#include "display/ddraw_surface_win32.h"
#include "display/display_win32.h"
#include "display/monitor_pictures_win32.h"
#include "display/waiting_changes.h"
#include "shell/monitor_covers_win32.h"
#include "shell/process_state_win32.h"

namespace {
AnimationControl Control = {};
HANDLE Thread = nullptr;
// Raised by every start; a notice of an earlier thread is let be.
WPARAM Generation = 0;
// The running thread's own: kept here until it has returned.
AnimationRun Run = {};
PrimarySurfaceUse SurfaceUse = {};
WaitingChanges Waiting = {};
// The other monitors' pictures and lanes, laid out anew for every thread.
MonitorPicture Pictures[MaximumCovers] = {};
MonitorLane Lanes[MaximumCovers] = {};
uint32_t LaneCount = 0;

const UINT_PTR RetryTimer = 1;
// A move waits this long for the thread to finish its pass; a new start
// longer, as nobody watches the screen meanwhile.
const DWORD MoveBoundMs = 500;
const DWORD RestartBoundMs = 1000;

bool IsSet(volatile LONG& flag)
{
    return InterlockedCompareExchange(&flag, 0, 0) != 0;
}

bool Ended(DWORD waitMs)
{
    return Thread == nullptr || WaitForSingleObject(Thread, waitMs) != WAIT_TIMEOUT;
}

void Forget()
{
    CloseHandle(Thread);
    Thread = nullptr;
}

// An idle-priority thread gets no processor time while the cores are busy:
// while the user-interface thread waits for an answer, and for as long as a
// stop stands, it runs at normal priority, so it can answer.
void GiveProcessor()
{
    if (Thread != nullptr)
        SetThreadPriority(Thread, THREAD_PRIORITY_NORMAL);
}

void TakeProcessorBack()
{
    if (Thread != nullptr && !IsSet(Control.stop))
        SetThreadPriority(Thread, THREAD_PRIORITY_IDLE);
}

void Ask()
{
    SetEvent(Control.wake);
}

bool ControlMade()
{
    if (Control.wake == nullptr)
        Control.wake = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (Control.standsStill == nullptr)
        Control.standsStill = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    return Control.wake != nullptr && Control.standsStill != nullptr;
}

void SetHold(AnimationHold who, bool held)
{
    if (held)
        InterlockedOr(&Control.holds, who);
    else
        InterlockedAnd(&Control.holds, ~static_cast<LONG>(who));
}

// The preview may only be drawn while it lies wholly on the screen; the
// dialog may open with it on another monitor.
void HoldOffTheScreen()
{
    const bool off = SettingsDialog != nullptr &&
                     !RegionWhollyOnScreen(SaverRegion, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    SetHold(HeldOffScreen, off);
}

bool HoldForMove(void*)
{
    return HoldAnimation(HeldForMove, MoveBoundMs);
}

void ReleaseMoveHold(void*)
{
    SetHold(HeldForMove, false);
    Ask();
}

void WriteRegion(void*, const DrawRegion& region)
{
    SaverRegion = region;
    HoldOffTheScreen();
}

bool HeldByDialog(void*)
{
    return (InterlockedCompareExchange(&Control.holds, 0, 0) & HeldForChange) != 0;
}

// Once asked, a later try only looks whether the thread has returned: the
// dialog is not made to wait again.
bool StopForRestart(void*)
{
    return StopAnimationThread(IsSet(Control.stop) ? 0 : RestartBoundMs);
}

bool StartOver(void*, const DrawRegion& region, bool newSurface, uint32_t failures)
{
    return StartAnimationOver(region, newSurface, failures);
}

const AnimationOwnerSeam Owner = {nullptr, HoldForMove, ReleaseMoveHold, WriteRegion,
                                  HeldByDialog, StopForRestart, StartOver};

void CALLBACK RetryWaitingChanges(HWND, UINT, UINT_PTR, DWORD);

// A picture for each monitor a cover covers, unless the user wants the main
// monitor only; the preview and the dialog draw in one region. A monitor
// whose picture cannot be had stays black.
void LayOutOtherMonitors()
{
    for (uint32_t i = 0; i < LaneCount; ++i)
        ReleaseMonitorPicture(Pictures[i]);
    LaneCount = 0;
    if (!SaverLetter || HostWindow != nullptr || Monitors == MonitorChoice::MainOnly)
        return;
    HWND covers[MaximumCovers];
    const int count = CoversOf(SaverWindow, covers, MaximumCovers);
    for (int i = 0; i < count; ++i) {
        if (!MakeMonitorPicture(Pictures[LaneCount], covers[i], Animation.PhraseTextEncoding))
            continue;
        Lanes[LaneCount] = MonitorPictureLane(Pictures[LaneCount]);
        ++LaneCount;
    }
}

void CarryOutNowOrLater()
{
    // A new start moves and sizes windows, whose messages may wish again:
    // those wishes are kept for the next try.
    static bool carrying = false;
    if (carrying)
        return;
    carrying = true;
    const CarriedOut done = CarryOutWaitingChanges(Waiting, Owner);
    carrying = false;
    if (done == CarriedOut::All) {
        KillTimer(SaverWindow, RetryTimer);
        return;
    }
    SetTimer(SaverWindow, RetryTimer, RetryDelayMs(Waiting), RetryWaitingChanges);
}

void CALLBACK RetryWaitingChanges(HWND, UINT, UINT_PTR, DWORD)
{
    CarryOutNowOrLater();
}
}

bool StartAnimationThread()
{
    if (!ControlMade() || !Ended(0))
        return false;
    if (Thread != nullptr)
        Forget();
    InterlockedExchange(&Control.stop, 0);
    ResetEvent(Control.standsStill);
    ResetEvent(Control.wake);
    HoldOffTheScreen();
    Run.state = &Animation;
    Run.phraseText = PhraseTextBytes;
    Run.region = &SaverRegion;
    Run.surface = PrimaryDrawingSurface(SurfaceUse, Animation.PhraseTextEncoding, &SaverRegion);
    Run.Restore = RestorePrimary;
    Run.restoreContext = &SurfaceUse;
    Run.control = &Control;
    Run.noticeWindow = SaverWindow;
    Run.noticeMessage = AnimationNoticeMessage;
    Run.generation = ++Generation;
    LayOutOtherMonitors();
    Run.lanes = Lanes;
    Run.laneCount = LaneCount;
    Run.monitorChoice = Monitors;
    DWORD threadId = 0;
    Thread = CreateThread(nullptr, 0, AnimationThreadProc, &Run, CREATE_SUSPENDED, &threadId);
    if (Thread == nullptr)
        return false;
    TakeProcessorBack();
    ResumeThread(Thread);
    return true;
}

bool StopAnimationThread(DWORD boundMs)
{
    if (Thread == nullptr)
        return true;
    const DWORD asked = GetTickCount();
    InterlockedExchange(&Control.stop, 1);
    GiveProcessor();
    Ask();
    if (!Ended(boundMs)) {
        if (boundMs > 0)
            NoteInTestBuild("stop not answered", GetTickCount() - asked);
        return false;
    }
    NoteInTestBuild("stopped", GetTickCount() - asked);
    Forget();
    return true;
}

bool HoldAnimation(AnimationHold who, DWORD boundMs)
{
    SetHold(who, true);
    if (Thread == nullptr)
        return true;
    GiveProcessor();
    Ask();
    HANDLE ends[2] = {Control.standsStill, Thread};
    const bool still = WaitForMultipleObjects(2, ends, FALSE, boundMs) < WAIT_OBJECT_0 + 2;
    // Standing still it needs none; not there yet, it gets there in spare time.
    TakeProcessorBack();
    return still;
}

void ReleaseAnimation(AnimationHold who)
{
    SetHold(who, false);
    Ask();
    if (who == HeldForChange)
        CarryOutNowOrLater();
}

void RestAnimation(bool rest)
{
    InterlockedExchange(&Control.rest, rest ? 1 : 0);
    if (Control.wake != nullptr)
        SetEvent(Control.wake);
}

void MoveAnimation(const DrawRegion& region)
{
    WishMove(Waiting, region);
    CarryOutNowOrLater();
}

void RestartAnimation(const DrawRegion& region, bool newSurface)
{
    WishRestart(Waiting, region, newSurface);
    CarryOutNowOrLater();
}

bool RestartWaits()
{
    return Waiting.restart;
}

void FollowAnimationNotice(WPARAM generation)
{
    if (generation == Generation)
        RestartAnimation(RegionOfTheRunNow(), true);
}

bool EndAnimationForExit(DWORD boundMs)
{
    KillTimer(SaverWindow, RetryTimer);
    Waiting = WaitingChanges{};
    if (StopAnimationThread(boundMs))
        return true;
    // Held in its own code it holds no lock of the system's, but it may
    // hold the surface's: that is given back, so the mode can be put back.
    if (HoldAnimationThreadForExit(Thread, Control)) {
        NoteInTestBuild("held at a safe point", 0);
        LetGoOfPrimary(SurfaceUse);
    } else {
        NoteInTestBuild("held inside a system call", 0);
        // Held there it could hold the display's own lock.
        ResumeThread(Thread);
    }
    return false;
}
