// The steps of the DirectDraw set-up that can fail once DirectDraw itself is
// there. A test build of the program (VERDO_SETUP_FAULTS) judges one of them
// failed whatever its call returned, so the real failure path runs after a
// real call; in the shipped program the results pass through untouched.
#pragma once
#include <windows.h>

enum class SetupStep {
    QueryDirectDraw2,      // QueryInterface of the DirectDraw object
    EnumDisplayModes,
    SetCooperativeLevel,   // normal, or exclusive full screen
    SetDisplayMode,
    CreateSurface,         // the primary surface
    QuerySurface3,         // QueryInterface of the primary surface
};

#ifdef VERDO_SETUP_FAULTS
// True for the step the test build was asked to fail.
bool SetupStepFails(SetupStep step);
#else
constexpr bool SetupStepFails(SetupStep)
{
    return false;
}
#endif

// The result the set-up judges a step by.
inline HRESULT JudgedResult(SetupStep step, HRESULT result)
{
    return SetupStepFails(step) ? E_FAIL : result;
}
