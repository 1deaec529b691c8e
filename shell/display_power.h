// Whether anyone can see the full-screen saver: once the display is off, the
// animation rests, and it goes on when the display comes back.
#pragma once
#include <cstddef>
#include <cstdint>

enum class DisplayPowerStep {
    Rest,       // the display went off
    Resume,     // on again, or dimmed: someone may still be looking
    Unchanged,  // nothing this program knows
};

// A display state's notification (the session's display, the console's, or
// the monitor's power): its data is one 32-bit value, 0 off, 1 on, 2 dimmed
// (the monitor's power knows only the first two).
DisplayPowerStep StepForDisplayState(const uint8_t* data, size_t length);

// The argument of a request to power the monitor: 2 off, 1 low power, -1 on.
DisplayPowerStep StepForMonitorPower(intptr_t argument);
