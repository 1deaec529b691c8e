// Where the phrase is measured and drawn inside the region.
#pragma once
#include "geometry.h"

// The box the phrase is measured in: the region less 20 pixels at each side
// (edges held within the 32-bit range).
ScreenRect MeasureBox(const DrawRegion& region);

// The StampRect for a text block of the measured height: centred vertically,
// reaching down to the region's bottom. It lies within the region whatever the
// height and wherever the region's edges are; an empty region gives an empty
// StampRect at its corner.
ScreenRect ComputeStampRect(const DrawRegion& region, int32_t measuredHeight);
