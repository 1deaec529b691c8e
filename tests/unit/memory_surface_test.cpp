#include <gtest/gtest.h>

#include <cstring>

#include "animation/memory_surface.h"

namespace {

TEST(MemorySurface, CreationChecksSizeDepthAndPitch)
{
    MemorySurface s;
    EXPECT_TRUE(CreateMemorySurface(s, 3, 2, 24));
    EXPECT_EQ(9, s.pitch);
    EXPECT_EQ(18u, s.storage.size());
    EXPECT_FALSE(CreateMemorySurface(s, 0, 2, 24));
    EXPECT_TRUE(s.storage.empty());
    EXPECT_FALSE(CreateMemorySurface(s, 2, -1, 16));
    EXPECT_FALSE(CreateMemorySurface(s, 2, 2, 15));
    EXPECT_FALSE(CreateMemorySurface(s, 4, 2, 32, 15));    // shorter than a row
    EXPECT_FALSE(CreateMemorySurface(s, 4, 2, 32, -15));
    EXPECT_TRUE(CreateMemorySurface(s, 4, 2, 32, -16));
}

TEST(MemorySurface, PixelAddressesFollowThePitch)
{
    MemorySurface padded;
    ASSERT_TRUE(CreateMemorySurface(padded, 3, 4, 16, 10));
    PixelBuffer p = MemoryPixels(padded);
    EXPECT_EQ(10, p.pitch);
    EXPECT_EQ(16u, p.bitCount);
    EXPECT_EQ(p.base + 2 * 10 + 1 * 2, MemoryPixelAddress(padded, 1, 2));
    EXPECT_EQ(nullptr, MemoryPixelAddress(padded, 3, 0));
    EXPECT_EQ(nullptr, MemoryPixelAddress(padded, 0, -1));

    MemorySurface bottomUp;
    ASSERT_TRUE(CreateMemorySurface(bottomUp, 2, 3, 24, -8));
    p = MemoryPixels(bottomUp);
    EXPECT_EQ(-8, p.pitch);
    EXPECT_EQ(bottomUp.storage.data() + 16, p.base);   // row 0 is the last in memory
    WriteRawPixel(bottomUp, 1, 2, 0xABCDEF);
    EXPECT_EQ(0xEF, bottomUp.storage[3]);
    EXPECT_EQ(0xCD, bottomUp.storage[4]);
    EXPECT_EQ(0xAB, bottomUp.storage[5]);
    EXPECT_EQ(0xABCDEFu, ReadRawPixel(bottomUp, 1, 2));
}

TEST(MemorySurface, ColoursAtEachDepth)
{
    MemorySurface word;
    ASSERT_TRUE(CreateMemorySurface(word, 1, 1, 16));
    WriteMemoryPixel(word, 0, 0, Rgb{0, 0, 16});
    EXPECT_EQ(0x0002u, ReadRawPixel(word, 0, 0));
    WriteMemoryPixel(word, 0, 0, Rgb{255, 255, 255});
    EXPECT_EQ(0xFFDFu, ReadRawPixel(word, 0, 0));   // green bit 5 stays clear
    WriteRawPixel(word, 0, 0, 0xFFFF);
    EXPECT_EQ((Rgb{255, 255, 255}), ReadMemoryPixel(word, 0, 0));

    MemorySurface quad;
    ASSERT_TRUE(CreateMemorySurface(quad, 1, 1, 32));
    WriteRawPixel(quad, 0, 0, 0x7F000000);
    WriteMemoryPixel(quad, 0, 0, Rgb{1, 2, 3});
    EXPECT_EQ(0x7F010203u, ReadRawPixel(quad, 0, 0));
}

TEST(PixelFormat, FieldExpansion)
{
    const uint32_t fields[] = {0, 1, 2, 3, 15, 16, 30, 31};
    const uint8_t expanded[] = {0, 8, 16, 24, 123, 131, 246, 255};
    for (size_t i = 0; i < sizeof fields / sizeof fields[0]; ++i) EXPECT_EQ(expanded[i], ExpandField5(fields[i]));
    EXPECT_EQ(0x0842, PackWord565(Rgb{10, 10, 18}));
    EXPECT_EQ((Rgb{0, 0, 16}), RgbFromColorRef(StampColour));
}

TEST(MemorySurface, LockCanBeMadeToFailOrFindTheSurfaceLost)
{
    MemorySurface s;
    ASSERT_TRUE(CreateMemorySurface(s, 2, 2, 32));
    const DrawingSurface seam = MemoryDrawingSurface(s);
    PixelBuffer p{};
    EXPECT_EQ(SurfaceAccess::Ready, seam.Lock(seam.context, &p));
    EXPECT_TRUE(s.locked);
    EXPECT_EQ(s.storage.data(), p.base);
    seam.Unlock(seam.context);
    EXPECT_FALSE(s.locked);

    s.lost = true;
    EXPECT_EQ(SurfaceAccess::Lost, seam.Lock(seam.context, &p));
    EXPECT_EQ(SurfaceAccess::Lost, seam.BeginText(seam.context));
    EXPECT_FALSE(s.locked);
    s.lost = false;

    s.locksBeforeFailure = 2;
    EXPECT_EQ(SurfaceAccess::Ready, seam.Lock(seam.context, &p));
    seam.Unlock(seam.context);
    EXPECT_EQ(SurfaceAccess::Refused, seam.Lock(seam.context, &p));
    EXPECT_FALSE(s.locked);
    EXPECT_EQ(2u, s.lockCount);
    EXPECT_EQ(2u, s.unlockCount);
}

TEST(MemorySurface, DefaultTextServiceBlackensOnlyTheRegion)
{
    MemorySurface s;
    ASSERT_TRUE(CreateMemorySurface(s, 4, 3, 32));
    std::memset(s.storage.data(), 0xFF, s.storage.size());
    const DrawingSurface seam = MemoryDrawingSurface(s);
    EXPECT_EQ(SurfaceAccess::Ready, seam.BeginText(seam.context));
    seam.Blacken(seam.context, DrawRegion{1, 1, 3, 5, 1, 1});
    EXPECT_EQ(0, seam.MeasureText(seam.context, "abc", ScreenRect{0, 0, 4, 3}));
    seam.DrawText(seam.context, "abc", ScreenRect{0, 0, 4, 3});
    seam.EndText(seam.context);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            const bool inside = x >= 1 && x < 3 && y >= 1;
            EXPECT_EQ(inside ? 0u : 0xFFFFFFFFu, ReadRawPixel(s, x, y)) << x << "," << y;
        }
}

TEST(MemorySurface, BlockTextDrawsCentredCellsClippedToTheBox)
{
    MemorySurface s;
    ASSERT_TRUE(CreateMemorySurface(s, 20, 6, 24));
    BlockTextService text;
    text.cellWidth = 3;
    text.cellHeight = 4;
    text.measuredHeight = 17;
    UseBlockText(s, text);
    const DrawingSurface seam = MemoryDrawingSurface(s);
    EXPECT_EQ(17, seam.MeasureText(seam.context, "a b", ScreenRect{2, 0, 18, 6}));
    // "a b" is 9 pixels wide, centred in 16 from x 2: starts at 5.
    seam.DrawText(seam.context, "a b", ScreenRect{2, 3, 18, 6});
    const Rgb ink{0, 0, 16};
    for (int32_t x = 0; x < 20; ++x) {
        const bool letter = x == 5 || x == 6 || x == 11 || x == 12;
        EXPECT_EQ(letter, ReadMemoryPixel(s, x, 3) == ink) << x;
        EXPECT_EQ(letter, ReadMemoryPixel(s, x, 5) == ink) << x;
        EXPECT_FALSE(ReadMemoryPixel(s, x, 2) == ink);   // above the box
    }
    EXPECT_EQ(1u, text.measureCount);
    EXPECT_EQ(1u, text.drawCount);
    EXPECT_EQ("a b", text.lastPhrase);

    text.failBegin = true;
    EXPECT_EQ(SurfaceAccess::Refused, seam.BeginText(seam.context));
    EXPECT_EQ(1u, text.beginCount);
}

}  // namespace
