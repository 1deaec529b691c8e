// How much the stress cases do. The short form runs with every test run; the
// long form (tools/stress) when VERDO_STRESS=long. The random choices of a
// case come from a generator seeded by VERDO_STRESS_SEED, or by the clock,
// and the case prints its seed so that a failure can be replayed.
#pragma once
#include <cstdint>
#include <random>

struct StressPlan {
    bool longForm;
    int saverRuns;            // full-screen runs ended at a random moment
    int simultaneousRounds;   // rounds of simultaneous starts
    int settingsSessions;     // Configure sessions
    int dialogMoves;          // moves of the dialog in each session
    unsigned longRunSeconds;  // the long run, warm-up included
    unsigned warmUpSeconds;
    unsigned sampleEverySeconds;
};

const StressPlan& TheStressPlan();

// A generator for the running case, seeded from the run's seed and the
// case's name; prints both.
std::mt19937 CaseRandom();

// A number in [low, high], both included.
int RandomBetween(std::mt19937& random, int low, int high);
