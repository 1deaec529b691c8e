// Start-up failures end the program silently with exit code 0; the limits of
// the installation directory's registry value.
#include "harness/full_screen_win32.h"
#include "harness/harness.h"

namespace {

class StartUp : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    }

    // The run ends with 0, shows nothing and leaves the folder as it was.
    void ExpectSilentEnd(const std::string& arguments = "/s") {
        const std::vector<std::string> namesBefore = Installation().FileNames();
        Bytes settingsBefore;
        Installation().ReadFile("verdo.set", settingsBefore);
        const RunObservation run = RunWatchingWindows(arguments, ExitTimeoutMs);
        EXPECT_EQ(0u, run.exitCode) << "arguments \"" << arguments << "\"";
        EXPECT_FALSE(run.showedWindow) << "arguments \"" << arguments << "\"";
        EXPECT_EQ(namesBefore, Installation().FileNames());
        Bytes settingsAfter;
        Installation().ReadFile("verdo.set", settingsAfter);
        EXPECT_EQ(settingsBefore, settingsAfter);
    }

    void ExpectFullScreenRuns() {
        ASSERT_NE(nullptr, StartFullScreen(Saver()));
        ASSERT_TRUE(EndWithKey(Saver()));
        EXPECT_EQ(0u, Saver().ExitCode());
    }
};

TEST_F(StartUp, WithoutTheRegistryValueEveryModeEndsSilently) {
    ASSERT_TRUE(Installation().WritePhrases("Verdo"));
    ForgetInstallDir();
    ExpectSilentEnd("/s");
    ExpectSilentEnd("");
    PreviewHost host;
    ExpectSilentEnd("/p " + host.DecimalHandle());
    EXPECT_EQ(nullptr, FindChildOfClass(host.Handle(), "Verdo"));
}

TEST_F(StartUp, AnInstallDirOf254CharactersIsAccepted) {
    ASSERT_TRUE(Installation().WritePhrases("Verdo"));
    const std::string padded = PaddedFolderPath(Installation().Path(), 254);
    ASSERT_EQ(254u, padded.size());
    RegisterInstallDir(padded);
    ExpectFullScreenRuns();
}

TEST_F(StartUp, AnInstallDirOf255CharactersIsTooLong) {
    ASSERT_TRUE(Installation().WritePhrases("Verdo"));
    const std::string padded = PaddedFolderPath(Installation().Path(), 255);
    ASSERT_EQ(255u, padded.size());
    RegisterInstallDir(padded);  // names the same, valid folder
    ExpectSilentEnd();
}

TEST_F(StartUp, AMissingPhrasesFileEndsSilently) { ExpectSilentEnd(); }

TEST_F(StartUp, AnEmptyPhrasesFileEndsSilentlyAsDoesOneOfAByteOrderMarkAlone) {
    for (const char* text : {"", "\xEF\xBB\xBF"}) {
        ASSERT_TRUE(Installation().WritePhrases(text));
        ExpectSilentEnd();
    }
}

// An editor holding the file open, even for writing, keeps no one from reading it.
TEST_F(StartUp, APhrasesFileAnotherProgramHoldsOpenForWritingIsRead) {
    ASSERT_TRUE(Installation().WritePhrases("Verdo"));
    HANDLE writer = CreateFileA(Installation().FilePath("verdo.ini").c_str(), GENERIC_WRITE,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    ExpectFullScreenRuns();
    CloseHandle(writer);
}

TEST_F(StartUp, APhrasesFileOfOneByteIsEnough) {
    ASSERT_TRUE(Installation().WritePhrases("V"));
    ExpectFullScreenRuns();
}

}  // namespace
