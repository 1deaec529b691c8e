// The base fixture of the end-to-end cases. Each case gets a fresh, empty
// installation directory registered as Install_Dir, and a job that every
// process it starts joins; afterwards the job ends whatever still runs,
// Install_Dir is deleted, the folder removed and the display mode put back if
// a run left it changed.
//
//   class MyCase : public SaverCase {};
//   TEST_F(MyCase, Something) {
//       ASSERT_TRUE(Installation().WritePhrases("Hello\r\n"));
//       ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
//       ASSERT_TRUE(Saver().Start("/s"));
//       HWND window = WaitForSaverWindow(Saver().Id(), 10000);
//       ...
//       ASSERT_TRUE(Saver().WaitForExit(5000));
//       EXPECT_EQ(0u, Saver().ExitCode());
//   }
#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "harness/display_win32.h"
#include "harness/installation_win32.h"
#include "harness/processes_win32.h"
#include "harness/registry_win32.h"
#include "harness/saver_process_win32.h"

class SaverCase : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TestInstallation& Installation() { return *installation_; }
    SaverProcess& Saver() { return saver_; }
    // Re-points Install_Dir (the case's folder is registered by default).
    void RegisterInstallDir(const std::string& value);
    void ForgetInstallDir();

private:
    std::unique_ptr<TestInstallation> installation_;
    ProcessJob job_;
    SaverProcess saver_;
    DisplayMode modeAtStart_;
};

// Generous bounds for a loaded machine; waits end as soon as things happen.
const unsigned StartTimeoutMs = 15000;
const unsigned ExitTimeoutMs = 10000;
