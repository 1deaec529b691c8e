// The monitors beside the main one. Each runs the frame cycle of its own on a
// picture of its monitor's size, one pass after the main monitor's in every
// round, and shows on its monitor the part of the picture the pass touched.
// The phrases come from the one sequence the main monitor reads: taken in
// turn (each monitor its own phrase), or the one the round took first (every
// monitor the same phrase).
#pragma once
#include <cstddef>
#include <cstdint>

#include "../settings/monitor_choice.h"
#include "animation_state.h"
#include "frame_cycle.h"

struct MonitorLane {
    DrawRegion region;   // the whole picture: (0, 0, width, height)
    DrawingSurface surface;
    // Puts `part` of the picture on the monitor.
    void (*Show)(void* context, const ScreenRect& part);
    void* showContext;
    FrameCycle cycle;
    AnimationState state;   // the lane's phrase; the settings follow the main monitor's
};

// Who took a phrase in the present round, and from where in the text.
struct PhraseRound {
    MonitorChoice choice;
    bool fetched;
    uint32_t fetchedFrom;
};

// Frame 0 of a new cycle, with the phrase text as the main state reads it.
void StartLane(MonitorLane& lane, const AnimationState& main, uint8_t* growthMask, size_t growthMaskSize);

// Before the main monitor's pass of a round; `mainDraws` is false while its
// surface is away, and its phrase then comes from the first lane that draws.
void BeginPhraseRound(PhraseRound& round, const FrameCycle& mainCycle, const AnimationState& main, bool mainDraws);

// One pass of the lane, after the main monitor's pass of the round. The
// lane's turn in the phrase sequence moves main.ReadPosition on.
void RunLanePass(MonitorLane& lane, AnimationState& main, const uint8_t* phraseText, PhraseRound& round);

// The part of the region a pass of `kind` may change: all of it for a fade,
// the stamp and the inverted growth (its ground grows everywhere), the
// StampRect and the reach of its halo for the normal growth, nothing for the
// frames that wait.
ScreenRect PartTouchedByPass(FrameKind kind, bool inverted, const DrawRegion& region, const ScreenRect& stampRect);
