#include "mode_list.h"

#include <cstdio>

bool IsDrawableDepth(uint32_t bitsPerPixel)
{
    return bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

ModeVerdict ConsiderDisplayMode(ModeList& list, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                                bool saverLetter, uint16_t videoMode, DrawRegion& region)
{
    if (!IsDrawableDepth(bitsPerPixel))
        return ModeSkipped;
    list.ListedModeCount = static_cast<uint16_t>(list.ListedModeCount + 1);
    if (!saverLetter)
        return ModeListed;
    // After 65536 kept modes the count passes 0 again; 0 still means "current".
    if (videoMode == 0 || list.ListedModeCount != videoMode)
        return ModeCounted;
    region.left = 0;
    region.top = 0;
    region.right = static_cast<int32_t>(width);
    region.bottom = static_cast<int32_t>(height);
    region.originX = 0;
    region.originY = 0;
    list.ChosenDepth = static_cast<uint16_t>(bitsPerPixel);
    return ModeChosen;
}

void FormatModeText(char* out, size_t capacity, uint32_t width, uint32_t height, uint32_t bitsPerPixel)
{
    std::snprintf(out, capacity, "%dx%dx%d", static_cast<int>(width), static_cast<int>(height),
                  static_cast<int>(bitsPerPixel));
}
