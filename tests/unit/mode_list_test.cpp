#include <gtest/gtest.h>

#include <string>

#include "display/mode_list.h"

namespace {
const DrawRegion FullScreen = {0, 0, 1024, 768, 0, 0};

void ExpectRegion(const DrawRegion& r, int32_t right, int32_t bottom)
{
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(0, r.top);
    EXPECT_EQ(right, r.right);
    EXPECT_EQ(bottom, r.bottom);
    EXPECT_EQ(0, r.originX);
    EXPECT_EQ(0, r.originY);
}
}

// Which modes are kept and which one a saved VideoMode picks is seen with
// Wine's real mode list in the end-to-end suite e2e_modes; here only what it
// cannot reach.
TEST(ModeList, TheCountWrapsAtSixteenBitsAndIsNeverReset)
{
    ModeList list = {65534, 0};
    DrawRegion region = FullScreen;
    EXPECT_EQ(ModeChosen, ConsiderDisplayMode(list, 320, 200, 16, true, 65535, region));
    EXPECT_EQ(65535, list.ListedModeCount);
    // The wrap brings the count to 0, which still means "keep the current mode".
    EXPECT_EQ(ModeCounted, ConsiderDisplayMode(list, 320, 240, 16, true, 0, region));
    EXPECT_EQ(0, list.ListedModeCount);
    EXPECT_EQ(ModeChosen, ConsiderDisplayMode(list, 640, 400, 32, true, 1, region));
    ExpectRegion(region, 640, 400);
    EXPECT_EQ(32, list.ChosenDepth);
}

TEST(ModeList, ModeTextIsWidthHeightAndDepth)
{
    char text[32];
    FormatModeText(text, sizeof text, 800, 600, 16);
    EXPECT_EQ(std::string("800x600x16"), text);
    FormatModeText(text, sizeof text, 1920, 1080, 32);
    EXPECT_EQ(std::string("1920x1080x32"), text);
    char tiny[6];
    FormatModeText(tiny, sizeof tiny, 1920, 1080, 32);
    EXPECT_EQ(std::string("1920x"), tiny);
}
