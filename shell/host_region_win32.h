// Where the animation of a preview or of the settings dialog runs.
#pragma once
#include <windows.h>

#include "animation/geometry.h"

// The window's client area in screen coordinates, its origin included.
DrawRegion ClientRegionOf(HWND window);
