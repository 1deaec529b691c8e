// Ending a full-screen run: pointer movement measured against the first
// position reported, keys, and the mouse buttons.
#include "harness/full_screen_win32.h"
#include "harness/harness.h"

namespace {

class EndingTheSaver : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("Verdo"));
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    }

    void Start(int parkX = 0, int parkY = 0) {
        window_ = StartFullScreen(Saver());
        ASSERT_NE(nullptr, window_);
        if (parkX || parkY) {
            ASSERT_TRUE(PlaceCursor(parkX, parkY));
        }
    }

    bool StillRuns() { return StillRunsAfterInput(Saver()); }

    void ExpectEndsWithCodeZero() {
        ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs)) << "the saver did not end";
        EXPECT_EQ(0u, Saver().ExitCode());
    }

    // A movement report straight into the queue, in client (= screen)
    // coordinates: in order and never merged with another one.
    void PostMove(int x, int y) { PostMessageA(window_, WM_MOUSEMOVE, 0, MAKELPARAM(x, y)); }

    HWND window_ = nullptr;
};

// Being deactivated does not end the saver; the system's close does.
TEST_F(EndingTheSaver, TheSaverWindowCoversTheScreenOnTopUntilClosed) {
    Start();
    RECT area = {};
    GetWindowRect(window_, &area);
    const RECT screen = ScreenRect();
    EXPECT_TRUE(EqualRect(&area, &screen));
    EXPECT_TRUE(GetWindowLongPtrA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(GetWindowLongPtrA(window_, GWL_STYLE) & WS_POPUP);
    EXPECT_EQ("Verdo", TextOf(window_));
    EXPECT_TRUE(StillRuns()) << "nothing but input ends the saver";

    ASSERT_TRUE(BringToForeground(window_));
    PreviewHost other;   // any window of another program
    ASSERT_TRUE(BringToForeground(other.Handle()));
    EXPECT_NE(window_, GetForegroundWindow());
    EXPECT_TRUE(StillRuns()) << "losing the activation ended the saver";

    PostMessageA(window_, WM_CLOSE, 0, 0);
    ExpectEndsWithCodeZero();
}

TEST_F(EndingTheSaver, LettersCountInEitherCaseAnywhereInTheText) {
    window_ = StartFullScreen(Saver(), "-S:1");
    ASSERT_NE(nullptr, window_);
    EXPECT_EQ(nullptr, FindProcessWindow(Saver().Id(), "#32770")) << "no dialog in Saver mode";
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

// No pointer shows over the saver while it runs.
TEST_F(EndingTheSaver, RealMovementEndsItOnceTheCoordinateSumHasChangedBy16AndNoPointerShows) {
    Start();  // the pointer rests at (0, 0): its reports leave the anchor unset
    ASSERT_TRUE(StillRuns());
    ASSERT_TRUE(MoveMouseTo(300, 300));  // the first report away from (0, 0) sets the anchor
    ASSERT_TRUE(StillRuns()) << "a pointer leaving (0, 0) must only set the anchor";
    ASSERT_TRUE(MoveMouseTo(315, 300));
    ASSERT_TRUE(StillRuns()) << "a change of 15 in x + y must not end the saver";
    CURSORINFO cursor = {};
    cursor.cbSize = sizeof cursor;
    ASSERT_TRUE(GetCursorInfo(&cursor));
    EXPECT_TRUE(cursor.hCursor == nullptr || !(cursor.flags & CURSOR_SHOWING))
        << "a pointer shows over the saver";
    ASSERT_TRUE(MoveMouseTo(316, 300));
    ExpectEndsWithCodeZero();
}

TEST_F(EndingTheSaver, MovesThatKeepTheSumWithin15OfTheAnchorDoNotEndIt) {
    Start(100, 100);  // any report of the resting pointer agrees with the anchor below
    PostMove(100, 100);
    PostMove(115, 100);
    PostMove(100, 115);
    PostMove(130, 70);  // far along the diagonal on which x + y stays 200
    PostMove(85, 100);
    PostMove(60, 125);
    EXPECT_TRUE(StillRuns());
    PostMove(116, 100);
    ExpectEndsWithCodeZero();
}

TEST_F(EndingTheSaver, AMoveOf16DownwardsEndsItToo) {
    Start(100, 100);
    PostMove(100, 100);
    PostMove(100, 85);
    EXPECT_TRUE(StillRuns());
    PostMove(100, 84);
    ExpectEndsWithCodeZero();
}

// As when a key held since before the start is let go. Only the release is
// sent: Wine re-reads the X keyboard when a window comes to the front and
// would otherwise release a key pressed through SendInput by itself.
TEST_F(EndingTheSaver, AKeyReleaseAloneEndsIt) {
    Start();
    ASSERT_TRUE(BringToForeground(window_));
    ReleaseKey('V');
    ExpectEndsWithCodeZero();
}

TEST_F(EndingTheSaver, TheLeftButtonEndsItOnReleaseNotOnPress) {
    Start(200, 200);
    PressMouseButton(MouseButton::Left);
    const bool stillRuns = StillRuns();
    ReleaseMouseButton(MouseButton::Left);
    EXPECT_TRUE(stillRuns) << "pressing the left button must not end the saver";
    ExpectEndsWithCodeZero();
}

TEST_F(EndingTheSaver, TheRightButtonEndsItOnPress) {
    Start(200, 200);
    PressMouseButton(MouseButton::Right);
    const bool endedOnPress = Saver().WaitForExit(ExitTimeoutMs);
    ReleaseMouseButton(MouseButton::Right);
    ASSERT_TRUE(endedOnPress) << "pressing the right button did not end the saver";
    EXPECT_EQ(0u, Saver().ExitCode());
}

TEST_F(EndingTheSaver, TheMiddleButtonAndTheWheelDoNothing) {
    Start(200, 200);
    ClickMouseButton(MouseButton::Middle);
    INPUT wheel = {};
    wheel.type = INPUT_MOUSE;
    wheel.mi.dwFlags = MOUSEEVENTF_WHEEL;
    wheel.mi.mouseData = static_cast<DWORD>(-WHEEL_DELTA);
    SendInput(1, &wheel, sizeof(wheel));
    EXPECT_TRUE(StillRuns());
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

}  // namespace
