#include <gtest/gtest.h>

#include <vector>

#include "animation/fade_pass.h"
#include "animation/memory_surface.h"
#include "animation/random.h"

namespace {

DrawRegion RegionAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return DrawRegion{x, y, x + width, y + height, x, y};
}

// A surface just holding `region`, at its screen position.
struct FadeBench {
    MemorySurface surface;
    DrawRegion region;
    std::vector<uint8_t> mask;

    FadeBench(uint32_t bitCount, const DrawRegion& r, int32_t pitch = 0) : region(r)
    {
        EXPECT_TRUE(CreateMemorySurface(surface, r.right, r.bottom, bitCount, pitch));
        mask.assign(static_cast<size_t>(RegionWidth(r)) * RegionHeight(r), 0);
    }
    void Pass() { FadePass(MemoryPixels(surface), region, mask.data()); }
    uint8_t& Mark(int32_t x, int32_t y) { return mask[(y - region.originY) * RegionWidth(region) + x - region.originX]; }
};

TEST(FadePass, FullChannelsDieInTwoHits)
{
    for (uint32_t bits : {24u, 32u}) {
        FadeBench one(bits, RegionAt(0, 0, 1, 1));
        WriteMemoryPixel(one.surface, 0, 0, Rgb{255, 255, 255});
        one.Pass();
        EXPECT_EQ((Rgb{125, 125, 125}), ReadMemoryPixel(one.surface, 0, 0));
        EXPECT_EQ(0, one.Mark(0, 0));
        one.Pass();
        EXPECT_EQ((Rgb{0, 0, 0}), ReadMemoryPixel(one.surface, 0, 0));
        EXPECT_EQ(1, one.Mark(0, 0));
    }

    FadeBench word(16, RegionAt(0, 0, 1, 1));
    WriteRawPixel(word.surface, 0, 0, 0xFFFF);
    word.Pass();
    EXPECT_EQ(0x7BCFu, ReadRawPixel(word.surface, 0, 0));
    EXPECT_EQ(0, word.Mark(0, 0));
    word.Pass();
    EXPECT_EQ(0u, ReadRawPixel(word.surface, 0, 0));
    EXPECT_EQ(1, word.Mark(0, 0));
}

TEST(FadePass, ChannelValuesAroundTheStep)
{
    FadeBench bench(24, RegionAt(0, 0, 1, 1));
    WriteMemoryPixel(bench.surface, 0, 0, Rgb{130, 129, 131});
    bench.Pass();
    EXPECT_EQ((Rgb{0, 0, 1}), ReadMemoryPixel(bench.surface, 0, 0));
    EXPECT_EQ(0, bench.Mark(0, 0));

    // At 16 bits every field of 16 or less (131 or less) goes in one hit.
    FadeBench word(16, RegionAt(0, 0, 1, 1));
    WriteRawPixel(word.surface, 0, 0, (16u << 11) | (16u << 6) | 17u);
    word.Pass();
    EXPECT_EQ(1u, ReadRawPixel(word.surface, 0, 0));   // blue 17 -> 139 -> 9 -> field 1
}

TEST(FadePass, BlackPixelsAreMarkedAtTheirFirstHit)
{
    FadeBench black(32, RegionAt(0, 0, 1, 1));
    black.Pass();
    EXPECT_EQ(1, black.Mark(0, 0));

    // Only green bit 5 set: not read, written back as zero, marked.
    FadeBench bitFive(16, RegionAt(0, 0, 1, 1));
    WriteRawPixel(bitFive.surface, 0, 0, 0x0020);
    bitFive.Pass();
    EXPECT_EQ(0u, ReadRawPixel(bitFive.surface, 0, 0));
    EXPECT_EQ(1, bitFive.Mark(0, 0));
}

TEST(FadePass, MarkedPixelsAreLeftAlone)
{
    FadeBench bench(24, RegionAt(0, 0, 1, 1));
    WriteMemoryPixel(bench.surface, 0, 0, Rgb{200, 200, 200});
    bench.Mark(0, 0) = 1;
    bench.Pass();
    EXPECT_EQ((Rgb{200, 200, 200}), ReadMemoryPixel(bench.surface, 0, 0));
}

TEST(FadePass, FourthByteOfA32BitPixelIsKept)
{
    FadeBench bench(32, RegionAt(0, 0, 1, 1));
    WriteRawPixel(bench.surface, 0, 0, 0x5AFFFFFF);
    for (int i = 0; i < 4; ++i) bench.Pass();
    EXPECT_EQ(0x5A000000u, ReadRawPixel(bench.surface, 0, 0));
    EXPECT_EQ(1, bench.Mark(0, 0));
}

// Replays the picks from the generator (px, then py, one per region pixel)
// and checks every pixel against the number of times it was hit.
TEST(FadePass, PicksFollowTheGeneratorColumnThenRow)
{
    const DrawRegion region = RegionAt(3, 2, 7, 5);
    FadeBench bench(24, region);
    for (int32_t y = 0; y < region.bottom; ++y)
        for (int32_t x = 0; x < region.right; ++x) WriteMemoryPixel(bench.surface, x, y, Rgb{255, 255, 255});

    SeedRandom(99);
    std::vector<int> hits(7 * 5, 0);
    for (int pick = 0; pick < 7 * 5; ++pick) {
        const int32_t px = RandomBelow(7);
        const int32_t py = RandomBelow(5);
        ++hits[py * 7 + px];
    }
    const uint32_t stateAfterPicks = GetRandomState();

    SeedRandom(99);
    bench.Pass();
    EXPECT_EQ(stateAfterPicks, GetRandomState());
    for (int32_t py = 0; py < 5; ++py) {
        for (int32_t px = 0; px < 7; ++px) {
            const int h = hits[py * 7 + px];
            const uint8_t level = h == 0 ? 255 : (h == 1 ? 125 : 0);
            EXPECT_EQ((Rgb{level, level, level}), ReadMemoryPixel(bench.surface, 3 + px, 2 + py))
                << px << "," << py;
            EXPECT_EQ(h >= 2 ? 1 : 0, bench.Mark(3 + px, 2 + py));
        }
    }
    // Outside the region nothing changes.
    EXPECT_EQ((Rgb{255, 255, 255}), ReadMemoryPixel(bench.surface, 2, 2));
    EXPECT_EQ((Rgb{255, 255, 255}), ReadMemoryPixel(bench.surface, 5, 1));
}

TEST(FadePass, EveryPickCostsTwoDrawsMarkedOrNot)
{
    FadeBench bench(16, RegionAt(0, 0, 4, 3));
    for (uint8_t& m : bench.mask) m = 1;
    SeedRandom(5);
    for (int i = 0; i < 2 * 12; ++i) NextRandom();
    const uint32_t expected = GetRandomState();
    SeedRandom(5);
    bench.Pass();
    EXPECT_EQ(expected, GetRandomState());
}

TEST(FadePass, EmptyRegionsAndOtherDepthsDrawNothing)
{
    MemorySurface surface;
    ASSERT_TRUE(CreateMemorySurface(surface, 4, 4, 24));
    uint8_t mask[16] = {};
    SeedRandom(3);
    FadePass(MemoryPixels(surface), DrawRegion{2, 0, 2, 4, 2, 0}, mask);   // width 0
    FadePass(MemoryPixels(surface), DrawRegion{0, 3, 4, 1, 0, 3}, mask);   // height < 0
    EXPECT_EQ(3u, GetRandomState());

    // A region whose corner is not its origin would pick outside itself.
    WriteMemoryPixel(surface, 0, 0, Rgb{255, 255, 255});
    FadePass(MemoryPixels(surface), DrawRegion{1, 0, 4, 4, 0, 0}, mask);
    FadePass(MemoryPixels(surface), DrawRegion{0, 1, 4, 4, 0, 0}, mask);
    EXPECT_EQ(3u, GetRandomState());
    EXPECT_EQ((Rgb{255, 255, 255}), ReadMemoryPixel(surface, 0, 0));

    MemorySurface paletted;
    ASSERT_TRUE(CreateMemorySurface(paletted, 2, 2, 8));
    WriteRawPixel(paletted, 0, 0, 0xC8);
    FadePass(MemoryPixels(paletted), RegionAt(0, 0, 2, 2), mask);
    EXPECT_EQ(3u, GetRandomState());
    EXPECT_EQ(0xC8u, ReadRawPixel(paletted, 0, 0));
}

// Padding after each row and bottom-up rows give the same picture.
TEST(FadePass, PitchDoesNotChangeThePicture)
{
    for (uint32_t bits : {16u, 24u, 32u}) {
        const DrawRegion region = RegionAt(1, 1, 9, 6);
        FadeBench packed(bits, region);
        FadeBench padded(bits, region, static_cast<int32_t>(10 * bits / 8 + 7));
        FadeBench bottomUp(bits, region, -static_cast<int32_t>(10 * bits / 8 + 2));
        for (FadeBench* b : {&packed, &padded, &bottomUp}) {
            for (int32_t y = 0; y < 7; ++y)
                for (int32_t x = 0; x < 10; ++x)
                    WriteMemoryPixel(b->surface, x, y, Rgb{static_cast<uint8_t>(25 * x), 200, static_cast<uint8_t>(40 * y)});
            SeedRandom(11);
            b->Pass();
            b->Pass();
        }
        for (int32_t y = 0; y < 7; ++y) {
            for (int32_t x = 0; x < 10; ++x) {
                EXPECT_EQ(ReadRawPixel(packed.surface, x, y), ReadRawPixel(padded.surface, x, y));
                EXPECT_EQ(ReadRawPixel(packed.surface, x, y), ReadRawPixel(bottomUp.surface, x, y));
            }
        }
        EXPECT_EQ(packed.mask, padded.mask);
        EXPECT_EQ(packed.mask, bottomUp.mask);
    }
}

}  // namespace
