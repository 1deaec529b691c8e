#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "shell/display_power.h"

namespace {

DisplayPowerStep FromState(uint32_t state, size_t length = sizeof(uint32_t))
{
    uint8_t data[8] = {};
    std::memcpy(data, &state, sizeof state);
    return StepForDisplayState(data, length);
}

TEST(DisplayPower, OnlyADisplayOffRestsTheAnimation)
{
    EXPECT_EQ(DisplayPowerStep::Rest, FromState(0));
    EXPECT_EQ(DisplayPowerStep::Resume, FromState(1));
    EXPECT_EQ(DisplayPowerStep::Resume, FromState(2));   // dimmed: still seen
    EXPECT_EQ(DisplayPowerStep::Unchanged, FromState(3));
    EXPECT_EQ(DisplayPowerStep::Unchanged, FromState(0x100));
    // Data too short to hold a state tells nothing.
    EXPECT_EQ(DisplayPowerStep::Unchanged, FromState(0, 3));
    EXPECT_EQ(DisplayPowerStep::Unchanged, StepForDisplayState(nullptr, 4));

    EXPECT_EQ(DisplayPowerStep::Rest, StepForMonitorPower(2));
    EXPECT_EQ(DisplayPowerStep::Resume, StepForMonitorPower(1));    // low power: still seen
    EXPECT_EQ(DisplayPowerStep::Resume, StepForMonitorPower(-1));
    EXPECT_EQ(DisplayPowerStep::Unchanged, StepForMonitorPower(0));
    // -1 passed in 32 bits reads alike in a 64-bit argument.
    EXPECT_EQ(DisplayPowerStep::Resume, StepForMonitorPower(static_cast<intptr_t>(0xFFFFFFFFu)));
}

}  // namespace
