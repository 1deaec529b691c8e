// The fast fade and growth passes against the straightforward ones: the same
// pixels (inside the region and out), the same mask and the same generator
// state after every pass, over pictures, layouts and settings. Random seeds
// and odd StampRects are the passes fuzz harness's (tests/fuzz).
#include <gtest/gtest.h>

#include <cstddef>
#include <random>
#include <string>
#include <vector>

#include "animation/fade_pass.h"
#include "animation/growth_pass.h"
#include "animation/memory_surface.h"
#include "animation/random.h"
#include "tests/reference/reference_passes.h"

namespace {

enum Picture { Black, White, StampInk, Noise, Letters, Mixed };
const Picture AllPictures[] = {Black, White, StampInk, Noise, Letters, Mixed};

// Where the region lies: `left`, `top` inside a surface `margin` pixels larger
// on every side; rows padded by `padding` bytes, or stored bottom-up.
struct Layout {
    uint32_t bitCount;
    int32_t width;
    int32_t height;
    int32_t left = 0;
    int32_t top = 0;
    int32_t margin = 0;
    int32_t padding = 0;
    bool bottomUp = false;
};

std::string Describe(const Layout& layout)
{
    return std::to_string(layout.bitCount) + " bits, " + std::to_string(layout.width) + "x" +
           std::to_string(layout.height) + " at " + std::to_string(layout.left) + "," + std::to_string(layout.top) +
           " padding " + std::to_string(layout.padding) + (layout.bottomUp ? " bottom-up" : "");
}

struct Scene {
    MemorySurface surface;
    DrawRegion region{};
    std::vector<uint8_t> mask;
};

void MakeScene(Scene& scene, const Layout& layout)
{
    const int32_t surfaceWidth = layout.left + layout.width + layout.margin;
    const int32_t surfaceHeight = layout.top + layout.height + layout.margin;
    int32_t pitch = 0;
    if (layout.padding != 0 || layout.bottomUp) {
        pitch = surfaceWidth * static_cast<int32_t>(layout.bitCount / 8) + layout.padding;
        if (layout.bottomUp) pitch = -pitch;
    }
    ASSERT_TRUE(CreateMemorySurface(scene.surface, surfaceWidth, surfaceHeight, layout.bitCount, pitch));
    scene.region = DrawRegion{layout.left, layout.top, layout.left + layout.width, layout.top + layout.height,
                              layout.left, layout.top};
    scene.mask.assign(static_cast<size_t>(layout.width) * static_cast<size_t>(layout.height), 0);
}

// The raw pixel of the stamp colour (16 bits: sometimes with green bit 5 set,
// which does not count); 32 bits keep a fourth byte of their own.
uint32_t InkPixel(uint32_t bitCount, std::mt19937& random)
{
    if (bitCount == 16) return random() % 4 == 0 ? 0x0022u : 0x0002u;
    const uint32_t fourth = bitCount == 32 ? (random() & 0xFFu) << 24 : 0;
    return fourth | 0x000010u;
}

uint32_t PicturePixel(Picture picture, uint32_t bitCount, std::mt19937& random)
{
    const uint32_t all = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    const uint32_t fourth = bitCount == 32 ? (random() & 0xFFu) << 24 : 0;
    switch (picture) {
    case Black: return fourth;
    case White: return all;
    case StampInk: return InkPixel(bitCount, random);
    case Noise: return random() & all;
    case Letters: return fourth;   // the letters come as blocks afterwards
    case Mixed:
        switch (random() % 6) {
        case 0: return fourth;
        case 1: return InkPixel(bitCount, random);
        case 2: return all;
        case 3: return bitCount == 16 ? 0x0020u : fourth | 0x000001u;   // next to black
        default: return random() & all;
        }
    }
    return 0;
}

// The region in the chosen picture; everything outside it noise, so a stray
// write shows as a difference.
void Paint(Scene& scene, Picture picture, std::mt19937& random)
{
    for (uint8_t& byte : scene.surface.storage) byte = static_cast<uint8_t>(random());
    const DrawRegion& r = scene.region;
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            WriteRawPixel(scene.surface, x, y, PicturePixel(picture, scene.surface.bitCount, random));
    if (picture != Letters) return;
    const int32_t width = r.right - r.left;
    const int32_t height = r.bottom - r.top;
    for (int block = 0; block < 1 + width * height / 40; ++block) {
        const int32_t x0 = r.left + static_cast<int32_t>(random() % static_cast<uint32_t>(width));
        const int32_t y0 = r.top + static_cast<int32_t>(random() % static_cast<uint32_t>(height));
        for (int32_t y = y0; y < y0 + 4 && y < r.bottom; ++y)
            for (int32_t x = x0; x < x0 + 3 && x < r.right; ++x)
                WriteRawPixel(scene.surface, x, y, InkPixel(scene.surface.bitCount, random));
    }
}

// Some mask bytes already set, with values other than 1 as well.
void ScatterMarks(Scene& scene, std::mt19937& random)
{
    for (uint8_t& mark : scene.mask) mark = random() % 3 == 0 ? static_cast<uint8_t>(1 + random() % 255) : 0;
}

SaverSettings Settings(uint8_t red, uint8_t green, uint8_t blue, uint8_t invert)
{
    SaverSettings settings{};
    settings.RedLimit = red;
    settings.GreenLimit = green;
    settings.BlueLimit = blue;
    settings.Duration = 2;
    settings.Invert = invert;
    return settings;
}

// One scene for each implementation, always run from the same generator state.
class Twins {
public:
    Twins(const Layout& layout, uint32_t seed) : layout_(layout), random_(seed), state_(seed)
    {
        MakeScene(reference_, layout);
        MakeScene(fast_, layout);
    }

    void Paint(Picture picture)
    {
        const std::mt19937 saved = random_;
        ::Paint(reference_, picture, random_);
        random_ = saved;
        ::Paint(fast_, picture, random_);
    }
    void ScatterMarks()
    {
        ::ScatterMarks(reference_, random_);
        fast_.mask = reference_.mask;
    }
    void ClearMarks()
    {
        std::fill(reference_.mask.begin(), reference_.mask.end(), 0);
        std::fill(fast_.mask.begin(), fast_.mask.end(), 0);
    }

    void Fade(const std::string& what)
    {
        SeedRandom(state_);
        ReferenceFadePass(MemoryPixels(reference_.surface), reference_.region, reference_.mask.data());
        const uint32_t referenceState = GetRandomState();
        SeedRandom(state_);
        FadePass(MemoryPixels(fast_.surface), fast_.region, fast_.mask.data());
        Compare(referenceState, "fade " + what);
    }

    void Grow(const SaverSettings& settings, const ScreenRect& stampRect, const std::string& what)
    {
        const GrowthVariant variant = VariantFromInvert(settings.Invert);
        SeedRandom(state_);
        ReferenceGrowthPass(variant, MemoryPixels(reference_.surface), settings, reference_.region, stampRect,
                            reference_.mask.data());
        const uint32_t referenceState = GetRandomState();
        SeedRandom(state_);
        GrowthPass(variant, MemoryPixels(fast_.surface), settings, fast_.region, stampRect, fast_.mask.data());
        Compare(referenceState, "growth " + what);
    }

    // A StampRect of the region's columns, 20 rows beyond it at each end.
    ScreenRect TallStampRect() const
    {
        const DrawRegion& r = reference_.region;
        return ScreenRect{r.left, r.top - 20, r.right, r.bottom + 20};
    }

    uint32_t State() const { return state_; }

private:
    void Compare(uint32_t referenceState, const std::string& what)
    {
        const std::string where = what + ", " + Describe(layout_);
        ASSERT_EQ(referenceState, GetRandomState()) << "generator state after " << where;
        state_ = referenceState;
        const std::vector<uint8_t>& a = reference_.surface.storage;
        const std::vector<uint8_t>& b = fast_.surface.storage;
        for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i], b[i]) << "pixel byte " << i << " after " << where;
        for (size_t i = 0; i < reference_.mask.size(); ++i)
            ASSERT_EQ(reference_.mask[i], fast_.mask[i]) << "mask byte " << i << " after " << where;
    }

    Layout layout_;
    std::mt19937 random_;
    uint32_t state_;
    Scene reference_;
    Scene fast_;
};

const int32_t EdgeWidths[] = {1, 2, 3, 200, 201, 203, 204, 1024};
const uint32_t BitCounts[] = {16, 24, 32};

// Short regions keep the test quick; the narrow ones get more rows.
int32_t HeightFor(int32_t width)
{
    return width >= 1000 ? 3 : (width >= 200 ? 7 : 13);
}

// Layouts cycle through packed, odd padding and bottom-up rows, with the
// region at the surface's corner or inside it.
Layout LayoutFor(uint32_t bitCount, int32_t width, int32_t height, int variation)
{
    Layout layout{bitCount, width, height};
    if (variation % 2 == 1) {
        layout.left = 5;
        layout.top = 3;
        layout.margin = 2;
    }
    if (variation % 3 == 1) layout.padding = 7;
    if (variation % 3 == 2) layout.bottomUp = true, layout.padding = 3;
    return layout;
}

TEST(PassEquivalence, FadeMatchesForEveryWidthPictureAndDepth)
{
    int variation = 0;
    for (uint32_t bits : BitCounts) {
        for (int32_t width : EdgeWidths) {
            for (Picture picture : AllPictures) {
                ++variation;
                Twins twins(LayoutFor(bits, width, HeightFor(width), variation), 1000u + 7919u * variation);
                twins.Paint(picture);
                if (variation % 4 == 0) twins.ScatterMarks();
                for (int frame = 0; frame < 3; ++frame) twins.Fade("frame " + std::to_string(frame));
                if (HasFatalFailure()) return;
            }
        }
    }
}

// Fade frames, then the stamp and growth frames, then the next phrase's fade
// on the grown picture: what one pass leaves, the next one starts from.
TEST(PassEquivalence, CyclesMatchForEveryWidthVariantAndDepth)
{
    int variation = 0;
    for (uint32_t bits : BitCounts) {
        for (uint8_t invert : {uint8_t{0}, uint8_t{1}, uint8_t{255}}) {
            for (int32_t width : EdgeWidths) {
                ++variation;
                const int32_t height = width >= 1000 ? 6 : HeightFor(width);
                Twins twins(LayoutFor(bits, width, height, variation), 77u + 104729u * variation);
                const SaverSettings settings = Settings(255, 200, 160, invert);
                twins.Paint(Noise);
                for (int frame = 0; frame < 2; ++frame) twins.Fade("frame " + std::to_string(frame));
                twins.ClearMarks();
                twins.Paint(Letters);
                for (int frame = 0; frame < 5; ++frame)
                    twins.Grow(settings, twins.TallStampRect(), "frame " + std::to_string(frame));
                for (int frame = 0; frame < 2; ++frame) twins.Fade("after growth " + std::to_string(frame));
                if (HasFatalFailure()) return;
            }
        }
    }
}

// Every combination of the limits 0, 20, 21 and 255, where the step and the
// reset meet, in both variants and all depths, on every starting picture.
TEST(PassEquivalence, GrowthMatchesAtEveryLimitEdge)
{
    const uint8_t edges[] = {0, 20, 21, 255};
    int variation = 0;
    for (uint32_t bits : BitCounts) {
        for (uint8_t invert : {uint8_t{0}, uint8_t{255}}) {
            for (uint8_t red : edges) {
                for (uint8_t green : edges) {
                    for (uint8_t blue : edges) {
                        ++variation;
                        Twins twins(LayoutFor(bits, 204, 4, variation), 5u + 31u * variation);
                        twins.Paint(AllPictures[variation % 6]);
                        const SaverSettings settings = Settings(red, green, blue, invert);
                        for (int frame = 0; frame < 3; ++frame)
                            twins.Grow(settings, twins.TallStampRect(), "frame " + std::to_string(frame));
                        if (HasFatalFailure()) return;
                    }
                }
            }
        }
    }
}

// A taller region so that the probes reach out without being clamped, with
// the mask already holding marks of any value.
TEST(PassEquivalence, GrowthMatchesWithMarksAlreadySet)
{
    int variation = 0;
    for (uint32_t bits : BitCounts) {
        for (uint8_t invert : {uint8_t{0}, uint8_t{1}}) {
            for (Picture picture : {Mixed, Letters, StampInk, White}) {
                ++variation;
                Twins twins(LayoutFor(bits, 1024, 24, variation), 3u + 17u * variation);
                twins.Paint(picture);
                twins.ScatterMarks();
                const SaverSettings settings = Settings(static_cast<uint8_t>(37 * variation), 140, 250, invert);
                twins.Grow(settings, ScreenRect{20, 10, 1004, 34}, "scattered marks");
                twins.Grow(settings, ScreenRect{20, 10, 1004, 34}, "scattered marks, again");
                if (HasFatalFailure()) return;
            }
        }
    }
}

// Regions the passes must leave alone (odd StampRects: the passes harness).
TEST(PassEquivalence, DegenerateRegionsDrawNothing)
{
    // Regions with no pixels, or whose corner is not their origin: nothing is
    // drawn and nothing is taken from the generator.
    const DrawRegion regions[] = {{2, 0, 2, 4, 2, 0}, {0, 3, 4, 1, 0, 3}, {1, 0, 4, 4, 0, 0}, {0, 1, 4, 4, 0, 0}};
    for (const DrawRegion& region : regions) {
        MemorySurface surface;
        ASSERT_TRUE(CreateMemorySurface(surface, 4, 4, 32));
        for (uint8_t& byte : surface.storage) byte = 0xC3;
        const std::vector<uint8_t> before = surface.storage;
        std::vector<uint8_t> mask(16, 0);
        SeedRandom(12345);
        FadePass(MemoryPixels(surface), region, mask.data());
        GrowthPass(GrowthNormal, MemoryPixels(surface), Settings(255, 255, 255, 0), region, ScreenRect{0, 0, 4, 4},
                   mask.data());
        EXPECT_EQ(12345u, GetRandomState());
        EXPECT_EQ(before, surface.storage);
        EXPECT_EQ(std::vector<uint8_t>(16, 0), mask);
    }
}

// The widest reaches: N = 255 (the low 8 bits of the quotient) and a region
// wider than 65536, whose column draws take the long scaling; and a region
// taller than 65536.
TEST(PassEquivalence, VeryWideAndTallRegionsMatch)
{
    for (uint8_t invert : {uint8_t{0}, uint8_t{1}}) {
        for (int32_t width : {51200, 70000}) {
            Twins twins(LayoutFor(16, width, 2, invert + width), 11u + width);
            twins.Paint(Letters);
            const SaverSettings settings = Settings(255, 255, 255, invert);
            twins.Grow(settings, ScreenRect{0, 0, 40, 30}, "wide");
            twins.Grow(settings, ScreenRect{0, 0, 40, 30}, "wide, again");
            twins.Fade("wide");
            if (HasFatalFailure()) return;
        }
    }
    Twins tall(LayoutFor(16, 1, 70000, 1), 4u);
    tall.Paint(Noise);
    tall.Fade("tall");
    tall.Grow(Settings(255, 255, 255, 0), ScreenRect{0, 0, 1, 3000}, "tall");
}

}  // namespace
