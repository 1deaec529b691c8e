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
inline uint8_t* CornerPixelAt(const PixelBuffer& pixels, int32_t x, int32_t y)
{
    return pixels.base + static_cast<ptrdiff_t>(y) * pixels.pitch + static_cast<ptrdiff_t>(x) * Bytes;
}

template <int Bytes>
inline RegionCorner StartCorner(const PixelBuffer& pixels, const DrawRegion& sharedRegion)
{
    const int32_t x = ReadShared(sharedRegion.originX);
    const int32_t y = ReadShared(sharedRegion.originY);
    return RegionCorner{x, y, CornerPixelAt<Bytes>(pixels, x, y)};
}

template <int Bytes>
inline uint8_t* FollowCorner(RegionCorner& corner, const PixelBuffer& pixels, const DrawRegion& sharedRegion)
{
    const int32_t x = ReadShared(sharedRegion.originX);
    const int32_t y = ReadShared(sharedRegion.originY);
    if (((x ^ corner.x) | (y ^ corner.y)) != 0) corner = RegionCorner{x, y, CornerPixelAt<Bytes>(pixels, x, y)};
    return corner.pixel;
}
