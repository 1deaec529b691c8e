#include "stamp_geometry.h"

#include <cstdint>

namespace {

int64_t Clamped(int64_t value, int64_t low, int64_t high)
{
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

// Region edges may lie anywhere in the 32-bit range (a monitor far out on a
// virtual desktop), so sums and differences of edges are taken in 64 bits.
ScreenRect MeasureBox(const DrawRegion& region)
{
    return ScreenRect{SaturatedSize(int64_t{region.left} + 20), region.top, SaturatedSize(int64_t{region.right} - 20),
                      region.bottom};
}

ScreenRect ComputeStampRect(const DrawRegion& region, int32_t measuredHeight)
{
    const int64_t height = int64_t{region.bottom} - region.top;
    // An empty region gives an empty StampRect at its corner: no picks.
    if (region.right <= region.left || height <= 0) {
        return ScreenRect{region.left, region.top, region.left, region.top};
    }
    // The region less the two margins; one narrower than them leaves an
    // empty StampRect, still inside the region.
    const int64_t left = Clamped(int64_t{region.left} + 20, region.left, region.right);
    const int64_t right = Clamped(int64_t{region.right} - 20, left, region.right);
    // A text block taller than the region starts at its top and is cut at its
    // bottom; a negative height counts as none.
    const int64_t h = Clamped(measuredHeight, 0, height);
    const int64_t top = int64_t{region.top} + (height - h) / 2;
    return ScreenRect{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(right),
                      region.bottom};
}
