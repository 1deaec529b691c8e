// The generator run ahead of its use. Its sequence does not depend on the
// picture, so a pass can draw values in bulk, look at the picks to come and
// fetch their memory early, and still leave the generator exactly where
// drawing one value at a time would have left it.
#pragma once
#include <cstdint>

#include "random.h"

// The value NextRandom returns once the generator holds `state`.
inline uint32_t RandomValueOf(uint32_t state) { return (state >> 16) & 0x7FFFu; }

// `steps` generator steps as one: state -> state * multiplier + increment.
struct RandomJump {
    uint32_t multiplier;
    uint32_t increment;
};

constexpr RandomJump RandomJumpOf(uint32_t steps)
{
    // Square-and-multiply over the affine map state -> a * state + c.
    RandomJump result{1u, 0u};
    RandomJump power{RandomMultiplier, RandomIncrement};
    while (steps != 0) {
        if (steps & 1u) {
            result = RandomJump{result.multiplier * power.multiplier, result.increment * power.multiplier + power.increment};
        }
        power = RandomJump{power.multiplier * power.multiplier, power.increment * power.multiplier + power.increment};
        steps >>= 1;
    }
    return result;
}

constexpr uint32_t JumpState(uint32_t state, const RandomJump& jump)
{
    return state * jump.multiplier + jump.increment;
}

// The state `steps` draws before `state`.
uint32_t RandomStateBefore(uint32_t state, uint32_t steps);

// RandomBelow's scaling for one fixed n, exactly, without a division.
// With n = 32767 a + b (b < 32767), r n / 32767 = r a + r b / 32767, and
// floor(r b / 32767) = (r b 2147549187) >> 46: that multiplier exceeds
// 2^46 / 32767 by less than 32765 / 32767, so the product's error stays below
// 1 / 32767, too small to carry it past the next integer, while r b < 2^46 / 32765.
// Only r = 32767 reaches n itself, which gives n - 1; n < 1 gives 0.
struct BelowScaler {
    uint32_t wholes;      // a
    uint64_t remainder;   // b * 2147549187
    int32_t top;          // n - 1, or 0 for n < 1
};

constexpr BelowScaler MakeBelowScaler(int32_t n)
{
    if (n < 1) return BelowScaler{0, 0, 0};
    const uint32_t count = static_cast<uint32_t>(n);
    return BelowScaler{count / 32767u, uint64_t{count % 32767u} * 2147549187u, n - 1};
}

inline int32_t ScaleBelow(const BelowScaler& scaler, uint32_t r)
{
    const uint32_t v = r * scaler.wholes + static_cast<uint32_t>((r * scaler.remainder) >> 46);
    const uint32_t top = static_cast<uint32_t>(scaler.top);
    return static_cast<int32_t>(v < top ? v : top);
}

// The same for n up to 32766, where r n / 32767 has no whole multiple to add.
inline int32_t ScaleBelowNarrow(const BelowScaler& scaler, uint32_t r)
{
    const uint32_t v = static_cast<uint32_t>((r * scaler.remainder) >> 46);
    const uint32_t top = static_cast<uint32_t>(scaler.top);
    return static_cast<int32_t>(v < top ? v : top);
}

template <bool Narrow>
inline int32_t ScaleBelowAs(const BelowScaler& scaler, uint32_t r)
{
    return Narrow ? ScaleBelowNarrow(scaler, r) : ScaleBelow(scaler, r);
}
