#include "pass_implementations.h"

#include "animation/fade_pass.h"
#include "tests/reference/reference_passes.h"

namespace {
// The program's passes on a region that nothing moves.
void FastFade(const PixelBuffer& pixels, const DrawRegion& region, uint8_t* growthMask)
{
    FadePass(pixels, region, growthMask);
}

void FastGrowth(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                const DrawRegion& region, const ScreenRect& stampRect, uint8_t* growthMask)
{
    GrowthPass(variant, pixels, settings, region, stampRect, growthMask);
}
}  // namespace

const PassImplementation PassImplementations[] = {
    {"reference", ReferenceFadePass, ReferenceGrowthPass},
    {"fast", FastFade, FastGrowth},
};

const size_t PassImplementationCount = sizeof(PassImplementations) / sizeof(PassImplementations[0]);
