#include <gtest/gtest.h>

#include <cstdint>

#include "animation/stamp_geometry.h"

namespace {

void ExpectRect(const ScreenRect& expected, const ScreenRect& actual)
{
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

TEST(StampGeometry, CentredTextReachesTheRegionBottom)
{
    const DrawRegion screen{0, 0, 800, 600, 0, 0};
    ExpectRect({20, 0, 780, 600}, MeasureBox(screen));
    ExpectRect({20, 257, 780, 600}, ComputeStampRect(screen, 86));
    ExpectRect({20, 0, 780, 600}, ComputeStampRect(screen, 600));
    ExpectRect({20, 300, 780, 600}, ComputeStampRect(screen, 0));
    ExpectRect({20, 299, 780, 600}, ComputeStampRect(screen, 1));   // 599 / 2 rounds down

    // A preview region somewhere on the screen.
    const DrawRegion preview{300, 200, 452, 312, 300, 200};
    ExpectRect({320, 200, 432, 312}, MeasureBox(preview));
    ExpectRect({320, 251, 432, 312}, ComputeStampRect(preview, 10));
}

TEST(StampGeometry, TallTextStaysWithinTheRegion)
{
    const DrawRegion screen{0, 0, 800, 600, 0, 0};
    ExpectRect({20, 0, 780, 600}, ComputeStampRect(screen, 601));
    ExpectRect({20, 0, 780, 600}, ComputeStampRect(screen, 100000));
    ExpectRect({20, 300, 780, 600}, ComputeStampRect(screen, -40));
}

// Narrow regions, here and at the ends of the 32-bit range, give an empty
// StampRect inside the region; the edges' sums never wrap around.
TEST(StampGeometry, NarrowRegionsGiveAnEmptyStampInsideThem)
{
    const int32_t far = INT32_MAX - 5;
    const DrawRegion narrow[] = {{10, 5, 11, 105, 10, 5}, {10, 5, 40, 105, 10, 5}, {10, 5, 50, 105, 10, 5},
                                 {far, 5, INT32_MAX, 105, far, 5}, {INT32_MIN, 5, INT32_MIN + 5, 105, INT32_MIN, 5}};
    for (const DrawRegion& region : narrow) {
        const ScreenRect stamp = ComputeStampRect(region, 20);
        EXPECT_EQ(stamp.left, stamp.right) << region.left;
        EXPECT_LE(region.left, stamp.left) << region.left;
        EXPECT_LE(stamp.right, region.right) << region.left;
        EXPECT_EQ(45, stamp.top);
        EXPECT_EQ(105, stamp.bottom);
    }
    const DrawRegion wide41{0, 0, 41, 10, 0, 0};
    ExpectRect({20, 3, 21, 10}, ComputeStampRect(wide41, 4));

    const DrawRegion flat{0, 7, 100, 7, 0, 7};
    const ScreenRect stamp = ComputeStampRect(flat, 12);
    EXPECT_EQ(stamp.top, stamp.bottom);

    // The whole range: 2^32 - 1 pixels each way, held at INT32_MAX.
    const DrawRegion all{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    EXPECT_EQ(INT32_MAX, RegionWidth(all));
    EXPECT_EQ(INT32_MAX, RegionHeight(all));
    ExpectRect({INT32_MIN + 20, -1, INT32_MAX - 20, INT32_MAX}, ComputeStampRect(all, 1));
    ExpectRect({INT32_MIN + 20, INT32_MIN, INT32_MAX - 20, INT32_MAX}, MeasureBox(all));
}

}  // namespace
