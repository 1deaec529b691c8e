#include <gtest/gtest.h>

#include <vector>

#include "animation/geometry.h"
#include "animation/safe_point.h"

namespace {

const int32_t ScreenWidth = 1024;
const int32_t ScreenHeight = 768;
const int ManyAttempts = 50;

// A thread that only counts, the way SuspendThread and ResumeThread do.
struct CountingThread {
    uint32_t count = 0;
    uint32_t highest = 0;
    bool refuseSuspension = false;
};

uint32_t CountingSuspend(void* thread)
{
    auto& t = *static_cast<CountingThread*>(thread);
    if (t.refuseSuspension)
        return SuspendFailed;
    const uint32_t before = t.count++;
    if (t.count > t.highest)
        t.highest = t.count;
    return before;
}

void CountingResume(void* thread)
{
    auto& t = *static_cast<CountingThread*>(thread);
    if (t.count > 0)
        --t.count;
}

// A preview frame of 400 x 250 pixels whose client area starts at (x, y).
DrawRegion FrameAt(int32_t x, int32_t y)
{
    return DrawRegion{x, y, x + 400, y + 250, x, y};
}

}  // namespace

TEST(PreviewOnScreen, RightAndBottomMustStayStrictlyInsideTheScreen)
{
    EXPECT_TRUE(RegionWhollyOnScreen(DrawRegion{0, 0, 1023, 767, 0, 0}, ScreenWidth, ScreenHeight));
    EXPECT_FALSE(RegionWhollyOnScreen(DrawRegion{0, 0, 1024, 767, 0, 0}, ScreenWidth, ScreenHeight));
    EXPECT_FALSE(RegionWhollyOnScreen(DrawRegion{0, 0, 1023, 768, 0, 0}, ScreenWidth, ScreenHeight));
    EXPECT_FALSE(RegionWhollyOnScreen(DrawRegion{-1, 0, 399, 250, -1, 0}, ScreenWidth, ScreenHeight));
    EXPECT_FALSE(RegionWhollyOnScreen(DrawRegion{0, -1, 400, 249, 0, -1}, ScreenWidth, ScreenHeight));
    // Far off in any direction, including a region wrapped round to huge values.
    EXPECT_FALSE(RegionWhollyOnScreen(FrameAt(-5000, -5000), ScreenWidth, ScreenHeight));
    EXPECT_FALSE(RegionWhollyOnScreen(FrameAt(3000, 100), ScreenWidth, ScreenHeight));
    EXPECT_FALSE(RegionWhollyOnScreen(DrawRegion{INT32_MIN, 0, INT32_MAX, 10, 0, 0}, ScreenWidth,
                                      ScreenHeight));
}

namespace {

// A thread that is caught in a system call the first few times.
struct BusyThread {
    CountingThread counts;
    int unsafeCatches = 0;
    int checks = 0;
    int letRun = 0;
};

uint32_t BusySuspend(void* thread) { return CountingSuspend(&static_cast<BusyThread*>(thread)->counts); }
void BusyResume(void* thread) { CountingResume(&static_cast<BusyThread*>(thread)->counts); }
bool BusySafePoint(void* thread)
{
    auto& t = *static_cast<BusyThread*>(thread);
    ++t.checks;
    if (t.unsafeCatches > 0) {
        --t.unsafeCatches;
        return false;
    }
    return true;
}
BusyThread* LetRunTarget = nullptr;
void BusyLetRun(int) { ++LetRunTarget->letRun; }

SafePointHold SuspendBusy(BusyThread& thread, int attempts)
{
    LetRunTarget = &thread;
    return SuspendAtSafePoint(RawThread{&thread, BusySuspend, BusyResume, BusySafePoint, BusyLetRun}, attempts);
}

}  // namespace

// A long bound and the way out's: a thread in its own code is held at
// the first catch; one caught inside a system call is let go and caught anew,
// never held twice at once, up to the last attempt the bound allows.
TEST(SafePointSuspension, ACatchInsideASystemCallIsLetGoUntilTheThreadIsInItsOwnCode)
{
    for (const int attempts : {ManyAttempts, ExitSafePointAttempts}) {
        for (const int unsafeCatches : {0, attempts - 1}) {
            BusyThread thread;
            thread.unsafeCatches = unsafeCatches;
            const SafePointHold hold = SuspendBusy(thread, attempts);
            EXPECT_EQ(0u, hold.before);
            EXPECT_TRUE(hold.atSafePoint);
            EXPECT_EQ(1u, thread.counts.count);
            EXPECT_EQ(1u, thread.counts.highest);
            EXPECT_EQ(unsafeCatches + 1, thread.checks);
            EXPECT_EQ(unsafeCatches, thread.letRun);
        }
    }
}

TEST(SafePointSuspension, AnAlreadyHeldThreadIsTakenAsItIsAtNoKnownPlace)
{
    BusyThread thread;
    thread.counts.count = 1;
    const SafePointHold hold = SuspendBusy(thread, ManyAttempts);
    EXPECT_EQ(1u, hold.before);
    EXPECT_FALSE(hold.atSafePoint);
    EXPECT_EQ(2u, thread.counts.count);
    EXPECT_EQ(0, thread.checks);
}

// Past the bound the last catch is kept where the thread stands, once, and
// reported as no safe point; the thread is not let run again.
TEST(SafePointSuspension, AThreadNeverAtASafePointStaysHeldAtTheLastCatch)
{
    for (const int attempts : {ManyAttempts, ExitSafePointAttempts}) {
        BusyThread thread;
        thread.unsafeCatches = attempts;
        const SafePointHold hold = SuspendBusy(thread, attempts);
        EXPECT_EQ(0u, hold.before);
        EXPECT_FALSE(hold.atSafePoint);
        EXPECT_EQ(1u, thread.counts.count);
        EXPECT_EQ(1u, thread.counts.highest);
        EXPECT_EQ(attempts, thread.checks);
        EXPECT_EQ(attempts - 1, thread.letRun);
    }
}

TEST(SafePointSuspension, AFailedSuspensionIsReported)
{
    BusyThread thread;
    thread.counts.refuseSuspension = true;
    const SafePointHold hold = SuspendBusy(thread, ManyAttempts);
    EXPECT_EQ(SuspendFailed, hold.before);
    EXPECT_FALSE(hold.atSafePoint);
    EXPECT_EQ(0u, thread.counts.count);
    EXPECT_EQ(0, thread.letRun);
}
