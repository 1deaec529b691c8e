// The fast fade and growth passes against the straightforward ones: after
// every pass the same bytes in the whole surface (inside the region and out),
// the same mask and the same generator state, for any depth, row layout,
// region, picture, marks, colour limits, Invert and StampRect.
//
// Input: a layout byte (depth, padding, bottom-up rows, region inset, corner
// away from the origin), a width byte (200 and up: two more bytes), a height
// byte, the generator seed (4), the picture's seed (4), a palette byte, a
// marks byte, red, green and blue limits, Invert, then passes: a byte (even:
// fade; odd: growth over a StampRect of left, top (4 bytes each), columns (2)
// and rows (1), each less 16).
#include <algorithm>
#include <random>
#include <vector>

#include "animation/fade_pass.h"
#include "animation/growth_pass.h"
#include "animation/memory_surface.h"
#include "animation/random.h"
#include "fuzz_input.h"
#include "tests/reference/reference_passes.h"

namespace {

struct Scene {
    MemorySurface surface;
    std::vector<uint8_t> mask;
};

uint32_t InkPixel(uint32_t bitCount, std::minstd_rand& random)
{
    if (bitCount == 16) return random() % 4 == 0 ? 0x0022u : 0x0002u;   // green bit 5 does not count
    return (bitCount == 32 ? (random() & 0xFFu) << 24 : 0) | 0x000010u;
}

// Black, the stamp colour, white, next to black and noise, as the palette allows.
uint32_t PicturePixel(uint8_t palette, uint32_t bitCount, std::minstd_rand& random)
{
    const uint32_t all = bitCount == 32 ? 0xFFFFFFFFu : (1u << bitCount) - 1;
    const uint32_t fourth = bitCount == 32 ? (random() & 0xFFu) << 24 : 0;
    int kind = static_cast<int>(random() % 5);
    for (int tries = 0; tries < 5 && !(palette >> kind & 1); ++tries) kind = (kind + 1) % 5;
    switch (kind) {
    case 0: return fourth;
    case 1: return InkPixel(bitCount, random);
    case 2: return all;
    case 3: return bitCount == 16 ? 0x0020u : fourth | 0x000001u;
    default: return random() & all;
    }
}

int32_t HeldIn32(int64_t value)
{
    return static_cast<int32_t>(value > INT32_MAX ? INT32_MAX : (value < INT32_MIN ? INT32_MIN : value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t layout = input.Byte();
    const uint32_t bitCount = 16 + 8 * ((layout & 3) % 3);
    const uint8_t widthByte = input.Byte();
    const int32_t width = widthByte < 200 ? 1 + widthByte : 200 + input.Word() % 1100;
    const int32_t height = 1 + input.Byte() % 24;
    const int32_t inset = (layout >> 2 & 1) ? 3 : 0;
    const int32_t padding = (layout >> 3 & 1) ? 5 : 0;
    const bool bottomUp = (layout >> 4 & 1) != 0;
    const bool cornerAway = (layout >> 5 & 3) == 3;   // passes leave such a region alone

    const int32_t surfaceWidth = width + 2 * inset;
    const int32_t surfaceHeight = height + 2 * inset;
    int32_t pitch = 0;
    if (padding != 0 || bottomUp) {
        pitch = surfaceWidth * static_cast<int32_t>(bitCount / 8) + padding;
        if (bottomUp) pitch = -pitch;
    }
    Scene reference;
    Scene fast;
    FUZZ_CHECK(CreateMemorySurface(reference.surface, surfaceWidth, surfaceHeight, bitCount, pitch), "surface");
    FUZZ_CHECK(CreateMemorySurface(fast.surface, surfaceWidth, surfaceHeight, bitCount, pitch), "surface");
    const DrawRegion region{inset, inset, inset + width, inset + height, inset + (cornerAway ? 1 : 0), inset};

    const uint32_t generatorSeed = input.Dword();
    std::minstd_rand random(input.Dword() | 1);
    const uint8_t palette = input.Byte();
    const uint8_t marks = input.Byte();
    SaverSettings settings{};
    settings.RedLimit = input.Byte();
    settings.GreenLimit = input.Byte();
    settings.BlueLimit = input.Byte();
    settings.Invert = input.Byte();
    settings.Duration = 2;

    // Noise outside the region, so a stray write shows as a difference.
    for (uint8_t& byte : reference.surface.storage) byte = static_cast<uint8_t>(random());
    for (int32_t y = region.top; y < region.bottom; ++y)
        for (int32_t x = region.left; x < region.right; ++x)
            WriteRawPixel(reference.surface, x, y, PicturePixel(palette, bitCount, random));
    fast.surface.storage = reference.surface.storage;
    reference.mask.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    for (uint8_t& mark : reference.mask)
        if (marks != 0 && random() % 256 < marks) mark = static_cast<uint8_t>(1 + random() % 255);
    fast.mask = reference.mask;

    const GrowthVariant variant = VariantFromInvert(settings.Invert);
    uint32_t state = generatorSeed;
    // Picks of all the passes together, so that one input runs in milliseconds.
    int64_t pickBudget = 32000;
    for (int pass = 0; pass < 8 && input.RestSize() > 0; ++pass) {
        const bool fade = input.Byte() % 2 == 0;
        ScreenRect rect{};
        if (!fade) {
            const int64_t left = input.Int32();
            const int64_t top = input.Int32();
            const int64_t columns = int64_t{input.Word() % 512} - 16;
            const int64_t rows = int64_t{input.Byte()} - 16;
            rect = ScreenRect{HeldIn32(left), HeldIn32(top), HeldIn32(left + columns), HeldIn32(top + rows)};
        }
        const int64_t picks = fade ? int64_t{width} * height
                                   : std::max<int64_t>(0, int64_t{rect.right} - rect.left) *
                                         std::max<int64_t>(0, int64_t{rect.bottom} - rect.top);
        pickBudget -= picks;
        if (pickBudget < 0) break;
        // Both start from the same generator state.
        SeedRandom(state);
        if (fade) {
            ReferenceFadePass(MemoryPixels(reference.surface), region, reference.mask.data());
        } else {
            ReferenceGrowthPass(variant, MemoryPixels(reference.surface), settings, region, rect, reference.mask.data());
        }
        const uint32_t referenceState = GetRandomState();
        SeedRandom(state);
        if (fade) {
            FadePass(MemoryPixels(fast.surface), region, fast.mask.data());
        } else {
            GrowthPass(variant, MemoryPixels(fast.surface), settings, region, rect, fast.mask.data());
        }
        FUZZ_CHECK(GetRandomState() == referenceState, "generator state differs from the reference pass");
        FUZZ_CHECK(fast.surface.storage == reference.surface.storage, "pixels differ from the reference pass");
        FUZZ_CHECK(fast.mask == reference.mask, "mask differs from the reference pass");
        state = referenceState;
    }
    return 0;
}
