// One measured run of a full-screen program: launched, watched until it is
// on the screen, ended by one real mouse movement, and watched until its
// process is gone and the desktop shows again.
#pragma once
#include <string>

enum class StartSign {
    FirstStamp,    // verdo.scr: the first phrase pixels in the stamp colour
    BlackScreen,   // the minimal program: its black window covers the screen
};

struct LatencyProgram {
    std::string label;       // the column it goes into
    std::string path;        // Windows path
    std::string arguments;
    StartSign startSign;
    unsigned long monitors = 0;   // verdo.scr's choice for the other monitors
};

// Milliseconds from launch or from the movement; negative when not seen.
struct LatencyRun {
    double startMs = -1;     // launch to the start sign on the screen
    double goneMs = -1;      // movement to the end of the process
    double desktopMs = -1;   // movement to the desktop's colour across the screen
    long long moveTicks = 0; // QueryPerformanceCounter at the movement
    std::string problem;     // why the run is not counted; empty when it is
};

// The desktop, as read back now along the middle row of the primary screen
// across every monitor, when it shows one colour there; false otherwise.
bool ReadDesktopColour(unsigned long& colour);

LatencyRun MeasureRun(const LatencyProgram& program, unsigned long desktopColour);
