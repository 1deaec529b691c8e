// One saver at a time: a second start gives up at once and disturbs nothing.
#include "harness/full_screen_win32.h"
#include "harness/harness.h"

namespace {

class SingleInstance : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("Verdo"));
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    }
};

TEST_F(SingleInstance, ASecondStartExitsAtOnceWithOneAndLeavesTheFirstRunning) {
    HWND first = StartFullScreen(Saver());
    ASSERT_NE(nullptr, first);

    // The guard comes before anything else, in every mode.
    for (const char* arguments : {"/s", "", "/p 0"}) {
        const RunObservation second = RunWatchingWindows(arguments, ExitTimeoutMs);
        EXPECT_EQ(1u, second.exitCode) << "second start with \"" << arguments << "\"";
        EXPECT_FALSE(second.showedWindow) << "second start with \"" << arguments << "\"";
    }

    EXPECT_TRUE(Saver().IsRunning()) << "the first saver ended with " << Saver().ExitCode();
    EXPECT_TRUE(IsWindow(first) && IsWindowVisible(first));
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());

    // The count was given back: the next start runs as the only one.
    SaverProcess next;
    ASSERT_NE(nullptr, StartFullScreen(next));
    ASSERT_TRUE(EndWithKey(next));
    EXPECT_EQ(0u, next.ExitCode());
}

}  // namespace
