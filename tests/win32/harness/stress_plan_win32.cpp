#include "harness/stress_plan_win32.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

uint32_t RunSeed() {
    static const uint32_t seed = [] {
        const std::string given = Environment("VERDO_STRESS_SEED");
        return given.empty() ? static_cast<uint32_t>(GetTickCount64() ^ GetCurrentProcessId())
                             : static_cast<uint32_t>(std::strtoul(given.c_str(), nullptr, 10));
    }();
    return seed;
}

}  // namespace

const StressPlan& TheStressPlan() {
    static const StressPlan plan = [] {
        const bool longForm = Environment("VERDO_STRESS") == "long";
        StressPlan chosen = longForm ? StressPlan{true, 200, 5, 50, 100, 3600, 60, 10}
                                     : StressPlan{false, 12, 1, 4, 20, 40, 10, 3};
        // A shorter long run, for trying the check itself.
        const std::string seconds = Environment("VERDO_STRESS_LONG_RUN_SECONDS");
        if (!seconds.empty()) chosen.longRunSeconds = static_cast<unsigned>(std::strtoul(seconds.c_str(), nullptr, 10));
        return chosen;
    }();
    return plan;
}

std::mt19937 CaseRandom() {
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "";
    std::printf("%s form, VERDO_STRESS_SEED=%lu\n", TheStressPlan().longForm ? "long" : "short",
                static_cast<unsigned long>(RunSeed()));
    std::fflush(stdout);
    std::seed_seq sequence{RunSeed(), static_cast<uint32_t>(std::hash<std::string>()(name))};
    return std::mt19937(sequence);
}

int RandomBetween(std::mt19937& random, int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
}
