// Pieces shared by the fade and the growth pass.
#pragma once
#include <cstddef>
#include <cstdint>

#include "geometry.h"

// A region the passes can pick in: not empty, and its top-left corner at its
// origin (as the program always makes it), so every pick and every clamped
// neighbour lies inside both the region and its width x height mask.
inline bool RegionHasPixels(const DrawRegion& region)
{
    return RegionWidth(region) >= 1 && RegionHeight(region) >= 1 && region.left == region.originX &&
           region.top == region.originY;
}

// Start of the pixel at screen (x, y) in a locked buffer.
inline uint8_t* PixelAt(const PixelBuffer& pixels, int32_t x, int32_t y)
{
    return pixels.base + static_cast<ptrdiff_t>(y) * pixels.pitch +
           static_cast<ptrdiff_t>(x) * static_cast<ptrdiff_t>(pixels.bitCount / 8);
}

// The GrowthMask byte of screen (x, y): rows as long as the region is wide.
inline uint8_t& MaskByteAt(uint8_t* growthMask, const DrawRegion& region, int32_t x, int32_t y)
{
    const int32_t width = RegionWidth(region);
    return growthMask[static_cast<size_t>(y - region.originY) * static_cast<size_t>(width) +
                      static_cast<size_t>(x - region.originX)];
}
