#include "frame_cycle.h"

#include <cstring>

#include "fade_pass.h"
#include "growth_pass.h"
#include "phrases.h"
#include "pixel_format.h"
#include "shared_read.h"
#include "stamp_geometry.h"

namespace {

void ClearGrowthMask(FrameCycle& cycle)
{
    if (cycle.GrowthMask != nullptr) std::memset(cycle.GrowthMask, 0, cycle.GrowthMaskSize);
}

// The passes index the mask by region pixel; a mask smaller than the region
// (which the thread's start never makes) would let them run past its end.
bool MaskCoversRegion(const FrameCycle& cycle, const DrawRegion& region)
{
    const int64_t width = RegionWidth(region);
    const int64_t height = RegionHeight(region);
    if (width < 1 || height < 1) return true;   // no picks at all
    return cycle.GrowthMask != nullptr &&
           static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <= cycle.GrowthMaskSize;
}

// Blackens the region and draws the phrase centred in the stamp colour. When
// the text service is not available the old StampRect stays; a lost surface
// then shows at the lock that follows.
void StampPhrase(FrameCycle& cycle, AnimationState& state, const DrawRegion& region, const DrawingSurface& surface)
{
    if (surface.BeginText(surface.context) != SurfaceAccess::Ready) return;
    state.Phrase[PhraseCapacity] = '\0';
    surface.Blacken(surface.context, region);
    const int32_t height = surface.MeasureText(surface.context, state.Phrase, MeasureBox(region));
    cycle.StampRect = ComputeStampRect(region, height);
    surface.DrawText(surface.context, state.Phrase, cycle.StampRect);
    surface.EndText(surface.context);
}

}  // namespace

FrameKind ClassifyFrame(uint8_t frame, uint8_t duration)
{
    const int32_t f = frame;
    const int32_t d = duration;
    if (f >= 2 * d + 28) return CycleEnd;
    if (f < 13) return FadeFrame;
    if (f >= d + 28) return HoldFrame;
    return f == 13 ? StampFrame : GrowthFrame;
}

void StartFrameCycle(FrameCycle& cycle, uint8_t* growthMask, size_t growthMaskSize)
{
    cycle.Frame = 0;
    cycle.GrowthMask = growthMask;
    cycle.GrowthMaskSize = growthMask == nullptr ? 0 : growthMaskSize;
    cycle.StampRect = ScreenRect{0, 0, 0, 0};
}

FrameOutcome RunFramePass(FrameCycle& cycle, AnimationState& state, const uint8_t* phraseText,
                          const DrawRegion& sharedRegion, const DrawingSurface& surface)
{
    if (cycle.Frame == 0) {
        ClearGrowthMask(cycle);
        NextPhrase(state, phraseText);
    }

    // Duration is read once and serves both tests of this pass.
    const FrameKind kind = ClassifyFrame(cycle.Frame, ReadShared(state.Settings.Duration));
    if (kind == CycleEnd) {
        cycle.Frame = 0;
        return FrameOutcome::Passed;
    }
    if (kind == HoldFrame) {
        ++cycle.Frame;
        return FrameOutcome::Passed;
    }

    const DrawRegion region = ReadSharedRegion(sharedRegion);
    if (kind == StampFrame) {
        ClearGrowthMask(cycle);
        StampPhrase(cycle, state, region, surface);
    }

    PixelBuffer pixels{};
    const SurfaceAccess locked = surface.Lock(surface.context, &pixels);
    if (locked == SurfaceAccess::Lost) return FrameOutcome::SurfaceLost;
    if (locked != SurfaceAccess::Ready) return FrameOutcome::LockRefused;
    const bool drawable = IsDrawableBitCount(pixels.bitCount) && MaskCoversRegion(cycle, region);
    if (kind == FadeFrame) {
        if (drawable) FadePass(pixels, region, cycle.GrowthMask, &sharedRegion);
    } else {
        const GrowthVariant variant = VariantFromInvert(ReadShared(state.Settings.Invert));
        if (drawable)
            GrowthPass(variant, pixels, state.Settings, region, cycle.StampRect, cycle.GrowthMask, &sharedRegion);
    }
    surface.Unlock(surface.context);
    ++cycle.Frame;   // 8 bits: 255 wraps to 0
    return FrameOutcome::Passed;
}
