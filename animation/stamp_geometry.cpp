#include "stamp_geometry.h"

ScreenRect MeasureBox(const DrawRegion& region)
{
    return ScreenRect{region.left + 20, region.top, region.right - 20, region.bottom};
}

ScreenRect ComputeStampRect(const DrawRegion& region, int32_t measuredHeight)
{
    const int32_t height = region.bottom - region.top;
    ScreenRect rect = MeasureBox(region);
    // A region narrower than the two margins leaves an empty StampRect.
    if (rect.right < rect.left) rect.right = rect.left;
    if (height <= 0) {
        rect.top = region.top;
        rect.bottom = region.top;
        return rect;
    }
    // A text block taller than the region starts at its top and is cut at its
    // bottom; a negative height counts as none.
    int32_t h = measuredHeight;
    if (h < 0) h = 0;
    if (h > height) h = height;
    rect.top = region.top + (height - h) / 2;
    return rect;
}
