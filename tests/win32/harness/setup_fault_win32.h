// Runs of the test build of verdo.scr (built into setup_faults\ beside the
// test program, never shipped), whose display set-up fails at a chosen step,
// or whose primary surface is lost during the animation, on request.
#pragma once
#include <string>
#include <utility>
#include <string>
#include <vector>

using FaultVariables = std::vector<std::pair<std::string, std::string>>;

// For its life, SaverProcess starts the test build instead of the program
// under test, with these environment variables set for the processes started
// then. Afterwards both are as they were.
class InjectedFaults {
public:
    explicit InjectedFaults(FaultVariables variables);
    ~InjectedFaults();
    InjectedFaults(const InjectedFaults&) = delete;
    InjectedFaults& operator=(const InjectedFaults&) = delete;
    // False when the test build is missing or a variable could not be set.
    bool Ok() const { return ok_; }
    const std::string& ProgramPath() const { return program_; }

private:
    FaultVariables variables_;
    std::string program_;
    std::string programBefore_;
    bool ok_;
};

// The set-up step named (the SetupStep enumerator's name, "CreateSurface" say) fails.
class InjectedSetupFault : public InjectedFaults {
public:
    explicit InjectedSetupFault(const char* step) : InjectedFaults(FaultVariables{{"VERDO_FAILING_SETUP_STEP", step}}) {}
};

// The primary surface is lost at the nth Lock of a pass ("Lock:n") or the nth
// GetDC of a stamp ("GetDC:n"), and the first `refusals` restores are refused.
class InjectedSurfaceLoss : public InjectedFaults {
public:
    InjectedSurfaceLoss(const char* where, int refusals)
        : InjectedFaults(FaultVariables{{"VERDO_SURFACE_LOST", where},
                                         {"VERDO_SURFACE_RESTORE_REFUSALS", std::to_string(refusals)}}) {}
};

// The test build writes down how each stop of its animation thread ended
// ("stopped <ms>", "stop not answered <ms>", "held at a safe point 0",
// "held inside a system call 0"), each new surface ("surface made anew
// <failures before>", "surface not made <failures before>") and the moment a
// surface fault struck ("fault struck <lock>"), in a file of its own for this
// object's life.
class ThreadLog {
public:
    ThreadLog();
    ~ThreadLog();
    ThreadLog(const ThreadLog&) = delete;
    ThreadLog& operator=(const ThreadLog&) = delete;
    const std::string& Path() const { return path_; }
    // The lines written so far, without their figures.
    std::vector<std::string> Events() const;
    // The whole text, for a failure's message.
    std::string Text() const;

private:
    std::string path_;
};
