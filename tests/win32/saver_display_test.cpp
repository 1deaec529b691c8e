// The display set-up as a user meets it: without DirectDraw, and with a saved
// video mode.
#include <cstdio>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"

namespace {

const char DirectDrawFailure[] = "DirectDraw Init FAILED";

class Display : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("WWW"));
    }

    // Answers the DirectDraw failure box and checks that the run then ends with 0.
    void ExpectDirectDrawFailureReported() {
        HWND box = WaitForMessageBox(Saver().Id(), "Verdo", StartTimeoutMs);
        ASSERT_NE(nullptr, box) << "no message box captioned \"Verdo\"";
        EXPECT_EQ(DirectDrawFailure, MessageBoxText(box));
        EXPECT_EQ("Verdo", ClassNameOf(GetWindow(box, GW_OWNER))) << "the box belongs to the saver window";
        ASSERT_TRUE(PressMessageBoxButton(box));
        ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs));
        EXPECT_EQ(0u, Saver().ExitCode());
    }

    // The growth shows on the screen: the saver really draws.
    static bool SomethingGrows() {
        const ScreenDepth depth = CurrentScreenDepth();
        return WaitForSnapshot(
                   ScreenRect(),
                   [&](const Snapshot& shot) { return shot.Count([&](Rgb c) { return IsLit(depth, c); }) > 500; },
                   15000)
            .Valid();
    }

    // Whether the system would switch to this mode at all.
    static bool SystemCanSwitchTo(const DisplayMode& mode) {
        DEVMODEA settings = {};
        settings.dmSize = sizeof(settings);
        settings.dmPelsWidth = mode.width;
        settings.dmPelsHeight = mode.height;
        settings.dmBitsPerPel = mode.bits;
        settings.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
        return ChangeDisplaySettingsExA(nullptr, &settings, nullptr, CDS_TEST, nullptr) == DISP_CHANGE_SUCCESSFUL;
    }
};

TEST_F(Display, WithoutDirectDrawTheFullScreenRunReportsAndEnds) {
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    DirectDrawDisabled noDirectDraw;
    ASSERT_TRUE(noDirectDraw.Ok());
    ASSERT_TRUE(Saver().Start("/s"));
    ExpectDirectDrawFailureReported();
}

TEST_F(Display, WithoutDirectDrawThePreviewStillRuns) {
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    DirectDrawDisabled noDirectDraw;
    ASSERT_TRUE(noDirectDraw.Ok());
    PreviewHost host;
    ASSERT_TRUE(Saver().Start("/p " + host.DecimalHandle()));
    HWND child = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (child = FindChildOfClass(host.Handle(), "Verdo")) != nullptr; },
                          StartTimeoutMs));
    // No box shows up, and the preview stays until its host goes.
    EXPECT_EQ(nullptr, WaitForMessageBox(Saver().Id(), nullptr, 1500));
    EXPECT_TRUE(Saver().IsRunning());
    // What it paints without DirectDraw is compared where it reaches the
    // screen on every system: Preview.WithBothLettersAPopUpOfTheHostPaints...
    host.Destroy();
    ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs));
    EXPECT_EQ(0u, Saver().ExitCode());
}

// VideoMode n names the n-th mode of 16, 24 or 32 bits in DirectDraw's own
// order. Under Xvfb, Wine lists one size only and refuses to change the
// depth, so a mode other than the current one ends in the failure box there.
TEST_F(Display, VideoModeOnePicksTheFirstModeOf16To32BitsAndTheModeIsBackAfterwards) {
    const DisplayMode before = CurrentDisplayMode();
    DisplayMode first;
    for (const DisplayMode& mode : DirectDrawModes())
        if (mode.bits == 16 || mode.bits == 24 || mode.bits == 32) {
            first = mode;
            break;
        }
    ASSERT_NE(0, first.bits) << "DirectDraw lists no mode of 16, 24 or 32 bits";
    std::printf("current mode %s, VideoMode 1 is %s\n", Describe(before).c_str(), Describe(first).c_str());

    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0, 0, 0, 1)));
    const bool switchable = first == before || SystemCanSwitchTo(first);
    if (!switchable) {
        std::printf("the system cannot switch to %s: the set-up must fail\n", Describe(first).c_str());
        PlaceCursor(0, 0);
        ASSERT_TRUE(Saver().Start("/s"));
        ExpectDirectDrawFailureReported();
        EXPECT_EQ(before, CurrentDisplayMode());
        return;
    }

    HWND window = StartFullScreen(Saver());
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(WaitUntil([&] { return CurrentDisplayMode() == first; }, 5000))
        << "running in " << Describe(CurrentDisplayMode()) << ", not " << Describe(first);
    RECT area = {};
    GetWindowRect(window, &area);
    EXPECT_EQ(first.width, area.right - area.left);
    EXPECT_EQ(first.height, area.bottom - area.top);
    EXPECT_TRUE(SomethingGrows());
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_EQ(before, CurrentDisplayMode()) << "the display mode was not restored";
}

TEST_F(Display, AVideoModeBeyondTheListKeepsTheCurrentModeAndRuns) {
    const DisplayMode before = CurrentDisplayMode();
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0, 0, 0, 60000)));
    HWND window = StartFullScreen(Saver());
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(SomethingGrows());
    EXPECT_EQ(before, CurrentDisplayMode());
    EXPECT_EQ(nullptr, FindProcessWindow(Saver().Id(), "#32770"));
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_EQ(before, CurrentDisplayMode());
}

}  // namespace
