// Test build only: the display set-up step named by the environment variable
// VERDO_FAILING_SETUP_STEP fails. The names are those of the enumerators.
//
// VERDO_SURFACE_LOST=Lock:N or GetDC:N loses the primary surface at the Nth
// Lock or the Nth GetDC of the stamp (from 1): that call and every Lock and
// GetDC after it find it lost, until a Restore is let through.
// VERDO_SURFACE_RESTORE_REFUSALS=K refuses the first K Restores, as while the
// screen is still away. The surface is lost once per process.
#include <windows.h>

#include <cstdlib>

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
bool ReadVariable(const char* name, char (&value)[32])
{
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length != 0 && length < sizeof value;
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
    char value[32];
    if (ReadVariable("VERDO_SURFACE_LOST", value)) {
        const bool byDc = CompareStringA(LOCALE_INVARIANT, 0, value, 6, "GetDC:", 6) == CSTR_EQUAL;
        const bool byLock = CompareStringA(LOCALE_INVARIANT, 0, value, 5, "Lock:", 5) == CSTR_EQUAL;
        if (byDc || byLock) {
            loss.call = byDc ? SurfaceCall::GetDC : SurfaceCall::Lock;
            loss.at = std::strtol(value + (byDc ? 6 : 5), nullptr, 10);
        }
    }
    if (ReadVariable("VERDO_SURFACE_RESTORE_REFUSALS", value))
        loss.refusals = std::strtol(value, nullptr, 10);
    return loss;
}
}

bool SurfaceCallFindsLost(SurfaceCall call)
{
    // Only the animation thread makes these calls, one thread at a time.
    static SurfaceLoss loss = ReadSurfaceLoss();
    if (call == SurfaceCall::Restore) {
        if (!loss.lost)
            return false;
        if (loss.refused < loss.refusals) {
            ++loss.refused;
            return true;
        }
        loss.lost = false;
        return false;
    }
    if (call == loss.call && !loss.happened && ++loss.calls == loss.at) {
        loss.lost = true;
        loss.happened = true;
    }
    return loss.lost;
}

bool SetupStepFails(SetupStep step)
{
    char chosen[32];
    if (!ReadVariable("VERDO_FAILING_SETUP_STEP", chosen))
        return false;
    for (const NamedStep& named : Steps)
        if (named.step == step)
            return lstrcmpA(named.name, chosen) == 0;
    return false;
}
