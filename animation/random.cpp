#include "random.h"

namespace {
uint32_t RandomStateValue = 1;   // the state at process start
}

void SeedRandom(uint32_t seed)
{
    RandomStateValue = seed;
}

int32_t NextRandom()
{
    RandomStateValue = RandomStateValue * RandomMultiplier + RandomIncrement;
    return static_cast<int32_t>((RandomStateValue >> 16) & 0x7FFF);
}

int32_t RandomBelow(int32_t n)
{
    return ScaleRandomBelow(NextRandom(), n);
}

int32_t ScaleRandomBelow(int32_t value, int32_t n)
{
    const uint32_t r = static_cast<uint32_t>(value) & 0x7FFFu;
    if (n < 1) return 0;
    // r * n fits 32 unsigned bits up to n = 131072; wider ranges take 64 bits
    // rather than wrap round to a value past n - 1.
    const int32_t v = n <= 131072 ? static_cast<int32_t>(r * static_cast<uint32_t>(n) / 32767u)
                                  : static_cast<int32_t>(uint64_t{r} * static_cast<uint64_t>(n) / 32767u);
    return v == n ? n - 1 : v;
}

uint32_t GetRandomState()
{
    return RandomStateValue;
}

uint32_t SeedFromLocalTime(uint16_t day, uint16_t hour, uint16_t minute, uint16_t second)
{
    return static_cast<uint32_t>(day) + hour + minute + second;
}
