#include "random_ahead.h"

namespace {

// 214013 * 3115528533 = 1 modulo 2^32: one step undone.
const uint32_t RandomMultiplierInverse = 3115528533u;

}  // namespace

uint32_t RandomStateBefore(uint32_t state, uint32_t steps)
{
    for (uint32_t i = 0; i < steps; ++i) state = (state - RandomIncrement) * RandomMultiplierInverse;
    return state;
}
