// The saver on two monitors. These cases run only in the suites that start
// the test program through run_on_two_monitors: TwoMonitors.* with the
// 800x600 monitor right of the 1024x768 primary (e2e_monitors, and
// e2e_monitors_16bit at 16 bits), MonitorLeftOfPrimary.* with it left of the
// primary, at negative coordinates (e2e_monitor_left), MonitorAbovePrimary.*
// above it (e2e_monitor_above) and PortraitMonitor.* a 600x800 one right of
// it (e2e_monitor_portrait).
#include <vector>

#include "harness/full_screen_win32.h"
#include "harness/setup_fault_win32.h"
#include "harness/harness.h"
#include "resources/setup_ids.h"

namespace {

const DWORD QuietMs = 1000;   // an idle saver has handled any input by then

class OnTwoMonitors : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("Verdo"));
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    }

    // The monitors where the suite put them: the primary at (0, 0) and the
    // other one where `second` says.
    void TakeMonitors(RECT second) {
        const std::vector<RECT> monitors = MonitorRects();
        ASSERT_EQ(2u, monitors.size()) << "run through tests/win32/run_on_two_monitors";
        ASSERT_EQ(Describe(RECT{0, 0, 1024, 768}), Describe(monitors[0]));
        ASSERT_EQ(Describe(second), Describe(monitors[1]));
        second_ = monitors[1];
    }
    void TakeMonitors(int left) { TakeMonitors(RECT{left, 0, left + 800, 600}); }

    bool Lit(Rgb p) const { return IsLit(depth_, p); }
    Snapshot WaitUntilLit(const RECT& monitor, unsigned timeoutMs, size_t pixels = 1500) const {
        return WaitForSnapshot(
            monitor, [&](const Snapshot& shot) { return shot.Count([&](Rgb p) { return Lit(p); }) > pixels; },
            timeoutMs);
    }
    bool Changes(const RECT& monitor) const {
        const Snapshot before = Snapshot::Capture(monitor);
        return WaitUntil([&] { return Snapshot::Capture(monitor).CountDifferent(before) > 100; }, 5000);
    }

    bool StandsStill(const RECT& monitor) const {
        const Snapshot before = Snapshot::Capture(monitor);
        Sleep(1000);
        return Snapshot::Capture(monitor).CountDifferent(before) == 0;
    }

    // A phrase grows in the middle of each monitor, in a font a seventh of
    // that monitor's height, and nowhere else; after a display change both
    // go on; with the display off both rest (the monitor is powered through
    // the saver window's system command, as Wine sends no display state);
    // a click on the other monitor ends the run.
    void ExpectAPhraseCentredOnEachMonitor() {
        ASSERT_TRUE(PlaceCursor(CentreOf(second_).x, CentreOf(second_).y));
        HWND saverWindow = StartFullScreen(Saver());
        ASSERT_NE(nullptr, saverWindow);
        for (const RECT& monitor : {ScreenRect(), second_}) {
            SCOPED_TRACE(Describe(monitor));
            const Snapshot shot = WaitUntilLit(monitor, StartTimeoutMs);
            ASSERT_TRUE(shot.Valid()) << "no phrase grows on this monitor";
            const RECT lit = BoundsOf(shot, [&](Rgb p) { return Lit(p); });
            const int width = monitor.right - monitor.left;
            const int height = monitor.bottom - monitor.top;
            EXPECT_NEAR(width / 2, (lit.left + lit.right) / 2, 40) << Describe(lit);
            EXPECT_NEAR(height / 2, (lit.top + lit.bottom) / 2, height / 10) << Describe(lit);
            EXPECT_GE(lit.bottom - lit.top, height / 14) << Describe(lit);
            EXPECT_LE(lit.bottom - lit.top, height / 7 + 2) << Describe(lit);
        }
        const DisplayMode mode = CurrentDisplayMode();
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutA(saverWindow, WM_DISPLAYCHANGE, mode.bits, MAKELPARAM(mode.width, mode.height),
                                        SMTO_NORMAL, 5000, &ignored));
        EXPECT_TRUE(Changes(ScreenRect())) << "the primary stopped after a display change";
        EXPECT_TRUE(Changes(second_)) << "the other monitor stopped after a display change";
        ASSERT_TRUE(SendMessageTimeoutA(saverWindow, WM_SYSCOMMAND, SC_MONITORPOWER, 2, SMTO_NORMAL, 5000, &ignored));
        Sleep(500);   // the rest comes at the end of the running pass
        EXPECT_TRUE(StandsStill(ScreenRect()) && StandsStill(second_)) << "a monitor changed with the display off";
        PressMouseButton(MouseButton::Left);
        ReleaseMouseButton(MouseButton::Left);
        ExpectEndsWithCodeZero();
    }

    bool StillRuns() { return StillRunsAfterInput(Saver()); }
    void ExpectEndsWithCodeZero() {
        ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs)) << "the saver did not end";
        EXPECT_EQ(0u, Saver().ExitCode());
    }
    bool SecondIs(bool (*colour)(Rgb), unsigned timeoutMs) const {
        return WaitForSnapshot(
                   second_,
                   [&](const Snapshot& shot) { return shot.Count(colour) == size_t(shot.Width()) * shot.Height(); },
                   timeoutMs)
            .Valid();
    }

    // Whatever the second monitor showed is covered in black while the
    // phrase grows on the primary; over the cover, movement counts against
    // the one anchor, ending the run once the coordinate sum has changed by
    // 16, not 15; the cover goes with the run.
    void ExpectCoverWorksLikeTheSaverWindow() {
        ColourWindow desktop(second_, RGB(255, 255, 255), false);
        ASSERT_TRUE(SecondIs(IsWhite, 5000));
        HWND saverWindow = StartFullScreen(Saver());
        ASSERT_NE(nullptr, saverWindow);

        EXPECT_TRUE(SecondIs(IsBlackPixel, StartTimeoutMs)) << "the second monitor is not covered in black";
        const ScreenDepth depth = CurrentScreenDepth();
        EXPECT_TRUE(WaitForSnapshot(
                        ScreenRect(),
                        [&](const Snapshot& shot) { return shot.Count([&](Rgb p) { return IsLit(depth, p); }) > 2000; },
                        StartTimeoutMs)
                        .Valid())
            << "no phrase grows on the primary";
        // As when a monitor comes or goes, the display is announced: the
        // covers are laid out anew, still one for the one other monitor.
        const DisplayMode mode = CurrentDisplayMode();
        DWORD_PTR ignored = 0;
        ASSERT_TRUE(SendMessageTimeoutA(saverWindow, WM_DISPLAYCHANGE, mode.bits, MAKELPARAM(mode.width, mode.height),
                                        SMTO_NORMAL, 5000, &ignored));
        const std::vector<HWND> covers = ProcessWindows(Saver().Id(), "Verdo Cover");
        ASSERT_EQ(1u, covers.size());
        RECT area = {};
        GetWindowRect(covers[0], &area);
        EXPECT_EQ(Describe(second_), Describe(area));
        EXPECT_TRUE(GetWindowLongPtrA(covers[0], GWL_EXSTYLE) & WS_EX_TOPMOST);

        // The anchor is taken on the primary, 10 pixels from the border; the
        // move over it keeps x + y, so it is measured in the same coordinates.
        const bool right = second_.left > 0;
        const int border = right ? second_.left : second_.right;
        const POINT anchor = {right ? border - 10 : border + 10, 300};
        const POINT over = {right ? border + 10 : border - 10, right ? 280 : 320};
        ASSERT_TRUE(PlaceCursor(anchor.x, anchor.y));
        ASSERT_TRUE(StillRuns());
        ASSERT_TRUE(MoveMouseTo(over.x, over.y));
        ASSERT_TRUE(StillRuns()) << "a move onto the cover that keeps x + y ended the saver";
        ASSERT_TRUE(MoveMouseTo(over.x + 15, over.y));
        ASSERT_TRUE(StillRuns()) << "a change of 15 in x + y must not end the saver";
        ASSERT_TRUE(MoveMouseTo(over.x + 15, over.y + 1));
        ExpectEndsWithCodeZero();
        EXPECT_TRUE(SecondIs(IsWhite, 5000)) << "the cover outlived the run";
    }

    static bool IsWhite(Rgb p) { return p.red > 240 && p.green > 240 && p.blue > 240; }
    static bool IsBlackPixel(Rgb p) { return p.red == 0 && p.green == 0 && p.blue == 0; }

    RECT second_ = {};
    const ScreenDepth depth_ = CurrentScreenDepth();
};

class TwoMonitors : public OnTwoMonitors {};
class MonitorLeftOfPrimary : public OnTwoMonitors {};
class MonitorAbovePrimary : public OnTwoMonitors {};
class PortraitMonitor : public OnTwoMonitors {};

TEST_F(TwoMonitors, EachMonitorShowsAPhraseCentredInIt) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(1024));
    ExpectAPhraseCentredOnEachMonitor();
}

TEST_F(MonitorLeftOfPrimary, EachMonitorShowsAPhraseCentredInIt) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(-800));
    ExpectAPhraseCentredOnEachMonitor();
}

TEST_F(MonitorAbovePrimary, EachMonitorShowsAPhraseCentredInIt) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(RECT{0, -600, 800, 0}));
    ExpectAPhraseCentredOnEachMonitor();
}

TEST_F(PortraitMonitor, EachMonitorShowsAPhraseCentredInIt) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(RECT{1024, 0, 1624, 800}));
    ExpectAPhraseCentredOnEachMonitor();
}

// "Main monitor only", read from the registry at the start: the other
// monitor is black as before, and its cover takes input like the saver window.
TEST_F(TwoMonitors, MainOnlyLeavesTheOtherMonitorBlackAndItsCoverEndsTheRunByTheSaversRules) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(1024));
    ASSERT_TRUE(SetMonitorsValue(2));
    ExpectCoverWorksLikeTheSaverWindow();
}

TEST_F(MonitorLeftOfPrimary, MainOnlyCoverWorksAtNegativeCoordinates) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(-800));
    ASSERT_TRUE(SetMonitorsValue(2));
    ExpectCoverWorksLikeTheSaverWindow();
}

// Of the phrases "I" and "WWWW", each monitor its own shows one on each
// monitor at a time; the same phrase shows the same on both. Judged by the
// width of what grows, on three pictures taken a while apart, so that a
// picture taken between the two monitors' stamps cannot decide.
TEST_F(TwoMonitors, EachItsOwnPhraseOrTheSameOnBoth) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(1024));
    ASSERT_TRUE(Installation().WritePhrases("I\r\nWWWW"));
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 60)));
    // Both monitors read back one right after the other; an "I" lights a
    // few hundred pixels.
    auto alikeNow = [&] {
        bool wide[2] = {};
        EXPECT_TRUE(WaitUntil(
            [&] {
                int shown = 0;
                for (const RECT& monitor : {ScreenRect(), second_}) {
                    const Snapshot shot = Snapshot::Capture(monitor);
                    const RECT lit = BoundsOf(shot, [&](Rgb p) { return Lit(p); });
                    wide[shown] = lit.right - lit.left > 150;
                    shown += shot.Count([&](Rgb p) { return Lit(p); }) > 200 ? 1 : 0;
                }
                return shown == 2;
            },
            StartTimeoutMs));
        return wide[0] == wide[1];
    };
    for (const DWORD choice : {0u, 1u}) {
        SCOPED_TRACE(choice == 0 ? "each its own" : "the same");
        ASSERT_TRUE(SetMonitorsValue(choice));
        ASSERT_NE(nullptr, StartFullScreen(Saver()));
        int alike = 0;
        for (int picture = 0; picture < 3; ++picture) {
            alike += alikeNow() ? 1 : 0;
            Sleep(700);
        }
        EXPECT_EQ(choice == 1, alike >= 2) << alike << " of 3 pictures showed alike phrases";
        ASSERT_TRUE(EndWithKey(Saver()));
    }
}

// The primary surface lost for good (every restore refused): the primary
// stands still while the other monitor goes on.
TEST_F(TwoMonitors, ALostPrimaryLeavesTheOtherMonitorAnimating) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(1024));
    InjectedSurfaceLoss loss("Lock:40", 1000);
    ASSERT_TRUE(loss.Ok());
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ASSERT_TRUE(WaitUntilLit(second_, StartTimeoutMs).Valid());
    EXPECT_TRUE(WaitUntil(
        [&] {
            const Snapshot primary = Snapshot::Capture(ScreenRect());
            const Snapshot other = Snapshot::Capture(second_);
            Sleep(500);
            return Snapshot::Capture(ScreenRect()).CountDifferent(primary) == 0 &&
                   Snapshot::Capture(second_).CountDifferent(other) > 100;
        },
        8000))
        << "the primary did not stand still while the other monitor went on";
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

// A key ends the run wherever the pointer is; over the cover, as over the
// saver window, no pointer shows, and the right button ends the run on
// pressing and the left one on release only. The pointer rests where it acts from the start, so that no
// report of another position can set the movement anchor.
TEST_F(TwoMonitors, KeysAndButtonsOverTheCoverEndTheRun) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(1024));
    auto startWithPointerAt = [&](POINT place) {
        ASSERT_TRUE(PlaceCursor(place.x, place.y));
        ASSERT_TRUE(Saver().Start("/s"));
        ASSERT_NE(nullptr, WaitForSaverWindow(Saver().Id(), StartTimeoutMs));
        ASSERT_TRUE(WaitUntil([&] { return !ProcessWindows(Saver().Id(), "Verdo Cover").empty(); }, 5000));
        ASSERT_TRUE(StillRuns());
    };
    for (const POINT place : {CentreOf(ScreenRect()), CentreOf(second_)}) {
        SCOPED_TRACE(place.x);
        ASSERT_NO_FATAL_FAILURE(startWithPointerAt(place));
        EXPECT_TRUE(EndWithKey(Saver()));
        EXPECT_EQ(0u, Saver().ExitCode());
    }
    for (const MouseButton button : {MouseButton::Right, MouseButton::Left}) {
        SCOPED_TRACE(button == MouseButton::Right ? "right" : "left");
        ASSERT_NO_FATAL_FAILURE(startWithPointerAt(CentreOf(second_)));
        CURSORINFO cursor = {};
        cursor.cbSize = sizeof cursor;
        ASSERT_TRUE(GetCursorInfo(&cursor));
        EXPECT_TRUE(cursor.hCursor == nullptr || !(cursor.flags & CURSOR_SHOWING)) << "a pointer shows over the cover";
        PressMouseButton(button);
        EXPECT_EQ(button == MouseButton::Left, StillRuns());
        ReleaseMouseButton(button);
        ExpectEndsWithCodeZero();
    }
}

// The dialog opens where the pointer is. On the second monitor its preview
// lies off the primary surface: nothing is drawn until the dialog is moved
// wholly onto the primary screen, and then the preview runs.
TEST_F(TwoMonitors, TheDialogOpenedOnTheOtherMonitorDrawsOnlyOnceMovedOntoThePrimary) {
    ASSERT_NO_FATAL_FAILURE(TakeMonitors(1024));
    GdiRendererForSaver gdiRenderer;
    ASSERT_TRUE(gdiRenderer.Ok());
    ASSERT_TRUE(PlaceCursor(CentreOf(second_).x, CentreOf(second_).y));
    ASSERT_TRUE(Saver().Start("/c"));
    HWND dialog = WaitForProcessWindow(Saver().Id(), "#32770", "Verdo - Settings", StartTimeoutMs);
    ASSERT_NE(nullptr, dialog);
    HWND frame = GetDlgItem(dialog, IDC_PREVIEW_FRAME);
    ASSERT_TRUE(WaitUntil([&] { return FindChildOfClass(frame, "Verdo") != nullptr; }, StartTimeoutMs));
    ASSERT_TRUE(WaitUntil([&] { return SuspensionCount(Saver().Id()) >= 0; }, StartTimeoutMs));
    RECT preview = ClientOnScreen(frame);
    ASSERT_GE(preview.left, second_.left) << "the dialog did not open on the second monitor";

    const Snapshot primaryBefore = Snapshot::Capture(ScreenRect());
    Sleep(QuietMs);
    EXPECT_EQ(0u, Snapshot::Capture(ScreenRect()).CountDifferent(primaryBefore)) << "something drew on the primary";

    RECT window = {};
    GetWindowRect(dialog, &window);
    SetWindowPos(dialog, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    ASSERT_TRUE(WaitUntil([&] { return ClientOnScreen(frame).right < 1024; }, 5000)) << "the dialog did not move";
    preview = ClientOnScreen(frame);
    const Snapshot still = Snapshot::Capture(preview);
    EXPECT_TRUE(WaitUntil([&] { return Snapshot::Capture(preview).CountDifferent(still) > 0; }, 20000))
        << "the preview does not run on the primary";
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_SETUP_CANCEL, BN_CLICKED), 0);
    ExpectEndsWithCodeZero();
}

}  // namespace
