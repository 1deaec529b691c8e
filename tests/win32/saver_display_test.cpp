// The display set-up failing at each of its steps. The video mode and the
// preview without DirectDraw: saver_video_mode_test.cpp, saver_preview_test.cpp.
#include <optional>

#include "harness/harness.h"
#include "resources/setup_ids.h"

namespace {

const char DirectDrawFailure[] = "DirectDraw Init FAILED";

// A run whose display set-up fails: either ddraw.dll is kept from loading
// into the shipped program, or the test build fails one step of its own.
struct SetupFailure {
    const char* name;
    const char* arguments;    // "/s", or none for the settings dialog
    uint16_t videoMode;       // 1 makes a full-screen run take the screen exclusively
    const char* failingStep;  // a SetupStep of the test build; null: no DirectDraw
};

const SetupFailure SetupFailures[] = {
    {"FullScreenWithoutDirectDraw", "/s", 0, nullptr},
    {"FullScreenQueryDirectDraw2", "/s", 0, "QueryDirectDraw2"},
    {"FullScreenEnumDisplayModes", "/s", 0, "EnumDisplayModes"},
    {"FullScreenNormalCooperativeLevel", "/s", 0, "SetCooperativeLevel"},
    {"FullScreenExclusiveCooperativeLevel", "/s", 1, "SetCooperativeLevel"},
    {"FullScreenSetDisplayMode", "/s", 1, "SetDisplayMode"},
    {"FullScreenCreateSurface", "/s", 0, "CreateSurface"},
    {"FullScreenQuerySurface3", "/s", 0, "QuerySurface3"},
    {"DialogWithoutDirectDraw", "", 0, nullptr},
    {"DialogEnumDisplayModes", "", 0, "EnumDisplayModes"},
    {"DialogQuerySurface3", "", 0, "QuerySurface3"},
};

// Whether the run has an animation thread (its one thread at idle priority).
bool AnimationThreadRuns(DWORD processId) {
    HANDLE thread = OpenAnimationThread(processId);
    if (thread) CloseHandle(thread);
    return thread != nullptr;
}

FILETIME LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

// Each row a case of its own.
class DisplaySetupFailure : public SaverCase, public ::testing::WithParamInterface<SetupFailure> {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("WWW"));
    }

    // The saver window of the run: top level in full screen, inside the
    // dialog's preview frame otherwise.
    HWND SaverWindowOfRun() {
        if (*GetParam().arguments != '\0') return FindProcessWindow(Saver().Id(), "Verdo");
        HWND dialog = FindProcessWindow(Saver().Id(), "#32770", "Verdo - Settings");
        return dialog ? FindChildOfClass(GetDlgItem(dialog, IDC_PREVIEW_FRAME), "Verdo") : nullptr;
    }
};

// One box, owned by the saver window (in the dialog, by the dialog holding
// it); after OK the run, dialog and all, ends with 0. No animation thread
// ever ran, the display mode and verdo.set are as they were.
TEST_P(DisplaySetupFailure, ReportsOnceAndEndsWithNothingStartedOrChanged) {
    const SetupFailure& failure = GetParam();
    const Bytes settings = SettingsBytes(1, 2, 3, 4, 0, 5, failure.videoMode);
    ASSERT_TRUE(Installation().WriteSettings(settings));
    const std::string settingsPath = Installation().FilePath("verdo.set");
    const FILETIME writtenAt = LastWriteTime(settingsPath);
    const DisplayMode modeBefore = CurrentDisplayMode();

    std::optional<DirectDrawDisabled> noDirectDraw;
    std::optional<InjectedSetupFault> injected;
    if (failure.failingStep) {
        injected.emplace(failure.failingStep);
        ASSERT_TRUE(injected->Ok()) << "no test build at " << injected->ProgramPath();
    } else {
        noDirectDraw.emplace();
        ASSERT_TRUE(noDirectDraw->Ok());
    }
    PlaceCursor(0, 0);
    ASSERT_TRUE(Saver().Start(failure.arguments));

    std::vector<HWND> boxes;
    HWND saverWindow = nullptr;
    bool threadBeforeBox = false;
    WaitUntil(
        [&] {
            threadBeforeBox = threadBeforeBox || AnimationThreadRuns(Saver().Id());
            boxes = ProcessWindows(Saver().Id(), "#32770", "Verdo");
            saverWindow = SaverWindowOfRun();
            return !boxes.empty() || !Saver().IsRunning();
        },
        StartTimeoutMs, 5);
    EXPECT_FALSE(threadBeforeBox) << "an animation thread ran before the box";
    ASSERT_EQ(1u, boxes.size()) << "boxes captioned \"Verdo\" when the first showed";
    const HWND box = boxes.front();
    EXPECT_EQ(DirectDrawFailure, MessageBoxText(box));
    EXPECT_EQ(modeBefore, CurrentDisplayMode()) << "the display mode while the box shows";
    ASSERT_NE(nullptr, saverWindow) << "no saver window while the box shows";
    EXPECT_EQ(GetAncestor(saverWindow, GA_ROOT), GetWindow(box, GW_OWNER)) << "the box belongs to the saver window";

    ASSERT_TRUE(PressMessageBoxButton(box));
    HWND laterBox = nullptr;
    bool threadAfterOk = false;
    EXPECT_TRUE(WaitUntil(
        [&] {
            threadAfterOk = threadAfterOk || AnimationThreadRuns(Saver().Id());
            for (HWND other : ProcessWindows(Saver().Id(), "#32770", "Verdo"))
                if (other != box) laterBox = other;
            return !Saver().IsRunning();
        },
        ExitTimeoutMs, 5))
        << "the run goes on after OK";
    EXPECT_EQ(nullptr, laterBox) << "a second box: " << MessageBoxText(laterBox);
    EXPECT_EQ(0u, Saver().ExitCode());

    EXPECT_FALSE(threadAfterOk) << "an animation thread ran after OK";
    EXPECT_EQ(modeBefore, CurrentDisplayMode()) << "the display mode after the run";
    Bytes kept;
    ASSERT_TRUE(Installation().ReadFile("verdo.set", kept));
    EXPECT_EQ(settings, kept);
    const FILETIME writtenAfter = LastWriteTime(settingsPath);
    EXPECT_EQ(0, CompareFileTime(&writtenAt, &writtenAfter)) << "verdo.set was written again";
}

INSTANTIATE_TEST_SUITE_P(EveryStep, DisplaySetupFailure, ::testing::ValuesIn(SetupFailures),
                         [](const ::testing::TestParamInfo<SetupFailure>& row) { return row.param.name; });

}  // namespace
