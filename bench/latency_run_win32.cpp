#include "latency_run_win32.h"

#include <windows.h>

#include "harness/animation_colours_win32.h"
#include "harness/input_win32.h"
#include "harness/saver_process_win32.h"
#include "harness/screen_win32.h"
#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"

namespace {

// The pointer rests here while the program starts; the movement then goes
// 70 right and 70 down, a change of 140 in x + y.
const int RestX = 300;
const int RestY = 300;
const int MoveBy = 70;
// Long enough for the program to take the resting position as its anchor
// and for the animation to be well under way.
const DWORD SettleMs = 400;
const DWORD StartBoundMs = 15000;
const DWORD EndBoundMs = 10000;

long long Now()
{
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return counter.QuadPart;
}

double Milliseconds(long long from, long long to)
{
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return frequency.QuadPart / 1000.0;
    }();
    return (to - from) / ticksPerMs;
}

Rgb RgbOf(unsigned long colour)
{
    return Rgb{static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8), static_cast<uint8_t>(colour)};
}

// The middle row is enough: a window leaves the screen all at once. It runs
// across the monitors beside the primary too, where a cover may linger.
Snapshot MiddleRow()
{
    const LONG middle = ScreenRect().bottom / 2;
    const LONG left = GetSystemMetrics(SM_XVIRTUALSCREEN);
    return Snapshot::Capture(RECT{left, middle, left + GetSystemMetrics(SM_CXVIRTUALSCREEN), middle + 1});
}

bool DesktopShows(unsigned long colour)
{
    const Snapshot row = MiddleRow();
    const Rgb desktop = RgbOf(colour);
    return row.Valid() && row.Count([&](Rgb c) { return c == desktop; }) == static_cast<size_t>(row.Width());
}

bool StartSignShows(StartSign sign, const Snapshot& shot)
{
    if (!shot.Valid())
        return false;
    const ScreenDepth depth = CurrentScreenDepth();
    if (sign == StartSign::FirstStamp)
        return shot.Count([&](Rgb c) { return IsStampColour(depth, c); }) > 20;
    const size_t all = static_cast<size_t>(shot.Width()) * shot.Height();
    return shot.Count([&](Rgb c) { return IsBlack(depth, c); }) >= all - all / 100;
}

bool HasVisibleWindow(DWORD processId)
{
    for (HWND window : ProcessWindows(processId))
        if (IsWindowVisible(window))
            return true;
    return false;
}

// The end of the process is awaited on a thread of its own, made once before
// any program starts: a thread's first steps in the window system could
// reach a program's window as input under Wine.
class ProcessEndWatch {
public:
    ProcessEndWatch()
    {
        go_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        done_ = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    void Begin(HANDLE process)
    {
        process_ = process;
        goneAt_ = 0;
        SetEvent(go_);
    }
    // The time the process ended, or 0 when it did not within the bound.
    long long End()
    {
        WaitForSingleObject(done_, EndBoundMs + 2000);
        return goneAt_;
    }

private:
    static DWORD WINAPI Watch(void* context)
    {
        auto& watch = *static_cast<ProcessEndWatch*>(context);
        for (;;) {
            WaitForSingleObject(watch.go_, INFINITE);
            if (WaitForSingleObject(watch.process_, EndBoundMs) == WAIT_OBJECT_0)
                watch.goneAt_ = Now();
            SetEvent(watch.done_);
        }
    }
    HANDLE go_;
    HANDLE done_;
    HANDLE process_ = nullptr;
    long long goneAt_ = 0;
};

// MoveMouseTo (input_win32.h) waits for the pointer to arrive; the desktop
// is watched from the moment the input is given.
void SendMove(int x, int y)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

}  // namespace

bool ReadDesktopColour(unsigned long& colour)
{
    const Snapshot row = MiddleRow();
    if (!row.Valid())
        return false;
    const Rgb first = row.At(0, 0);
    colour = (static_cast<unsigned long>(first.red) << 16) | (first.green << 8) | first.blue;
    return row.Count([&](Rgb c) { return c == first; }) == static_cast<size_t>(row.Width());
}

LatencyRun MeasureRun(const LatencyProgram& program, unsigned long desktopColour)
{
    LatencyRun run;
    if (!WaitUntil([&] { return DesktopShows(desktopColour); }, 5000, 5)) {
        run.problem = "the desktop did not show before the start";
        return run;
    }
    static ProcessEndWatch endWatch;
    PlaceCursor(RestX, RestY);
    Sleep(SettleMs);

    SetSaverProgramPath(program.path);
    SaverProcess process;
    const long long launchedAt = Now();
    if (!process.Start(program.arguments)) {
        run.problem = "could not start";
        return run;
    }
    long long startedAt = 0;
    WaitUntil(
        [&] {
            if (!StartSignShows(program.startSign, Snapshot::CaptureScreen()))
                return false;
            startedAt = Now();
            return true;
        },
        StartBoundMs, 1);
    if (startedAt == 0) {
        run.problem = "no start sign on the screen";
        return run;
    }
    run.startMs = Milliseconds(launchedAt, startedAt);
    if (!WaitUntil([&] { return HasVisibleWindow(process.Id()); }, StartBoundMs, 5)) {
        run.problem = "no visible window";
        return run;
    }

    // The resting position again, now reported to the program's window.
    PlaceCursor(RestX, RestY);
    Sleep(SettleMs);

    endWatch.Begin(process.Handle());
    Sleep(20);   // the watch is waiting
    if (!process.IsRunning()) {
        run.problem = "ended before the movement";
        return run;
    }
    run.moveTicks = Now();
    SendMove(RestX + MoveBy, RestY + MoveBy);
    long long desktopAt = 0;
    const ULONGLONG deadline = GetTickCount64() + EndBoundMs;
    while (GetTickCount64() < deadline) {
        if (DesktopShows(desktopColour)) {
            desktopAt = Now();
            break;
        }
        Sleep(1);
    }
    const long long goneAt = endWatch.End();
    if (goneAt == 0) {
        run.problem = "the movement did not end it";
        return run;
    }
    run.goneMs = Milliseconds(run.moveTicks, goneAt);
    if (goneAt < run.moveTicks) {
        run.problem = "ended before the movement";
        return run;
    }
    if (desktopAt == 0)
        run.problem = "the desktop did not show again";
    else
        run.desktopMs = Milliseconds(run.moveTicks, desktopAt);
    return run;
}
