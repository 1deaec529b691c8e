// One fade frame: the picture withers towards black.
#pragma once
#include <cstdint>

#include "geometry.h"

// One random pick per pixel of the region; each picked pixel loses 130 per
// channel and is marked in growthMask (width x height bytes) once black.
// Runs at 16, 24 and 32 bits; other bit counts draw nothing. The size comes
// from `region`; the corner from `movingRegion` when given (the shared region,
// which the dialog may move in the middle of a pass), else from `region`.
void FadePass(const PixelBuffer& pixels, const DrawRegion& region, uint8_t* growthMask,
              const DrawRegion* movingRegion = nullptr);
