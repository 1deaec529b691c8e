#include <gtest/gtest.h>

#include <vector>

#include "settings/dialog_suspension.h"

namespace {

const int32_t ScreenWidth = 1024;
const int32_t ScreenHeight = 768;

// A thread that only counts, the way SuspendThread and ResumeThread do.
struct CountingThread {
    uint32_t count = 0;
    uint32_t highest = 0;
    bool refuseSuspension = false;
    const DrawRegion* watched = nullptr;     // region seen at every resume
    std::vector<DrawRegion> seenAtResume;
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
    if (t.watched)
        t.seenAtResume.push_back(*t.watched);
}

AnimationThreadSeam SeamOf(CountingThread& thread)
{
    return AnimationThreadSeam{&thread, CountingSuspend, CountingResume};
}

// A preview frame of 400 x 250 pixels whose client area starts at (x, y).
DrawRegion FrameAt(int32_t x, int32_t y)
{
    return DrawRegion{x, y, x + 400, y + 250, x, y};
}

void Move(CountingThread& thread, DrawRegion& shared, const DrawRegion& moved)
{
    MoveSharedRegion(SeamOf(thread), shared, moved, ScreenWidth, ScreenHeight);
}

bool Succeeds(void*) { return true; }
bool Fails(void*) { return false; }

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

TEST(DialogMove, OffScreenParksTheThreadAndBackOnScreenRunsIt)
{
    CountingThread thread;
    DrawRegion shared = FrameAt(100, 100);

    Move(thread, shared, FrameAt(200, 150));
    EXPECT_EQ(0u, thread.count);
    EXPECT_EQ(200, shared.left);

    // Right edge exactly on the screen's width: off.
    Move(thread, shared, FrameAt(ScreenWidth - 400, 100));
    EXPECT_EQ(1u, thread.count);
    EXPECT_EQ(ScreenWidth, shared.right);

    // One pixel further left: runs again.
    Move(thread, shared, FrameAt(ScreenWidth - 401, 100));
    EXPECT_EQ(0u, thread.count);

    Move(thread, shared, FrameAt(100, ScreenHeight - 250));
    EXPECT_EQ(1u, thread.count);
    Move(thread, shared, FrameAt(100, ScreenHeight - 251));
    EXPECT_EQ(0u, thread.count);

    Move(thread, shared, FrameAt(-1, 100));
    EXPECT_EQ(1u, thread.count);
    Move(thread, shared, FrameAt(0, 0));
    EXPECT_EQ(0u, thread.count);
    Move(thread, shared, FrameAt(10, -1));
    EXPECT_EQ(1u, thread.count);
}

TEST(DialogMove, ManyMovesOffAndOnNeverStackSuspensions)
{
    CountingThread thread;
    DrawRegion shared = FrameAt(100, 100);
    for (int round = 0; round < 20; ++round) {
        Move(thread, shared, FrameAt(-300 - round, 100));
        Move(thread, shared, FrameAt(900, 600 + round));
        Move(thread, shared, FrameAt(-10, -10));
        EXPECT_EQ(1u, thread.count) << "round " << round;
    }
    EXPECT_EQ(2u, thread.highest);   // the move's own brief hold on top of the parked one
    Move(thread, shared, FrameAt(300, 300));
    EXPECT_EQ(0u, thread.count);
}

TEST(DialogMove, TheRegionIsWrittenBeforeTheThreadRunsAgain)
{
    CountingThread thread;
    DrawRegion shared = FrameAt(100, 100);
    thread.watched = &shared;
    Move(thread, shared, FrameAt(250, 260));
    ASSERT_EQ(1u, thread.seenAtResume.size());
    EXPECT_EQ(250, thread.seenAtResume[0].left);
    EXPECT_EQ(260, thread.seenAtResume[0].originY);
    EXPECT_EQ(510, thread.seenAtResume[0].bottom);
}

TEST(DialogMove, AFailedSuspensionGivesNothingBack)
{
    CountingThread thread;
    DrawRegion shared = FrameAt(100, 100);
    Move(thread, shared, FrameAt(-50, 100));   // parked
    thread.refuseSuspension = true;
    Move(thread, shared, FrameAt(100, 100));
    EXPECT_EQ(1u, thread.count);               // still parked: nothing of ours to resume
    EXPECT_EQ(100, shared.left);               // the region follows the dialog all the same
}

TEST(SettingsChange, InvertAndOkHoldTheThreadAroundTheChange)
{
    CountingThread thread;
    DrawRegion shared = FrameAt(100, 100);

    EXPECT_TRUE(ChangeWhileHeld(SeamOf(thread), Succeeds, nullptr, nullptr));
    EXPECT_EQ(0u, thread.count);
    EXPECT_EQ(1u, thread.highest);

    // Parked off screen: the change nests and leaves it parked.
    Move(thread, shared, FrameAt(-20, 100));
    EXPECT_TRUE(ChangeWhileHeld(SeamOf(thread), Succeeds, nullptr, nullptr));
    EXPECT_EQ(1u, thread.count);
    Move(thread, shared, FrameAt(20, 100));
    EXPECT_EQ(0u, thread.count);
}

// A failed save is told while the thread stands still, then the preview runs
// again, as often as OK is tried; a thread parked off screen stays parked.
TEST(SettingsChange, AFailedSaveIsToldWhileHeldAndGivesItsHoldBack)
{
    struct Told {
        CountingThread* thread;
        std::vector<uint32_t> countsWhenTold;
    };
    CountingThread thread;
    Told told{&thread, {}};
    auto tell = [](void* context) {
        auto& t = *static_cast<Told*>(context);
        t.countsWhenTold.push_back(t.thread->count);
    };

    EXPECT_FALSE(ChangeWhileHeld(SeamOf(thread), Fails, tell, &told));
    EXPECT_FALSE(ChangeWhileHeld(SeamOf(thread), Fails, tell, &told));
    EXPECT_EQ((std::vector<uint32_t>{1, 1}), told.countsWhenTold);
    EXPECT_EQ(0u, thread.count);

    DrawRegion shared = FrameAt(100, 100);
    Move(thread, shared, FrameAt(-20, 100));
    EXPECT_FALSE(ChangeWhileHeld(SeamOf(thread), Fails, tell, &told));
    EXPECT_EQ(2u, told.countsWhenTold.back());
    EXPECT_EQ(1u, thread.count);

    // Success tells nothing.
    EXPECT_TRUE(ChangeWhileHeld(SeamOf(thread), Succeeds, tell, &told));
    EXPECT_EQ(3u, told.countsWhenTold.size());
}

TEST(SettingsChange, ClosingForGoodLeavesTheThreadHeld)
{
    CountingThread thread;
    HoldForGood(SeamOf(thread));
    EXPECT_EQ(1u, thread.count);
    EXPECT_TRUE(thread.seenAtResume.empty());
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

// The dialog's bound and the way out's: a thread in its own code is held at
// the first catch; one caught inside a system call is let go and caught anew,
// never held twice at once, up to the last attempt the bound allows.
TEST(SafePointSuspension, ACatchInsideASystemCallIsLetGoUntilTheThreadIsInItsOwnCode)
{
    for (const int attempts : {SafePointAttempts, ExitSafePointAttempts}) {
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
    const SafePointHold hold = SuspendBusy(thread, SafePointAttempts);
    EXPECT_EQ(1u, hold.before);
    EXPECT_FALSE(hold.atSafePoint);
    EXPECT_EQ(2u, thread.counts.count);
    EXPECT_EQ(0, thread.checks);
}

// Past the bound the last catch is kept where the thread stands, once, and
// reported as no safe point; the thread is not let run again.
TEST(SafePointSuspension, AThreadNeverAtASafePointStaysHeldAtTheLastCatch)
{
    for (const int attempts : {SafePointAttempts, ExitSafePointAttempts}) {
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
    const SafePointHold hold = SuspendBusy(thread, SafePointAttempts);
    EXPECT_EQ(SuspendFailed, hold.before);
    EXPECT_FALSE(hold.atSafePoint);
    EXPECT_EQ(0u, thread.counts.count);
    EXPECT_EQ(0, thread.letRun);
}
