#include "fade_pass.h"

#include <cstddef>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "pass_common.h"
#include "pixel_format.h"
#include "prefetch.h"
#include "random_ahead.h"
#include "region_corner.h"
#include "shared_read.h"

// The picks of a pass do not depend on the picture, only on the generator, so
// the pass works out the positions of the picks to come and fetches their
// pixel and mask byte while it applies the earlier ones, in order. Applying
// a pick has no branch on the picture: a marked pixel is stored back as it was.

namespace {

// Picks planned ahead of the one being applied (a power of two).
const uint32_t FadeLookahead = 32;

// A 5-bit field after one fade: its expansion less 130, back in five bits.
struct FieldTable {
    uint8_t field[32];
};

constexpr FieldTable MakeFadedFields()
{
    FieldTable table{};
    for (uint32_t f = 0; f < 32; ++f) {
        const uint32_t expanded = f * 255u / 31u;
        table.field[f] = static_cast<uint8_t>((expanded >= 130 ? expanded - 130 : 0) / 8);
    }
    return table;
}

constexpr FieldTable FadedFields = MakeFadedFields();

inline uint32_t FadeChannel(uint32_t value)
{
    return value >= 130 ? value - 130 : 0;
}

// Red, green and blue of a 32-bit pixel faded at once; the fourth byte kept.
inline uint32_t FadeBytes32(uint32_t value)
{
#if defined(__SSE2__)
    const __m128i faded = _mm_subs_epu8(_mm_cvtsi32_si128(static_cast<int>(value)), _mm_cvtsi32_si128(0x00828282));
    return static_cast<uint32_t>(_mm_cvtsi128_si32(faded));
#else
    return (value & 0xFF000000u) | FadeChannel((value >> 16) & 0xFF) << 16 | FadeChannel((value >> 8) & 0xFF) << 8 |
           FadeChannel(value & 0xFF);
#endif
}

// The mask byte after a pick: a marked byte keeps its value, an unmarked one
// becomes 1 once the pixel is black.
inline uint8_t MarkAfter(uint32_t marked, bool black)
{
    return static_cast<uint8_t>(marked != 0 ? marked : static_cast<uint32_t>(black));
}

template <int Bytes>
inline void FadePick(uint8_t* pixel, uint8_t* mark)
{
    const uint32_t marked = *mark;
    if constexpr (Bytes == 2) {
        const uint32_t word = ReadWord16(pixel);
        const uint32_t faded = uint32_t{FadedFields.field[word >> 11]} << 11 |
                               uint32_t{FadedFields.field[(word >> 6) & 31]} << 6 |
                               FadedFields.field[word & 31];
        WriteWord16(pixel, static_cast<uint16_t>(marked ? word : faded));
        *mark = MarkAfter(marked, faded == 0);
    } else if constexpr (Bytes == 3) {
        const uint32_t oldBlue = pixel[0], oldGreen = pixel[1], oldRed = pixel[2];
        const uint32_t blue = FadeChannel(oldBlue);
        const uint32_t green = FadeChannel(oldGreen);
        const uint32_t red = FadeChannel(oldRed);
        pixel[0] = static_cast<uint8_t>(marked ? oldBlue : blue);
        pixel[1] = static_cast<uint8_t>(marked ? oldGreen : green);
        pixel[2] = static_cast<uint8_t>(marked ? oldRed : red);
        *mark = MarkAfter(marked, (blue | green | red) == 0);
    } else {
        // The whole pixel at once; its fourth byte goes back unchanged.
        uint32_t value;
        std::memcpy(&value, pixel, sizeof value);
        const uint32_t faded = FadeBytes32(value);
        const uint32_t stored = marked ? value : faded;
        std::memcpy(pixel, &stored, sizeof stored);
        *mark = MarkAfter(marked, (faded & 0xFFFFFFu) == 0);
    }
}

// A pick worked out ahead, relative to the region's corner.
struct ComingPick {
    size_t maskIndex;
    ptrdiff_t pixelOffset;
};

// Narrow: both ranges below 32767, as on any screen.
template <int Bytes, bool Narrow>
void RunFade(const PixelBuffer& pixels, const DrawRegion& sharedRegion, int32_t width, int32_t height,
             uint8_t* growthMask)
{
    const BelowScaler columns = MakeBelowScaler(width);
    const BelowScaler rows = MakeBelowScaler(height);
    constexpr RandomJump oneStep = RandomJumpOf(1);
    constexpr RandomJump twoSteps = RandomJumpOf(2);
    const ptrdiff_t pitch = pixels.pitch;
    const size_t maskRow = static_cast<size_t>(width);
    const uint64_t picks = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height);
    uint32_t state = GetRandomState();
    ComingPick coming[FadeLookahead];
    RegionCorner followed{0, 0, nullptr};
    uint8_t* corner = FollowCorner<Bytes>(followed, pixels, sharedRegion);

    // Two draws per pick, column then row, both straight from the state before.
    auto plan = [&](ComingPick& pick) {
        const uint32_t column = static_cast<uint32_t>(ScaleBelowAs<Narrow>(columns, RandomValueOf(JumpState(state, oneStep))));
        state = JumpState(state, twoSteps);
        const uint32_t row = static_cast<uint32_t>(ScaleBelowAs<Narrow>(rows, RandomValueOf(state)));
        pick.maskIndex = row * maskRow + column;
        pick.pixelOffset = static_cast<ptrdiff_t>(row) * pitch + static_cast<ptrdiff_t>(column) * Bytes;
        PrefetchForWrite(growthMask + pick.maskIndex);
        PrefetchForWrite(corner + pick.pixelOffset);
    };
    auto apply = [&](const ComingPick& pick) {
        corner = FollowCorner<Bytes>(followed, pixels, sharedRegion);
        FadePick<Bytes>(corner + pick.pixelOffset, growthMask + pick.maskIndex);
    };

    const uint64_t planned = picks < FadeLookahead ? picks : FadeLookahead;
    for (uint64_t i = 0; i < planned; ++i) plan(coming[i]);
    // Each pick applied makes room for the one FadeLookahead further on.
    for (uint64_t i = 0; i < picks - planned; ++i) {
        ComingPick& pick = coming[i & (FadeLookahead - 1)];
        apply(pick);
        plan(pick);
    }
    for (uint64_t i = picks - planned; i < picks; ++i) apply(coming[i & (FadeLookahead - 1)]);
    SeedRandom(state);
}

template <int Bytes>
void RunFadeRanges(bool narrow, const PixelBuffer& pixels, const DrawRegion& sharedRegion, int32_t width,
                   int32_t height, uint8_t* growthMask)
{
    if (narrow) {
        RunFade<Bytes, true>(pixels, sharedRegion, width, height, growthMask);
    } else {
        RunFade<Bytes, false>(pixels, sharedRegion, width, height, growthMask);
    }
}

}  // namespace

void FadePass(const PixelBuffer& pixels, const DrawRegion& sharedRegion, uint8_t* growthMask)
{
    if (!IsDrawableBitCount(pixels.bitCount)) return;

    // The region keeps its width and height while the animation thread lives
    // (the mask was made for them); the dialog only moves it, with this thread
    // suspended, possibly in the middle of a pass. So the size is taken once
    // and the corner is read again at every pick.
    const DrawRegion region = ReadSharedRegion(sharedRegion);
    if (!RegionHasPixels(region)) return;
    const int32_t width = RegionWidth(region);
    const int32_t height = RegionHeight(region);

    const bool narrow = IsNarrowScaler(MakeBelowScaler(width)) && IsNarrowScaler(MakeBelowScaler(height));
    if (pixels.bitCount == 16) RunFadeRanges<2>(narrow, pixels, sharedRegion, width, height, growthMask);
    if (pixels.bitCount == 24) RunFadeRanges<3>(narrow, pixels, sharedRegion, width, height, growthMask);
    if (pixels.bitCount == 32) RunFadeRanges<4>(narrow, pixels, sharedRegion, width, height, growthMask);
}
