#include "harness/saver_case_win32.h"

#include <cctype>
#include <string>

#include "harness/screen_win32.h"
#include "harness/waiting_win32.h"

void SaverCase::SetUp() {
    SetCaseJob(&job_);
    modeAtStart_ = CurrentDisplayMode();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string label = info ? info->name() : "case";
    for (char& c : label)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';   // rows of a table are named "Name/3"
    installation_ = std::make_unique<TestInstallation>(label);
    ASSERT_TRUE(SetInstallDirValue(installation_->Path()));
    // The window manager takes an earlier case's windows off the screen in
    // its own time: a case starts once nothing of them is left to see, the
    // screen all one colour.
    WaitUntil(
        [] {
            const Snapshot shot = Snapshot::CaptureScreen();
            if (!shot.Valid()) return false;
            const Rgb ground = shot.At(0, 0);
            return shot.Count([&](Rgb c) { return !(c == ground); }) == 0;
        },
        5000);
}

void SaverCase::TearDown() {
    saver_.Kill();
    SetCaseJob(nullptr);
    job_.Close();
    DeleteInstallDirValue();
    DeleteMonitorsValue();
    RestoreDisplayModeIfNot(modeAtStart_);
    installation_.reset();
}

void SaverCase::RegisterInstallDir(const std::string& value) { ASSERT_TRUE(SetInstallDirValue(value)); }

void SaverCase::ForgetInstallDir() { ASSERT_TRUE(DeleteInstallDirValue()); }
