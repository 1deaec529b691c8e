// Full-screen runs with a saved VideoMode, inside Wine's virtual desktop
// (suite e2e_modes, tests/win32/run_in_virtual_desktop): there DirectDraw
// lists many sizes, and a change of mode really resizes the desktop and is
// announced to every top-level window. On a bare X screen Wine lists one size
// and changes nothing, so these cases run in that suite only.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"
#include "harness/process_usage_win32.h"

namespace {

class VideoModeSwitch : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("WWW"));
        ASSERT_TRUE(watch_.Ok());
        before_ = CurrentDisplayMode();
        modes_ = VideoModeList();
        // Without another mode to go to, no case here could tell a change.
        ASSERT_NE(0, LastModeUnlikeTheCurrent())
            << "DirectDraw lists no mode of 16 to 32 bits unlike " << Describe(before_) << " in size and depth: "
            << ::testing::PrintToString(modes_) << "; these cases need Wine's virtual desktop";
    }

    // Number (from 1) of the last listed mode that differs from the current
    // one in width, height and depth, so that a wrong count, size or depth
    // each shows; 0 when there is none.
    int LastModeUnlikeTheCurrent() const {
        for (size_t i = modes_.size(); i > 0; --i) {
            const DisplayMode& mode = modes_[i - 1];
            if (mode.width != before_.width && mode.height != before_.height && mode.bits != before_.bits)
                return static_cast<int>(i);
        }
        return 0;
    }

    // The saver covers the screen of `mode` and draws there: its window has
    // that size, and the phrase grows centred on a screen read back at it.
    static void ExpectDrawingAt(const DisplayMode& mode, HWND window) {
        RECT area = {};
        GetWindowRect(window, &area);
        EXPECT_EQ(0, area.left);
        EXPECT_EQ(0, area.top);
        EXPECT_EQ(mode.width, area.right) << "saver window";
        EXPECT_EQ(mode.height, area.bottom) << "saver window";
        const RECT screen = ScreenRect();
        EXPECT_EQ(mode.width, screen.right) << "screen";
        EXPECT_EQ(mode.height, screen.bottom) << "screen";

        // Pixels are classified by the depth the saver writes, whatever the
        // desktop shows them in. The picture from before a change may still
        // stand for a moment: the grown phrase is waited for where it belongs.
        const ScreenDepth depth{mode.bits == 16};
        const auto lit = [&](Rgb c) { return IsLit(depth, c); };
        POINT middle = {-1, -1};
        const Snapshot grown = WaitForSnapshot(
            screen,
            [&](const Snapshot& shot) {
                if (shot.Count(lit) <= 500) return false;
                const RECT bounds = BoundsOf(shot, [&](Rgb c) { return !IsBlack(depth, c); });
                middle = POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
                return std::abs(mode.width / 2 - middle.x) <= 40 && std::abs(mode.height / 2 - middle.y) <= 40;
            },
            15000);
        EXPECT_TRUE(grown.Valid()) << "no phrase grew centred on " << Describe(mode) << "; the last grown one stood around ("
                                   << middle.x << ", " << middle.y << ")";
    }

    // VideoMode 0 and numbers past the list keep the current mode: the run
    // draws over the current screen and no change of mode is announced at all.
    void ExpectRunWithoutModeChange(uint16_t videoMode) {
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0, 0, 0, videoMode)));
        HWND window = StartFullScreen(Saver());
        ASSERT_NE(nullptr, window);
        ExpectDrawingAt(before_, window);
        EXPECT_EQ(nullptr, FindProcessWindow(Saver().Id(), "#32770")) << "a message box came up";
        ASSERT_TRUE(EndWithKey(Saver()));
        EXPECT_EQ(0u, Saver().ExitCode());
        EXPECT_FALSE(WaitUntil([&] { return !watch_.Changes().empty(); }, 1000));
        EXPECT_EQ(std::vector<DisplayMode>{}, watch_.Changes());
        EXPECT_EQ(before_, CurrentDisplayMode());
    }

    DisplayChangeWatch watch_;
    DisplayMode before_;
    std::vector<DisplayMode> modes_;
};

TEST_F(VideoModeSwitch, VideoModeNRunsInTheNthModeOf16To32BitsAndPutsTheModeBackOnce) {
    const int n = LastModeUnlikeTheCurrent();
    const DisplayMode chosen = modes_[n - 1];
    std::printf("current mode %s, VideoMode %d of %d is %s\n", Describe(before_).c_str(), n,
                static_cast<int>(modes_.size()), Describe(chosen).c_str());
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0, 0, 0, static_cast<uint16_t>(n))));

    HWND window = StartFullScreen(Saver());
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitUntil([&] { return !watch_.Changes().empty(); }, 5000)) << "the mode never changed";
    // The depth shows here only: Wine gives the new depth to the process
    // that set it and keeps the desktop's own for every other.
    EXPECT_EQ(chosen, watch_.Changes().front());
    ExpectDrawingAt(chosen, window);
    EXPECT_EQ(1u, watch_.Changes().size()) << "while running: " << ::testing::PrintToString(watch_.Changes());

    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
    // One change back to the mode of before, and none after it, even once
    // the saver is gone.
    WaitUntil([&] { return watch_.Changes().size() >= 2; }, 5000);
    EXPECT_FALSE(WaitUntil([&] { return watch_.Changes().size() > 2; }, 1000));
    EXPECT_EQ((std::vector<DisplayMode>{chosen, before_}), watch_.Changes());
    EXPECT_EQ(before_, CurrentDisplayMode()) << "the display mode was not restored";
}

TEST_F(VideoModeSwitch, VideoModeZeroKeepsTheCurrentMode) { ExpectRunWithoutModeChange(0); }

// Just past the end of the list. Wine lists its 8-bit modes after the others,
// so a count that took them in would land on one here.
TEST_F(VideoModeSwitch, AVideoModePastTheListKeepsTheCurrentMode) {
    ExpectRunWithoutModeChange(static_cast<uint16_t>(modes_.size() + 1));
}

// Another program changes the display mode while the saver runs at the
// current one: the saver window, the region and the font follow, and the
// phrase grows centred on the new screen, as at a start there.
TEST_F(VideoModeSwitch, AModeChangedByAnotherProgramIsFollowed) {
    const DisplayMode other = modes_[LastModeUnlikeTheCurrent() - 1];
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    HWND window = StartFullScreen(Saver());
    ASSERT_NE(nullptr, window);
    const ScreenDepth depth{before_.bits == 16};
    ASSERT_TRUE(WaitForSnapshot(
                    ScreenRect(), [&](const Snapshot& s) { return s.Count([&](Rgb c) { return IsStampColour(depth, c); }) > 20; },
                    StartTimeoutMs)
                    .Valid())
        << "no phrase before the change";

    ASSERT_TRUE(ChangeDisplayModeTo(other));
    ASSERT_TRUE(WaitUntil([&] {
        RECT area = {};
        GetWindowRect(window, &area);
        return area.right == other.width && area.bottom == other.height;
    }, 5000)) << "the saver window kept its size";
    ExpectDrawingAt(other, window);
    EXPECT_EQ(nullptr, FindProcessWindow(Saver().Id(), "#32770")) << "a message box came up";
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

// Every core busy at normal priority, where an idle-priority thread gets no
// time unless asked: the new start for another program's mode change and
// the way out both stop the thread between passes, each within its bound
// (a stop past it is written down otherwise), and the run follows the
// change. The test build writes down every stop.
TEST_F(VideoModeSwitch, UnderLoadTheThreadIsStoppedOnlyBetweenPasses) {
    const DisplayMode other = modes_[LastModeUnlikeTheCurrent() - 1];
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    ThreadLog log;
    // Wine's scheduler gives idle threads time all the same: the test build
    // lets the thread answer only once it runs above idle priority.
    InjectedFaults faults({{"VERDO_THREAD_LOG", log.Path()}, {"VERDO_THREAD_STARVED_AT_IDLE", "1"}});
    ASSERT_TRUE(faults.Ok()) << "no test build at " << faults.ProgramPath();
    HWND window = StartFullScreen(Saver());
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitForStamp(StartTimeoutMs));
    BusyCores load;

    ASSERT_TRUE(ChangeDisplayModeTo(other));
    ExpectDrawingAt(other, window);
    ASSERT_TRUE(EndWithKey(Saver()));
    std::printf("under load, how the thread stopped (ms):\n%s", log.Text().c_str());
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_EQ((std::vector<std::string>{"stopped", "surface made anew", "stopped"}), log.Events()) << log.Text();
}

}  // namespace
