// DirectDraw is looked up when needed, so the program still starts (and
// its preview still works) on a system without it.
#pragma once
#include <windows.h>
#include <ddraw.h>

// DirectDrawCreate of the system directory's ddraw.dll for the primary
// display driver; a failure result when the library or the entry is missing.
HRESULT CreateDirectDrawOfSystem(IDirectDraw** directDraw);
