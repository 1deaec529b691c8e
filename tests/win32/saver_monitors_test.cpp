// The saver on two monitors. These cases run only in the suites that start
// the test program through run_on_two_monitors: TwoMonitors.* with the
// 800x600 monitor right of the 1024x768 primary (e2e_monitors, and
// e2e_monitors_16bit at 16 bits), MonitorLeftOfPrimary.* with it left of the
// primary, at negative coordinates (e2e_monitor_left).
#include <vector>

#include "harness/harness.h"

namespace {

class TwoMonitors : public SaverCase {};
class MonitorLeftOfPrimary : public SaverCase {};

bool IsBlue(Rgb pixel) { return pixel.blue > 200 && pixel.red < 50 && pixel.green < 50; }

// What every case here stands on: the two monitors where the suite put them,
// and the screen read back on the second as on the primary.
void ExpectSecondMonitorAt(int left) {
    const std::vector<RECT> monitors = MonitorRects();
    ASSERT_EQ(2u, monitors.size()) << "run through tests/win32/run_on_two_monitors";
    EXPECT_EQ(Describe(RECT{0, 0, 1024, 768}), Describe(monitors[0]));
    EXPECT_EQ(Describe(RECT{left, 0, left + 800, 600}), Describe(monitors[1]));
    EXPECT_EQ(Describe(RECT{left < 0 ? left : 0, 0, left < 0 ? 1024 : left + 800, 768}),
              Describe(VirtualScreenRect()));

    ColourWindow blue(monitors[1], RGB(0, 0, 255));
    ASSERT_NE(nullptr, blue.Handle());
    const Snapshot second = WaitForSnapshot(
        monitors[1], [](const Snapshot& shot) { return shot.Count(IsBlue) == size_t(shot.Width()) * shot.Height(); },
        5000);
    EXPECT_TRUE(second.Valid()) << "the window on the second monitor was not read back all blue";
    EXPECT_EQ(0u, Snapshot::Capture(monitors[0]).Count(IsBlue)) << "the second monitor's window shows on the primary";
}

TEST_F(TwoMonitors, TheSecondIsRightOfThePrimaryAndReadsBack) { ExpectSecondMonitorAt(1024); }

TEST_F(MonitorLeftOfPrimary, TheSecondIsLeftOfThePrimaryAndReadsBack) { ExpectSecondMonitorAt(-800); }

}  // namespace
