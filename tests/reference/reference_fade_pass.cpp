#include "reference_passes.h"

#include "animation/pass_common.h"
#include "animation/pixel_format.h"
#include "animation/random.h"
#include "animation/shared_read.h"

namespace {

uint8_t FadeChannel(uint8_t value)
{
    return value >= 130 ? static_cast<uint8_t>(value - 130) : 0;
}

// A 16-bit pixel: all three channels fade, the word is always written back.
bool FadePixel16(uint8_t* pixel)
{
    const Rgb colour = UnpackWord565(ReadWord16(pixel));
    const Rgb faded{FadeChannel(colour.red), FadeChannel(colour.green), FadeChannel(colour.blue)};
    const uint16_t word = PackWord565(faded);
    WriteWord16(pixel, word);
    return word == 0;
}

// A 24- or 32-bit pixel: red, green, blue bytes; a zero byte is not written.
bool FadePixel24(uint8_t* pixel)
{
    const int channelOrder[3] = {2, 1, 0};
    for (int channel : channelOrder) {
        if (pixel[channel] != 0) pixel[channel] = FadeChannel(pixel[channel]);
    }
    return pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
}

}  // namespace

void ReferenceFadePass(const PixelBuffer& pixels, const DrawRegion& sharedRegion, uint8_t* growthMask)
{
    if (!IsDrawableBitCount(pixels.bitCount)) return;

    // One pick per pixel of the region; the indices only count the picks.
    for (int32_t row = ReadShared(sharedRegion.top); row < ReadShared(sharedRegion.bottom); ++row) {
        for (int32_t column = ReadShared(sharedRegion.left); column < ReadShared(sharedRegion.right);
             ++column) {
            const DrawRegion region = ReadSharedRegion(sharedRegion);
            if (!RegionHasPixels(region)) continue;
            const int32_t width = RegionWidth(region);
            const int32_t height = RegionHeight(region);

            const int32_t px = RandomBelow(width);
            const int32_t py = RandomBelow(height);
            const int32_t sx = region.originX + px;
            const int32_t sy = region.originY + py;

            uint8_t& mark = MaskByteAt(growthMask, region, sx, sy);
            if (mark != 0) continue;

            uint8_t* pixel = PixelAt(pixels, sx, sy);
            const bool black = pixels.bitCount == 16 ? FadePixel16(pixel) : FadePixel24(pixel);
            if (black) mark = 1;
        }
    }
}
