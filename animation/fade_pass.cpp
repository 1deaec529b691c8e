#include "fade_pass.h"

#include <cstddef>
#include <cstring>
#include <type_traits>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "centre_planner.h"
#include "pass_common.h"
#include "pixel_format.h"
#include "prefetch.h"
#include "random_ahead.h"
#include "region_corner.h"

// The picks of a pass do not depend on the picture, only on the generator, so
// the pass works out the positions of the picks to come and fetches their
// pixel and mask byte while it applies the earlier ones, in order. Applying
// a pick has no branch on the picture: a marked pixel is stored back as it was.

namespace {

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

// Picks are planned a batch at a time: while one batch is applied, the lines
// of the next one are on their way.
const uint32_t FadeBatch = 16;

// A batch of picks, relative to the region's corner; 32-bit offsets when
// the region and pitch are a screen's size.
template <bool Compact>
struct PlannedPicks {
    using Index = std::conditional_t<Compact, int32_t, size_t>;
    using Offset = std::conditional_t<Compact, int32_t, ptrdiff_t>;
    Index maskIndex[FadeBatch];
    Offset pixelOffset[FadeBatch];
};

template <int Bytes, bool Compact>
void RunFade(const PixelBuffer& pixels, const DrawRegion& sharedRegion, int32_t width, int32_t height,
             uint8_t* growthMask)
{
    const BelowScaler columns = MakeBelowScaler(width);
    const BelowScaler rows = MakeBelowScaler(height);
    const CompactCentres centres = MakeCompactCentres(width, height, width, pixels.pitch, Bytes);
    const ptrdiff_t pitch = pixels.pitch;
    const size_t maskRow = static_cast<size_t>(width);
    const uint64_t picks = uint64_t{static_cast<uint32_t>(width)} * static_cast<uint32_t>(height);
    uint32_t state = GetRandomState();
    RegionCorner followed = StartCorner<Bytes>(pixels, sharedRegion);
    uint8_t* corner = followed.pixel;
    PlannedPicks<Compact> planned[2];

    // Two draws per pick, column then row, four picks at a time, each value
    // straight from the state before them so that no multiplication waits
    // for another.
    auto plan = [&](PlannedPicks<Compact>& batch, uint32_t count) {
        for (uint32_t k = 0; k < count; k += 4) {
            const uint32_t from = state;
            if constexpr (Compact) {
                uint32_t values[4];
                state = DrawFourCentres(from, centres, values, batch.maskIndex + k, batch.pixelOffset + k);
            } else {
                for (uint32_t i = k; i < k + 4 && i < count; ++i) {
                    const RandomJump& toFirst = StepsOneToEight.jump[2 * (i - k)];
                    const RandomJump& toSecond = StepsOneToEight.jump[2 * (i - k) + 1];
                    const uint32_t column = static_cast<uint32_t>(ScaleBelow(columns, RandomValueOf(JumpState(from, toFirst))));
                    const uint32_t row = static_cast<uint32_t>(ScaleBelow(rows, RandomValueOf(JumpState(from, toSecond))));
                    batch.maskIndex[i] = row * maskRow + column;
                    batch.pixelOffset[i] = static_cast<ptrdiff_t>(row) * pitch + static_cast<ptrdiff_t>(column) * Bytes;
                }
                state = JumpState(from, StepsOneToEight.jump[7]);
            }
            // A last, shorter group leaves the generator after its own picks.
            if (count - k < 4) state = JumpState(from, StepsOneToEight.jump[2 * (count - k) - 1]);
        }
        for (uint32_t k = 0; k < count; ++k) {
            PrefetchForWrite(growthMask + batch.maskIndex[k]);
            PrefetchForWrite(corner + batch.pixelOffset[k]);
        }
    };
    auto apply = [&](const PlannedPicks<Compact>& batch, uint32_t count) {
        for (uint32_t k = 0; k < count; ++k) {
            corner = FollowCorner<Bytes>(followed, pixels, sharedRegion);
            FadePick<Bytes>(corner + batch.pixelOffset[k], growthMask + batch.maskIndex[k]);
        }
    };

    const uint64_t wholeBatches = picks / FadeBatch;
    const uint32_t rest = static_cast<uint32_t>(picks % FadeBatch);
    if (wholeBatches == 0) {
        plan(planned[0], rest);
        apply(planned[0], rest);
    } else {
        plan(planned[0], FadeBatch);
        for (uint64_t batch = 1; batch < wholeBatches; ++batch) {
            plan(planned[batch & 1], FadeBatch);
            apply(planned[(batch - 1) & 1], FadeBatch);
        }
        if (rest != 0) plan(planned[wholeBatches & 1], rest);
        apply(planned[(wholeBatches - 1) & 1], FadeBatch);
        if (rest != 0) apply(planned[wholeBatches & 1], rest);
    }
    SeedRandom(state);
}

template <int Bytes>
void RunFadeRanges(const PixelBuffer& pixels, const DrawRegion& sharedRegion, int32_t width, int32_t height,
                   uint8_t* growthMask)
{
    if (FitsCompactCentres(width, height, width, pixels.pitch)) {
        RunFade<Bytes, true>(pixels, sharedRegion, width, height, growthMask);
    } else {
        RunFade<Bytes, false>(pixels, sharedRegion, width, height, growthMask);
    }
}

}  // namespace

void FadePass(const PixelBuffer& pixels, const DrawRegion& region, uint8_t* growthMask,
              const DrawRegion* movingRegion)
{
    if (!IsDrawableBitCount(pixels.bitCount)) return;

    // The dialog moves the region with this thread suspended, possibly in the
    // middle of a pass: the size stays the one the frame began with (the mask
    // was checked against it) and the corner is read again at every pick.
    const DrawRegion& sharedRegion = movingRegion != nullptr ? *movingRegion : region;
    if (!RegionHasPixels(region)) return;
    const int32_t width = RegionWidth(region);
    const int32_t height = RegionHeight(region);

    if (pixels.bitCount == 16) RunFadeRanges<2>(pixels, sharedRegion, width, height, growthMask);
    if (pixels.bitCount == 24) RunFadeRanges<3>(pixels, sharedRegion, width, height, growthMask);
    if (pixels.bitCount == 32) RunFadeRanges<4>(pixels, sharedRegion, width, height, growthMask);
}
