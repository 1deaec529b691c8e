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
RandomJump RandomJumpOf(uint32_t steps);

inline uint32_t JumpState(uint32_t state, const RandomJump& jump)
{
    return state * jump.multiplier + jump.increment;
}

// The state `steps` draws before `state`.
uint32_t RandomStateBefore(uint32_t state, uint32_t steps);

// RandomBelow's scaling for one fixed n, without a division: floor(r * n / 32767)
// is (r * n * 2147549187) >> 46. That multiplier exceeds 2^46 / 32767 by less
// than 32765 / 32767, so the product's error stays below 1 / 32767 (too small
// to carry it past the next integer) for every r * n below 2^46 / 32765, that
// is for n up to 65540. n * 2147549187 is worked out once per n; r times it
// stays below 2^63. Wider ranges (and n < 1) go through ScaleRandomBelow.
struct BelowScaler {
    uint64_t factor;   // n * 2147549187
    int32_t n;
    bool wide;
};

inline BelowScaler MakeBelowScaler(int32_t n)
{
    const bool wide = n < 1 || n > 65536;
    return BelowScaler{wide ? 0 : uint64_t{static_cast<uint32_t>(n)} * 2147549187u, n, wide};
}

inline int32_t ScaleBelow(const BelowScaler& scaler, uint32_t r)
{
    if (scaler.wide) return ScaleRandomBelow(static_cast<int32_t>(r), scaler.n);
    const int32_t v = static_cast<int32_t>((r * scaler.factor) >> 46);
    // Only r = 32767 reaches n itself; it gives n - 1.
    return v < scaler.n ? v : scaler.n - 1;
}

// Values drawn ahead into a ring, by draw number. A pass starts the queue
// from the generator, reads values at draw numbers up to what it has filled,
// and hands the generator back the state after the draws it has used. The
// ring holds RandomQueueSize values: a reader must not look further back
// than RandomQueueSize - 8 draws behind the last one filled.
const uint32_t RandomQueueSize = 4096;

struct RandomQueue {
    uint16_t values[RandomQueueSize];
    uint32_t filled;      // draws made (counted from the start, modulo 2^32)
    uint32_t state;       // the generator state after those draws
    RandomJump steps[8];  // 1 to 8 steps from `state`
};

void StartRandomQueue(RandomQueue& queue, uint32_t state);

// Draws eight more values.
void FillRandomQueueByEight(RandomQueue& queue);

// Makes sure the values before draw number `end` are there.
inline void FillRandomQueueTo(RandomQueue& queue, uint32_t end)
{
    while (static_cast<int32_t>(end - queue.filled) > 0) FillRandomQueueByEight(queue);
}

inline uint32_t QueuedValue(const RandomQueue& queue, uint32_t draw)
{
    return queue.values[draw & (RandomQueueSize - 1)];
}

// The generator state after the first `used` draws of the queue.
inline uint32_t QueueStateAfter(const RandomQueue& queue, uint32_t used)
{
    return RandomStateBefore(queue.state, queue.filled - used);
}
