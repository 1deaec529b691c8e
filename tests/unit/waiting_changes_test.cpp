#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/waiting_changes.h"

namespace {

// An owner that writes down what it was asked, in order.
struct FakeOwner {
    bool stillInTime = true, heldByDialog = false, stopsInTime = true, startsSucceed = true;
    bool moveHeld = false;
    std::vector<std::string> calls;

    static FakeOwner& Of(void* c) { return *static_cast<FakeOwner*>(c); }
    AnimationOwnerSeam Seam()
    {
        return AnimationOwnerSeam{
            this,
            [](void* c) { return Of(c).moveHeld = true, Of(c).stillInTime; },
            [](void* c) { Of(c).moveHeld = false; },
            [](void* c, const DrawRegion& r) {
                EXPECT_TRUE(Of(c).moveHeld) << "the region is written only while the thread is held";
                Of(c).calls.push_back("write " + std::to_string(r.left));
            },
            [](void* c) { return Of(c).heldByDialog; },
            [](void* c) { return Of(c).calls.push_back("stop"), Of(c).stopsInTime; },
            [](void* c, const DrawRegion& r, bool newSurface, uint32_t failures) {
                Of(c).calls.push_back("start " + std::to_string(r.left) + (newSurface ? " new" : "") + " after " +
                                      std::to_string(failures));
                return Of(c).startsSucceed;
            }};
    }
};

DrawRegion At(int32_t left)
{
    return DrawRegion{left, 10, left + 100, 60, left, 10};
}

}  // namespace

// A move rewrites the region only once the thread stands still; one that
// did not get there in time keeps the thread held and is done at a later try.
TEST(WaitingChanges, AMoveWaitsForTheThreadToStandStillAndKeepsItHeldMeanwhile)
{
    FakeOwner owner;
    WaitingChanges changes{};
    owner.stillInTime = false;
    WishMove(changes, At(5));
    EXPECT_EQ(CarriedOut::Later, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_TRUE(owner.calls.empty());
    EXPECT_TRUE(owner.moveHeld) << "let go, the thread would draw at the old place";

    WishMove(changes, At(7));   // the latest place wins
    owner.stillInTime = true;
    EXPECT_EQ(CarriedOut::All, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_EQ((std::vector<std::string>{"write 7"}), owner.calls);
    EXPECT_FALSE(owner.moveHeld);
    EXPECT_EQ(CarriedOut::All, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_EQ(1u, owner.calls.size()) << "carried out once";
}

// While the dialog's message is up, a display change and a resize only wait;
// when it closes they become one new start, over the latest region, on a new
// surface since one of them asked for it.
TEST(WaitingChanges, ChangesDuringTheDialogsHoldBecomeOneNewStartAfterIt)
{
    FakeOwner owner;
    WaitingChanges changes{};
    owner.heldByDialog = true;
    WishRestart(changes, At(1), true);
    EXPECT_EQ(CarriedOut::All, CarryOutWaitingChanges(changes, owner.Seam()));
    WishRestart(changes, At(2), false);
    WishMove(changes, At(3));
    EXPECT_EQ(CarriedOut::All, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_TRUE(owner.calls.empty()) << "nothing stopped or started under the dialog's hold";

    owner.heldByDialog = false;
    EXPECT_EQ(CarriedOut::All, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_EQ((std::vector<std::string>{"stop", "start 3 new after 0"}), owner.calls);
    EXPECT_EQ(CarriedOut::All, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_EQ(2u, owner.calls.size());
}

// A thread that does not stop in time is never started over; a surface that
// cannot be had is tried again ever later, up to 8 s, with everything made
// anew; the first start that works ends the waiting.
TEST(WaitingChanges, NewStartsThatCannotBeMadeAreTriedAgainEverLater)
{
    FakeOwner owner;
    WaitingChanges changes{};
    owner.stopsInTime = false;
    WishRestart(changes, At(4), false);
    EXPECT_EQ(CarriedOut::Later, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_EQ((std::vector<std::string>{"stop"}), owner.calls);
    EXPECT_EQ(100u, RetryDelayMs(changes));

    owner.stopsInTime = true;
    owner.startsSucceed = false;
    std::vector<uint32_t> delays;
    for (int attempt = 0; attempt < 8; ++attempt) {
        EXPECT_EQ(CarriedOut::Later, CarryOutWaitingChanges(changes, owner.Seam()));
        delays.push_back(RetryDelayMs(changes));
    }
    EXPECT_EQ((std::vector<uint32_t>{200, 400, 800, 1600, 3200, 6400, 8000, 8000}), delays);
    EXPECT_EQ("start 4 after 0", owner.calls[2]);
    EXPECT_EQ("start 4 new after 1", owner.calls[4]);

    owner.startsSucceed = true;
    EXPECT_EQ(CarriedOut::All, CarryOutWaitingChanges(changes, owner.Seam()));
    EXPECT_EQ("start 4 new after 8", owner.calls.back());
    EXPECT_EQ(100u, RetryDelayMs(changes));
}
