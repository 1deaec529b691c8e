#include "random_ahead.h"

namespace {

// 214013 * 3115528533 = 1 modulo 2^32: one step undone.
const uint32_t RandomMultiplierInverse = 3115528533u;

}  // namespace

RandomJump RandomJumpOf(uint32_t steps)
{
    // Square-and-multiply over the affine map state -> a * state + c.
    RandomJump result{1u, 0u};
    RandomJump power{RandomMultiplier, RandomIncrement};
    while (steps != 0) {
        if (steps & 1u) result = RandomJump{result.multiplier * power.multiplier,
                                            result.increment * power.multiplier + power.increment};
        power = RandomJump{power.multiplier * power.multiplier, power.increment * power.multiplier + power.increment};
        steps >>= 1;
    }
    return result;
}

uint32_t RandomStateBefore(uint32_t state, uint32_t steps)
{
    for (uint32_t i = 0; i < steps; ++i) state = (state - RandomIncrement) * RandomMultiplierInverse;
    return state;
}

void StartRandomQueue(RandomQueue& queue, uint32_t state)
{
    queue.filled = 0;
    queue.state = state;
    for (uint32_t i = 0; i < 8; ++i) queue.steps[i] = RandomJumpOf(i + 1);
}

void FillRandomQueueByEight(RandomQueue& queue)
{
    // Each value straight from the same state, so the eight multiplications
    // do not wait for one another.
    const uint32_t state = queue.state;
    uint16_t* out = queue.values + (queue.filled & (RandomQueueSize - 1));
    for (int i = 0; i < 8; ++i) out[i] = static_cast<uint16_t>(RandomValueOf(JumpState(state, queue.steps[i])));
    queue.state = JumpState(state, queue.steps[7]);
    queue.filled += 8;
}
