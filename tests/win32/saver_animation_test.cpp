// Full-screen runs read back from the screen: the picture goes black, the
// phrase is stamped, grows within the colour limits, and the next phrase
// follows.
#include <algorithm>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"

namespace {

// Very different widths, no final line break: the two simply alternate.
const char NarrowThenWide[] = "I\r\nWWWWWW";

// With RedLimit 0 a red channel can never climb (0 < 0 - 20 is false), so
// every step sends it to the normal variant's reset value 1; the halo gets
// half of that, 0. At 16 bits the 1 goes into the red field as 0.
int GrownRedWithRedLimitZero(const ScreenDepth& depth) { return StoredLevel(depth, 1); }

class FullScreenAnimation : public SaverCase {
protected:
    ScreenDepth depth_ = CurrentScreenDepth();
};

TEST_F(FullScreenAnimation, DesktopGoesBlackThenThePhraseGrowsWithinRedLimitZero) {
    ASSERT_TRUE(Installation().WritePhrases(NarrowThenWide));
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(0, 255, 255, 0)));
    WhiteBackdrop backdrop;
    ASSERT_GT(Snapshot::CaptureScreen().Count([](Rgb c) { return c == Rgb{255, 255, 255}; }), 0u);

    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    // From the first stamp on, the screen holds nothing but the animation.
    bool sawStamp = false;
    size_t mostLit = 0;
    size_t whiteAfterStamp = 0;
    int brightestRed = 0;
    bool sawGrownRed = false;
    const bool grewEnough = WatchScreen(
        20000,
        [&](const Snapshot& shot) {
            if (shot.Count([&](Rgb c) { return IsStampColour(depth_, c); }) > 20) sawStamp = true;
            if (!sawStamp) return;
            whiteAfterStamp += shot.Count([](Rgb c) { return c == Rgb{255, 255, 255}; });
            mostLit = std::max(mostLit, shot.Count([&](Rgb c) { return IsLit(depth_, c); }));
            shot.Count([&](Rgb c) {
                brightestRed = std::max(brightestRed, RedLevel(depth_, c));
                if (IsLit(depth_, c) && RedLevel(depth_, c) == GrownRedWithRedLimitZero(depth_) &&
                    GreenLevel(depth_, c) > 0)
                    sawGrownRed = true;
                return false;
            });
        },
        [&] { return sawStamp && mostLit > 2000 && sawGrownRed; });

    EXPECT_TRUE(grewEnough) << "stamp seen " << sawStamp << ", most lit pixels " << mostLit;
    EXPECT_TRUE(sawStamp) << "no pixel in the stamp colour";
    EXPECT_EQ(0u, whiteAfterStamp) << "the bright desktop was still showing beside the phrase";
    EXPECT_LE(brightestRed, GrownRedWithRedLimitZero(depth_)) << "red grew past RedLimit 0";
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

TEST_F(FullScreenAnimation, ThePhrasesFollowOneAnotherCentred) {
    ASSERT_TRUE(Installation().WritePhrases(NarrowThenWide));
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    ASSERT_NE(nullptr, StartFullScreen(Saver()));

    const RECT screen = ScreenRect();
    const int centreX = screen.right / 2;
    int narrowSeen = 0;
    int wideSeen = 0;
    int offCentre = 0;
    const bool bothSeen = WatchScreen(
        20000,
        [&](const Snapshot& shot) {
            const auto lit = [&](Rgb c) { return IsLit(depth_, c); };
            if (shot.Count(lit) < 300) return;  // nothing grown yet, or faded
            const RECT bounds = BoundsOf(shot, lit);
            const int width = bounds.right - bounds.left;
            const int middle = (bounds.left + bounds.right) / 2;
            if (middle < centreX - 40 || middle > centreX + 40) ++offCentre;
            if (width < 200) ++narrowSeen;
            if (width > 350) ++wideSeen;
        },
        [&] { return narrowSeen >= 2 && wideSeen >= 2; });

    EXPECT_TRUE(bothSeen) << "narrow phrase seen " << narrowSeen << " times, wide phrase " << wideSeen;
    EXPECT_EQ(0, offCentre) << "grown phrases not centred on the screen";
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

TEST_F(FullScreenAnimation, InvertedTheGroundGlowsAroundLettersThatStayDark) {
    ASSERT_TRUE(Installation().WritePhrases("WWW"));
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0, 1)));
    ASSERT_NE(nullptr, StartFullScreen(Saver()));

    const RECT screen = ScreenRect();
    const size_t screenPixels = static_cast<size_t>(screen.right) * screen.bottom;
    size_t mostLit = 0;
    size_t lettersBesideMostLit = 0;
    const bool glowed = WatchScreen(
        20000,
        [&](const Snapshot& shot) {
            const size_t lit = shot.Count([&](Rgb c) { return IsLit(depth_, c); });
            if (lit <= mostLit) return;
            mostLit = lit;
            lettersBesideMostLit = shot.Count([&](Rgb c) { return IsStampColour(depth_, c); });
        },
        [&] { return mostLit > screenPixels / 2 && lettersBesideMostLit > 1000; });

    EXPECT_TRUE(glowed) << "at most " << mostLit << " of " << screenPixels << " pixels lit, with "
                        << lettersBesideMostLit << " letter pixels in the stamp colour";
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

}  // namespace
