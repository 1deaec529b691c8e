// The Windows side of tools/latency:
//   verdo_latency <runs> <kind>=<label>=<program> ...
// kind is "verdo" (started with /s, on the screen at its first stamp, each
// monitor animated), "verdo-main-only" (the same with the other monitors
// black) or "minimal" (on the screen once black). The programs take turns, run after
// run, with the same input; each run prints one tab-separated line:
//   label  run  start_ms  gone_ms  desktop_ms  move_ticks  problem
// with -1 for an end not seen. The screen must show one desktop colour.
//   verdo_latency power <rounds> <seconds> <verdo.scr>
// measures the processor time of verdo.scr with the display on and off, in
// alternating stretches, and prints one line:
//   power  on_s_per_min  off_s_per_min  problem
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "harness/installation_win32.h"
#include "harness/registry_win32.h"
#include "harness/saver_process_win32.h"
#include "latency_run_win32.h"
#include "power_run_win32.h"

namespace {

bool ParseProgram(const char* argument, LatencyProgram& program)
{
    const std::string text = argument;
    const size_t first = text.find('=');
    const size_t second = first == std::string::npos ? first : text.find('=', first + 1);
    if (second == std::string::npos)
        return false;
    const std::string kind = text.substr(0, first);
    program.label = text.substr(first + 1, second - first - 1);
    program.path = WindowsPathFromArgument(text.substr(second + 1).c_str());
    if (kind == "verdo" || kind == "verdo-main-only") {
        program.arguments = "/s";
        program.startSign = StartSign::FirstStamp;
        program.monitors = kind == "verdo" ? 0 : 2;
    } else if (kind == "minimal") {
        program.startSign = StartSign::BlackScreen;
    } else {
        return false;
    }
    return true;
}

// verdo.scr finds its phrases and settings through Install_Dir.
bool PrepareInstallation(TestInstallation& installation)
{
    RestorePrefixState();
    return installation.WritePhrases("Verdo") && installation.WriteSettings(SettingsBytes(127, 255, 255, 0)) &&
           SetInstallDirValue(installation.Path());
}

int MeasurePowerOnly(int argc, char** argv)
{
    if (argc != 5) {
        std::fprintf(stderr, "usage: verdo_latency power <rounds> <seconds> <verdo.scr>\n");
        return 2;
    }
    TestInstallation installation("power");
    if (!PrepareInstallation(installation)) {
        std::fprintf(stderr, "cannot prepare the installation\n");
        return 1;
    }
    const PowerRun run = MeasurePower(WindowsPathFromArgument(argv[4]), std::atoi(argv[2]),
                                      static_cast<unsigned>(std::atoi(argv[3])) * 1000u);
    std::printf("power\t%.2f\t%.2f\t%s\n", run.onSecondsPerMinute, run.offSecondsPerMinute, run.problem.c_str());
    RestorePrefixState();
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "power")
        return MeasurePowerOnly(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: verdo_latency <runs> <verdo|verdo-main-only|minimal>=<label>=<program> ...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    std::vector<LatencyProgram> programs(argc - 2);
    for (int i = 2; i < argc; ++i) {
        if (!ParseProgram(argv[i], programs[i - 2])) {
            std::fprintf(stderr, "not a program: %s\n", argv[i]);
            return 2;
        }
    }
    unsigned long desktopColour = 0;
    if (!ReadDesktopColour(desktopColour)) {
        std::fprintf(stderr, "the screen does not show one desktop colour\n");
        return 1;
    }

    TestInstallation installation("latency");
    if (!PrepareInstallation(installation)) {
        std::fprintf(stderr, "cannot prepare the installation\n");
        return 1;
    }
    for (int run = 1; run <= runs; ++run) {
        for (const LatencyProgram& program : programs) {
            SetMonitorsValue(program.monitors);
            const LatencyRun result = MeasureRun(program, desktopColour);
            std::printf("%s\t%d\t%.1f\t%.1f\t%.1f\t%lld\t%s\n", program.label.c_str(), run, result.startMs,
                        result.goneMs, result.desktopMs, result.moveTicks, result.problem.c_str());
            std::fflush(stdout);
        }
    }
    RestorePrefixState();
    return 0;
}
