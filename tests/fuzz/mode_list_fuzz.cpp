// The mode list on any driver's list: only 16, 24 and 32 bits count, the count
// wraps at 16 bits, the saved mode is chosen exactly when its number comes up
// in a full-screen run (never for VideoMode 0), and the mode text is
// "WxHxD", cut to its buffer and always terminated.
//
// Input: a starting count (2 bytes), VideoMode (2), a flags byte (bit 0: the
// S letter), then modes of 9 bytes: width (4), height (4), a depth byte.
#include <cstdio>
#include <cstring>
#include <string>

#include "display/mode_list.h"
#include "fuzz_input.h"

namespace {

const uint32_t Depths[] = {16, 24, 32, 8, 15, 0, 1, 4, 64, 0xFFFFFFFFu};

void CheckModeText(uint32_t width, uint32_t height, uint32_t depth, size_t capacity)
{
    char buffer[48];
    std::memset(buffer, 0x7E, sizeof buffer);
    FormatModeText(buffer, capacity, width, height, depth);
    const std::string full = std::to_string(static_cast<int>(width)) + "x" + std::to_string(static_cast<int>(height)) +
                             "x" + std::to_string(static_cast<int>(depth));
    for (size_t i = capacity; i < sizeof buffer; ++i) FUZZ_CHECK(buffer[i] == 0x7E, "mode text ran past its buffer");
    if (capacity == 0) return;
    FUZZ_CHECK(std::string(buffer) == full.substr(0, capacity - 1), "mode text");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    ModeList list{input.Word(), 0};
    const uint16_t videoMode = input.Word();
    const bool saverLetter = input.Flag();
    const DrawRegion untouched{-5, -6, 7, 8, -5, -6};
    DrawRegion region = untouched;
    while (input.RestSize() >= 9) {
        const uint32_t width = input.Dword();
        const uint32_t height = input.Dword();
        const uint8_t depthByte = input.Byte();
        const uint32_t depth = Depths[depthByte % 10];
        const uint16_t countBefore = list.ListedModeCount;
        const ModeVerdict verdict = ConsiderDisplayMode(list, width, height, depth, saverLetter, videoMode, region);
        CheckModeText(width, height, depth, depthByte / 10 % 26);

        const bool drawable = depth == 16 || depth == 24 || depth == 32;
        FUZZ_CHECK(IsDrawableDepth(depth) == drawable, "IsDrawableDepth");
        FUZZ_CHECK(list.ListedModeCount == static_cast<uint16_t>(countBefore + (drawable ? 1 : 0)), "mode count");
        const bool chosen = drawable && saverLetter && videoMode != 0 && list.ListedModeCount == videoMode;
        const ModeVerdict expected = !drawable ? ModeSkipped
                                     : !saverLetter ? ModeListed
                                     : chosen       ? ModeChosen
                                                    : ModeCounted;
        FUZZ_CHECK(verdict == expected, "verdict");
        if (verdict == ModeChosen) {
            FUZZ_CHECK(region.left == 0 && region.top == 0 && region.originX == 0 && region.originY == 0 &&
                           region.right == static_cast<int32_t>(width) && region.bottom == static_cast<int32_t>(height),
                       "the chosen mode's region");
            FUZZ_CHECK(list.ChosenDepth == depth, "the chosen depth");
            break;   // the enumeration ends
        }
        FUZZ_CHECK(std::memcmp(&region, &untouched, sizeof region) == 0 && list.ChosenDepth == 0,
                   "a mode not chosen changed the region");
    }
    return 0;
}
