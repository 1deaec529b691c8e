#include "growth_pass.h"

#include <cstddef>
#include <cstring>

#include "pass_common.h"
#include "pixel_format.h"
#include "prefetch.h"
#include "random_ahead.h"
#include "shared_read.h"

// The generator runs ahead in a queue, so the pass can work out where the
// picks to come will land and fetch their pixel and mask byte early. How many
// values a pick draws depends on the picture (two when it ends at the centre,
// two more per neighbour probe when the centre grows), so the fetching follows
// the likely path and starts again from the real position when a pick leaves it.
// The picks themselves apply one after another, exactly in order.

namespace {

// Picks fetched ahead of the one being applied.
const uint32_t GrowthLookahead = 12;

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

// Where the region's corner pixel is now; it may have moved since the last pick.
template <int Bytes>
inline uint8_t* CornerPixel(const PixelBuffer& pixels, const DrawRegion& sharedRegion)
{
    return pixels.base + static_cast<ptrdiff_t>(ReadShared(sharedRegion.originY)) * pixels.pitch +
           static_cast<ptrdiff_t>(ReadShared(sharedRegion.originX)) * Bytes;
}

template <int Bytes, bool Inverted>
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
    const BelowScaler offsets = MakeBelowScaler(2 * reach + 1);
    const uint32_t growingDraws = 2 + 2 * static_cast<uint32_t>(reach);

    // In a normal frame most picks land on the black ground and end at once;
    // in an inverted one most land on the ground, which grows.
    const uint32_t likelyDraws = Inverted ? growingDraws : 2;
    uint32_t lookaheadPicks = (RandomQueueSize - 16 - growingDraws) / likelyDraws;
    if (lookaheadPicks > GrowthLookahead) lookaheadPicks = GrowthLookahead;
    const int32_t lookaheadDraws = static_cast<int32_t>(lookaheadPicks * likelyDraws);

    RandomQueue queue;
    StartRandomQueue(queue, GetRandomState());
    uint32_t drawn = 0;   // values the applied picks have used
    uint32_t ahead = 0;   // where the next pick to fetch early starts
    uint8_t scratch[4];   // takes the halo stores that land on no marked pixel

    for (uint64_t pick = 0; pick < picks; ++pick) {
        if (static_cast<int32_t>(ahead - drawn) < 0) ahead = drawn;
        while (static_cast<int32_t>(ahead - drawn) < lookaheadDraws) {
            FillRandomQueueTo(queue, ahead + 2);
            const int32_t column = firstColumn + ScaleBelow(columns, QueuedValue(queue, ahead));
            const int32_t row = ScaleBelow(rows, QueuedValue(queue, ahead + 1));
            PrefetchForWrite(growthMask + static_cast<size_t>(row) * static_cast<size_t>(width) + column);
            PrefetchForWrite(CornerPixel<Bytes>(pixels, sharedRegion) + static_cast<ptrdiff_t>(row) * pixels.pitch +
                             static_cast<ptrdiff_t>(column) * Bytes);
            ahead += likelyDraws;
        }
        FillRandomQueueTo(queue, drawn + growingDraws);

        // The centre: px, then py, anywhere in the region.
        const int32_t px = firstColumn + ScaleBelow(columns, QueuedValue(queue, drawn));
        const int32_t py = ScaleBelow(rows, QueuedValue(queue, drawn + 1));
        drawn += 2;
        uint8_t* corner = CornerPixel<Bytes>(pixels, sharedRegion);
        uint8_t& centreMark = growthMask[static_cast<size_t>(py) * static_cast<size_t>(width) + px];
        uint8_t* centre = corner + static_cast<ptrdiff_t>(py) * pixels.pitch + static_cast<ptrdiff_t>(px) * Bytes;
        const uint32_t marked = centreMark;
        const uint32_t raw = LoadPixel<Bytes>(centre);
        if (marked != 0 || IsMarkedKind<Bytes, Inverted>(raw)) {
            centreMark = static_cast<uint8_t>(marked != 0 ? marked : 1);
            if (likelyDraws != 2) ahead = drawn;   // off the likely path
            continue;
        }

        const Colour old = ColourOf<Bytes>(raw);
        const Colour grown{StepChannel(old.red, settings.RedLimit, resetRed),
                           StepChannel(old.green, settings.GreenLimit, resetGreen),
                           StepChannel(old.blue, settings.BlueLimit, resetBlue)};
        StoreColour<Bytes>(centre, grown);
        if (reach == 0) continue;

        // Neighbour probes; those beyond the region land on its edge rows and columns.
        const Colour half{grown.red / 2, grown.green / 2, grown.blue / 2};
        uint32_t nearMarked = 0;
        for (int32_t probe = 0; probe < reach; ++probe) {
            const int32_t ox = ScaleBelow(offsets, QueuedValue(queue, drawn)) - reach;
            const int32_t oy = ScaleBelow(offsets, QueuedValue(queue, drawn + 1)) - reach;
            drawn += 2;
            const int32_t nx = Clamp(px + ox, 0, width - 1);
            const int32_t ny = Clamp(py + oy, 0, height - 1);
            const uint32_t near = growthMask[static_cast<size_t>(ny) * static_cast<size_t>(width) + nx];
            if constexpr (Inverted) {
                nearMarked |= near;
            } else {
                // The halo on a marked neighbour; no branch waits for its mask byte.
                uint8_t* neighbour =
                    corner + static_cast<ptrdiff_t>(ny) * pixels.pitch + static_cast<ptrdiff_t>(nx) * Bytes;
                StoreColour<Bytes>(SelectPixel(near != 0, neighbour, scratch), half);
            }
        }
        if (Inverted && nearMarked != 0) {
            // Near a letter the ground glows a little darker.
            StoreColour<Bytes>(centre, Colour{grown.red - grown.red / 8, grown.green - grown.green / 8,
                                              grown.blue - grown.blue / 8});
        }
    }
    SeedRandom(QueueStateAfter(queue, drawn));
}

template <int Bytes>
void RunGrowthVariant(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                      const DrawRegion& sharedRegion, int32_t width, int32_t height, uint64_t picks,
                      uint8_t* growthMask)
{
    if (variant == GrowthNormal) {
        RunGrowth<Bytes, false>(pixels, settings, sharedRegion, width, height, picks, growthMask);
    } else {
        RunGrowth<Bytes, true>(pixels, settings, sharedRegion, width, height, picks, growthMask);
    }
}

}  // namespace

void GrowthPass(GrowthVariant variant, const PixelBuffer& pixels, const SaverSettings& settings,
                const DrawRegion& sharedRegion, const ScreenRect& stampRect, uint8_t* growthMask)
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
