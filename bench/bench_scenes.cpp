#include "bench_scenes.h"

#include <algorithm>
#include <random>

#include "animation/random.h"
#include "animation/stamp_geometry.h"
#include "font_text.h"

namespace {

const int32_t GrowthPassesBeforeTiming = 3;
const char* const BenchPhrase = "Verdo";

void MakeScene(BenchScene& scene, int32_t width, int32_t height, uint32_t bitCount)
{
    CreateMemorySurface(scene.surface, width, height, bitCount);
    scene.region = DrawRegion{0, 0, width, height, 0, 0};
    scene.stampRect = ScreenRect{0, 0, 0, 0};
    scene.growthMask.assign(static_cast<size_t>(width) * height, 0);
}

}  // namespace

void PrepareColourScene(BenchScene& scene, int32_t width, int32_t height, uint32_t bitCount)
{
    MakeScene(scene, width, height, bitCount);
    std::mt19937 generator(12345);
    for (uint8_t& byte : scene.surface.storage) byte = static_cast<uint8_t>(generator());
}

void PrepareGrowthScene(BenchScene& scene, int32_t width, int32_t height, uint32_t bitCount,
                        GrowthVariant variant)
{
    MakeScene(scene, width, height, bitCount);
    const int32_t scale = FontScaleForHeight(height);
    const int32_t measured = MeasureFontText(BenchPhrase, MeasureBox(scene.region), scale);
    scene.stampRect = ComputeStampRect(scene.region, measured);
    DrawFontText(scene.surface, BenchPhrase, scene.stampRect, scale);

    SaverSettings settings{};
    ApplyDefaultSettings(settings);
    SeedRandom(1);
    const PixelBuffer pixels = MemoryPixels(scene.surface);
    for (int32_t pass = 0; pass < GrowthPassesBeforeTiming; ++pass) {
        GrowthPass(variant, pixels, settings, scene.region, scene.stampRect, scene.growthMask.data());
    }
}

int64_t GrowthPicks(const ScreenRect& stampRect, GrowthVariant variant, uint32_t bitCount)
{
    const int32_t inset = variant == GrowthInverted && bitCount != 16 ? 20 : 0;
    const int64_t rows = std::max<int64_t>(0, int64_t{stampRect.bottom} - stampRect.top - 2 * inset);
    const int64_t columns = std::max<int64_t>(0, int64_t{stampRect.right} - stampRect.left);
    return rows * columns;
}
