#include <gtest/gtest.h>

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

TEST(StampGeometry, NarrowRegionsGiveAnEmptyStamp)
{
    for (int32_t width : {1, 30, 40}) {
        const DrawRegion narrow{10, 5, 10 + width, 105, 10, 5};
        const ScreenRect stamp = ComputeStampRect(narrow, 20);
        EXPECT_EQ(0, stamp.right - stamp.left) << width;
        EXPECT_EQ(45, stamp.top);
        EXPECT_EQ(105, stamp.bottom);
    }
    const DrawRegion wide41{0, 0, 41, 10, 0, 0};
    ExpectRect({20, 3, 21, 10}, ComputeStampRect(wide41, 4));

    const DrawRegion flat{0, 7, 100, 7, 0, 7};
    const ScreenRect stamp = ComputeStampRect(flat, 12);
    EXPECT_EQ(stamp.top, stamp.bottom);
}

}  // namespace
