#include <gtest/gtest.h>

#include <vector>

#include "animation/random.h"
#include "animation/random_ahead.h"

namespace {

// Every generator value for each n: the scaling without a division must give
// what RandomBelow gives, through n = 1200, around every power of two and the
// screen sizes, and on both sides of the bound where it hands over to the
// long scaling.
TEST(RandomAhead, ScalingMatchesRandomBelowForEveryValue)
{
    std::vector<int32_t> ns;
    for (int32_t n = -2; n <= 1200; ++n) ns.push_back(n);
    for (int shift = 11; shift <= 30; ++shift)
        for (int32_t n : {(1 << shift) - 1, 1 << shift, (1 << shift) + 1}) ns.push_back(n);
    for (int32_t n : {1079, 1080, 1917, 1918, 1920, 2158, 2160, 3838, 3840, 7680, 65535, 65536, 65537, 65540, 65541,
                      70000, 131071, 131072, 131073, 2147483647})
        ns.push_back(n);
    for (int32_t n : ns) {
        const BelowScaler scaler = MakeBelowScaler(n);
        for (uint32_t r = 0; r < 32768; ++r) {
            const int32_t expected = ScaleRandomBelow(static_cast<int32_t>(r), n);
            if (ScaleBelow(scaler, r) != expected) {
                FAIL() << "n " << n << ", r " << r << ": " << ScaleBelow(scaler, r) << " instead of " << expected;
            }
        }
    }
}

TEST(RandomAhead, RandomBelowDrawsOneValueAndScalesIt)
{
    SeedRandom(172);
    EXPECT_EQ(600, NextRandom());
    SeedRandom(172);
    EXPECT_EQ(ScaleRandomBelow(600, 1920), RandomBelow(1920));
    EXPECT_EQ(172u * RandomMultiplier + RandomIncrement, GetRandomState());
}

TEST(RandomAhead, JumpsAndStepsBackFollowTheSequence)
{
    SeedRandom(99);
    std::vector<uint32_t> states{GetRandomState()};
    for (int i = 0; i < 40; ++i) {
        NextRandom();
        states.push_back(GetRandomState());
    }
    for (uint32_t steps = 0; steps <= 40; ++steps) {
        EXPECT_EQ(states[steps], JumpState(99u, RandomJumpOf(steps))) << steps;
        EXPECT_EQ(99u, RandomStateBefore(states[steps], steps)) << steps;
    }
    // A jump over 2^32 steps is no jump at all; over 2^31 it is not.
    const RandomJump half = RandomJumpOf(0x80000000u);
    EXPECT_NE(99u, JumpState(99u, half));
    EXPECT_EQ(99u, JumpState(JumpState(99u, half), half));
}

}  // namespace
