#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "animation/frame_cycle.h"
#include "animation/memory_surface.h"
#include "animation/random.h"

namespace {

// A 50 x 10 region at (2, 3) of a 56 x 16 surface. The fade makes 500 picks
// (1000 draws) per frame; with a measured height of 4 the StampRect is
// 10 x 7, so a growth frame makes 70 picks (140 draws: no probes at this width).
const int FadeDraws = 1000;
const int GrowthDraws = 140;

struct CycleBench {
    MemorySurface surface;
    BlockTextService text;
    DrawingSurface seam;
    DrawRegion region{2, 3, 52, 13, 2, 3};
    std::vector<uint8_t> mask;
    FrameCycle cycle{};
    AnimationState state{};
    std::string phrases = "one\r\ntwo\r\nthree";

    explicit CycleBench(uint8_t duration, uint32_t bitCount = 24)
    {
        EXPECT_TRUE(CreateMemorySurface(surface, 56, 16, bitCount));
        text.measuredHeight = 4;
        text.cellWidth = 2;
        text.cellHeight = 4;
        UseBlockText(surface, text);
        seam = MemoryDrawingSurface(surface);
        mask.assign(50 * 10, 0);
        StartFrameCycle(cycle, mask.data(), mask.size());
        ApplyDefaultSettings(state.Settings);
        state.Settings.Duration = duration;
        state.PhraseTextLength = static_cast<uint32_t>(phrases.size());
        SeedRandom(1);
    }

    FrameOutcome Pass()
    {
        return RunFramePass(cycle, state, reinterpret_cast<const uint8_t*>(phrases.data()), region, seam);
    }

    // One letter per pass: F fade, S stamp and growth, G growth, H hold,
    // R the reset of the counter. Told apart by locks, stamps and draws.
    char ObservedPass()
    {
        const uint8_t before = cycle.Frame;
        const uint32_t locks = surface.lockCount;
        const uint32_t stamps = text.drawCount;
        const uint32_t randomBefore = GetRandomState();
        EXPECT_EQ(FrameOutcome::Passed, Pass());
        EXPECT_FALSE(surface.locked);
        EXPECT_EQ(surface.lockCount, surface.unlockCount);
        if (surface.lockCount == locks) {
            EXPECT_EQ(randomBefore, GetRandomState());
            return cycle.Frame == static_cast<uint8_t>(before + 1) ? 'H' : 'R';
        }
        const uint32_t after = GetRandomState();
        SeedRandom(randomBefore);
        for (int i = 0; i < FadeDraws; ++i) NextRandom();
        const bool fade = GetRandomState() == after;
        SeedRandom(randomBefore);
        for (int i = 0; i < GrowthDraws; ++i) NextRandom();
        const bool growth = GetRandomState() == after;
        SeedRandom(after);
        if (fade) return 'F';
        if (!growth) return '?';
        return text.drawCount != stamps ? 'S' : 'G';
    }

    std::string Observe(int passes)
    {
        std::string seen;
        for (int i = 0; i < passes; ++i) seen.push_back(ObservedPass());
        return seen;
    }
};

std::string Repeat(char kind, int count)
{
    return std::string(static_cast<size_t>(count), kind);
}

TEST(FrameCycle, WindowsForEachDuration)
{
    struct Case {
        uint8_t duration;
        std::string cycle;
    };
    const Case cases[] = {
        {0, Repeat('F', 13) + "S" + Repeat('G', 14) + "R"},
        {2, Repeat('F', 13) + "S" + Repeat('G', 16) + "HHR"},
        {113, Repeat('F', 13) + "S" + Repeat('G', 127) + Repeat('H', 113) + "R"},
        {114, Repeat('F', 13) + "S" + Repeat('G', 128) + Repeat('H', 114)},
        {228, Repeat('F', 13) + "S" + Repeat('G', 242)},
        {255, Repeat('F', 13) + "S" + Repeat('G', 242)},
    };
    for (const Case& c : cases) {
        CycleBench bench(c.duration);
        const int length = static_cast<int>(c.cycle.size());
        EXPECT_EQ(c.cycle + c.cycle + "F", bench.Observe(2 * length + 1)) << int{c.duration};
        EXPECT_EQ(1, bench.cycle.Frame) << int{c.duration};
        EXPECT_EQ(2u, bench.text.drawCount) << int{c.duration};
        EXPECT_EQ("two", bench.text.lastPhrase);
        EXPECT_STREQ("three", bench.state.Phrase);   // fetched at frame 0 of the third cycle
    }
}

TEST(FrameCycle, ClassifyFrame)
{
    EXPECT_EQ(FadeFrame, ClassifyFrame(0, 2));
    EXPECT_EQ(FadeFrame, ClassifyFrame(12, 2));
    EXPECT_EQ(StampFrame, ClassifyFrame(13, 0));
    EXPECT_EQ(GrowthFrame, ClassifyFrame(29, 2));
    EXPECT_EQ(HoldFrame, ClassifyFrame(30, 2));
    EXPECT_EQ(CycleEnd, ClassifyFrame(32, 2));
    EXPECT_EQ(CycleEnd, ClassifyFrame(28, 0));
    EXPECT_EQ(CycleEnd, ClassifyFrame(254, 113));
    EXPECT_EQ(HoldFrame, ClassifyFrame(255, 114));
    EXPECT_EQ(GrowthFrame, ClassifyFrame(255, 228));
    EXPECT_EQ(GrowthFrame, ClassifyFrame(255, 255));
    // A Duration cut short mid-cycle ends the cycle at the next pass.
    EXPECT_EQ(CycleEnd, ClassifyFrame(40, 5));
    EXPECT_EQ(FadeFrame, ClassifyFrame(5, 0));
}

TEST(FrameCycle, EachCycleStampsTheNextPhraseCentred)
{
    CycleBench bench(0);
    bench.Observe(14);
    EXPECT_EQ("one", bench.text.lastPhrase);
    EXPECT_EQ(1u, bench.text.beginCount);
    EXPECT_EQ(1u, bench.text.blackenCount);
    EXPECT_EQ(1u, bench.text.endCount);
    EXPECT_EQ(0, std::memcmp(&bench.region, &bench.text.lastBlackened, sizeof bench.region));
    const ScreenRect measureBox{22, 3, 32, 13};
    EXPECT_EQ(0, std::memcmp(&measureBox, &bench.text.lastMeasureBox, sizeof measureBox));
    const ScreenRect stamp{22, 6, 32, 13};   // top 3 + (10 - 4) / 2
    EXPECT_EQ(0, std::memcmp(&stamp, &bench.cycle.StampRect, sizeof stamp));
    EXPECT_EQ(0, std::memcmp(&stamp, &bench.text.lastDrawBox, sizeof stamp));

    bench.Observe(29);
    EXPECT_EQ("two", bench.text.lastPhrase);
    bench.Observe(29 * 2);
    EXPECT_EQ("one", bench.text.lastPhrase);   // "three", then back to the start
    EXPECT_EQ(4u, bench.text.drawCount);
}

TEST(FrameCycle, StartLeavesAnEmptyStampRect)
{
    FrameCycle cycle;
    std::memset(&cycle, 0x5C, sizeof cycle);
    uint8_t mask[4];
    StartFrameCycle(cycle, mask, sizeof mask);
    EXPECT_EQ(0, cycle.Frame);
    EXPECT_EQ(mask, cycle.GrowthMask);
    EXPECT_EQ(sizeof mask, cycle.GrowthMaskSize);
    EXPECT_EQ(0, cycle.StampRect.left);
    EXPECT_EQ(0, cycle.StampRect.top);
    EXPECT_EQ(0, cycle.StampRect.right);
    EXPECT_EQ(0, cycle.StampRect.bottom);
}

TEST(FrameCycle, MaskIsClearedAtFrameZeroAndAtTheStamp)
{
    CycleBench bench(2);
    // A stale mask would keep the fade off every pixel.
    std::memset(bench.mask.data(), 1, bench.mask.size());
    for (int32_t y = 3; y < 13; ++y)
        for (int32_t x = 2; x < 52; ++x) WriteMemoryPixel(bench.surface, x, y, Rgb{255, 255, 255});
    bench.Observe(1);
    int faded = 0;
    for (int32_t y = 3; y < 13; ++y)
        for (int32_t x = 2; x < 52; ++x) faded += ReadMemoryPixel(bench.surface, x, y).red != 255;
    EXPECT_GT(faded, 250);

    // By the end of the fade nearly every pixel is black and marked; the stamp
    // clears the marks, so the stamped letters are in play and grow.
    bench.Observe(12);
    bench.Observe(1);
    int letters = 0;
    for (int32_t y = 3; y < 13; ++y) {
        for (int32_t x = 2; x < 52; ++x) {
            const Rgb c = ReadMemoryPixel(bench.surface, x, y);
            if (c == (Rgb{0, 0, 16})) {
                ++letters;
                EXPECT_EQ(0, bench.mask[(y - 3) * 50 + (x - 2)]);
            }
        }
    }
    EXPECT_GT(letters, 0);
    bench.Observe(16);
    int grown = 0;
    for (int32_t y = 6; y < 10; ++y)
        for (int32_t x = 22; x < 32; ++x) grown += ReadMemoryPixel(bench.surface, x, y).red != 0;
    EXPECT_GT(grown, 0);
}

TEST(FrameCycle, RefusedLockEndsTheRunAndALostSurfaceIsToldApart)
{
    CycleBench inFade(2);
    inFade.surface.locksBeforeFailure = 5;
    for (int i = 0; i < 5; ++i) EXPECT_EQ(FrameOutcome::Passed, inFade.Pass());
    EXPECT_EQ(FrameOutcome::LockRefused, inFade.Pass());
    EXPECT_EQ(5u, inFade.surface.unlockCount);
    EXPECT_FALSE(inFade.surface.locked);

    // Refused at the first growth frame after the stamp: the phrase stays.
    CycleBench inGrowth(2);
    inGrowth.surface.locksBeforeFailure = 14;
    for (int i = 0; i < 14; ++i) EXPECT_EQ(FrameOutcome::Passed, inGrowth.Pass());
    const uint32_t state = GetRandomState();
    EXPECT_EQ(FrameOutcome::LockRefused, inGrowth.Pass());
    EXPECT_EQ(14, inGrowth.cycle.Frame);
    EXPECT_EQ(state, GetRandomState());
    EXPECT_EQ(1u, inGrowth.text.drawCount);

    // Lost at a fade frame, and at the stamp, where the text would begin: the
    // pass draws nothing, neither the stamp nor a pick, and says so.
    for (const int lostAt : {5, 13}) {
        CycleBench lost(2);
        lost.Observe(lostAt);
        lost.surface.lost = true;
        const uint32_t randomBefore = GetRandomState();
        const uint32_t locks = lost.surface.lockCount;
        EXPECT_EQ(FrameOutcome::SurfaceLost, lost.Pass()) << "frame " << lostAt;
        EXPECT_EQ(locks, lost.surface.lockCount);
        EXPECT_EQ(randomBefore, GetRandomState());
        EXPECT_EQ(0u, lost.text.blackenCount);
        EXPECT_EQ(lostAt, lost.cycle.Frame);
    }
}

// The dialog may change the shared region between the parts of a frame; a
// frame works with the region as it began: the mask was checked against that.
TEST(FrameCycle, AFrameKeepsTheRegionItBeganWith)
{
    CycleBench bench(2);
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 56; ++x) WriteMemoryPixel(bench.surface, x, y, Rgb{255, 255, 255});
    // Room for the larger region, so that a pass that took it stays in memory.
    bench.mask.resize(54 * 13);
    StartFrameCycle(bench.cycle, bench.mask.data(), 50 * 10);
    struct GrowingLock {
        CycleBench* bench;
        static SurfaceAccess Lock(void* context, PixelBuffer* pixels)
        {
            CycleBench& b = *static_cast<GrowingLock*>(context)->bench;
            b.region.right = 54;
            b.region.bottom = 15;
            return LockMemorySurface(&b.surface, pixels);
        }
        static void Unlock(void* context) { UnlockMemorySurface(&static_cast<GrowingLock*>(context)->bench->surface); }
    } growing{&bench};
    bench.seam.context = &growing;
    bench.seam.Lock = GrowingLock::Lock;
    bench.seam.Unlock = GrowingLock::Unlock;
    EXPECT_EQ(FrameOutcome::Passed, bench.Pass());
    int changedOutside = 0;
    for (int32_t y = 0; y < 16; ++y)
        for (int32_t x = 0; x < 56; ++x)
            if (x < 2 || x >= 52 || y < 3 || y >= 13) changedOutside += ReadMemoryPixel(bench.surface, x, y).red != 255;
    EXPECT_EQ(0, changedOutside);
}

TEST(FrameCycle, OtherBitCountsLockButDrawNothing)
{
    CycleBench bench(2, 8);
    for (int32_t x = 0; x < 56; ++x) WriteRawPixel(bench.surface, x, 5, 0x80);
    for (int i = 0; i < 33; ++i) EXPECT_EQ(FrameOutcome::Passed, bench.Pass());
    EXPECT_EQ(1u, GetRandomState());            // no pass drew a random number
    EXPECT_EQ(13u + 17u, bench.surface.lockCount);
    EXPECT_EQ(bench.surface.lockCount, bench.surface.unlockCount);
    EXPECT_EQ(1u, bench.text.drawCount);        // the stamp is still made
    EXPECT_EQ(0x80u, ReadRawPixel(bench.surface, 0, 5));   // outside the region
    EXPECT_EQ(0u, ReadRawPixel(bench.surface, 2, 5));      // blackened
}

TEST(FrameCycle, NoTextServiceKeepsTheOldStampRect)
{
    CycleBench bench(0);
    bench.Observe(29);
    const ScreenRect first = bench.cycle.StampRect;
    bench.text.failBegin = true;
    bench.text.measuredHeight = 8;
    // The stamp frame still grows, on the old StampRect; nothing is drawn.
    EXPECT_EQ(Repeat('F', 13) + Repeat('G', 15) + "R", bench.Observe(29));
    EXPECT_EQ(0, std::memcmp(&first, &bench.cycle.StampRect, sizeof first));
    EXPECT_EQ(1u, bench.text.blackenCount);
    EXPECT_EQ(1u, bench.text.drawCount);
    EXPECT_EQ(2u, bench.text.beginCount);
    EXPECT_EQ(1u, bench.text.endCount);
}

TEST(FrameCycle, NewDurationActsFromTheNextPass)
{
    CycleBench bench(2);
    bench.Observe(25);
    bench.state.Settings.Duration = 0;
    EXPECT_EQ("GGGR", bench.Observe(4));   // frames 25-27 grow, 28 resets

    CycleBench longer(10);
    longer.Observe(35);
    longer.state.Settings.Duration = 2;
    EXPECT_EQ("R", longer.Observe(1));     // frame 35 is past 2 x 2 + 28
    EXPECT_EQ('F', longer.ObservedPass());
}

TEST(FrameCycle, InvertIsReadAtEveryGrowthFrame)
{
    // The inverted 24-bit form leaves out 40 rows: a 7-row StampRect gives no
    // picks, so an inverted growth frame draws nothing.
    CycleBench bench(2);
    bench.Observe(15);
    bench.state.Settings.Invert = 1;
    const uint32_t locks = bench.surface.lockCount;
    const uint32_t state = GetRandomState();
    EXPECT_EQ(FrameOutcome::Passed, bench.Pass());
    EXPECT_EQ(state, GetRandomState());
    EXPECT_EQ(locks + 1, bench.surface.lockCount);
    bench.state.Settings.Invert = 0;
    EXPECT_EQ('G', bench.ObservedPass());
}

}  // namespace
