#include "power_run_win32.h"

#include <windows.h>

#include "harness/animation_colours_win32.h"
#include "harness/input_win32.h"
#include "harness/process_usage_win32.h"
#include "harness/saver_process_win32.h"
#include "harness/screen_win32.h"
#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"

namespace {
const DWORD StartBoundMs = 15000;
// The animation rests at the end of its pass; that pass is not counted.
const DWORD SettleMs = 500;

void PowerMonitor(HWND window, LPARAM state)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_SYSCOMMAND, SC_MONITORPOWER, state, SMTO_NORMAL, 5000, &ignored);
}
}  // namespace

PowerRun MeasurePower(const std::string& programPath, int rounds, unsigned stretchMs)
{
    PowerRun run;
    PlaceCursor(0, 0);   // the saver takes no anchor there: only the end moves it
    SetSaverProgramPath(programPath);
    SaverProcess saver;
    if (!saver.Start("/s")) {
        run.problem = "could not start";
        return run;
    }
    HWND window = WaitForSaverWindow(saver.Id(), StartBoundMs);
    const ScreenDepth depth = CurrentScreenDepth();
    const auto stamped = [&](const Snapshot& s) { return s.Count([&](Rgb c) { return IsStampColour(depth, c); }) > 20; };
    if (window == nullptr || !WaitForSnapshot(ScreenRect(), stamped, StartBoundMs).Valid()) {
        run.problem = "no phrase on the screen";
        return run;
    }
    double onMs = 0;
    double offMs = 0;
    for (int round = 0; round < rounds; ++round) {
        const double on = ProcessorMsOver(saver.Id(), stretchMs);
        PowerMonitor(window, 2);
        WaitUntil([] { return false; }, SettleMs);
        const double off = ProcessorMsOver(saver.Id(), stretchMs);
        PowerMonitor(window, -1);
        WaitUntil([] { return false; }, SettleMs);
        if (on < 0 || off < 0) {
            run.problem = "the system does not tell the processor time";
            return run;
        }
        onMs += on;
        offMs += off;
    }
    const double minutes = rounds * (stretchMs / 60000.0);
    run.onSecondsPerMinute = onMs / 1000.0 / minutes;
    run.offSecondsPerMinute = offMs / 1000.0 / minutes;
    MoveMouseTo(300, 300);
    MoveMouseTo(400, 300);
    if (!saver.WaitForExit(10000))
        run.problem = "the movement did not end it";
    return run;
}
