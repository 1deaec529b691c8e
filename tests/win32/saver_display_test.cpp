// The display set-up as a user meets it without DirectDraw. The saved video
// mode has its own cases (saver_video_mode_test.cpp).
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
    // What it paints without DirectDraw is compared in the both-letters
    // pop-up (saver_preview_test.cpp), where it reaches the screen.
    host.Destroy();
    ASSERT_TRUE(Saver().WaitForExit(ExitTimeoutMs));
    EXPECT_EQ(0u, Saver().ExitCode());
}

}  // namespace
