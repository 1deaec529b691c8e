#include <gtest/gtest.h>

#include <vector>

#include "animation/random.h"

namespace {

// Sets the generator so that its next value is r: with state s, the next state
// is s * 214013 + 2531011, whose bits 16-30 are the value. Solve for s by
// inverting the multiplication modulo 2^32.
void SetNextValue(int32_t r)
{
    const uint32_t wantedNext = static_cast<uint32_t>(r) << 16;
    uint32_t inverse = 214013u;   // Newton's iteration for the inverse of an odd number
    for (int i = 0; i < 5; ++i) inverse *= 2u - 214013u * inverse;
    SeedRandom((wantedNext - 2531011u) * inverse);
}

std::vector<int32_t> Draw(int count)
{
    std::vector<int32_t> values;
    for (int i = 0; i < count; ++i) values.push_back(NextRandom());
    return values;
}

TEST(Random, KnownSequences)
{
    SeedRandom(1);
    EXPECT_EQ((std::vector<int32_t>{41, 18467, 6334, 26500, 19169}), Draw(5));
    SeedRandom(172);
    EXPECT_EQ((std::vector<int32_t>{600, 21437, 13683}), Draw(3));
}

TEST(Random, SeedFromTheClock)
{
    EXPECT_EQ(172u, SeedFromLocalTime(31, 23, 59, 59));
    EXPECT_EQ(1u, SeedFromLocalTime(1, 0, 0, 0));
}

TEST(Random, StateIsVisibleAndDrivesTheSequence)
{
    SeedRandom(1);
    EXPECT_EQ(1u, GetRandomState());
    NextRandom();
    EXPECT_EQ(1u * 214013u + 2531011u, GetRandomState());
    SetNextValue(32767);
    EXPECT_EQ(32767, NextRandom());
    SetNextValue(0);
    EXPECT_EQ(0, NextRandom());
}

TEST(RandomBelow, OverEveryGeneratorValue)
{
    for (int32_t r = 0; r < 32768; ++r) {
        SetNextValue(r);
        ASSERT_EQ(0, RandomBelow(1));
        SetNextValue(r);
        ASSERT_EQ(r < 16384 ? 0 : 1, RandomBelow(2)) << "r = " << r;
    }

    int counts[3] = {0, 0, 0};
    for (int32_t r = 0; r < 32768; ++r) {
        SetNextValue(r);
        const int32_t v = RandomBelow(3);
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 3);
        ++counts[v];
    }
    EXPECT_EQ(10923, counts[0]);
    EXPECT_EQ(10922, counts[1]);
    EXPECT_EQ(10923, counts[2]);
}

TEST(RandomBelow, TopValueGivesTheLastNumber)
{
    for (int32_t n : {2, 3, 7, 200, 1024, 65535}) {
        SetNextValue(32767);
        EXPECT_EQ(n - 1, RandomBelow(n));
        SetNextValue(32766);
        EXPECT_LT(RandomBelow(n), n);
    }
}

TEST(RandomBelow, HugeAndEmptyRangesStayInBounds)
{
    const int32_t huge = 1 << 20;
    SetNextValue(32767);
    EXPECT_EQ(huge - 1, RandomBelow(huge));
    SetNextValue(32766);
    EXPECT_EQ(1048543, RandomBelow(huge));   // 32766 * 2^20 / 32767, past 32-bit range
    SetNextValue(5);
    EXPECT_EQ(0, RandomBelow(0));
    SetNextValue(5);
    EXPECT_EQ(0, RandomBelow(-3));
}

TEST(RandomBelow, DrawsExactlyOneValue)
{
    SeedRandom(77);
    RandomBelow(1000);
    const uint32_t afterOne = GetRandomState();
    SeedRandom(77);
    NextRandom();
    EXPECT_EQ(GetRandomState(), afterOne);
}

}  // namespace
