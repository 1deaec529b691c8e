#include "harness/saver_case_win32.h"

#include <cctype>
#include <string>

void SaverCase::SetUp() {
    SetCaseJob(&job_);
    modeAtStart_ = CurrentDisplayMode();
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string label = info ? info->name() : "case";
    for (char& c : label)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '-';   // rows of a table are named "Name/3"
    installation_ = std::make_unique<TestInstallation>(label);
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
