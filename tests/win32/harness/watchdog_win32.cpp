#include "harness/watchdog_win32.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include <gtest/gtest.h>

#include "harness/processes_win32.h"
#include "harness/registry_win32.h"

namespace {

CRITICAL_SECTION Guard;
std::string CurrentTest;
ULONGLONG CurrentSince = 0;
unsigned BoundMs = 0;
unsigned CurrentBoundMs = 0;

DWORD WINAPI WatchdogThread(LPVOID) {
    for (;;) {
        Sleep(1000);  // the watchdog's own tick, not a wait in any test
        EnterCriticalSection(&Guard);
        const bool hung = !CurrentTest.empty() && GetTickCount64() - CurrentSince > CurrentBoundMs;
        const std::string name = CurrentTest;
        const unsigned bound = CurrentBoundMs;
        LeaveCriticalSection(&Guard);
        if (hung) {
            std::fprintf(stderr, "\nHANG: %s still runs after %u ms; ending the test program\n", name.c_str(),
                         bound);
            std::fflush(stderr);
            std::fflush(stdout);
            // No destructor runs after this: end what the case started and
            // undo its changes to the prefix here.
            if (ProcessJob* job = CaseJob()) job->Close();
            RestorePrefixState();
            TerminateProcess(GetCurrentProcess(), 3);
        }
    }
}

class HangListener : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo& info) override {
        EnterCriticalSection(&Guard);
        CurrentTest = std::string(info.test_suite_name()) + "." + info.name();
        CurrentSince = GetTickCount64();
        CurrentBoundMs = BoundMs;
        LeaveCriticalSection(&Guard);
    }
    void OnTestEnd(const ::testing::TestInfo&) override {
        EnterCriticalSection(&Guard);
        CurrentTest.clear();
        LeaveCriticalSection(&Guard);
    }
};

}  // namespace

void InstallHangWatchdog(unsigned perTestBoundMs) {
    InitializeCriticalSection(&Guard);
    BoundMs = perTestBoundMs;
    ::testing::UnitTest::GetInstance()->listeners().Append(new HangListener);
    CloseHandle(CreateThread(nullptr, 0, WatchdogThread, nullptr, 0, nullptr));
}

void AllowCurrentTestToRun(unsigned boundMs) {
    EnterCriticalSection(&Guard);
    CurrentBoundMs = boundMs;
    LeaveCriticalSection(&Guard);
}
