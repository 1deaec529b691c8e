#include "harness/saver_case_win32.h"

void SaverCase::SetUp() {
    SetCaseJob(&job_);
    modeAtStart_ = CurrentDisplayMode();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    installation_ = std::make_unique<TestInstallation>(info ? info->name() : "case");
    ASSERT_TRUE(SetInstallDirValue(installation_->Path()));
}

void SaverCase::TearDown() {
    saver_.Kill();
    SetCaseJob(nullptr);
    job_.Close();
    DeleteInstallDirValue();
    RestoreDisplayModeIfNot(modeAtStart_);
    installation_.reset();
}

void SaverCase::RegisterInstallDir(const std::string& value) { ASSERT_TRUE(SetInstallDirValue(value)); }

void SaverCase::ForgetInstallDir() { ASSERT_TRUE(DeleteInstallDirValue()); }
