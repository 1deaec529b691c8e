#include "display_power.h"

#include <cstring>

namespace {
DisplayPowerStep StepForState(int64_t state)
{
    switch (state) {
    case 0: return DisplayPowerStep::Rest;
    case 1:
    case 2: return DisplayPowerStep::Resume;
    default: return DisplayPowerStep::Unchanged;
    }
}
}  // namespace

DisplayPowerStep StepForDisplayState(const uint8_t* data, size_t length)
{
    if (data == nullptr || length < sizeof(uint32_t)) return DisplayPowerStep::Unchanged;
    uint32_t state;
    std::memcpy(&state, data, sizeof state);
    return StepForState(state);
}

DisplayPowerStep StepForMonitorPower(intptr_t argument)
{
    // The low 32 bits, so that -1 reads alike sign-extended or not.
    switch (static_cast<int32_t>(argument)) {
    case 2: return DisplayPowerStep::Rest;
    case 1:
    case -1: return DisplayPowerStep::Resume;
    default: return DisplayPowerStep::Unchanged;
    }
}
