// Entry of the end-to-end test program: verdo_e2e_tests <verdo.scr> [gtest flags].
#include <cstdio>

#include <gtest/gtest.h>

#include "harness/harness.h"
#include "harness/stand_in_programs_win32.h"
#include "harness/watchdog_win32.h"

int main(int argc, char** argv) {
    if (RunAsStandInIfSo()) return 0;
    ::testing::InitGoogleTest(&argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: verdo_e2e_tests <path of verdo.scr> [googletest flags]\n");
        return 2;
    }
    SetSaverProgramPath(WindowsPathFromArgument(argv[1]));
    std::printf("verdo.scr: %s\n", SaverProgramPath().c_str());
    std::printf("screen: %s, GDI %d bits, DirectDraw primary surface %d bits\n",
                Describe(CurrentDisplayMode()).c_str(), ScreenBitsPerPixel(), DirectDrawPrimaryBitCount());
    std::fflush(stdout);
    // A run that was killed half-way may have left its switches behind.
    RestorePrefixState();
    InstallHangWatchdog(120000);
    const int result = RUN_ALL_TESTS();
    RestorePrefixState();
    // The results are written: the process ends here, with their code.
    // Wine's orderly tear-down of a 32-bit test process that had windows on
    // a second monitor was seen to crash (on an emulated 32-bit host), which
    // would turn a passed run into a failed one.
    std::fflush(nullptr);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
