// The frame cycle on tiny and odd regions of a memory surface: any size from
// 1x1, every depth and row layout, the region near the screen's origin or
// anywhere in the 32-bit range, any measured text height, Duration and
// Invert, failing locks and masks too small. Nothing outside the region is
// ever written, the stamp's boxes lie within the region, locks are paired,
// the frame counter follows the frame kinds and a mask that does not cover
// the region (or a depth the passes cannot draw) costs no random number.
//
// Input: width, height, depth and layout, placement (then left and top, 4
// bytes each, when far), Duration, Invert, three colour limits, a lock byte,
// a mask byte, text height (4), a text flags byte, seed (4), pass count,
// then the phrase text.
#include <cstring>
#include <vector>

#include "animation/frame_cycle.h"
#include "animation/memory_surface.h"
#include "animation/random.h"
#include "animation/stamp_geometry.h"
#include "fuzz_input.h"

namespace {

// The region's corner on the surface: a margin of this many pixels around it.
const int32_t Margin = 2;

// A region anywhere on the screen, drawn on a small surface: screen (left, top)
// is surface (Margin, Margin).
struct Bench {
    MemorySurface surface;
    BlockTextService block;
    MemoryTextService blockEntries;
    DrawRegion region;
    int64_t shiftX;   // surface x = screen x + shiftX
    int64_t shiftY;
    DrawingSurface seam;   // the surface's own, which the harness's seam wraps
};

Bench& Of(void* context) { return *static_cast<Bench*>(context); }

ScreenRect OnSurface(const Bench& bench, const ScreenRect& box)
{
    auto held = [](int64_t v) { return static_cast<int32_t>(v < -1000 ? -1000 : (v > 100000 ? 100000 : v)); };
    return ScreenRect{held(box.left + bench.shiftX), held(box.top + bench.shiftY), held(box.right + bench.shiftX),
                      held(box.bottom + bench.shiftY)};
}

bool Begin(void* c, MemorySurface& s) { return Of(c).blockEntries.BeginText(&Of(c).block, s); }
void End(void* c, MemorySurface& s) { Of(c).blockEntries.EndText(&Of(c).block, s); }

void Blacken(void* c, MemorySurface& s, const DrawRegion& region)
{
    FUZZ_CHECK(std::memcmp(&region, &Of(c).region, sizeof region) == 0, "blackened another region");
    const ScreenRect r = OnSurface(Of(c), ScreenRect{region.left, region.top, region.right, region.bottom});
    Of(c).blockEntries.Blacken(&Of(c).block, s, DrawRegion{r.left, r.top, r.right, r.bottom, r.left, r.top});
}

int32_t Measure(void* c, MemorySurface& s, const char* phrase, const ScreenRect& box)
{
    const ScreenRect expected = MeasureBox(Of(c).region);
    FUZZ_CHECK(std::memcmp(&box, &expected, sizeof box) == 0, "text measured in another box");
    return Of(c).blockEntries.MeasureText(&Of(c).block, s, phrase, box);
}

void Draw(void* c, MemorySurface& s, const char* phrase, const ScreenRect& box)
{
    const DrawRegion& r = Of(c).region;
    FUZZ_CHECK(r.left <= box.left && box.left <= box.right && box.right <= r.right && r.top <= box.top &&
                   box.top <= box.bottom && box.bottom <= r.bottom,
               "StampRect outside the region");
    Of(c).blockEntries.DrawText(&Of(c).block, s, phrase, OnSurface(Of(c), box));
}

SurfaceAccess LockShifted(void* context, PixelBuffer* pixels)
{
    Bench& bench = *static_cast<Bench*>(context);
    const SurfaceAccess access = LockMemorySurface(&bench.surface, pixels);
    if (access != SurfaceAccess::Ready) return access;
    // Screen (x, y) lands at surface (x + shiftX, y + shiftY); the address is
    // worked out as a number, the passes only ever touch the region.
    const int64_t offset = bench.shiftY * pixels->pitch + bench.shiftX * static_cast<int64_t>(pixels->bitCount / 8);
    pixels->base = reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(pixels->base) + static_cast<uintptr_t>(offset));
    return SurfaceAccess::Ready;
}

void UnlockShifted(void* context) { UnlockMemorySurface(&static_cast<Bench*>(context)->surface); }

// The text entries of the harness's seam go to the surface's own.
SurfaceAccess SeamBegin(void* c) { return Of(c).seam.BeginText(Of(c).seam.context); }
void SeamBlacken(void* c, const DrawRegion& r) { Of(c).seam.Blacken(Of(c).seam.context, r); }
int32_t SeamMeasure(void* c, const char* p, const ScreenRect& b) { return Of(c).seam.MeasureText(Of(c).seam.context, p, b); }
void SeamDraw(void* c, const char* p, const ScreenRect& b) { Of(c).seam.DrawText(Of(c).seam.context, p, b); }
void SeamEnd(void* c) { Of(c).seam.EndText(Of(c).seam.context); }

const uint32_t Depths[] = {16, 24, 32, 8};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const int32_t width = input.Small(1, 24);
    const int32_t height = input.Small(1, 24);
    const uint8_t layout = input.Byte();
    const uint32_t bitCount = Depths[layout & 3];
    const int32_t rowBytes = (width + 2 * Margin) * static_cast<int32_t>(bitCount / 8);
    const int32_t pitchChoices[] = {0, rowBytes + 3, -rowBytes, -(rowBytes + 5)};
    const int32_t pitch = pitchChoices[(layout >> 2) & 3];

    Bench bench;
    FUZZ_CHECK(CreateMemorySurface(bench.surface, width + 2 * Margin, height + 2 * Margin, bitCount, pitch),
               "CreateMemorySurface");
    int64_t left = Margin;
    int64_t top = Margin;
    if (input.Flag()) {
        // Anywhere, as long as right and bottom stay in the 32-bit range.
        left = input.Int32();
        top = input.Int32();
        if (left > INT32_MAX - width) left = INT32_MAX - width;
        if (top > INT32_MAX - height) top = INT32_MAX - height;
    }
    bench.region = DrawRegion{static_cast<int32_t>(left), static_cast<int32_t>(top), static_cast<int32_t>(left + width),
                              static_cast<int32_t>(top + height), static_cast<int32_t>(left), static_cast<int32_t>(top)};
    bench.shiftX = Margin - left;
    bench.shiftY = Margin - top;

    AnimationState state{};
    ApplyDefaultSettings(state.Settings);
    state.Settings.Duration = input.Byte();
    state.Settings.Invert = input.Byte();
    state.Settings.RedLimit = input.Byte();
    state.Settings.GreenLimit = input.Byte();
    state.Settings.BlueLimit = input.Byte();
    const uint8_t locks = input.Byte();
    bench.surface.locksBeforeFailure = locks == 0xFF ? -1 : locks;
    const uint8_t maskChoice = input.Byte() & 3;
    bench.block.measuredHeight = input.Int32();
    const uint8_t textFlags = input.Byte();
    bench.block.failBegin = (textFlags & 1) != 0;
    bench.block.cellWidth = 1 + (textFlags >> 1 & 7);
    bench.block.cellHeight = 1 + (textFlags >> 4);
    SeedRandom(input.Dword());
    const int passes = input.Byte() % 96;
    const std::vector<uint8_t> phrases(input.Rest(), input.Rest() + input.RestSize());
    state.PhraseTextLength = static_cast<uint32_t>(phrases.size());
    state.PhraseTextEncoding = PhraseEncodingOf(phrases.data(), state.PhraseTextLength);

    UseBlockText(bench.surface, bench.block);
    bench.blockEntries = bench.surface.text;
    bench.surface.text = MemoryTextService{&bench, Begin, Blacken, Measure, Draw, End};
    bench.seam = MemoryDrawingSurface(bench.surface);
    const DrawingSurface seam{&bench, LockShifted, UnlockShifted, SeamBegin, SeamBlacken, SeamMeasure, SeamDraw, SeamEnd};

    const size_t regionPixels = static_cast<size_t>(width) * static_cast<size_t>(height);
    const size_t maskSizes[] = {regionPixels, regionPixels + 7, regionPixels - 1, 0};
    std::vector<uint8_t> mask(maskSizes[maskChoice]);
    const bool maskCovers = maskChoice < 2;
    FrameCycle cycle;
    StartFrameCycle(cycle, maskChoice == 3 ? nullptr : mask.data(), mask.size());

    // Noise everywhere; only the region's pixels may change.
    for (size_t i = 0; i < bench.surface.storage.size(); ++i) bench.surface.storage[i] = static_cast<uint8_t>(i * 151 + 7);
    std::vector<bool> inside(bench.surface.storage.size(), false);
    for (int32_t y = Margin; y < Margin + height; ++y)
        for (int32_t x = Margin; x < Margin + width; ++x) {
            const size_t at = static_cast<size_t>(MemoryPixelAddress(bench.surface, x, y) - bench.surface.storage.data());
            for (uint32_t b = 0; b < bitCount / 8; ++b) inside[at + b] = true;
        }
    const std::vector<uint8_t> original = bench.surface.storage;

    for (int pass = 0; pass < passes; ++pass) {
        const uint8_t frame = cycle.Frame;
        const uint32_t randomBefore = GetRandomState();
        const uint32_t locksBefore = bench.surface.lockCount;
        const bool ran = RunFramePass(cycle, state, phrases.data(), bench.region, seam) == FrameOutcome::Passed;
        FUZZ_CHECK(!bench.surface.locked && bench.surface.lockCount == bench.surface.unlockCount, "locks paired");
        for (size_t i = 0; i < original.size(); ++i)
            FUZZ_CHECK(inside[i] || bench.surface.storage[i] == original[i], "a byte outside the region changed");
        if (!ran) {
            FUZZ_CHECK(bench.surface.lockCount == locks, "the pass failed with no failed lock");
            break;
        }
        const FrameKind kind = ClassifyFrame(frame, state.Settings.Duration);
        FUZZ_CHECK(cycle.Frame == (kind == CycleEnd ? 0 : static_cast<uint8_t>(frame + 1)), "frame counter");
        FUZZ_CHECK((bench.surface.lockCount != locksBefore) == (kind != CycleEnd && kind != HoldFrame),
                   "locks in drawing frames only");
        if (!maskCovers || !IsDrawableBitCount(bitCount))
            FUZZ_CHECK(GetRandomState() == randomBefore, "drew without a mask or depth to draw on");
    }
    return 0;
}
