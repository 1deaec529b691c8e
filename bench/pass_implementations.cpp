#include "pass_implementations.h"

#include "animation/fade_pass.h"

const PassImplementation PassImplementations[] = {
    {"reference", FadePass, GrowthPass},
};

const size_t PassImplementationCount = sizeof(PassImplementations) / sizeof(PassImplementations[0]);
