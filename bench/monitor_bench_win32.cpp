// The Windows side of tools/latency's monitor figures: how much animation
// the one thread gets through with one monitor and with two, on the
// program's own drawing code.
//   verdo_monitor_bench <rounds> <seconds>
// Three arrangements take turns, one stretch of <seconds> each per round:
//   one       the primary alone
//   two       the primary and an 800x600 monitor, whose picture is copied
//             into a window after every pass, as in the program
//   two-copy-free  the same without the copy
// The primary is a 1024x768 picture drawn as a monitor's picture is, and
// not copied: its passes cost the same in every arrangement, and they stay
// off the primary surface, which Wine copies to the X server on its own
// schedule. Each stretch prints one tab-separated line:
//   arrangement  round  picks_per_second  primary_passes  other_passes
// A pick is the passes' unit of work: a fade makes one per pixel of its
// region, a growth pass one per pixel of its StampRect.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "animation/random.h"
#include "display/monitor_pictures_win32.h"

namespace {

const char ClassName[] = "VerdoMonitorBench";

HWND MakeWindow(int width, int height, bool visible)
{
    return CreateWindowExA(0, ClassName, "Verdo bench", WS_POPUP | (visible ? WS_VISIBLE : 0), 0, 0, width, height,
                           nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

void ShowNothing(void*, const ScreenRect&) {}

uint64_t PicksOf(FrameKind kind, const MonitorLane& lane)
{
    const ScreenRect& stamp = lane.cycle.StampRect;
    switch (kind) {
    case FadeFrame:
        return uint64_t(RegionWidth(lane.region)) * uint64_t(RegionHeight(lane.region));
    case StampFrame:
    case GrowthFrame:
        return uint64_t(stamp.right - stamp.left) * uint64_t(stamp.bottom - stamp.top);
    default:
        return 0;
    }
}

struct Stretch {
    double picksPerSecond;
    uint64_t passes[2];
};

Stretch Run(MonitorLane* lanes, uint32_t count, AnimationState& main, const uint8_t* phrases, DWORD ms)
{
    Stretch stretch = {0, {0, 0}};
    uint64_t picks = 0;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    const LONGLONG end = start.QuadPart + frequency.QuadPart * ms / 1000;
    do {
        PhraseRound round = {MonitorChoice::OwnPhrase, false, 0};
        for (uint32_t i = 0; i < count; ++i) {
            const FrameKind kind = ClassifyFrame(lanes[i].cycle.Frame, main.Settings.Duration);
            RunLanePass(lanes[i], main, phrases, round);
            picks += PicksOf(kind, lanes[i]);
            ++stretch.passes[i];
        }
        QueryPerformanceCounter(&now);
    } while (now.QuadPart < end);
    stretch.picksPerSecond = double(picks) * double(frequency.QuadPart) / double(now.QuadPart - start.QuadPart);
    return stretch;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: verdo_monitor_bench <rounds> <seconds>\n");
        return 2;
    }
    const int rounds = std::atoi(argv[1]);
    const DWORD ms = static_cast<DWORD>(std::atoi(argv[2])) * 1000u;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = ClassName;
    RegisterClassA(&windowClass);
    HWND primaryWindow = MakeWindow(1024, 768, false);
    HWND otherWindow = MakeWindow(800, 600, true);
    MonitorPicture pictures[2];
    if (!MakeMonitorPicture(pictures[0], primaryWindow, PhraseEncoding::Ansi) ||
        !MakeMonitorPicture(pictures[1], otherWindow, PhraseEncoding::Ansi)) {
        std::fprintf(stderr, "cannot make the pictures\n");
        return 1;
    }
    static const char phrases[] = "Verdo\r\nPhrases on every monitor";
    AnimationState main = {};
    main.Settings = SaverSettings{127, 255, 255, 2, 0, 0, 0, 0};
    main.PhraseTextLength = sizeof phrases - 1;
    std::vector<uint8_t> masks[2];
    MonitorLane lanes[2];
    for (int i = 0; i < 2; ++i) {
        lanes[i] = MonitorPictureLane(pictures[i]);
        masks[i].assign(size_t(pictures[i].width) * size_t(pictures[i].height), 0);
    }
    lanes[0].Show = ShowNothing;
    const auto* text = reinterpret_cast<const uint8_t*>(phrases);
    SeedRandom(1);
    for (int round = 1; round <= rounds; ++round) {
        for (const char* arrangement : {"one", "two", "two-copy-free"}) {
            const bool two = arrangement[0] == 't';
            lanes[1].Show = arrangement[3] == '-' ? ShowNothing : MonitorPictureLane(pictures[1]).Show;
            for (int i = 0; i < 2; ++i) StartLane(lanes[i], main, masks[i].data(), masks[i].size());
            const Stretch stretch = Run(lanes, two ? 2 : 1, main, text, ms);
            std::printf("%s\t%d\t%.0f\t%llu\t%llu\n", arrangement, round, stretch.picksPerSecond,
                        static_cast<unsigned long long>(stretch.passes[0]),
                        static_cast<unsigned long long>(stretch.passes[1]));
            std::fflush(stdout);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        }
    }
    for (MonitorPicture& picture : pictures) ReleaseMonitorPicture(picture);
    return 0;
}
