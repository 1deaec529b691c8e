// The implementations of the fade and growth passes that the benchmark times
// side by side. A faster version joins by adding an entry to the list.
#pragma once
#include <cstddef>
#include <cstdint>

#include "animation/geometry.h"
#include "animation/growth_pass.h"
#include "settings/saver_settings.h"

struct PassImplementation {
    const char* name;
    void (*fade)(const PixelBuffer& pixels, const DrawRegion& region, uint8_t* growthMask);
    void (*growth)(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                   const DrawRegion& region, const ScreenRect& stampRect, uint8_t* growthMask);
};

extern const PassImplementation PassImplementations[];
extern const size_t PassImplementationCount;
