// The calls through which the animation thread finds the primary surface
// lost. Wine's DirectDraw seldom loses a surface, so a test build of the
// program (VERDO_SETUP_FAULTS) can have them find it lost on request; in the
// shipped program nothing is ever judged lost that DirectDraw did not say so.
#pragma once
#include <windows.h>

enum class SurfaceCall {
    Lock,      // of the whole surface, for a pass
    GetDC,     // for the stamp
    Restore,   // after a loss
};

#ifdef VERDO_SETUP_FAULTS
// True when this call is to find the surface lost; it is then not made. A
// Restore judged so is refused, as while the screen is still away.
bool SurfaceCallFindsLost(SurfaceCall call);
#else
constexpr bool SurfaceCallFindsLost(SurfaceCall)
{
    return false;
}
#endif
