// Test build only: the display set-up step named by the environment variable
// VERDO_FAILING_SETUP_STEP fails. The names are those of the enumerators.
#include <windows.h>

#include "display/setup_steps_win32.h"

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
}

bool SetupStepFails(SetupStep step)
{
    char chosen[32];
    const DWORD length = GetEnvironmentVariableA("VERDO_FAILING_SETUP_STEP", chosen, sizeof chosen);
    if (length == 0 || length >= sizeof chosen)
        return false;
    for (const NamedStep& named : Steps)
        if (named.step == step)
            return lstrcmpA(named.name, chosen) == 0;
    return false;
}
