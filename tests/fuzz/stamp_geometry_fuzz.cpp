// The stamp geometry over the whole 32-bit range of edges and heights: sizes
// and the measure box are the 64-bit results held within 32 bits, and the
// StampRect lies within the region (empty for an empty region), is the region
// less 20 pixels a side when that leaves columns, and centres the text.
//
// Input: left, top, right, bottom, originX, originY, measured height (4 bytes each).
#include "animation/stamp_geometry.h"
#include "fuzz_input.h"

namespace {

int64_t HeldIn32(int64_t value)
{
    return value > INT32_MAX ? INT32_MAX : (value < INT32_MIN ? INT32_MIN : value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    DrawRegion region{};
    region.left = input.Int32();
    region.top = input.Int32();
    region.right = input.Int32();
    region.bottom = input.Int32();
    region.originX = input.Int32();
    region.originY = input.Int32();
    const int32_t measured = input.Int32();

    FUZZ_CHECK(RegionWidth(region) == HeldIn32(int64_t{region.right} - region.originX), "RegionWidth");
    FUZZ_CHECK(RegionHeight(region) == HeldIn32(int64_t{region.bottom} - region.originY), "RegionHeight");

    const ScreenRect box = MeasureBox(region);
    FUZZ_CHECK(box.left == HeldIn32(int64_t{region.left} + 20) && box.right == HeldIn32(int64_t{region.right} - 20) &&
                   box.top == region.top && box.bottom == region.bottom,
               "MeasureBox");

    const ScreenRect stamp = ComputeStampRect(region, measured);
    const int64_t width = int64_t{region.right} - region.left;
    const int64_t height = int64_t{region.bottom} - region.top;
    if (width <= 0 || height <= 0) {
        FUZZ_CHECK(stamp.left == stamp.right && stamp.top == stamp.bottom, "an empty region gives an empty StampRect");
        return 0;
    }
    FUZZ_CHECK(region.left <= stamp.left && stamp.left <= stamp.right && stamp.right <= region.right,
               "StampRect columns outside the region");
    FUZZ_CHECK(region.top <= stamp.top && stamp.top <= stamp.bottom && stamp.bottom == region.bottom,
               "StampRect rows outside the region");
    if (width > 40) {
        FUZZ_CHECK(stamp.left == region.left + 20 && stamp.right == region.right - 20, "margins of 20 pixels");
    } else {
        FUZZ_CHECK(stamp.left == stamp.right, "a narrow region gives no columns");
    }
    const int64_t textHeight = measured < 0 ? 0 : (measured > height ? height : measured);
    FUZZ_CHECK(stamp.top - int64_t{region.top} == (height - textHeight) / 2, "text centred vertically");
    return 0;
}
