// Test build only: the display set-up step named by the environment variable
// VERDO_FAILING_SETUP_STEP fails. The names are those of the enumerators.
//
// VERDO_SURFACE_LOST=Lock:N or GetDC:N loses the primary surface at the Nth
// Lock or the Nth GetDC of the stamp (from 1): that call and every Lock and
// GetDC after it find it lost, until a Restore is let through.
// VERDO_SURFACE_RESTORE_REFUSALS=K refuses the first K Restores, as while the
// screen is still away. The surface is lost once per process.
//
// VERDO_SURFACE_FAULT=<kind>:N acts from the Nth Lock on:
//   WrongMode  the surface is lost and every Restore answers DDERR_WRONGMODE,
//              until a surface is made anew;
//   Refused    three Locks answer DDERR_GENERIC, then they work again;
//   Smaller    the surface seems half as high as it is, until made anew.
// VERDO_SURFACE_REMAKE_REFUSALS=K fails the first K creations of the primary
// surface after the one of the set-up.
// VERDO_THREAD_ANSWERS_LATE_MS=N: the animation thread goes on in its own
// code for N ms after each request to stop before it answers.
// VERDO_THREAD_STARVED_AT_IDLE=1: a request finds the thread only once it
// runs above idle priority, as on a machine whose cores are all busy.
// VERDO_THREAD_LOG=path: how each stop of the thread ended, and when a
// VERDO_SURFACE_FAULT struck, a line each.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "animation/animation_thread_win32.h"
#include "animation/thread_faults_win32.h"
#include "display/setup_steps_win32.h"
#include "display/surface_faults_win32.h"

namespace {
struct NamedStep {
    SetupStep step;
    const char* name;
};

const NamedStep Steps[] = {
    {SetupStep::QueryDirectDraw2, "QueryDirectDraw2"},
    {SetupStep::EnumDisplayModes, "EnumDisplayModes"},
    {SetupStep::SetCooperativeLevel, "SetCooperativeLevel"},
    {SetupStep::SetDisplayMode, "SetDisplayMode"},
    {SetupStep::CreateSurface, "CreateSurface"},
    {SetupStep::QuerySurface3, "QuerySurface3"},
};

// The variable's value, or false when it is not set or too long.
bool ReadVariable(const char* name, char (&value)[MAX_PATH])
{
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length != 0 && length < sizeof value;
}

long NumberVariable(const char* name)
{
    char value[MAX_PATH];
    return ReadVariable(name, value) ? std::strtol(value, nullptr, 10) : 0;
}

bool StartsWith(const char* text, const char* start)
{
    const int length = lstrlenA(start);
    return CompareStringA(LOCALE_INVARIANT, 0, text, length, start, length) == CSTR_EQUAL;
}

struct SurfaceLoss {
    SurfaceCall call;   // the kind of call that loses it
    long at;            // at the how-manieth such call; 0: never
    long refusals;
    long calls;
    long refused;
    bool lost;
    bool happened;
};

SurfaceLoss ReadSurfaceLoss()
{
    SurfaceLoss loss = {SurfaceCall::Lock, 0, 0, 0, 0, false, false};
    char value[MAX_PATH];
    if (ReadVariable("VERDO_SURFACE_LOST", value)) {
        const bool byDc = StartsWith(value, "GetDC:");
        if (byDc || StartsWith(value, "Lock:")) {
            loss.call = byDc ? SurfaceCall::GetDC : SurfaceCall::Lock;
            loss.at = std::strtol(value + (byDc ? 6 : 5), nullptr, 10);
        }
    }
    loss.refusals = NumberVariable("VERDO_SURFACE_RESTORE_REFUSALS");
    return loss;
}

enum class FaultKind { None, WrongMode, Refused, Smaller };

struct SurfaceFault {
    FaultKind kind;
    long at;
    long locks;
};

SurfaceFault ReadSurfaceFault()
{
    SurfaceFault fault = {FaultKind::None, 0, 0};
    char value[MAX_PATH];
    if (!ReadVariable("VERDO_SURFACE_FAULT", value))
        return fault;
    const struct {
        FaultKind kind;
        const char* name;
    } kinds[] = {{FaultKind::WrongMode, "WrongMode:"}, {FaultKind::Refused, "Refused:"}, {FaultKind::Smaller, "Smaller:"}};
    for (const auto& named : kinds)
        if (StartsWith(value, named.name)) {
            fault.kind = named.kind;
            fault.at = std::strtol(value + lstrlenA(named.name), nullptr, 10);
        }
    return fault;
}

// The surfaces made so far, counted by the user-interface thread, and
// whether a VERDO_SURFACE_FAULT holds now: a surface made anew ends it.
volatile LONG SurfacesMade = 0;
volatile LONG FaultActive = 0;

HRESULT LossResult(SurfaceLoss& loss, SurfaceCall call)
{
    if (call == SurfaceCall::Restore) {
        if (!loss.lost)
            return DD_OK;
        if (loss.refused < loss.refusals) {
            ++loss.refused;
            return DDERR_SURFACELOST;
        }
        loss.lost = false;
        return DD_OK;
    }
    if (call == loss.call && !loss.happened && ++loss.calls == loss.at) {
        loss.lost = true;
        loss.happened = true;
    }
    return loss.lost ? DDERR_SURFACELOST : DD_OK;
}

HRESULT FaultResult(SurfaceFault& fault, SurfaceCall call)
{
    if (fault.kind == FaultKind::None)
        return DD_OK;
    if (call == SurfaceCall::Lock && ++fault.locks == fault.at) {
        InterlockedExchange(&FaultActive, 1);
        NoteInTestBuild("fault struck", static_cast<unsigned long>(fault.at));
    }
    if (InterlockedCompareExchange(&FaultActive, 0, 0) == 0)
        return DD_OK;
    switch (fault.kind) {
    case FaultKind::WrongMode:
        if (call == SurfaceCall::Restore)
            return DDERR_WRONGMODE;
        return DDERR_SURFACELOST;
    case FaultKind::Refused:
        if (call != SurfaceCall::Lock)
            return DD_OK;
        if (fault.locks >= fault.at + 3)
            InterlockedExchange(&FaultActive, 0);
        return fault.locks < fault.at + 3 ? DDERR_GENERIC : DD_OK;
    default:
        return DD_OK;
    }
}
}

HRESULT InjectedSurfaceResult(SurfaceCall call)
{
    // Only the animation thread makes these calls, one thread at a time.
    static SurfaceLoss loss = ReadSurfaceLoss();
    static SurfaceFault fault = ReadSurfaceFault();
    const HRESULT lost = LossResult(loss, call);
    return lost != DD_OK ? lost : FaultResult(fault, call);
}

void JudgeDescription(DDSURFACEDESC& description)
{
    static SurfaceFault fault = ReadSurfaceFault();
    if (fault.kind == FaultKind::Smaller && InterlockedCompareExchange(&FaultActive, 0, 0) != 0)
        description.dwHeight /= 2;
}

bool SetupStepFails(SetupStep step)
{
    if (step == SetupStep::CreateSurface) {
        // The set-up's own creation is the first.
        const LONG made = InterlockedIncrement(&SurfacesMade);
        if (made > 1 && made - 1 <= NumberVariable("VERDO_SURFACE_REMAKE_REFUSALS"))
            return true;
        if (made > 1)
            InterlockedExchange(&FaultActive, 0);
    }
    char chosen[MAX_PATH];
    if (!ReadVariable("VERDO_FAILING_SETUP_STEP", chosen))
        return false;
    for (const NamedStep& named : Steps)
        if (named.step == step)
            return lstrcmpA(named.name, chosen) == 0;
    return false;
}

void AnswerLateInTestBuild(const AnimationControl& control)
{
    // Windows gives an idle-priority thread no time at all while normal
    // threads keep every core busy; Wine's scheduler knows no priorities.
    static const bool starvedAtIdle = NumberVariable("VERDO_THREAD_STARVED_AT_IDLE") != 0;
    while (starvedAtIdle && GetThreadPriority(GetCurrentThread()) == THREAD_PRIORITY_IDLE &&
           (InterlockedCompareExchange(const_cast<volatile LONG*>(&control.stop), 0, 0) != 0 ||
            InterlockedCompareExchange(const_cast<volatile LONG*>(&control.holds), 0, 0) != 0))
        Sleep(5);
    static bool answeredLate = false;
    if (InterlockedCompareExchange(const_cast<volatile LONG*>(&control.stop), 0, 0) == 0) {
        answeredLate = false;
        return;
    }
    if (answeredLate)
        return;
    answeredLate = true;
    const DWORD lateMs = static_cast<DWORD>(NumberVariable("VERDO_THREAD_ANSWERS_LATE_MS"));
    const DWORD start = GetTickCount();
    // Busy in the program's own code, as a pass is.
    volatile unsigned long spin = 0;
    while (GetTickCount() - start < lateMs)
        for (int i = 0; i < 1000000; ++i)
            spin = spin + 1;
}

void NoteInTestBuild(const char* what, unsigned long ms)
{
    char path[MAX_PATH];
    if (!ReadVariable("VERDO_THREAD_LOG", path))
        return;
    HANDLE log = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        return;
    char line[128];
    const int length = std::snprintf(line, sizeof line, "%s %lu\r\n", what, ms);
    DWORD written = 0;
    WriteFile(log, line, static_cast<DWORD>(length), &written, nullptr);
    CloseHandle(log);
}
