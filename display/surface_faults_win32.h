// The calls through which the animation thread finds the primary surface
// lost, refused or changed. Wine's DirectDraw seldom does any of it, so a test
// build of the program (VERDO_SETUP_FAULTS) can have these calls answer so on
// request; in the shipped program every call is made and its answer taken.
#pragma once
#include <windows.h>
#include <ddraw.h>

enum class SurfaceCall {
    Lock,      // of the whole surface, for a pass
    GetDC,     // for the stamp
    Restore,   // after a loss
};

#ifdef VERDO_SETUP_FAULTS
// DD_OK: the call is made. Anything else: it is not, and this is its answer.
HRESULT InjectedSurfaceResult(SurfaceCall call);
// A description as the test build would have the surface seem.
void JudgeDescription(DDSURFACEDESC& description);
#else
constexpr HRESULT InjectedSurfaceResult(SurfaceCall)
{
    return DD_OK;
}
inline void JudgeDescription(DDSURFACEDESC&) {}
#endif
