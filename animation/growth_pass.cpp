#include "growth_pass.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "centre_planner.h"
#include "pass_common.h"
#include "pixel_format.h"
#include "prefetch.h"
#include "random_ahead.h"
#include "region_corner.h"
#include "shared_read.h"

// The generator runs ahead of the picks, so the pass can work out where the
// picks to come will land and fetch their pixel and mask byte early. How many
// values a pick draws depends on the picture (two when it ends at the centre,
// two more per neighbour probe when the centre grows), so the fetching follows
// the likely path and starts again from the real position when a pick leaves it.
// The picks themselves apply one after another, exactly in order.

namespace {

// Picks fetched ahead of the one being applied.
const uint32_t GrowthLookahead = 24;

struct ExpansionTable {
    uint8_t value[32];
};

constexpr ExpansionTable MakeExpansion()
{
    ExpansionTable table{};
    for (uint32_t f = 0; f < 32; ++f) table.value[f] = static_cast<uint8_t>(f * 255u / 31u);
    return table;
}

constexpr ExpansionTable Expanded = MakeExpansion();

struct Colour {
    uint32_t red;
    uint32_t green;
    uint32_t blue;
};

// A pixel's bytes as one number: the 16-bit word, or blue | green << 8 | red << 16.
template <int Bytes>
inline uint32_t LoadPixel(const uint8_t* pixel)
{
    if constexpr (Bytes == 2) return ReadWord16(pixel);
    if constexpr (Bytes == 3) return uint32_t{pixel[0]} | uint32_t{pixel[1]} << 8 | uint32_t{pixel[2]} << 16;
    uint32_t value;
    std::memcpy(&value, pixel, sizeof value);
    return value & 0xFFFFFFu;
}

template <int Bytes>
inline Colour ColourOf(uint32_t raw)
{
    if constexpr (Bytes == 2) {
        return Colour{Expanded.value[raw >> 11], Expanded.value[(raw >> 6) & 31], Expanded.value[raw & 31]};
    }
    return Colour{(raw >> 16) & 0xFF, (raw >> 8) & 0xFF, raw & 0xFF};
}

// Black in the normal variant; the stamp colour (green bit 5 aside) in the inverted one.
template <int Bytes, bool Inverted>
inline bool IsMarkedKind(uint32_t raw)
{
    if constexpr (Bytes == 2) return Inverted ? (raw & 0xFFDFu) == 0x0002u : raw == 0;
    return Inverted ? raw == 0x000010u : raw == 0;
}

template <int Bytes>
inline void StoreColour(uint8_t* pixel, const Colour& c)
{
    if constexpr (Bytes == 2) {
        WriteWord16(pixel, static_cast<uint16_t>((c.red / 8) << 11 | (c.green / 8) << 6 | (c.blue / 8)));
    } else {
        pixel[0] = static_cast<uint8_t>(c.blue);
        pixel[1] = static_cast<uint8_t>(c.green);
        pixel[2] = static_cast<uint8_t>(c.red);
    }
}

// The limit is read at every step: the dialog's slider may have moved it.
inline uint32_t StepChannel(uint32_t value, const uint8_t& sharedLimit, uint32_t reset)
{
    const int32_t limit = ReadShared(sharedLimit);
    return static_cast<int32_t>(value) < limit - 20 ? value + 20 : reset;
}

inline int32_t Clamp(int32_t value, int32_t low, int32_t high)
{
    return value < low ? low : (value > high ? high : value);
}

inline uint8_t* SelectPixel(bool first, uint8_t* a, uint8_t* b)
{
    const uintptr_t pickA = uintptr_t{0} - static_cast<uintptr_t>(first);
    return reinterpret_cast<uint8_t*>((reinterpret_cast<uintptr_t>(a) & pickA) |
                                      (reinterpret_cast<uintptr_t>(b) & ~pickA));
}

// The pass draws its values in pairs: a pick's centre (px, py) or one
// neighbour probe (ox, oy). Every pick starts at a pair, so the pairs are
// drawn into a ring ahead of the picks that use them, with what each pair
// would mean worked out once: in the normal variant, where most pairs are
// centres, the centre's mask byte and pixel; in the inverted one, where most
// are probes, the probe's mask offset from a centre away from the edges.
const uint32_t PairSlots = 1024;

template <bool Inverted, bool Compact>
struct PairRing {
    using Index = std::conditional_t<Compact, int32_t, size_t>;
    using Offset = std::conditional_t<Compact, int32_t, ptrdiff_t>;
    uint32_t values[PairSlots];   // first | second << 16
    Index maskIndex[Inverted ? 1 : PairSlots];
    Offset pixelOffset[Inverted ? 1 : PairSlots];   // from the region's corner pixel
    Offset probeOffset[Inverted ? PairSlots : 1];   // from a centre away from the edges
};

inline uint32_t FirstOf(uint32_t pair) { return pair & 0xFFFFu; }
inline uint32_t SecondOf(uint32_t pair) { return pair >> 16; }

// Neighbour offsets -N to N by generator value, for N up to 127.
struct OffsetTable {
    int8_t offset[32768];
};

// Compact: the centre's ranges and the pitch of a screen's size.
template <int Bytes, bool Inverted, bool Compact>
void RunGrowth(const PixelBuffer& pixels, const SaverSettings& settings, const DrawRegion& sharedRegion,
               int32_t width, int32_t height, uint64_t picks, uint8_t* growthMask)
{
    const uint32_t resetRed = Inverted ? (Bytes == 2 ? 8 : 1) : 1;
    const uint32_t resetGreen = Inverted ? (Bytes == 2 ? 8 : 1) : 11;
    const uint32_t resetBlue = Inverted ? (Bytes == 2 ? 8 : 1) : 21;

    // The inverted variant never picks the outer columns.
    const int32_t firstColumn = Inverted ? 1 : 0;
    const BelowScaler columns = MakeBelowScaler(Inverted ? width - 2 : width);
    const BelowScaler rows = MakeBelowScaler(height);
    // N: the low 8 bits of (W - 1) / 200, inverted (W - 3) / 200.
    const int32_t reach = ((width - (Inverted ? 3 : 1)) / 200) & 0xFF;
    const uint32_t probePairs = static_cast<uint32_t>(reach);
    const BelowScaler offsets = MakeBelowScaler(2 * reach + 1);
    const bool offsetsFromTable = reach >= 1 && reach <= 127;
    OffsetTable offsetTable;
    if (offsetsFromTable) {
        for (uint32_t r = 0; r < 32768; ++r) offsetTable.offset[r] = static_cast<int8_t>(ScaleBelow(offsets, r) - reach);
    }
    auto offsetOf = [&](uint32_t r) {
        return offsetsFromTable ? int32_t{offsetTable.offset[r]} : ScaleBelow(offsets, r) - reach;
    };
    const ptrdiff_t pitch = pixels.pitch;
    const ptrdiff_t maskRow = width;

    // In a normal frame most picks land on the black ground and end at their
    // centre (one pair); in an inverted one most land on the ground, which
    // grows (one pair and N more). The cache lines of the picks to come are
    // fetched along that likely path.
    const uint32_t likelyPairs = Inverted ? 1 + probePairs : 1;
    uint32_t lookaheadPicks = (PairSlots - 4 - 2 * (1 + probePairs)) / likelyPairs;
    if (lookaheadPicks > GrowthLookahead) lookaheadPicks = GrowthLookahead;
    const uint32_t farPairs = lookaheadPicks * likelyPairs;
    // Pairs kept drawn beyond the next pick's first: the window and a whole pick.
    const uint32_t drawnAhead = farPairs + 1 + probePairs;

    PairRing<Inverted, Compact> ring;
    const CompactCentres centres = MakeCompactCentres(width, height, width, pixels.pitch, Bytes);
    const CompactProbes probes = MakeCompactProbes(reach, width);
    uint32_t state = GetRandomState();
    uint32_t made = 0;       // pairs drawn into the ring
    uint32_t used = 0;       // pairs the applied picks have taken
    uint32_t pathPair = 0;   // inverted: the next likely pick start to fetch
    // The region's corner pixel, read again at every pick.
    RegionCorner followed = StartCorner<Bytes>(pixels, sharedRegion);
    uint8_t* corner = followed.pixel;
    // Stands in for a pixel that is not to be touched: it is read instead of
    // a marked centre and takes the halo stores that land on no marked pixel.
    uint8_t scratch[4] = {};

    // Draws four more pairs, each value straight from the same state so that
    // no multiplication waits for another. Normal variant: the centre's mask
    // byte is fetched at once.
    auto makeFourPairs = [&]() {
        const uint32_t from = state;
        if constexpr (Compact && !Inverted) {
            const uint32_t slot = made & (PairSlots - 1);
            state = DrawFourCentres(from, centres, ring.values + slot, ring.maskIndex + slot, ring.pixelOffset + slot);
            for (uint32_t k = slot; k < slot + 4; ++k) PrefetchForWrite(growthMask + ring.maskIndex[k]);
            made += 4;
            return;
        }
        if constexpr (Compact && Inverted) {
            const uint32_t slot = made & (PairSlots - 1);
            state = DrawFourProbes(from, probes, ring.values + slot, ring.probeOffset + slot);
            made += 4;
            return;
        }
        for (uint32_t k = 0; k < 4; ++k) {
            const uint32_t slot = (made + k) & (PairSlots - 1);
            const uint32_t first = RandomValueOf(JumpState(from, StepsOneToEight.jump[2 * k]));
            const uint32_t second = RandomValueOf(JumpState(from, StepsOneToEight.jump[2 * k + 1]));
            ring.values[slot] = first | second << 16;
            if constexpr (Inverted) {
                ring.probeOffset[slot] = static_cast<ptrdiff_t>(offsetOf(second)) * maskRow + offsetOf(first);
            } else {
                const int32_t x = ScaleBelowAs<Compact>(columns, first);
                const int32_t y = ScaleBelowAs<Compact>(rows, second);
                ring.maskIndex[slot] = static_cast<size_t>(y) * static_cast<size_t>(maskRow) + static_cast<size_t>(x);
                ring.pixelOffset[slot] = static_cast<ptrdiff_t>(y) * pitch + static_cast<ptrdiff_t>(x) * Bytes;
                PrefetchForWrite(growthMask + ring.maskIndex[slot]);
            }
        }
        state = JumpState(from, StepsOneToEight.jump[7]);
        made += 4;
    };
    auto keepDrawnAhead = [&]() {
        while (static_cast<int32_t>(used + drawnAhead - made) > 0) makeFourPairs();
    };

    keepDrawnAhead();
    for (uint64_t pick = 0; pick < picks; ++pick) {
        corner = FollowCorner<Bytes>(followed, pixels, sharedRegion);
        if constexpr (Inverted) {
            if (static_cast<int32_t>(pathPair - used) < 0) pathPair = used;
            for (; static_cast<int32_t>(pathPair - used) < static_cast<int32_t>(farPairs); pathPair += likelyPairs) {
                const uint32_t pair = ring.values[pathPair & (PairSlots - 1)];
                const int32_t x = firstColumn + ScaleBelowAs<Compact>(columns, FirstOf(pair));
                const int32_t y = ScaleBelowAs<Compact>(rows, SecondOf(pair));
                PrefetchForWrite(growthMask + static_cast<ptrdiff_t>(y) * maskRow + x);
                PrefetchForWrite(corner + static_cast<ptrdiff_t>(y) * pitch + static_cast<ptrdiff_t>(x) * Bytes);
            }
        }

        // The centre: px, then py, anywhere in the region.
        const uint32_t centreSlot = used & (PairSlots - 1);
        ++used;
        uint8_t* centreMark;
        uint8_t* centrePixel;
        if constexpr (Inverted) {
            const uint32_t pair = ring.values[centreSlot];
            const int32_t x = firstColumn + ScaleBelowAs<Compact>(columns, FirstOf(pair));
            const int32_t y = ScaleBelowAs<Compact>(rows, SecondOf(pair));
            centreMark = growthMask + static_cast<ptrdiff_t>(y) * maskRow + x;
            centrePixel = corner + static_cast<ptrdiff_t>(y) * pitch + static_cast<ptrdiff_t>(x) * Bytes;
        } else {
            centreMark = growthMask + ring.maskIndex[centreSlot];
            centrePixel = corner + ring.pixelOffset[centreSlot];
        }
        const uint32_t marked = *centreMark;
        // Only an unmarked centre's pixel is read: in a normal frame most
        // centres are marked, and their pixels are neither fetched nor read.
        const uint32_t raw = LoadPixel<Bytes>(SelectPixel(marked == 0, centrePixel, scratch));
        if (marked != 0 || IsMarkedKind<Bytes, Inverted>(raw)) {
            *centreMark = static_cast<uint8_t>(marked != 0 ? marked : 1);
            keepDrawnAhead();
            if (Inverted) pathPair = used;   // off the likely path
            continue;
        }

        const Colour old = ColourOf<Bytes>(raw);
        const Colour grown{StepChannel(old.red, settings.RedLimit, resetRed),
                           StepChannel(old.green, settings.GreenLimit, resetGreen),
                           StepChannel(old.blue, settings.BlueLimit, resetBlue)};
        StoreColour<Bytes>(centrePixel, grown);
        if (reach != 0) {
            // Neighbour probes; those beyond the region land on its edge rows
            // and columns. Away from the edges no probe needs the clamp.
            const uint32_t centrePair = ring.values[centreSlot];
            const int32_t px = firstColumn + ScaleBelowAs<Compact>(columns, FirstOf(centrePair));
            const int32_t py = ScaleBelowAs<Compact>(rows, SecondOf(centrePair));
            const bool inside = px >= reach && px < width - reach && py >= reach && py < height - reach;
            if (Inverted && inside && (Compact || offsetsFromTable)) {
                uint32_t nearMarked = 0;
                for (uint32_t probe = 0; probe < probePairs; ++probe) {
                    nearMarked |= centreMark[ring.probeOffset[(used + probe) & (PairSlots - 1)]];
                }
                if (nearMarked != 0) {
                    // Near a letter the ground glows a little darker.
                    StoreColour<Bytes>(centrePixel, Colour{grown.red - grown.red / 8, grown.green - grown.green / 8,
                                                           grown.blue - grown.blue / 8});
                }
            } else {
                const Colour half{grown.red / 2, grown.green / 2, grown.blue / 2};
                uint32_t nearMarked = 0;
                for (uint32_t probe = 0; probe < probePairs; ++probe) {
                    const uint32_t pair = ring.values[(used + probe) & (PairSlots - 1)];
                    const int32_t nx = Clamp(px + offsetOf(FirstOf(pair)), 0, width - 1);
                    const int32_t ny = Clamp(py + offsetOf(SecondOf(pair)), 0, height - 1);
                    const uint32_t near = growthMask[static_cast<ptrdiff_t>(ny) * maskRow + nx];
                    if constexpr (Inverted) {
                        nearMarked |= near;
                    } else {
                        // The halo on a marked neighbour; no branch waits for its mask byte.
                        uint8_t* neighbour =
                            corner + static_cast<ptrdiff_t>(ny) * pitch + static_cast<ptrdiff_t>(nx) * Bytes;
                        StoreColour<Bytes>(SelectPixel(near != 0, neighbour, scratch), half);
                    }
                }
                if (Inverted && nearMarked != 0) {
                    StoreColour<Bytes>(centrePixel, Colour{grown.red - grown.red / 8, grown.green - grown.green / 8,
                                                           grown.blue - grown.blue / 8});
                }
            }
        }
        used += probePairs;
        keepDrawnAhead();
    }
    // The pairs drawn ahead but not used go back to the generator.
    SeedRandom(RandomStateBefore(state, 2 * (made - used)));
}

template <int Bytes, bool Inverted>
void RunGrowthRanges(const PixelBuffer& pixels, const SaverSettings& settings, const DrawRegion& sharedRegion,
                     int32_t width, int32_t height, uint64_t picks, uint8_t* growthMask)
{
    if (FitsCompactCentres(Inverted ? width - 2 : width, height, width, pixels.pitch)) {
        RunGrowth<Bytes, Inverted, true>(pixels, settings, sharedRegion, width, height, picks, growthMask);
    } else {
        RunGrowth<Bytes, Inverted, false>(pixels, settings, sharedRegion, width, height, picks, growthMask);
    }
}

template <int Bytes>
void RunGrowthVariant(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                      const DrawRegion& sharedRegion, int32_t width, int32_t height, uint64_t picks,
                      uint8_t* growthMask)
{
    if (variant == GrowthNormal) {
        RunGrowthRanges<Bytes, false>(pixels, settings, sharedRegion, width, height, picks, growthMask);
    } else {
        RunGrowthRanges<Bytes, true>(pixels, settings, sharedRegion, width, height, picks, growthMask);
    }
}

}  // namespace

void GrowthPass(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                const DrawRegion& region, const ScreenRect& stampRect, uint8_t* growthMask,
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
    // The inverted variant needs a column between the outer two.
    if (variant == GrowthInverted && width < 3) return;

    // One pick per StampRect pixel of the form's rows (inverted 24/32 bits:
    // 20 rows fewer at each end); the rectangle gives nothing but the count.
    const int64_t rowInset = variant == GrowthInverted && pixels.bitCount != 16 ? 20 : 0;
    const int64_t rowCount = int64_t{stampRect.bottom} - stampRect.top - 2 * rowInset;
    const int64_t columnCount = int64_t{stampRect.right} - stampRect.left;
    if (rowCount <= 0 || columnCount <= 0) return;
    const uint64_t picks = static_cast<uint64_t>(rowCount) * static_cast<uint64_t>(columnCount);

    if (pixels.bitCount == 16) RunGrowthVariant<2>(variant, pixels, settings, sharedRegion, width, height, picks, growthMask);
    if (pixels.bitCount == 24) RunGrowthVariant<3>(variant, pixels, settings, sharedRegion, width, height, picks, growthMask);
    if (pixels.bitCount == 32) RunGrowthVariant<4>(variant, pixels, settings, sharedRegion, width, height, picks, growthMask);
}
