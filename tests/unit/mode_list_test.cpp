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

TEST(ModeList, OnlySixteenTwentyFourAndThirtyTwoBitModesAreCounted)
{
    EXPECT_FALSE(IsDrawableDepth(8));
    EXPECT_FALSE(IsDrawableDepth(15));
    EXPECT_TRUE(IsDrawableDepth(16));
    EXPECT_TRUE(IsDrawableDepth(24));
    EXPECT_TRUE(IsDrawableDepth(32));

    ModeList list = {0, 0};
    DrawRegion region = FullScreen;
    EXPECT_EQ(ModeSkipped, ConsiderDisplayMode(list, 640, 480, 8, false, 0, region));
    EXPECT_EQ(ModeSkipped, ConsiderDisplayMode(list, 640, 480, 4, false, 0, region));
    EXPECT_EQ(0, list.ListedModeCount);
    EXPECT_EQ(ModeListed, ConsiderDisplayMode(list, 640, 480, 16, false, 0, region));
    EXPECT_EQ(ModeListed, ConsiderDisplayMode(list, 640, 480, 32, false, 2, region));
    EXPECT_EQ(2, list.ListedModeCount);
    ExpectRegion(region, 1024, 768);   // listing never touches the region
}

TEST(ModeList, TheSavedModeIsChosenAmongTheKeptModesOnly)
{
    ModeList list = {0, 0};
    DrawRegion region = FullScreen;
    // VideoMode 2: the 8-bit mode in between does not count.
    EXPECT_EQ(ModeCounted, ConsiderDisplayMode(list, 640, 480, 16, true, 2, region));
    EXPECT_EQ(ModeSkipped, ConsiderDisplayMode(list, 800, 600, 8, true, 2, region));
    ExpectRegion(region, 1024, 768);
    EXPECT_EQ(ModeChosen, ConsiderDisplayMode(list, 800, 600, 24, true, 2, region));
    ExpectRegion(region, 800, 600);
    EXPECT_EQ(24, list.ChosenDepth);
}

TEST(ModeList, VideoModeZeroOrBeyondTheListKeepsTheFullScreen)
{
    ModeList list = {0, 0};
    DrawRegion region = FullScreen;
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ModeCounted, ConsiderDisplayMode(list, 640, 480, 32, true, 0, region));
    ModeList shortList = {0, 0};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(ModeCounted, ConsiderDisplayMode(shortList, 640, 480, 32, true, 9, region));
    ExpectRegion(region, 1024, 768);
    EXPECT_EQ(0, list.ChosenDepth);
    EXPECT_EQ(0, shortList.ChosenDepth);
}

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
