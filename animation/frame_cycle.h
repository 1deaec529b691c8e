// The frame cycle: fade, stamp, grow, hold, and over again with the next phrase.
#pragma once
#include <cstddef>
#include <cstdint>

#include "animation_state.h"
#include "geometry.h"

// The colour of freshly stamped letters: red 0, green 0, blue 16 (a COLORREF).
const uint32_t StampColour = 0x00100000;

// What a lock of the surface, or the start of the stamp's text, found. A
// surface is lost when the system took the screen away (a mode change, the
// secure desktop, a monitor asleep): it comes back by being restored.
enum class SurfaceAccess { Ready, Lost, Refused };

// The seam between the frame cycle and the screen. The program fills it with
// DirectDraw and GDI; tests and tools with a surface in memory.
struct DrawingSurface {
    void* context;
    // Locks the whole surface. Refused ends the animation.
    SurfaceAccess (*Lock)(void* context, PixelBuffer* pixels);
    void (*Unlock)(void* context);
    // Text service for the stamp. Refused means no stamp this cycle.
    SurfaceAccess (*BeginText)(void* context);
    void (*Blacken)(void* context, const DrawRegion& region);
    // Height of the phrase word-wrapped and centred in `box`; nothing is drawn.
    int32_t (*MeasureText)(void* context, const char* phrase, const ScreenRect& box);
    // Draws the phrase in the stamp colour, word-wrapped, centred, clipped to `box`.
    void (*DrawText)(void* context, const char* phrase, const ScreenRect& box);
    void (*EndText)(void* context);
};

struct FrameCycle {
    uint8_t Frame;
    uint8_t* GrowthMask;    // one byte per region pixel
    size_t GrowthMaskSize;
    ScreenRect StampRect;
};

enum FrameKind { FadeFrame, StampFrame, GrowthFrame, HoldFrame, CycleEnd };

// What frame f does for a given Duration.
FrameKind ClassifyFrame(uint8_t frame, uint8_t duration);

// Frame 0, an empty StampRect, and the mask the passes will use.
void StartFrameCycle(FrameCycle& cycle, uint8_t* growthMask, size_t growthMaskSize);

enum class FrameOutcome {
    Passed,
    SurfaceLost,   // nothing drawn; the pixels on the screen are not to be trusted
    LockRefused,   // refused for another reason: waited for as a lost surface
};

// One pass of the frame loop. The region is read once, at the pass's start,
// and every part of the pass works with that size; the passes follow its
// corner in `sharedRegion` should the dialog move it in the middle.
FrameOutcome RunFramePass(FrameCycle& cycle, AnimationState& state, const uint8_t* phraseText,
                          const DrawRegion& sharedRegion, const DrawingSurface& surface);
