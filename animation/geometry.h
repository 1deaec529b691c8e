// Rectangles and the locked pixel buffer that the passes draw on.
#pragma once
#include <cstdint>

// The screen area the animation runs in. Right and bottom are exclusive;
// the origin is the screen position of the region's top-left corner.
struct DrawRegion {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
    int32_t originX;
    int32_t originY;
};

// Screen rectangle, right and bottom exclusive.
struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// A locked surface: the pixel at screen (x, y) begins at
// base + y * pitch + x * (bitCount / 8).
struct PixelBuffer {
    uint8_t* base;
    int32_t pitch;
    uint32_t bitCount;
};

// Edges may lie anywhere in the 32-bit range: sums and differences of edges
// are taken in 64 bits and held within 32 (a negative size still means no
// pixels).
inline int32_t SaturatedSize(int64_t size)
{
    return size > INT32_MAX ? INT32_MAX : (size < INT32_MIN ? INT32_MIN : static_cast<int32_t>(size));
}
inline int32_t RegionWidth(const DrawRegion& r) { return SaturatedSize(int64_t{r.right} - r.originX); }
inline int32_t RegionHeight(const DrawRegion& r) { return SaturatedSize(int64_t{r.bottom} - r.originY); }

// All four edges tested signed; right and bottom strictly below the screen
// size, so a region ending exactly on the screen's edge counts as off.
inline bool RegionWhollyOnScreen(const DrawRegion& region, int32_t screenWidth, int32_t screenHeight)
{
    return region.left >= 0 && region.top >= 0 && region.right < screenWidth && region.bottom < screenHeight;
}
