// Runs of the test build of verdo.scr whose display set-up fails at a chosen
// step (built into setup_faults\ beside the test program, never shipped).
#pragma once
#include <string>

// For its life, SaverProcess starts the test build instead of the program
// under test, and the processes started then fail the set-up step named
// (the SetupStep enumerator's name, "CreateSurface" say). Afterwards both
// are as they were.
class InjectedSetupFault {
public:
    explicit InjectedSetupFault(const char* step);
    ~InjectedSetupFault();
    InjectedSetupFault(const InjectedSetupFault&) = delete;
    InjectedSetupFault& operator=(const InjectedSetupFault&) = delete;
    // False when the test build is missing or the step could not be set.
    bool Ok() const { return ok_; }
    const std::string& ProgramPath() const { return program_; }

private:
    std::string program_;
    std::string programBefore_;
    bool ok_;
};
