// The straightforward fade and growth passes, one pick at a time exactly as
// the effect is described. The fast passes must give the same picture, mask
// and generator state; tests and the benchmark compare against these.
#pragma once
#include <cstdint>

#include "animation/geometry.h"
#include "animation/growth_pass.h"
#include "settings/saver_settings.h"

void ReferenceFadePass(const PixelBuffer& pixels, const DrawRegion& region, uint8_t* growthMask);

void ReferenceGrowthPass(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                         const DrawRegion& region, const ScreenRect& stampRect, uint8_t* growthMask);
