#include <gtest/gtest.h>

#include <vector>

#include "animation/growth_pass.h"
#include "animation/memory_surface.h"
#include "animation/random.h"

namespace {

const Rgb StampInk{0, 0, 16};

DrawRegion RegionAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return DrawRegion{x, y, x + width, y + height, x, y};
}

SaverSettings Limits(uint8_t red, uint8_t green, uint8_t blue)
{
    SaverSettings s{};
    s.RedLimit = red;
    s.GreenLimit = green;
    s.BlueLimit = blue;
    return s;
}

// A region on a surface with a one-pixel border around it, so that any write
// outside the region shows; the mask has guard bytes at both ends.
struct GrowthBench {
    MemorySurface surface;
    DrawRegion region;
    std::vector<uint8_t> maskWithGuards;
    SaverSettings settings = Limits(255, 255, 255);
    static const size_t Guard = 16;

    GrowthBench(uint32_t bitCount, int32_t width, int32_t height) : region(RegionAt(1, 1, width, height))
    {
        EXPECT_TRUE(CreateMemorySurface(surface, width + 2, height + 2, bitCount));
        maskWithGuards.assign(static_cast<size_t>(width) * height + 2 * Guard, 0xA5);
        for (size_t i = Guard; i < maskWithGuards.size() - Guard; ++i) maskWithGuards[i] = 0;
        for (int32_t y = 0; y < height + 2; ++y)
            for (int32_t x = 0; x < width + 2; ++x)
                if (!Inside(x, y)) WriteRawPixel(surface, x, y, 0x77777777);
    }
    bool Inside(int32_t x, int32_t y) const
    {
        return x >= region.left && x < region.right && y >= region.top && y < region.bottom;
    }
    uint8_t* Mask() { return maskWithGuards.data() + Guard; }
    uint8_t& Mark(int32_t x, int32_t y) { return Mask()[(y - 1) * RegionWidth(region) + x - 1]; }
    void MarkAll() { for (int32_t y = 1; y < region.bottom; ++y) for (int32_t x = 1; x < region.right; ++x) Mark(x, y) = 1; }
    void FillRegion(const Rgb& c)
    {
        for (int32_t y = 1; y < region.bottom; ++y)
            for (int32_t x = 1; x < region.right; ++x) WriteMemoryPixel(surface, x, y, c);
    }
    void Pass(GrowthVariant variant, const ScreenRect& stampRect)
    {
        GrowthPass(variant, MemoryPixels(surface), settings, region, stampRect, Mask());
    }
    // One pick (a 1 x 1 StampRect).
    void Pick(GrowthVariant variant) { Pass(variant, ScreenRect{0, 0, 1, 1}); }
    void ExpectBorderAndGuardsIntact()
    {
        for (int32_t y = 0; y < region.bottom + 1; ++y)
            for (int32_t x = 0; x < region.right + 1; ++x)
                if (!Inside(x, y)) {
                    ASSERT_EQ(0x77777777u & (surface.bitCount == 32 ? 0xFFFFFFFFu : (1u << surface.bitCount) - 1),
                              ReadRawPixel(surface, x, y)) << x << "," << y;
                }
        for (size_t i = 0; i < Guard; ++i) {
            ASSERT_EQ(0xA5, maskWithGuards[i]);
            ASSERT_EQ(0xA5, maskWithGuards[maskWithGuards.size() - 1 - i]);
        }
    }
};

uint32_t StateAfterDraws(uint32_t seed, int draws)
{
    SeedRandom(seed);
    for (int i = 0; i < draws; ++i) NextRandom();
    return GetRandomState();
}

TEST(GrowthPass, StampedPixelFirstStepAllDepths)
{
    GrowthBench word(16, 1, 1);
    WriteRawPixel(word.surface, 1, 1, 0x0002);
    word.Pick(GrowthNormal);
    EXPECT_EQ(0x1084u, ReadRawPixel(word.surface, 1, 1));
    EXPECT_EQ(0, word.Mark(1, 1));

    for (uint32_t bits : {24u, 32u}) {
        GrowthBench bench(bits, 1, 1);
        WriteMemoryPixel(bench.surface, 1, 1, StampInk);
        bench.Pick(GrowthNormal);
        EXPECT_EQ((Rgb{20, 20, 36}), ReadMemoryPixel(bench.surface, 1, 1));
        bench.ExpectBorderAndGuardsIntact();
    }
}

TEST(GrowthPass, NormalVariantMarksBlackOnly)
{
    GrowthBench black(16, 1, 1);
    black.Pick(GrowthNormal);
    EXPECT_EQ(0u, ReadRawPixel(black.surface, 1, 1));
    EXPECT_EQ(1, black.Mark(1, 1));

    // Bit 5 alone is not black: it grows, and bit 5 is written as 0.
    GrowthBench bitFive(16, 1, 1);
    WriteRawPixel(bitFive.surface, 1, 1, 0x0020);
    bitFive.Pick(GrowthNormal);
    EXPECT_EQ(0x1082u, ReadRawPixel(bitFive.surface, 1, 1));
    EXPECT_EQ(0, bitFive.Mark(1, 1));

    GrowthBench black32(32, 1, 1);
    WriteRawPixel(black32.surface, 1, 1, 0xFF000000);   // only the fourth byte set
    black32.Pick(GrowthNormal);
    EXPECT_EQ(1, black32.Mark(1, 1));
    EXPECT_EQ(0xFF000000u, ReadRawPixel(black32.surface, 1, 1));
}

TEST(GrowthPass, ChannelsClimbToTheLimitAndReset)
{
    // 16 bits, limit 255: the red field walks 0, 2, 4 ... 18, 21, 24, 27, 30, then resets.
    GrowthBench word(16, 1, 1);
    WriteRawPixel(word.surface, 1, 1, 0x0002);
    const uint32_t redFields[] = {2, 4, 6, 8, 10, 12, 14, 16, 18, 21, 24, 27, 30, 0, 2};
    for (uint32_t field : redFields) {
        word.Pick(GrowthNormal);
        EXPECT_EQ(field, ReadRawPixel(word.surface, 1, 1) >> 11);
    }
    // The reset of green is 11, field 1 (bits 6-10), bit 5 always clear.
    EXPECT_EQ(0u, ReadRawPixel(word.surface, 1, 1) & 0x20);

    GrowthBench bytes(24, 1, 1);
    WriteMemoryPixel(bytes.surface, 1, 1, StampInk);
    for (int step = 1; step <= 12; ++step) {
        bytes.Pick(GrowthNormal);
        EXPECT_EQ(20 * step, ReadMemoryPixel(bytes.surface, 1, 1).red);
    }
    bytes.Pick(GrowthNormal);   // 240 is not below 235: reset; blue reset a step earlier
    EXPECT_EQ((Rgb{1, 11, 41}), ReadMemoryPixel(bytes.surface, 1, 1));
}

TEST(GrowthPass, LowLimitsKeepTheResetValue)
{
    GrowthBench bench(24, 1, 1);
    bench.settings = Limits(0, 30, 20);
    WriteMemoryPixel(bench.surface, 1, 1, StampInk);
    bench.Pick(GrowthNormal);
    EXPECT_EQ((Rgb{1, 20, 21}), ReadMemoryPixel(bench.surface, 1, 1));
    bench.Pick(GrowthNormal);
    EXPECT_EQ((Rgb{1, 11, 21}), ReadMemoryPixel(bench.surface, 1, 1));
    bench.Pick(GrowthNormal);
    EXPECT_EQ((Rgb{1, 11, 21}), ReadMemoryPixel(bench.surface, 1, 1));   // 11 < 10 fails
}

TEST(GrowthPass, LimitChangedBetweenPassesActsAtOnce)
{
    GrowthBench bench(32, 1, 1);
    WriteMemoryPixel(bench.surface, 1, 1, StampInk);
    bench.Pick(GrowthNormal);
    EXPECT_EQ(36, ReadMemoryPixel(bench.surface, 1, 1).blue);
    bench.settings.BlueLimit = 40;   // as a slider would, without restarting anything
    bench.Pick(GrowthNormal);
    EXPECT_EQ(21, ReadMemoryPixel(bench.surface, 1, 1).blue);
    bench.settings.BlueLimit = 255;
    bench.Pick(GrowthNormal);
    EXPECT_EQ(41, ReadMemoryPixel(bench.surface, 1, 1).blue);
}

TEST(GrowthPass, InvertedVariantMarksTheStampColour)
{
    // A 3-pixel-wide region: the one inner column is always the centre.
    GrowthBench word(16, 3, 1);
    WriteRawPixel(word.surface, 2, 1, 0x0022);   // stamp colour with bit 5: still the stamp colour
    word.Pick(GrowthInverted);
    EXPECT_EQ(1, word.Mark(2, 1));
    EXPECT_EQ(0x0022u, ReadRawPixel(word.surface, 2, 1));

    GrowthBench black(16, 3, 1);
    black.Pick(GrowthInverted);
    EXPECT_EQ(0x1082u, ReadRawPixel(black.surface, 2, 1));   // 0 -> 20 in each channel
    black.settings = Limits(20, 20, 255);
    black.Pick(GrowthInverted);
    EXPECT_EQ(PackWord565(Rgb{8, 8, 36}), ReadRawPixel(black.surface, 2, 1));

    GrowthBench bytes(24, 3, 41);
    WriteMemoryPixel(bytes.surface, 2, 21, StampInk);
    SeedRandom(1);
    // 41 rows less 20 at each end leave one row of picks: 3 picks.
    bytes.Pass(GrowthInverted, ScreenRect{0, 0, 3, 41});
    EXPECT_EQ(StateAfterDraws(1, 6), GetRandomState());
    for (int32_t y = 1; y <= 41; ++y) {
        EXPECT_EQ((Rgb{0, 0, 0}), ReadMemoryPixel(bytes.surface, 1, y));   // outer columns untouched
        EXPECT_EQ((Rgb{0, 0, 0}), ReadMemoryPixel(bytes.surface, 3, y));
    }
}

TEST(GrowthPass, InvertedResetValues)
{
    GrowthBench word(16, 3, 1);
    word.settings = Limits(0, 0, 0);
    WriteMemoryPixel(word.surface, 2, 1, Rgb{200, 200, 200});
    word.Pick(GrowthInverted);
    EXPECT_EQ((Rgb{8, 8, 8}), ReadMemoryPixel(word.surface, 2, 1));

    GrowthBench bytes(32, 3, 41);
    bytes.settings = Limits(0, 0, 0);
    bytes.FillRegion(Rgb{200, 200, 200});
    bytes.Pass(GrowthInverted, ScreenRect{0, 0, 50, 41});   // 50 picks on column 2
    for (int32_t y = 1; y <= 41; ++y) {
        const Rgb c = ReadMemoryPixel(bytes.surface, 2, y);
        EXPECT_TRUE(c == (Rgb{1, 1, 1}) || c == (Rgb{200, 200, 200})) << y;
    }
}

TEST(GrowthPass, InvertedOuterColumnsAreNeverWritten)
{
    GrowthBench bench(16, 10, 5);
    bench.FillRegion(Rgb{99, 99, 99});
    for (int i = 0; i < 20; ++i) bench.Pass(GrowthInverted, ScreenRect{0, 0, 10, 5});
    int changedInside = 0;
    for (int32_t y = 1; y <= 5; ++y) {
        EXPECT_EQ(PackWord565(Rgb{99, 99, 99}), ReadRawPixel(bench.surface, 1, y));
        EXPECT_EQ(PackWord565(Rgb{99, 99, 99}), ReadRawPixel(bench.surface, 10, y));
        for (int32_t x = 2; x <= 9; ++x) changedInside += ReadRawPixel(bench.surface, x, y) != PackWord565(Rgb{99, 99, 99});
    }
    EXPECT_EQ(40, changedInside);   // 1000 picks over 40 inner pixels reach them all
}

TEST(GrowthPass, PickCountsAndDrawsPerForm)
{
    struct Case {
        GrowthVariant variant;
        uint32_t bits;
        ScreenRect stampRect;
        int picks;
    };
    const Case cases[] = {
        {GrowthNormal, 16, {5, 5, 8, 7}, 6},
        {GrowthNormal, 24, {5, 5, 8, 7}, 6},
        {GrowthInverted, 16, {5, 5, 8, 7}, 6},
        {GrowthInverted, 24, {0, 0, 2, 40}, 0},   // 40 rows or fewer: none
        {GrowthInverted, 32, {0, 10, 2, 52}, 4},  // 42 rows less 40
        {GrowthNormal, 32, {8, 5, 5, 7}, 0},      // negative width
        {GrowthNormal, 32, {5, 7, 8, 5}, 0},      // negative height
        {GrowthInverted, 24, {0, 0, 2, 30}, 0},   // fewer than 40 rows
    };
    for (const Case& c : cases) {
        GrowthBench bench(c.bits, 6, 4);
        bench.FillRegion(Rgb{50, 50, 50});
        SeedRandom(42);
        bench.Pass(c.variant, c.stampRect);
        EXPECT_EQ(StateAfterDraws(42, 2 * c.picks), GetRandomState()) << c.picks << " picks";
    }
}

// Each stepped centre of a region W wide makes N probes of two draws each.
TEST(GrowthPass, NeighbourProbeCountFollowsTheWidth)
{
    struct Case {
        GrowthVariant variant;
        int32_t width;
        int probes;
    };
    const Case cases[] = {
        {GrowthNormal, 200, 0},   {GrowthNormal, 201, 1},   {GrowthNormal, 401, 2},
        {GrowthInverted, 202, 0}, {GrowthInverted, 203, 1}, {GrowthNormal, 1024, 5},
        {GrowthInverted, 1024, 5},
    };
    for (const Case& c : cases) {
        GrowthBench bench(16, c.width, 1);   // 16 bits: the inverted form picks on every row
        bench.FillRegion(Rgb{50, 50, 50});
        SeedRandom(8);
        bench.Pick(c.variant);
        EXPECT_EQ(StateAfterDraws(8, 2 + 2 * c.probes), GetRandomState()) << c.width;

        // A pick that ends at a marked centre draws no probes.
        bench.MarkAll();
        SeedRandom(8);
        bench.Pick(c.variant);
        EXPECT_EQ(StateAfterDraws(8, 2), GetRandomState()) << c.width;
    }
}

// Draws of one pick of a region W x H with N = 1, replayed from `seed`.
struct OnePick {
    int32_t px, py, ox, oy;
};
OnePick ReplayPick(uint32_t seed, int32_t width, int32_t height, bool inverted)
{
    SeedRandom(seed);
    OnePick p;
    p.px = inverted ? 1 + RandomBelow(width - 2) : RandomBelow(width);
    p.py = RandomBelow(height);
    p.ox = RandomBelow(3) - 1;
    p.oy = RandomBelow(3) - 1;
    return p;
}

TEST(GrowthPass, HaloGoesToAMarkedNeighbour)
{
    for (uint32_t bits : {16u, 24u}) {
        // Find a seed whose probe lands beside the centre, inside the row.
        uint32_t seed = 1;
        OnePick p = ReplayPick(seed, 201, 1, false);
        while (p.ox == 0 || p.px + p.ox < 0 || p.px + p.ox > 200) p = ReplayPick(++seed, 201, 1, false);

        GrowthBench bench(bits, 201, 1);
        bench.MarkAll();
        const int32_t cx = 1 + p.px;
        bench.Mark(cx, 1) = 0;
        WriteMemoryPixel(bench.surface, cx, 1, StampInk);
        SeedRandom(seed);
        bench.Pick(GrowthNormal);

        if (bits == 16) {
            EXPECT_EQ(0x1084u, ReadRawPixel(bench.surface, cx, 1));
            EXPECT_EQ(0x0842u, ReadRawPixel(bench.surface, cx + p.ox, 1));
        } else {
            EXPECT_EQ((Rgb{20, 20, 36}), ReadMemoryPixel(bench.surface, cx, 1));
            EXPECT_EQ((Rgb{10, 10, 18}), ReadMemoryPixel(bench.surface, cx + p.ox, 1));
        }
        EXPECT_EQ(1, bench.Mark(cx + p.ox, 1));   // still marked
        EXPECT_EQ(0, bench.Mark(cx, 1));
        bench.ExpectBorderAndGuardsIntact();
    }
}

TEST(GrowthPass, ProbesAreClampedOntoTheRegion)
{
    // A centre on the top row whose probe points one row higher lands on the
    // top row itself, never on the row above the region.
    uint32_t seed = 1;
    OnePick p = ReplayPick(seed, 201, 3, false);
    while (p.py != 0 || p.oy != -1 || p.ox == 0 || p.px + p.ox < 0 || p.px + p.ox > 200)
        p = ReplayPick(++seed, 201, 3, false);

    GrowthBench bench(32, 201, 3);
    bench.MarkAll();
    const int32_t cx = 1 + p.px;
    bench.Mark(cx, 1) = 0;
    WriteMemoryPixel(bench.surface, cx, 1, StampInk);
    SeedRandom(seed);
    bench.Pick(GrowthNormal);
    EXPECT_EQ((Rgb{10, 10, 18}), ReadMemoryPixel(bench.surface, cx + p.ox, 1));
    bench.ExpectBorderAndGuardsIntact();

    // Many picks over a small region with probes: nothing outside is touched.
    GrowthBench busy(16, 402, 4);
    busy.FillRegion(StampInk);
    for (int32_t x = 1; x <= 402; x += 3) busy.Mark(x, 1) = 1;
    for (int i = 0; i < 3; ++i) busy.Pass(GrowthNormal, ScreenRect{0, 0, 402, 4});
    busy.ExpectBorderAndGuardsIntact();
    GrowthBench busyInverted(24, 404, 42);
    busyInverted.FillRegion(Rgb{60, 60, 60});
    for (int32_t x = 1; x <= 404; x += 2) WriteMemoryPixel(busyInverted.surface, x, 1, StampInk);
    busyInverted.Pass(GrowthInverted, ScreenRect{0, 0, 404, 42});
    busyInverted.ExpectBorderAndGuardsIntact();
}

TEST(GrowthPass, InvertedRewriteAtSevenEighthsCanReachTheStampColour)
{
    uint32_t seed = 1;
    OnePick p = ReplayPick(seed, 203, 1, true);
    while (p.ox == 0) p = ReplayPick(++seed, 203, 1, true);

    GrowthBench bench(16, 203, 1);
    bench.settings = Limits(20, 20, 255);
    bench.MarkAll();
    const int32_t cx = 1 + p.px;
    bench.Mark(cx, 1) = 0;
    SeedRandom(seed);
    bench.Pick(GrowthInverted);
    // Black steps to 8, 8, 20; at 7/8 that is 7, 7, 18: fields 0, 0, 2.
    EXPECT_EQ(0x0002u, ReadRawPixel(bench.surface, cx, 1));
    EXPECT_EQ(0, bench.Mark(cx, 1));
    // Neighbours are not written in the inverted variant.
    EXPECT_EQ(0u, ReadRawPixel(bench.surface, cx + p.ox, 1));

    // 24 bits: a stamp-colour centre is marked; one a step off it grows to
    // 20, 20, 37 and is rewritten at 7/8 as 18, 18, 33.
    uint32_t seed24 = 1;
    p = ReplayPick(seed24, 203, 41, true);
    while (p.ox == 0) p = ReplayPick(++seed24, 203, 41, true);
    GrowthBench bytes(24, 203, 41);
    bytes.MarkAll();
    bytes.Mark(1 + p.px, 1 + p.py) = 0;
    WriteMemoryPixel(bytes.surface, 1 + p.px, 1 + p.py, Rgb{0, 0, 16});
    // The centre is the stamp colour: it is marked, nothing drawn.
    SeedRandom(seed24);
    bytes.Pass(GrowthInverted, ScreenRect{0, 0, 1, 41});
    EXPECT_EQ(1, bytes.Mark(1 + p.px, 1 + p.py));
    bytes.Mark(1 + p.px, 1 + p.py) = 0;
    WriteMemoryPixel(bytes.surface, 1 + p.px, 1 + p.py, Rgb{0, 0, 17});
    SeedRandom(seed24);
    bytes.Pass(GrowthInverted, ScreenRect{0, 0, 1, 41});
    EXPECT_EQ((Rgb{18, 18, 33}), ReadMemoryPixel(bytes.surface, 1 + p.px, 1 + p.py));
}

TEST(GrowthPass, NarrowOrEmptyRegionsMakeNoPicks)
{
    MemorySurface surface;
    ASSERT_TRUE(CreateMemorySurface(surface, 4, 4, 24));
    uint8_t mask[16] = {};
    const SaverSettings settings = Limits(255, 255, 255);
    SeedRandom(9);
    GrowthPass(GrowthInverted, MemoryPixels(surface), settings, DrawRegion{0, 0, 2, 4, 0, 0},
               ScreenRect{0, 0, 4, 4}, mask);
    GrowthPass(GrowthNormal, MemoryPixels(surface), settings, DrawRegion{0, 0, 0, 4, 0, 0},
               ScreenRect{0, 0, 4, 4}, mask);
    GrowthPass(GrowthNormal, MemoryPixels(surface), settings, DrawRegion{0, 0, 4, -1, 0, 0},
               ScreenRect{0, 0, 4, 4}, mask);
    GrowthPass(GrowthNormal, MemoryPixels(surface), settings, DrawRegion{1, 1, 4, 4, 0, 0},
               ScreenRect{0, 0, 4, 4}, mask);
    EXPECT_EQ(9u, GetRandomState());

    MemorySurface paletted;
    ASSERT_TRUE(CreateMemorySurface(paletted, 4, 4, 8));
    GrowthPass(GrowthNormal, MemoryPixels(paletted), settings, DrawRegion{0, 0, 4, 4, 0, 0},
               ScreenRect{0, 0, 4, 4}, mask);
    EXPECT_EQ(9u, GetRandomState());
}

TEST(GrowthPass, FourthByteOfA32BitPixelIsKept)
{
    GrowthBench bench(32, 201, 1);
    for (int32_t x = 1; x <= 201; ++x) WriteRawPixel(bench.surface, x, 1, 0xC3000000u | (x % 3 ? 0x10 : 0));
    SeedRandom(5);
    for (int i = 0; i < 5; ++i) bench.Pass(GrowthNormal, ScreenRect{0, 0, 201, 1});
    int grown = 0;
    for (int32_t x = 1; x <= 201; ++x) {
        const uint32_t pixel = ReadRawPixel(bench.surface, x, 1);
        EXPECT_EQ(0xC3u, pixel >> 24);
        grown += (pixel & 0xFFFFFF) > 0x10;
    }
    // The fourth byte stayed through real writes: 1005 picks grow nearly
    // every one of the 134 pixels in the stamp colour.
    EXPECT_GT(grown, 120);
}

}  // namespace
