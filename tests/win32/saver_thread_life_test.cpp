// The animation thread's life where the system makes it hard: a primary
// surface that comes back for another mode or smaller than before, a lock
// refused for no reason given, a surface that cannot be made, and a thread
// too busy to answer a stop. Wine does none of these by itself, so the test
// build (setup_faults) brings them about, and writes down how every stop of
// the thread ended and every new surface.
#include <cstdio>
#include <functional>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"
#include "harness/process_usage_win32.h"

namespace {

using Events = std::vector<std::string>;

class ThreadLife : public SaverCase {
protected:
    // The narrow phrase first, then the wide one: which one stands on the
    // screen shows in the width of its stamp.
    void SetUp() override {
        SaverCase::SetUp();
        ASSERT_TRUE(Installation().WritePhrases("I\r\nWWWWWW"));
    }
    FaultVariables WithLog(FaultVariables variables) const {
        variables.emplace_back("VERDO_THREAD_LOG", log_.Path());
        return variables;
    }
    // The wide phrase is stamped, then grows: the animation goes on.
    bool NextPhraseGrows() const {
        const auto grown = [&](const Snapshot& s) { return s.Count([&](Rgb c) { return IsLit(depth_, c); }) > 500; };
        return WaitForSnapshot(ScreenRect(), wide, 20000).Valid() && WaitForSnapshot(ScreenRect(), grown, 5000).Valid();
    }
    const std::function<bool(const Snapshot&)> wide = [this](const Snapshot& s) {
        const RECT stamp = BoundsOf(s, [&](Rgb c) { return IsStampColour(depth_, c); });
        return stamp.right - stamp.left > 300;
    };
    void ExpectAKeyEndsTheRun() {
        EXPECT_EQ(nullptr, FindProcessWindow(Saver().Id(), "#32770")) << "a message box came up";
        ASSERT_TRUE(EndWithKey(Saver()));
        EXPECT_EQ(0u, Saver().ExitCode());
    }
    ThreadLog log_;
    ScreenDepth depth_ = CurrentScreenDepth();
};

// Each fault strikes at the 20th lock, in the first phrase's growth. A
// surface that comes back for another mode, or smaller than the screen, is
// made anew, also when that fails a few times; a lock refused for another
// reason is waited for as a lost one. Either way the next phrase grows, on a
// thread that returned by itself.
TEST_F(ThreadLife, SurfaceFaultsBringTheAnimationBack) {
    const struct {
        const char* fault;
        const char* remakeRefusals;
        Events surfaces;
    } rows[] = {
        {"Smaller:20", "0", {"fault struck", "surface made anew"}},
        {"WrongMode:20", "3",
         {"fault struck", "surface not made", "surface not made", "surface not made", "surface made anew"}},
        {"Refused:20", "0", {"fault struck"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        InjectedFaults faults(WithLog({{"VERDO_SURFACE_FAULT", row.fault},
                                       {"VERDO_SURFACE_REMAKE_REFUSALS", row.remakeRefusals}}));
        ASSERT_TRUE(faults.Ok()) << "no test build at " << faults.ProgramPath();
        ASSERT_NE(nullptr, StartFullScreen(Saver()));
        ASSERT_TRUE(WaitUntil([&] { return !log_.Events().empty(); }, StartTimeoutMs)) << "the fault never struck";
        EXPECT_TRUE(NextPhraseGrows()) << "the animation did not come back; " << log_.Text();
        Events surfaces;
        for (const std::string& event : log_.Events())
            if (event.rfind("surface", 0) == 0 || event.rfind("fault", 0) == 0) surfaces.push_back(event);
        EXPECT_EQ(row.surfaces, surfaces) << log_.Text();
        ASSERT_NO_FATAL_FAILURE(ExpectAKeyEndsTheRun());
        EXPECT_EQ("stopped", log_.Events().back());
        ASSERT_TRUE(DeleteFileA(log_.Path().c_str()));
        // The next run starts on a screen without this run's phrase.
        ASSERT_TRUE(WaitForSnapshot(ScreenRect(), [&](const Snapshot& s) { return !wide(s); }, 5000).Valid());
    }
}

// A surface that can never be made again: the window stays black, the tries
// come ever further apart (100 ms doubled up to 8 s) and the process waits
// between them at next to no processor cost; a key still ends the run.
TEST_F(ThreadLife, ASurfaceThatCannotBeMadeLeavesTheScreenBlackAndIdle) {
    InjectedFaults faults(WithLog({{"VERDO_SURFACE_FAULT", "WrongMode:20"},
                                   {"VERDO_SURFACE_REMAKE_REFUSALS", "1000000"}}));
    ASSERT_TRUE(faults.Ok()) << "no test build at " << faults.ProgramPath();
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ASSERT_TRUE(WaitForStamp(StartTimeoutMs));
    // Right after the 6th try the next one is 6.4 s away: the 2 s that
    // follow show what the waiting itself costs.
    size_t tries = 0;
    ASSERT_TRUE(WaitUntil([&] { return (tries = log_.Events().size()) >= 6; }, 15000)) << log_.Text();
    ASSERT_TRUE(WaitUntil([&] { return log_.Events().size() > tries; }, 10000)) << log_.Text();
    const double idleMs = ProcessorMsOver(Saver().Id(), 2000);
    std::printf("processor time in 2 s without a surface: %.0f ms\n", idleMs);
    EXPECT_GE(idleMs, 0) << "the system does not tell the processor time";
    EXPECT_LT(idleMs, 100);
    ASSERT_NO_FATAL_FAILURE(ExpectAKeyEndsTheRun());
}

// A thread that goes on for 3 s after the way out asks it to stop: once the
// bound has passed it is held where it holds no lock (in its own code), and
// the run ends with exit code 0 right then, without waiting for the thread.
TEST_F(ThreadLife, AThreadThatDoesNotAnswerTheWayOutIsHeldInItsOwnCode) {
    InjectedFaults faults(WithLog({{"VERDO_THREAD_ANSWERS_LATE_MS", "3000"}}));
    ASSERT_TRUE(faults.Ok()) << "no test build at " << faults.ProgramPath();
    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    ASSERT_TRUE(WaitForStamp(StartTimeoutMs));
    const ULONGLONG pressed = GetTickCount64();
    ASSERT_TRUE(EndWithKey(Saver())) << "the thread: " << DescribeAnimationThread(Saver().Id()) << "; " << log_.Text();
    const ULONGLONG endedAfterMs = GetTickCount64() - pressed;
    std::printf("ended %llu ms after the key\n", endedAfterMs);
    EXPECT_LT(endedAfterMs, 1500u) << "the way out waited for the thread";
    EXPECT_EQ(0u, Saver().ExitCode());
    EXPECT_EQ((Events{"stop not answered", "held at a safe point"}), log_.Events()) << log_.Text();
}

}  // namespace
