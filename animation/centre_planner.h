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

#if defined(__SSE2__)
// state * a + b in four lanes; SSE2 multiplies only lanes 0 and 2.
inline __m128i JumpFour(__m128i states, const RandomJump& a, const RandomJump& b, const RandomJump& c,
                        const RandomJump& d)
{
    const __m128i even = _mm_mul_epu32(states, _mm_setr_epi32(static_cast<int32_t>(a.multiplier), 0,
                                                              static_cast<int32_t>(c.multiplier), 0));
    const __m128i odd = _mm_mul_epu32(states, _mm_setr_epi32(static_cast<int32_t>(b.multiplier), 0,
                                                             static_cast<int32_t>(d.multiplier), 0));
    const __m128i lanes = _mm_unpacklo_epi32(_mm_shuffle_epi32(even, _MM_SHUFFLE(2, 0, 2, 0)),
                                             _mm_shuffle_epi32(odd, _MM_SHUFFLE(2, 0, 2, 0)));
    return _mm_add_epi32(lanes, _mm_setr_epi32(static_cast<int32_t>(a.increment), static_cast<int32_t>(b.increment),
                                               static_cast<int32_t>(c.increment), static_cast<int32_t>(d.increment)));
}

// The generator values after `state`: the odd steps (1, 3, 5, 7) and the
// even ones (2, 4, 6, 8), each a number from 0 to 32767 in its lane.
inline void DrawEightValues(uint32_t state, __m128i& firsts, __m128i& seconds)
{
    const EightJumps& j = StepsOneToEight;
    const __m128i states = _mm_set1_epi32(static_cast<int32_t>(state));
    const __m128i lowFifteen = _mm_set1_epi32(0x7FFF);
    firsts = _mm_and_si128(_mm_srli_epi32(JumpFour(states, j.jump[0], j.jump[2], j.jump[4], j.jump[6]), 16), lowFifteen);
    seconds = _mm_and_si128(_mm_srli_epi32(JumpFour(states, j.jump[1], j.jump[3], j.jump[5], j.jump[7]), 16), lowFifteen);
}

// floor(r * n / 32767), then n - 1 at most, for n up to 32766: r * n < 2^30,
// and for y = x + 1 below 2^30, floor(x / 32767) = (y + (y >> 15)) >> 15.
inline __m128i ScaleFour(__m128i r, const BelowScaler& scaler)
{
    const __m128i product = _mm_madd_epi16(r, _mm_set1_epi32(scaler.top + 1));
    const __m128i y = _mm_add_epi32(product, _mm_set1_epi32(1));
    const __m128i quotient = _mm_srli_epi32(_mm_add_epi32(y, _mm_srli_epi32(y, 15)), 15);
    return _mm_min_epi16(quotient, _mm_set1_epi32(scaler.top));
}
#endif

// Draws the eight values after `state` as four pairs and returns the state
// after them. For each pair: the two values (first | second << 16), the
// centre's mask index (row * maskRow + column) and its pixel offset
// (row * pitch + column * pixelBytes).
inline uint32_t DrawFourCentres(uint32_t state, const CompactCentres& c, uint32_t* values, int32_t* maskIndex,
                                int32_t* pixelOffset)
{
#if defined(__SSE2__)
    __m128i first;
    __m128i second;
    DrawEightValues(state, first, second);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(values), _mm_or_si128(first, _mm_slli_epi32(second, 16)));
    const __m128i columnAndRow = _mm_or_si128(ScaleFour(first, c.columns), _mm_slli_epi32(ScaleFour(second, c.rows), 16));
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

// Neighbour probes of the growth pass: ox, oy from -N to N, as a mask offset
// oy * maskRow + ox from a centre away from the region's edges.
struct CompactProbes {
    BelowScaler offsets;   // 2N + 1
    int32_t reach;         // N, up to 255
    int32_t maskRow;       // up to 32766
};

inline CompactProbes MakeCompactProbes(int32_t reach, int32_t maskRow)
{
    return CompactProbes{MakeBelowScaler(2 * reach + 1), reach, maskRow};
}

// Draws the eight values after `state` as four pairs and returns the state
// after them; for each pair the two values and the probe's mask offset.
inline uint32_t DrawFourProbes(uint32_t state, const CompactProbes& p, uint32_t* values, int32_t* maskOffset)
{
#if defined(__SSE2__)
    __m128i first;
    __m128i second;
    DrawEightValues(state, first, second);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(values), _mm_or_si128(first, _mm_slli_epi32(second, 16)));
    const __m128i reach = _mm_set1_epi32(p.reach);
    const __m128i ox = _mm_sub_epi32(ScaleFour(first, p.offsets), reach);
    const __m128i oy = _mm_sub_epi32(ScaleFour(second, p.offsets), reach);
    const __m128i packed = _mm_or_si128(_mm_and_si128(ox, _mm_set1_epi32(0xFFFF)), _mm_slli_epi32(oy, 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(maskOffset), _mm_madd_epi16(packed, _mm_set1_epi32(1 | p.maskRow << 16)));
#else
    for (uint32_t k = 0; k < 4; ++k) {
        const uint32_t first = RandomValueOf(JumpState(state, StepsOneToEight.jump[2 * k]));
        const uint32_t second = RandomValueOf(JumpState(state, StepsOneToEight.jump[2 * k + 1]));
        values[k] = first | second << 16;
        const int32_t ox = ScaleBelowNarrow(p.offsets, first) - p.reach;
        const int32_t oy = ScaleBelowNarrow(p.offsets, second) - p.reach;
        maskOffset[k] = oy * p.maskRow + ox;
    }
#endif
    return JumpState(state, StepsOneToEight.jump[7]);
}
