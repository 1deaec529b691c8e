// Nanoseconds per pick of the fade and growth passes at three screen sizes and
// three bit counts, beside a baseline of as many random read-modify-writes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench_scenes.h"
#include "pass_implementations.h"

namespace {

const int32_t FadeFramesPerCycle = 13;

struct ScreenSize {
    int32_t width;
    int32_t height;
};
const ScreenSize BenchSizes[] = {{800, 600}, {1920, 1080}, {3840, 2160}};
const uint32_t BenchBitCounts[] = {16, 24, 32};

std::string SizeName(const ScreenSize& size)
{
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

// The growth state is steady once prepared, so one scene serves every run of
// a benchmark; it is made again only when the next benchmark needs another.
BenchScene& GrowthSceneFor(const ScreenSize& size, uint32_t bitCount, GrowthVariant variant)
{
    static BenchScene scene;
    static std::string key;
    const std::string wanted = SizeName(size) + "/" + std::to_string(bitCount) + "/" + std::to_string(variant);
    if (key != wanted) {
        PrepareGrowthScene(scene, size.width, size.height, bitCount, variant);
        key = wanted;
    }
    return scene;
}

// The 13 fade frames of a cycle, each from the full-colour picture afresh.
void BenchFade(benchmark::State& state, const PassImplementation* implementation, ScreenSize size,
               uint32_t bitCount)
{
    BenchScene scene;
    PrepareColourScene(scene, size.width, size.height, bitCount);
    const std::vector<uint8_t> picture = scene.surface.storage;
    const PixelBuffer pixels = MemoryPixels(scene.surface);
    for (auto _ : state) {
        state.PauseTiming();
        std::memcpy(scene.surface.storage.data(), picture.data(), picture.size());
        std::fill(scene.growthMask.begin(), scene.growthMask.end(), 0);
        state.ResumeTiming();
        for (int32_t frame = 0; frame < FadeFramesPerCycle; ++frame) {
            implementation->fade(pixels, scene.region, scene.growthMask.data());
        }
    }
    const int64_t picksPerFrame = int64_t{size.width} * size.height;
    state.SetItemsProcessed(state.iterations() * FadeFramesPerCycle * picksPerFrame);
    state.counters["picks_per_frame"] = static_cast<double>(picksPerFrame);
}

void BenchGrowth(benchmark::State& state, const PassImplementation* implementation, ScreenSize size,
                 uint32_t bitCount, GrowthVariant variant)
{
    BenchScene& scene = GrowthSceneFor(size, bitCount, variant);
    SaverSettings settings{};
    ApplyDefaultSettings(settings);
    const PixelBuffer pixels = MemoryPixels(scene.surface);
    for (auto _ : state) {
        implementation->growth(variant, pixels, settings, scene.region, scene.stampRect, scene.growthMask.data());
    }
    const int64_t picksPerFrame = GrowthPicks(scene.stampRect, variant, bitCount);
    state.SetItemsProcessed(state.iterations() * picksPerFrame);
    state.counters["picks_per_frame"] = static_cast<double>(picksPerFrame);
}

// What the memory allows: per pick one mask byte read and one read-modify-write
// of a pixel, at positions drawn before the timing over buffers of the same sizes.
template <size_t PixelBytes>
void BaselineFrame(uint8_t* pixels, const uint8_t* mask, const std::vector<uint32_t>& positions)
{
    for (uint32_t position : positions) {
        uint8_t* pixel = pixels + static_cast<size_t>(position) * PixelBytes;
        pixel[0] = static_cast<uint8_t>(pixel[0] + 1 + mask[position]);
        pixel[PixelBytes - 1] = static_cast<uint8_t>(pixel[PixelBytes - 1] ^ 0x55);
    }
}

void BenchBaseline(benchmark::State& state, ScreenSize size, uint32_t bitCount)
{
    const size_t pixelCount = static_cast<size_t>(size.width) * size.height;
    std::vector<uint8_t> pixels(pixelCount * (bitCount / 8), 0x40);
    const std::vector<uint8_t> mask(pixelCount, 0);
    std::vector<uint32_t> positions(pixelCount);
    std::mt19937 generator(54321);
    std::uniform_int_distribution<uint32_t> anywhere(0, static_cast<uint32_t>(pixelCount - 1));
    for (uint32_t& position : positions) position = anywhere(generator);

    for (auto _ : state) {
        if (bitCount == 16) BaselineFrame<2>(pixels.data(), mask.data(), positions);
        if (bitCount == 24) BaselineFrame<3>(pixels.data(), mask.data(), positions);
        if (bitCount == 32) BaselineFrame<4>(pixels.data(), mask.data(), positions);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pixelCount));
    state.counters["picks_per_frame"] = static_cast<double>(pixelCount);
}

void RegisterPassBenchmarks()
{
    const struct {
        GrowthVariant variant;
        const char* name;
    } forms[] = {{GrowthNormal, "normal"}, {GrowthInverted, "inverted"}};

    for (const ScreenSize& size : BenchSizes) {
        for (uint32_t bitCount : BenchBitCounts) {
            const std::string tail = std::to_string(bitCount) + "/" + SizeName(size);
            benchmark::RegisterBenchmark(("BM_Baseline/" + tail).c_str(), BenchBaseline, size, bitCount)
                ->Unit(benchmark::kMillisecond);
            for (size_t i = 0; i < PassImplementationCount; ++i) {
                const PassImplementation* implementation = &PassImplementations[i];
                benchmark::RegisterBenchmark(("BM_Fade/" + tail + "/" + implementation->name).c_str(), BenchFade,
                                             implementation, size, bitCount)
                    ->Unit(benchmark::kMillisecond);
            }
            for (const auto& form : forms) {
                for (size_t i = 0; i < PassImplementationCount; ++i) {
                    const PassImplementation* implementation = &PassImplementations[i];
                    const std::string name =
                        std::string("BM_Growth/") + form.name + "/" + tail + "/" + implementation->name;
                    benchmark::RegisterBenchmark(name.c_str(), BenchGrowth, implementation, size, bitCount,
                                                 form.variant)
                        ->Unit(benchmark::kMillisecond);
                }
            }
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    RegisterPassBenchmarks();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
