// The primary surface lost during a full-screen run: a mode change by another
// program, the secure desktop, a monitor asleep or a driver reset take it
// away. Wine's DirectDraw keeps the surface through all of these, so the test
// build loses it on request (setup_faults): from a Lock of a pass or from the
// stamp's GetDC on, with a number of restores refused meanwhile.
#include <cstdio>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"
#include "harness/process_usage_win32.h"

namespace {

class LostSurface : public SaverCase {
protected:
    // The narrow phrase first, then the wide one: which one stands on the
    // screen shows in the width of its stamp.
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("I\r\nWWWWWW"));
    }
    int StampWidth(const Snapshot& shot) const {
        const RECT stamp = BoundsOf(shot, [&](Rgb c) { return IsStampColour(depth_, c); });
        return stamp.right - stamp.left;
    }
    ScreenDepth depth_ = CurrentScreenDepth();
};

// Lost in the first phrase's growth and back some seconds later: meanwhile
// the picture stands and the process uses next to no processor time; then a
// fresh cycle brings the next phrase, which grows as ever.
TEST_F(LostSurface, TheAnimationRestsWhileItIsAwayAndGoesOnWithTheNextPhrase) {
    InjectedSurfaceLoss loss("Lock:20", 9);   // about 5.5 s of refused restores
    ASSERT_TRUE(loss.Ok()) << "no test build at " << loss.ProgramPath();
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ASSERT_TRUE(WaitForStamp(StartTimeoutMs)) << "the first phrase was never stamped";
    ASSERT_TRUE(WaitForStillScreen(500, 5000)) << "the picture never stood still";

    const double lostMs = ProcessorMsOver(Saver().Id(), 2000);
    EXPECT_GE(lostMs, 0) << "the system does not tell the processor time";
    EXPECT_LT(lostMs, 100) << "processor time in 2 s with the surface lost";
    const auto wide = [&](const Snapshot& s) { return StampWidth(s) > 300; };
    ASSERT_TRUE(WaitForSnapshot(ScreenRect(), wide, 15000).Valid()) << "the next phrase never came";
    const auto grown = [&](const Snapshot& s) { return s.Count([&](Rgb c) { return IsLit(depth_, c); }) > 500; };
    EXPECT_TRUE(WaitForSnapshot(ScreenRect(), grown, 5000).Valid()) << "the next phrase never grew";
    const double drawingMs = ProcessorMsOver(Saver().Id(), 2000);
    std::printf("processor time in 2 s: %.0f ms with the surface lost, %.0f ms drawing\n", lostMs, drawingMs);
    EXPECT_GT(drawingMs, 500) << "the measure itself: drawing takes most of a core";

    EXPECT_EQ(nullptr, FindProcessWindow(Saver().Id(), "#32770")) << "a message box came up";
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

// Lost for good at the second stamp: a move still ends the run at once.
TEST_F(LostSurface, AMoveEndsTheRunWhileTheSurfaceStaysAway) {
    InjectedSurfaceLoss loss("GetDC:2", 1000000);
    ASSERT_TRUE(loss.Ok()) << "no test build at " << loss.ProgramPath();
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ASSERT_TRUE(WaitForStamp(StartTimeoutMs));
    ASSERT_TRUE(WaitForStillScreen(500, 10000)) << "the picture never stood still";
    EXPECT_EQ(0, StampWidth(Snapshot::CaptureScreen())) << "the second phrase was stamped";

    DWORD endedAfterMs = 0;
    ASSERT_TRUE(EndWithMove(Saver(), &endedAfterMs));
    std::printf("ended %lu ms after the move\n", static_cast<unsigned long>(endedAfterMs));
    EXPECT_EQ(0u, Saver().ExitCode());
}

}  // namespace
