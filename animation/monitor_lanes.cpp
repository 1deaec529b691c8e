#include "monitor_lanes.h"


namespace {

ScreenRect WholeOf(const DrawRegion& region)
{
    return ScreenRect{region.left, region.top, region.right, region.bottom};
}

int32_t Clamp(int64_t value, int32_t low, int32_t high)
{
    return value < low ? low : (value > high ? high : static_cast<int32_t>(value));
}

}  // namespace

void StartLane(MonitorLane& lane, const AnimationState& main, uint8_t* growthMask, size_t growthMaskSize)
{
    lane.state = main;
    lane.state.Phrase[0] = '\0';
    StartFrameCycle(lane.cycle, growthMask, growthMaskSize);
}

void BeginPhraseRound(PhraseRound& round, const FrameCycle& mainCycle, const AnimationState& main, bool mainDraws)
{
    round.fetched = mainDraws && mainCycle.Frame == 0;
    round.fetchedFrom = main.ReadPosition;
}

void RunLanePass(MonitorLane& lane, AnimationState& main, const uint8_t* phraseText, PhraseRound& round)
{
    lane.state.Settings = main.Settings;
    const bool fetches = lane.cycle.Frame == 0;
    // Every monitor the same phrase: a lane after the first reads it again.
    const bool follows = fetches && round.choice == MonitorChoice::SamePhrase && round.fetched;
    if (fetches) {
        if (!follows)
            round.fetchedFrom = main.ReadPosition;
        lane.state.ReadPosition = round.fetchedFrom;
    }
    const uint8_t frame = lane.cycle.Frame;
    const FrameOutcome outcome = RunFramePass(lane.cycle, lane.state, phraseText, lane.region, lane.surface);
    if (fetches) {
        if (!follows)
            main.ReadPosition = lane.state.ReadPosition;
        round.fetched = true;
    }
    if (outcome != FrameOutcome::Passed) {
        // Nothing lasting was drawn: the lane starts its cycle over.
        StartFrameCycle(lane.cycle, lane.cycle.GrowthMask, lane.cycle.GrowthMaskSize);
        return;
    }
    const FrameKind kind = ClassifyFrame(frame, lane.state.Settings.Duration);
    const ScreenRect part = PartTouchedByPass(kind, lane.state.Settings.Invert != 0, lane.region, lane.cycle.StampRect);
    if (part.right > part.left && part.bottom > part.top)
        lane.Show(lane.showContext, part);
}

ScreenRect PartTouchedByPass(FrameKind kind, bool inverted, const DrawRegion& region, const ScreenRect& stampRect)
{
    switch (kind) {
    case FadeFrame:
    case StampFrame:
        return WholeOf(region);
    case GrowthFrame: {
        if (inverted)
            return WholeOf(region);
        // A grown pixel throws its halo this far on each side.
        const int64_t reach = ((int64_t{RegionWidth(region)} - 1) / 200) & 0xFF;
        return ScreenRect{Clamp(stampRect.left - reach, region.left, region.right),
                          Clamp(stampRect.top - reach, region.top, region.bottom),
                          Clamp(stampRect.right + reach, region.left, region.right),
                          Clamp(stampRect.bottom + reach, region.top, region.bottom)};
    }
    case HoldFrame:
    case CycleEnd:
        break;
    }
    return ScreenRect{region.left, region.top, region.left, region.top};
}
