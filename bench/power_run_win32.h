// Processor time of a full-screen verdo.scr with the display on and off,
// side by side in one run: the stretches alternate, on then off, and each
// is counted as processor seconds per minute of wall time.
#pragma once
#include <string>

struct PowerRun {
    double onSecondsPerMinute = -1;
    double offSecondsPerMinute = -1;
    std::string problem;   // why the figures are missing; empty when they are there
};

// `rounds` pairs of stretches of `stretchMs` each. The display is turned off
// and on as a program can ask, through the saver window's SC_MONITORPOWER.
PowerRun MeasurePower(const std::string& programPath, int rounds, unsigned stretchMs);
