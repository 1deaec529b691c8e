// Full-screen runs under stress: many runs ended by input at a random moment
// of the animation, many starts at the same moment, and one long run whose
// memory and handles must not grow. Sizes and seed: harness/stress_plan_win32.h.
#include <algorithm>
#include <cstdio>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"
#include "harness/process_usage_win32.h"
#include "harness/stress_plan_win32.h"
#include "harness/watchdog_win32.h"

namespace {

// Input must end a run within this bound, at whatever moment it comes.
const ULONGLONG EndBoundMs = 2000;
// Where the pointer rests while a run starts: the saver's first report of it
// sets the movement anchor, and a move of 40 from there ends the run.
const POINT Rest = {300, 300};

ULONGLONG NowFileTime() {
    FILETIME now = {};
    GetSystemTimeAsFileTime(&now);
    return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// Milliseconds from `since` (a system time) to the end of the process.
long long MsUntilExit(HANDLE process, ULONGLONG since) {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return -1;
    const ULONGLONG end = (static_cast<ULONGLONG>(exited.dwHighDateTime) << 32) | exited.dwLowDateTime;
    return (static_cast<long long>(end) - static_cast<long long>(since)) / 10000;
}

size_t SaversStillRunning() { return ChildProcesses(GetCurrentProcessId(), "verdo.scr").size(); }

// What a snapshot of the animation over a white desktop shows.
struct ScreenState {
    bool desktop;          // the white desktop still covers most of the screen
    size_t stampPixels;    // letters in the stamp colour
    double brightness;     // all channels of all pixels, summed
};

ScreenState StateOnScreen(const ScreenDepth& depth) {
    const Snapshot shot = Snapshot::CaptureScreen();
    ScreenState state = {false, 0, 0};
    size_t white = 0;
    shot.Count([&](Rgb c) {
        white += c.red > 200 && c.green > 200 && c.blue > 200;
        state.stampPixels += IsStampColour(depth, c);
        state.brightness += c.red + c.green + c.blue;
        return false;
    });
    state.desktop = white > static_cast<size_t>(shot.Width()) * shot.Height() / 2;
    return state;
}

// The phase two snapshots in a row show: the desktop, a fade (darker), the
// stamp (letters in the stamp colour and little else), growth (brighter), or
// a picture that stands (black before the stamp, or a hold).
std::string Phase(const ScreenState& before, const ScreenState& now) {
    if (now.desktop) return "desktop";
    if (now.stampPixels > 20 && now.brightness < 20.0 * now.stampPixels + 1000) return "stamp";
    if (now.brightness > before.brightness) return "growth";
    if (now.brightness < before.brightness) return "fade";
    return now.brightness == 0 ? "black" : "hold";
}

// The moments the input aims at: right after the window shows, or once the
// screen shows the stamp, growth, or the fade of a grown picture.
enum class Moment { StartUp, Stamp, Growth, Fade };
const char* const MomentNames[] = {"start-up", "stamp", "growth", "fade"};

// Waits until the screen shows the moment (bounded); returns the phase the
// last two snapshots showed.
std::string AwaitMoment(Moment moment, const ScreenDepth& depth, std::mt19937& random) {
    ScreenState before = StateOnScreen(depth);
    if (moment == Moment::StartUp) {
        Sleep(static_cast<DWORD>(RandomBetween(random, 0, 150)));
        return Phase(before, StateOnScreen(depth));
    }
    bool grew = false;
    std::string phase;
    WaitUntil(
        [&] {
            const ScreenState now = StateOnScreen(depth);
            phase = Phase(before, now);
            before = now;
            grew = grew || phase == "growth";
            return (moment == Moment::Stamp && phase == "stamp") || (moment == Moment::Growth && phase == "growth") ||
                   (moment == Moment::Fade && grew && phase == "fade");
        },
        20000, 0);
    if (moment == Moment::Growth) Sleep(static_cast<DWORD>(RandomBetween(random, 0, 300)));
    return phase;
}

enum class Ending { Move, Key, LeftClick, RightClick };
const char* const EndingNames[] = {"move", "key", "left click", "right click"};

class SaverStress : public SaverCase {
protected:
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("Verdo\r\nA phrase that grows\r\nW"));
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0)));
    }

    // Starts /s with the pointer at rest and waits for the visible window.
    HWND StartAtRest(SaverProcess& saver) {
        PlaceCursor(Rest.x, Rest.y);
        if (!saver.Start("/s")) return nullptr;
        return WaitForSaverWindow(saver.Id(), StartTimeoutMs);
    }

    // Sends the ending; returns the system time just before the input that
    // must end the run.
    static ULONGLONG SendEnding(Ending ending) {
        ULONGLONG sent = NowFileTime();
        switch (ending) {
        case Ending::Move:
            MoveMouseTo(Rest.x + 40, Rest.y);
            break;
        case Ending::Key:
            TapKey('V');
            break;
        case Ending::LeftClick:   // ends on the release
            PressMouseButton(MouseButton::Left);
            sent = NowFileTime();
            ReleaseMouseButton(MouseButton::Left);
            break;
        case Ending::RightClick:  // ends on the press
            PressMouseButton(MouseButton::Right);
            ReleaseMouseButton(MouseButton::Right);
            break;
        }
        return sent;
    }
};

// Every run ends within 2 s of the input that should end it, with exit code
// 0, whether the input comes while the desktop still shows, during a fade,
// at the stamp, during growth or during a fade; and no saver is left behind.
TEST_F(SaverStress, EveryRunEndsSoonAfterInputAtAnyMoment) {
    const StressPlan& plan = TheStressPlan();
    AllowCurrentTestToRun(static_cast<unsigned>(plan.saverRuns) * 30000);
    std::mt19937 random = CaseRandom();
    const ScreenDepth depth = CurrentScreenDepth();
    ColourWindow whiteDesktop(ScreenRect(), RGB(255, 255, 255), false);

    std::vector<long long> exitMs;
    std::map<std::string, int> phases;
    int failures = 0;
    for (int run = 0; run < plan.saverRuns; ++run) {
        const Ending ending = static_cast<Ending>(RandomBetween(random, 0, 3));
        const Moment moment = static_cast<Moment>(RandomBetween(random, 0, 3));
        ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, RandomBetween(random, 0, 8))));

        SaverProcess saver;
        HWND window = StartAtRest(saver);
        if (!window) {
            ++failures;
            ADD_FAILURE() << "run " << run << ": no saver window within " << StartTimeoutMs << " ms";
            continue;
        }
        if (ending == Ending::Key) BringToForeground(window);
        // A report of the resting pointer sets the anchor, in case appearing
        // under it gave none; handled before the move that ends the run, which
        // would otherwise be merged with it.
        if (ending == Ending::Move) {
            MoveMouseTo(Rest.x + 1, Rest.y);
            WaitUntilInputTaken(window);
        }
        const std::string phase = AwaitMoment(moment, depth, random);
        ++phases[phase];
        const std::string what = std::string(EndingNames[static_cast<int>(ending)]) + " at " +
                                 MomentNames[static_cast<int>(moment)] + " (seen: " + phase + ")";
        const ULONGLONG sent = SendEnding(ending);
        const bool ended = saver.WaitForExit(ExitTimeoutMs);
        const long long ms = ended ? MsUntilExit(saver.Handle(), sent) : -1;
        const DWORD code = saver.ExitCode();
        const size_t left = SaversStillRunning();
        // Whether the run still answers input at all, for the message.
        const bool endedByKey = !ended && EndWithKey(saver);
        saver.Kill();
        const bool ok = ended && ms <= static_cast<long long>(EndBoundMs) && code == 0 && left == 0;
        if (ended) exitMs.push_back(ms);
        if (!ok) ++failures;
        std::printf("run %d: %s: exit code %lu after %lld ms\n", run, what.c_str(), static_cast<unsigned long>(code), ms);
        std::fflush(stdout);
        EXPECT_TRUE(ok) << "run " << run << ": " << what << ": " << (ended ? "ended" : "still ran") << " after "
                        << ms << " ms with exit code " << code << ", savers left " << left
                        << (ended ? "" : endedByKey ? "; a key then ended it" : "; a key did not end it either");
    }

    std::sort(exitMs.begin(), exitMs.end());
    std::printf("saver runs: %d, failed %d; input to exit: median %lld ms, max %lld ms\nphases:", plan.saverRuns,
                failures, exitMs.empty() ? -1 : exitMs[exitMs.size() / 2], exitMs.empty() ? -1 : exitMs.back());
    for (const auto& [phase, count] : phases) std::printf(" %s %d", phase.c_str(), count);
    std::printf("\n");
    // The moments have to reach the animation itself, not only its start.
    EXPECT_GT(phases["stamp"] + phases["growth"] + phases["fade"], 0);
}

// One saver at a time: of many starts at the same moment exactly one runs;
// the others end at once with a code other than 0; a later start in any mode
// ends with 1 and shows nothing; the one that runs still ends normally on input. Once it has ended, the
// next round's starts find the count given back.
TEST_F(SaverStress, OfSimultaneousStartsExactlyOneRunsAndEndsNormally) {
    const StressPlan& plan = TheStressPlan();
    for (int round = 0; round < plan.simultaneousRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        PlaceCursor(0, 0);
        std::vector<SaverProcess> starts(10);
        for (SaverProcess& start : starts) ASSERT_TRUE(start.StartSuspended("/s"));
        const ULONGLONG released = NowFileTime();
        for (SaverProcess& start : starts) start.Resume();

        const auto running = [&] {
            return std::count_if(starts.begin(), starts.end(), [](const SaverProcess& s) { return s.IsRunning(); });
        };
        ASSERT_TRUE(WaitUntil([&] { return running() <= 1; }, StartTimeoutMs)) << running() << " still run";
        ASSERT_EQ(1, running()) << "none of the starts kept running";
        SaverProcess& winner = *std::find_if(starts.begin(), starts.end(), [](const SaverProcess& s) {
            return s.IsRunning();
        });
        long long slowestRefusal = 0;
        std::string codes;
        for (SaverProcess& start : starts) {
            if (&start == &winner) continue;
            codes += " " + std::to_string(start.ExitCode());
            // A refused start ends with the count it gave back, which other
            // refused starts may not have given back yet: not 0, but not always 1.
            EXPECT_NE(0u, start.ExitCode());
            slowestRefusal = std::max(slowestRefusal, MsUntilExit(start.Handle(), released));
        }
        HWND window = WaitForSaverWindow(winner.Id(), StartTimeoutMs);
        ASSERT_NE(nullptr, window);
        if (round == 0) {
            for (const char* arguments : {"", "/p 0"}) {
                const RunObservation other = RunWatchingWindows(arguments, ExitTimeoutMs);
                EXPECT_EQ(1u, other.exitCode) << "a start with \"" << arguments << "\"";
                EXPECT_FALSE(other.showedWindow) << "a start with \"" << arguments << "\"";
            }
        }
        EXPECT_TRUE(winner.IsRunning()) << "the running saver ended with " << winner.ExitCode();
        EXPECT_TRUE(IsWindow(window) && IsWindowVisible(window));
        ASSERT_TRUE(EndWithKey(winner));
        EXPECT_EQ(0u, winner.ExitCode());
        EXPECT_EQ(0u, SaversStillRunning());
        std::printf("round %d: start %d ran and ended with 0; 9 refused with codes%s, the last %lld ms after the "
                    "release\n",
                    round, static_cast<int>(&winner - starts.data()), codes.c_str(), slowestRefusal);
    }
}

// Through a long run the saver's private memory and its handles stay level
// once warm. The mean of the last quarter of the samples is compared with
// the first sample after the warm-up: a frame that leaked even one small
// allocation or one handle would pass the tolerance many times over. Wine
// draws through its GDI renderer here: its OpenGL renderer (Mesa on the
// private X screen) grows by itself, a few KB a second, whatever the program
// does, while through the GDI renderer a sound run stays level to the page.
TEST_F(SaverStress, ALongRunKeepsItsMemoryAndHandlesLevel) {
    const StressPlan& plan = TheStressPlan();
    AllowCurrentTestToRun((plan.longRunSeconds + 120) * 1000);
    const SIZE_T memoryTolerance = 256 * 1024;
    const double handleTolerance = 2;

    GdiRendererForSaver gdiRenderer;
    ASSERT_TRUE(gdiRenderer.Ok());
    HWND window = StartFullScreen(Saver());
    ASSERT_NE(nullptr, window);
    std::vector<ProcessUsage> samples;
    const ULONGLONG start = GetTickCount64();
    const ULONGLONG end = start + plan.longRunSeconds * 1000ull;
    const ULONGLONG warm = start + plan.warmUpSeconds * 1000ull;
    for (ULONGLONG next = warm; next <= end; next += plan.sampleEverySeconds * 1000ull) {
        WaitUntil([&] { return GetTickCount64() >= next || !Saver().IsRunning(); }, static_cast<DWORD>(next - start) + 1000,
                  200);
        ASSERT_TRUE(Saver().IsRunning()) << "the saver ended by itself with " << Saver().ExitCode();
        ProcessUsage usage = {};
        ASSERT_TRUE(ReadProcessUsage(Saver().Handle(), usage));
        samples.push_back(usage);
        std::printf("after %llu s: private %llu KB, %lu handles\n", (GetTickCount64() - start) / 1000,
                    static_cast<unsigned long long>(usage.privateBytes / 1024), static_cast<unsigned long>(usage.handles));
        std::fflush(stdout);
    }
    ASSERT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
    ASSERT_GE(samples.size(), 4u);

    const size_t quarter = samples.size() / 4;
    double lastMemory = 0, lastHandles = 0;
    for (size_t i = samples.size() - quarter; i < samples.size(); ++i) {
        lastMemory += static_cast<double>(samples[i].privateBytes) / quarter;
        lastHandles += static_cast<double>(samples[i].handles) / quarter;
    }
    const ProcessUsage& first = samples.front();
    const auto most = *std::max_element(samples.begin(), samples.end(), [](const ProcessUsage& a, const ProcessUsage& b) {
        return a.privateBytes < b.privateBytes;
    });
    DWORD mostHandles = 0;
    for (const ProcessUsage& s : samples) mostHandles = std::max(mostHandles, s.handles);
    auto kb = [](auto bytes) { return static_cast<unsigned long long>(bytes / 1024); };
    std::printf("long run of %u s, %zu samples after %u s: private KB first %llu, last %llu, last-quarter mean %.0f, "
                "max %llu; handles first %lu, last %lu, last-quarter mean %.1f, max %lu\n",
                plan.longRunSeconds, samples.size(), plan.warmUpSeconds, kb(first.privateBytes),
                kb(samples.back().privateBytes), lastMemory / 1024, kb(most.privateBytes), first.handles,
                samples.back().handles, lastHandles, mostHandles);
    EXPECT_LE(lastMemory, static_cast<double>(first.privateBytes + memoryTolerance)) << "private memory grew";
    EXPECT_LE(lastHandles, first.handles + handleTolerance) << "handles grew";
}

}  // namespace
