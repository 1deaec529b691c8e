// The pictures the benchmark runs the passes on.
#pragma once
#include <cstdint>
#include <vector>

#include "animation/growth_pass.h"
#include "animation/memory_surface.h"

// A surface and its GrowthMask over a whole-surface DrawRegion at (0, 0).
struct BenchScene {
    MemorySurface surface;
    DrawRegion region;
    ScreenRect stampRect;
    std::vector<uint8_t> growthMask;
};

// Every pixel a random colour, as the desktop is when the first fade begins.
void PrepareColourScene(BenchScene& scene, int32_t width, int32_t height, uint32_t bitCount);

// One line of text stamped as the frame cycle stamps it, with the StampRect
// of its measured height, the mask cleared and a few growth passes run: the
// picture of a steady growth frame.
void PrepareGrowthScene(BenchScene& scene, int32_t width, int32_t height, uint32_t bitCount,
                        GrowthVariant variant);

// Picks one growth pass makes over the StampRect in this form: the inverted
// 24/32-bit form leaves 20 rows out at each end.
int64_t GrowthPicks(const ScreenRect& stampRect, GrowthVariant variant, uint32_t bitCount);
