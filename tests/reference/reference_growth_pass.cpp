#include "reference_passes.h"

#include "animation/pass_common.h"
#include "animation/pixel_format.h"
#include "animation/random.h"
#include "animation/shared_read.h"

namespace {

// What sets the four forms of the pass apart.
struct GrowthForm {
    bool inverted;
    bool sixteenBits;
    Rgb reset;           // where a channel falls back when it reaches its limit
    int32_t rowInset;    // rows of the StampRect left out at its top and bottom
};

GrowthForm FormFor(GrowthVariant variant, uint32_t bitCount)
{
    const bool sixteen = bitCount == 16;
    if (variant == GrowthNormal) return GrowthForm{false, sixteen, Rgb{1, 11, 21}, 0};
    if (sixteen) return GrowthForm{true, true, Rgb{8, 8, 8}, 0};
    return GrowthForm{true, false, Rgb{1, 1, 1}, 20};
}

// The pixels a pick marks instead of stepping: black ones in the normal
// variant, the stamp colour (the letters) in the inverted one.
bool IsMarkedKind(const GrowthForm& form, const uint8_t* pixel)
{
    if (form.sixteenBits) {
        const uint16_t word = ReadWord16(pixel);
        if (!form.inverted) return word == 0;
        // Red field 0, green bits 6-10 zero, blue field 2; bit 5 plays no part.
        return (word & 0xFFDF) == 0x0002;
    }
    if (!form.inverted) return pixel[2] == 0 && pixel[1] == 0 && pixel[0] == 0;
    return pixel[2] == 0 && pixel[1] == 0 && pixel[0] == 16;
}

uint8_t StepChannel(uint8_t value, const uint8_t& sharedLimit, uint8_t reset)
{
    const int32_t limit = ReadShared(sharedLimit);
    if (int32_t{value} < limit - 20) return static_cast<uint8_t>(value + 20);
    return reset;
}

Rgb HalfColour(const Rgb& c)
{
    return Rgb{static_cast<uint8_t>(c.red / 2), static_cast<uint8_t>(c.green / 2),
               static_cast<uint8_t>(c.blue / 2)};
}

Rgb SevenEighths(const Rgb& c)
{
    return Rgb{static_cast<uint8_t>(c.red - c.red / 8), static_cast<uint8_t>(c.green - c.green / 8),
               static_cast<uint8_t>(c.blue - c.blue / 8)};
}

int32_t Clamp(int32_t value, int32_t low, int32_t high)
{
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

// One pick: a centre anywhere in the region, stepped or marked, then its
// neighbour probes.
void GrowthPick(const GrowthForm& form, const PixelBuffer& pixels, const SaverSettings& settings,
                const DrawRegion& sharedRegion, uint8_t* growthMask)
{
    const DrawRegion region = ReadSharedRegion(sharedRegion);
    if (!RegionHasPixels(region)) return;
    const int32_t width = RegionWidth(region);
    const int32_t height = RegionHeight(region);
    // The inverted variant never picks the outer columns, so it needs an inner one.
    if (form.inverted && width < 3) return;

    const int32_t px = form.inverted ? 1 + RandomBelow(width - 2) : RandomBelow(width);
    const int32_t py = RandomBelow(height);
    const int32_t sx = region.originX + px;
    const int32_t sy = region.originY + py;

    uint8_t& centreMark = MaskByteAt(growthMask, region, sx, sy);
    if (centreMark != 0) return;

    uint8_t* centre = PixelAt(pixels, sx, sy);
    if (IsMarkedKind(form, centre)) {
        centreMark = 1;
        return;
    }

    const Rgb old = ReadPixelRgb(centre, pixels.bitCount);
    Rgb grown;
    grown.red = StepChannel(old.red, settings.RedLimit, form.reset.red);
    grown.green = StepChannel(old.green, settings.GreenLimit, form.reset.green);
    grown.blue = StepChannel(old.blue, settings.BlueLimit, form.reset.blue);
    WritePixelRgb(centre, pixels.bitCount, grown);

    // N: the low 8 bits of (W - 1) / 200, inverted (W - 3) / 200.
    const int32_t spread = (width - (form.inverted ? 3 : 1)) / 200;
    const int32_t reach = spread & 0xFF;
    if (reach == 0) return;

    // Probes beyond the region land on its edge rows and columns.
    for (int32_t probe = 0; probe < reach; ++probe) {
        const int32_t ox = RandomBelow(2 * reach + 1) - reach;
        const int32_t oy = RandomBelow(2 * reach + 1) - reach;
        const int32_t nx = Clamp(sx + ox, region.left, region.right - 1);
        const int32_t ny = Clamp(sy + oy, region.top, region.bottom - 1);
        if (MaskByteAt(growthMask, region, nx, ny) == 0) continue;

        if (form.inverted) {
            // Near a letter the ground glows a little darker.
            WritePixelRgb(centre, pixels.bitCount, SevenEighths(grown));
        } else {
            // The halo: a marked pixel beside a growing one takes half its colour.
            WritePixelRgb(PixelAt(pixels, nx, ny), pixels.bitCount, HalfColour(grown));
        }
    }
}

}  // namespace

void ReferenceGrowthPass(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                const DrawRegion& region, const ScreenRect& stampRect, uint8_t* growthMask)
{
    if (!IsDrawableBitCount(pixels.bitCount)) return;
    const GrowthForm form = FormFor(variant, pixels.bitCount);

    // One pick per StampRect pixel of the form's rows; the indices only count.
    const int64_t firstRow = int64_t{stampRect.top} + form.rowInset;
    const int64_t endRow = int64_t{stampRect.bottom} - form.rowInset;
    for (int64_t row = firstRow; row < endRow; ++row) {
        for (int32_t column = stampRect.left; column < stampRect.right; ++column) {
            GrowthPick(form, pixels, settings, region, growthMask);
        }
    }
}
