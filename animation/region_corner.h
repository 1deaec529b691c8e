// Where the region's corner pixel lies, followed while a pass runs. The
// settings dialog moves the region only while the animation thread is
// suspended, which can fall in the middle of a pass; the passes read the
// origin again at every pick, so the picks after the move land in the moved
// region. The address is worked out again only when the origin has changed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "geometry.h"
#include "shared_read.h"

struct RegionCorner {
    int32_t x;
    int32_t y;
    uint8_t* pixel;
};

template <int Bytes>
inline uint8_t* FollowCorner(RegionCorner& corner, const PixelBuffer& pixels, const DrawRegion& sharedRegion)
{
    const int32_t x = ReadShared(sharedRegion.originX);
    const int32_t y = ReadShared(sharedRegion.originY);
    if (x != corner.x || y != corner.y || corner.pixel == nullptr) {
        corner.x = x;
        corner.y = y;
        corner.pixel = pixels.base + static_cast<ptrdiff_t>(y) * pixels.pitch + static_cast<ptrdiff_t>(x) * Bytes;
    }
    return corner.pixel;
}
