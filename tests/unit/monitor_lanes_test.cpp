#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "animation/memory_surface.h"
#include "animation/monitor_lanes.h"
#include "animation/random.h"

namespace {

const std::string Phrases = "A\r\nB\r\nC\r\nD";
const uint8_t* PhraseBytes() { return reinterpret_cast<const uint8_t*>(Phrases.data()); }

// A monitor's picture in memory, with the parts its passes showed.
struct Monitor {
    MemorySurface surface;
    BlockTextService text;
    std::vector<uint8_t> mask;
    MonitorLane lane{};
    std::vector<ScreenRect> shown;

    Monitor(const AnimationState& main, int32_t width, int32_t height, uint32_t bitCount)
    {
        EXPECT_TRUE(CreateMemorySurface(surface, width, height, bitCount));
        UseBlockText(surface, text);
        mask.assign(size_t(width) * height, 0);
        lane.region = DrawRegion{0, 0, width, height, 0, 0};
        lane.surface = MemoryDrawingSurface(surface);
        lane.showContext = this;
        lane.Show = [](void* context, const ScreenRect& part) { static_cast<Monitor*>(context)->shown.push_back(part); };
        StartLane(lane, main, mask.data(), mask.size());
    }
};

struct MainMonitor {
    AnimationState state{};
    MemorySurface surface;
    BlockTextService text;
    std::vector<uint8_t> mask = std::vector<uint8_t>(64 * 32);
    FrameCycle cycle{};
    DrawRegion region{0, 0, 64, 32, 0, 0};

    MainMonitor()
    {
        ApplyDefaultSettings(state.Settings);
        state.PhraseTextLength = static_cast<uint32_t>(Phrases.size());
        EXPECT_TRUE(CreateMemorySurface(surface, 64, 32, 24));
        UseBlockText(surface, text);
        StartFrameCycle(cycle, mask.data(), mask.size());
        SeedRandom(7);
    }

    // One round: the main monitor's pass (unless its surface is away), then each lane's.
    void Round(MonitorChoice choice, std::vector<Monitor*> lanes, bool mainDraws = true)
    {
        PhraseRound round{choice, false, 0};
        BeginPhraseRound(round, cycle, state, mainDraws);
        if (mainDraws) {
            EXPECT_EQ(FrameOutcome::Passed,
                      RunFramePass(cycle, state, PhraseBytes(), region, MemoryDrawingSurface(surface)));
        }
        for (Monitor* lane : lanes) RunLanePass(lane->lane, state, PhraseBytes(), round);
    }
};

bool Inside(const ScreenRect& part, int32_t x, int32_t y)
{
    return x >= part.left && x < part.right && y >= part.top && y < part.bottom;
}

// Whatever a pass changes on a monitor's picture lies in the part it shows,
// or the monitor keeps a stale picture; a normal growth pass shows less than
// the whole picture, so the copy stays small.
TEST(MonitorLanes, APassShowsEveryPixelItChangedAndNormalGrowthShowsOnlyItsPart)
{
    for (const uint32_t bitCount : {16u, 24u, 32u}) {
        for (const uint8_t invert : {0, 1}) {
            SCOPED_TRACE(std::to_string(bitCount) + (invert ? " inverted" : " normal"));
            MainMonitor main;
            main.state.Settings.Invert = invert;
            Monitor lane(main.state, 420, 90, bitCount);
            for (int32_t y = 0; y < 90; ++y)
                for (int32_t x = 0; x < 420; ++x)
                    WriteMemoryPixel(lane.surface, x, y, Rgb{uint8_t(x * 7), uint8_t(y * 13), uint8_t(x + y)});
            bool partial = false;
            for (int pass = 0; pass < 2 * (2 * main.state.Settings.Duration + 29); ++pass) {
                const std::vector<uint8_t> before = lane.surface.storage;
                lane.shown.clear();
                main.Round(MonitorChoice::OwnPhrase, {&lane});
                ASSERT_LE(lane.shown.size(), 1u);
                const ScreenRect part = lane.shown.empty() ? ScreenRect{0, 0, 0, 0} : lane.shown[0];
                partial |= !lane.shown.empty() && (part.right - part.left) * (part.bottom - part.top) < 420 * 90;
                for (int32_t y = 0; y < 90; ++y)
                    for (int32_t x = 0; x < 420; ++x) {
                        const size_t at = lane.surface.rowZeroOffset + size_t(y) * lane.surface.pitch + x * bitCount / 8;
                        if (!Inside(part, x, y)) {
                            ASSERT_EQ(0, std::memcmp(&before[at], &lane.surface.storage[at], bitCount / 8))
                                << "pass " << pass << " changed (" << x << ", " << y << ") and did not show it";
                        }
                    }
            }
            EXPECT_EQ(!invert, partial);
        }
    }
}

std::vector<std::string> PhrasesAfter(MainMonitor& main, std::vector<Monitor*> lanes)
{
    std::vector<std::string> seen = {main.state.Phrase};
    for (Monitor* lane : lanes) seen.push_back(lane->lane.state.Phrase);
    return seen;
}

// Each its own phrase: the monitors take the phrases in turn, cycle after
// cycle. The same phrase: all of them show the one the round took.
TEST(MonitorLanes, PhrasesAreTakenInTurnOrTheSameForEveryMonitor)
{
    using Phrases3 = std::vector<std::string>;
    const int cycle = 2 * 2 + 29;   // passes of one phrase at Duration 2, the reset included
    for (const MonitorChoice choice : {MonitorChoice::OwnPhrase, MonitorChoice::SamePhrase}) {
        MainMonitor main;
        Monitor first(main.state, 50, 20, 24), second(main.state, 20, 50, 16);
        main.Round(choice, {&first, &second});
        const Phrases3 firstCycle = PhrasesAfter(main, {&first, &second});
        for (int pass = 1; pass <= cycle; ++pass) main.Round(choice, {&first, &second});
        const Phrases3 secondCycle = PhrasesAfter(main, {&first, &second});
        if (choice == MonitorChoice::OwnPhrase) {
            EXPECT_EQ((Phrases3{"A", "B", "C"}), firstCycle);
            EXPECT_EQ((Phrases3{"D", "A", "B"}), secondCycle);
        } else {
            EXPECT_EQ((Phrases3{"A", "A", "A"}), firstCycle);
            EXPECT_EQ((Phrases3{"B", "B", "B"}), secondCycle);
        }
    }
    // While the main surface is away the first lane takes the round's phrase,
    // and the sequence goes on from there.
    MainMonitor main;
    Monitor first(main.state, 50, 20, 24), second(main.state, 50, 20, 24);
    main.Round(MonitorChoice::SamePhrase, {&first, &second}, false);
    EXPECT_EQ((Phrases3{"", "A", "A"}), PhrasesAfter(main, {&first, &second}));
    main.Round(MonitorChoice::SamePhrase, {});
    EXPECT_EQ("B", std::string(main.state.Phrase));
}

}  // namespace
