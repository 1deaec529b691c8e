// The settings file as a run sees it: too short means defaults, longer means
// its first 8 bytes; running never changes it. Observed through RedLimit:
// at 0 no red ever grows, at the default 127 it does.
#include <algorithm>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"

namespace {

class SettingsFile : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("WWW"));
    }

    struct Growth {
        bool stamped = false;
        size_t mostLit = 0;     // most pixels grown at once after the stamp
        int brightestRed = 0;   // as the program's own level
    };

    // Watches the screen after the stamp until red has grown past what
    // RedLimit 0 allows, or until plenty has grown without that.
    Growth WatchTheGrowth() {
        Growth seen;
        const int ceilingForLimitZero = StoredLevel(depth_, 1);
        WatchScreen(
            15000,
            [&](const Snapshot& shot) {
                if (shot.Count([&](Rgb c) { return IsStampColour(depth_, c); }) > 20) seen.stamped = true;
                if (!seen.stamped) return;
                seen.mostLit = std::max(seen.mostLit, shot.Count([&](Rgb c) {
                    seen.brightestRed = std::max(seen.brightestRed, RedLevel(depth_, c));
                    return IsLit(depth_, c);
                }));
            },
            [&] { return seen.stamped && (seen.brightestRed > ceilingForLimitZero || seen.mostLit > 5000); });
        EXPECT_TRUE(seen.stamped) << "no phrase was stamped";
        return seen;
    }

    // RedLimit 0 was read: the phrase grew, and no red with it.
    void ExpectGrowthWithoutRed() {
        const Growth seen = WatchTheGrowth();
        EXPECT_GT(seen.mostLit, 5000u) << "the phrase did not grow";
        EXPECT_LE(seen.brightestRed, StoredLevel(depth_, 1)) << "red grew: RedLimit was not 0";
    }

    void ExpectUnchanged(const Bytes& original) {
        Bytes now;
        ASSERT_TRUE(Installation().ReadFile("verdo.set", now));
        EXPECT_EQ(original, now);
    }

    ScreenDepth depth_ = CurrentScreenDepth();
};

TEST_F(SettingsFile, SevenBytesCountAsNoFileAndTheDefaultsApply) {
    const Bytes seven = {0, 255, 255, 0, 0, 0, 0};  // RedLimit 0, were it read
    ASSERT_TRUE(Installation().WriteSettings(seven));
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    EXPECT_GT(WatchTheGrowth().brightestRed, StoredLevel(depth_, 1)) << "red did not grow: RedLimit was not 127";
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
    ExpectUnchanged(seven);
}

TEST_F(SettingsFile, NineBytesGiveTheirFirstEight) {
    const Bytes nine = {0, 255, 255, 0, 0, 0, 0, 0, 0x7F};
    ASSERT_TRUE(Installation().WriteSettings(nine));
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ExpectGrowthWithoutRed();
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
    ExpectUnchanged(nine);
}

TEST_F(SettingsFile, EightBytesAreReadAndLeftAsTheyWere) {
    const Bytes eight = SettingsBytes(0, 200, 100, 1, 0, 9, 0);
    ASSERT_TRUE(Installation().WriteSettings(eight));
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ExpectGrowthWithoutRed();
    ASSERT_TRUE(EndWithKey(Saver()));
    ExpectUnchanged(eight);
}

// Read-only files (deployed by an administrator, restored from a backup) are
// read as any others: the phrase shows and RedLimit 0 holds.
TEST_F(SettingsFile, ReadOnlyFilesAreReadAsAnyOthers) {
    const Bytes eight = SettingsBytes(0, 200, 100, 1, 0, 9, 0);
    ASSERT_TRUE(Installation().WriteSettings(eight));
    std::string why;
    for (const char* file : {"verdo.ini", "verdo.set"})
        if (!Installation().MakeReadOnly(file, why))
            GTEST_SKIP() << file << " cannot be made read-only: " << why;
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ExpectGrowthWithoutRed();
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
    ExpectUnchanged(eight);
}

}  // namespace
