// A full-screen run once nobody can see it: with the display off the
// animation rests and takes next to no processor time; on again, or at low
// power, it goes on. Wine sends no console display state, so the monitor is
// powered through the saver window's system command, as a program can ask.
#include <cstdio>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"
#include "harness/process_usage_win32.h"

namespace {

class DisplayPower : public SaverCase {
protected:
    // 2 off, 1 low power, -1 on; the rest comes at the end of the running pass.
    void PowerMonitor(HWND saverWindow, LPARAM state) {
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutA(saverWindow, WM_SYSCOMMAND, SC_MONITORPOWER, state, SMTO_NORMAL, 5000,
                                        &ignored));
        WaitUntil([] { return false; }, 500);
    }
};

TEST_F(DisplayPower, TheAnimationRestsWhileTheDisplayIsOffAndGoesOnWhenItIsSeenAgain) {
    ASSERT_TRUE(Installation().WritePhrases("WWW\r\nVerdo"));
    HWND window = StartFullScreen(Saver());
    ASSERT_NE(nullptr, window);
    ASSERT_TRUE(WaitForStamp(StartTimeoutMs));

    // Ten seconds each way, side by side.
    const double onMs = ProcessorMsOver(Saver().Id(), 10000);
    ASSERT_NO_FATAL_FAILURE(PowerMonitor(window, 2));
    const double offMs = ProcessorMsOver(Saver().Id(), 10000);
    std::printf("processor time in 10 s: %.0f ms with the display on, %.0f ms with it off\n", onMs, offMs);
    EXPECT_GT(onMs, 5000) << "the measure itself: drawing takes most of a core";
    EXPECT_GE(offMs, 0) << "the system does not tell the processor time";
    EXPECT_LT(offMs, 500) << "more than 5 % of a core with the display off";
    EXPECT_FALSE(ScreenChangesWithin(1000)) << "the picture changed with the display off";

    ASSERT_NO_FATAL_FAILURE(PowerMonitor(window, -1));
    EXPECT_TRUE(ScreenChangesWithin(2000)) << "the picture stood still with the display on again";
    EXPECT_TRUE(WaitForStamp(5000)) << "no phrase came with the display on again";
    ASSERT_NO_FATAL_FAILURE(PowerMonitor(window, 1));
    EXPECT_TRUE(ScreenChangesWithin(2000)) << "the picture stood still at low power";

    // Off again, a move ends the run as ever.
    ASSERT_NO_FATAL_FAILURE(PowerMonitor(window, 2));
    ASSERT_FALSE(ScreenChangesWithin(1000));
    ASSERT_TRUE(EndWithMove(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

}  // namespace
