// One growth frame: stamped pixels (or, inverted, the ground around them) brighten.
#pragma once
#include <cstdint>

#include "../settings/saver_settings.h"
#include "geometry.h"

enum GrowthVariant { GrowthNormal, GrowthInverted };

inline GrowthVariant VariantFromInvert(uint8_t invert) { return invert ? GrowthInverted : GrowthNormal; }

// One random pick per pixel of stampRect (inverted 24/32 bits: 20 rows fewer at
// each end), each anywhere in the region. Colour limits are read at every step.
// The size comes from `region`; the corner from `movingRegion` when given (the
// shared region, which the dialog may move mid-pass), else from `region`.
void GrowthPass(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                const DrawRegion& region, const ScreenRect& stampRect, uint8_t* growthMask,
                const DrawRegion* movingRegion = nullptr);
