// Four picks' centres at once, for regions of a screen's size. A centre is a
// pair of generator values: the column from the first, the row from the
// second, each scaled as RandomBelow does it. For ranges up to 32766 and a
// pitch up to 32767 bytes every product stays in 32 bits, so on x86 the four
// pairs are drawn, scaled and turned into mask and pixel offsets side by side.
#pragma once
#include <cstdint>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "random_ahead.h"

// One to eight generator steps as one.
struct EightJumps {
    RandomJump jump[8];
};

constexpr EightJumps MakeEightJumps()
{
    EightJumps jumps{};
    for (uint32_t i = 0; i < 8; ++i) jumps.jump[i] = RandomJumpOf(i + 1);
    return jumps;
}

constexpr EightJumps StepsOneToEight = MakeEightJumps();

// Whether a region and pitch are small enough for CompactCentres.
inline bool FitsCompactCentres(int32_t columns, int32_t rows, int32_t width, int32_t pitch)
{
    return columns >= 1 && columns <= 32766 && rows >= 1 && rows <= 32766 && width <= 32766 && pitch <= 32767 &&
           pitch >= -32767;
}

struct CompactCentres {
    BelowScaler columns;   // narrow: n up to 32766
    BelowScaler rows;
    int32_t maskRow;       // bytes of a mask row
    int32_t pitch;
    int32_t pixelBytes;
};

inline CompactCentres MakeCompactCentres(int32_t columns, int32_t rows, int32_t width, int32_t pitch, int32_t bytes)
{
    return CompactCentres{MakeBelowScaler(columns), MakeBelowScaler(rows), width, pitch, bytes};
}

// Draws the eight values after `state` as four pairs and returns the state
// after them. For each pair: the two values (first | second << 16), the
// centre's mask index (row * maskRow + column) and its pixel offset
// (row * pitch + column * pixelBytes).
inline uint32_t DrawFourCentres(uint32_t state, const CompactCentres& c, uint32_t* values, int32_t* maskIndex,
                                int32_t* pixelOffset)
{
#if defined(__SSE2__)
    // state * a + b in four lanes; SSE2 multiplies only lanes 0 and 2.
    auto jumpFour = [](__m128i states, __m128i evenMultipliers, __m128i oddMultipliers, __m128i increments) {
        const __m128i even = _mm_shuffle_epi32(_mm_mul_epu32(states, evenMultipliers), _MM_SHUFFLE(2, 0, 2, 0));
        const __m128i odd = _mm_shuffle_epi32(_mm_mul_epu32(states, oddMultipliers), _MM_SHUFFLE(2, 0, 2, 0));
        return _mm_add_epi32(_mm_unpacklo_epi32(even, odd), increments);
    };
    // floor(r * n / 32767), then n - 1 at most: r * n < 2^30, and for y = x + 1
    // below 2^30, floor(x / 32767) = (y + (y >> 15)) >> 15.
    auto scaleFour = [](__m128i r, const BelowScaler& scaler) {
        const __m128i product = _mm_madd_epi16(r, _mm_set1_epi32(scaler.top + 1));
        const __m128i y = _mm_add_epi32(product, _mm_set1_epi32(1));
        const __m128i quotient = _mm_srli_epi32(_mm_add_epi32(y, _mm_srli_epi32(y, 15)), 15);
        return _mm_min_epi16(quotient, _mm_set1_epi32(scaler.top));
    };
    const EightJumps& j = StepsOneToEight;
    const __m128i states = _mm_set1_epi32(static_cast<int32_t>(state));
    const __m128i firsts = jumpFour(
        states,
        _mm_setr_epi32(static_cast<int32_t>(j.jump[0].multiplier), 0, static_cast<int32_t>(j.jump[4].multiplier), 0),
        _mm_setr_epi32(static_cast<int32_t>(j.jump[2].multiplier), 0, static_cast<int32_t>(j.jump[6].multiplier), 0),
        _mm_setr_epi32(static_cast<int32_t>(j.jump[0].increment), static_cast<int32_t>(j.jump[2].increment),
                       static_cast<int32_t>(j.jump[4].increment), static_cast<int32_t>(j.jump[6].increment)));
    const __m128i seconds = jumpFour(
        states,
        _mm_setr_epi32(static_cast<int32_t>(j.jump[1].multiplier), 0, static_cast<int32_t>(j.jump[5].multiplier), 0),
        _mm_setr_epi32(static_cast<int32_t>(j.jump[3].multiplier), 0, static_cast<int32_t>(j.jump[7].multiplier), 0),
        _mm_setr_epi32(static_cast<int32_t>(j.jump[1].increment), static_cast<int32_t>(j.jump[3].increment),
                       static_cast<int32_t>(j.jump[5].increment), static_cast<int32_t>(j.jump[7].increment)));
    const __m128i lowFifteen = _mm_set1_epi32(0x7FFF);
    const __m128i first = _mm_and_si128(_mm_srli_epi32(firsts, 16), lowFifteen);
    const __m128i second = _mm_and_si128(_mm_srli_epi32(seconds, 16), lowFifteen);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(values), _mm_or_si128(first, _mm_slli_epi32(second, 16)));

    const __m128i columnAndRow = _mm_or_si128(scaleFour(first, c.columns), _mm_slli_epi32(scaleFour(second, c.rows), 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(maskIndex),
                     _mm_madd_epi16(columnAndRow, _mm_set1_epi32(1 | c.maskRow << 16)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(pixelOffset),
                     _mm_madd_epi16(columnAndRow, _mm_set1_epi32((c.pixelBytes & 0xFFFF) | c.pitch * 65536)));
#else
    for (uint32_t k = 0; k < 4; ++k) {
        const uint32_t first = RandomValueOf(JumpState(state, StepsOneToEight.jump[2 * k]));
        const uint32_t second = RandomValueOf(JumpState(state, StepsOneToEight.jump[2 * k + 1]));
        values[k] = first | second << 16;
        const int32_t column = ScaleBelowNarrow(c.columns, first);
        const int32_t row = ScaleBelowNarrow(c.rows, second);
        maskIndex[k] = row * c.maskRow + column;
        pixelOffset[k] = row * c.pitch + column * c.pixelBytes;
    }
#endif
    return JumpState(state, StepsOneToEight.jump[7]);
}
