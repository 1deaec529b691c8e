#include "pass_implementations.h"

#include "animation/fade_pass.h"
#include "tests/reference/reference_passes.h"

const PassImplementation PassImplementations[] = {
    {"reference", ReferenceFadePass, ReferenceGrowthPass},
    {"fast", FadePass, GrowthPass},
};

const size_t PassImplementationCount = sizeof(PassImplementations) / sizeof(PassImplementations[0]);
