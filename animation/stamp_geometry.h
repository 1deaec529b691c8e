// Where the phrase is measured and drawn inside the region.
#pragma once
#include "geometry.h"

// The box the phrase is measured in: the region less 20 pixels at each side.
ScreenRect MeasureBox(const DrawRegion& region);

// The StampRect for a text block of the measured height: centred vertically,
// reaching down to the region's bottom. Width and height stay within 0 and the
// region's, whatever the height.
ScreenRect ComputeStampRect(const DrawRegion& region, int32_t measuredHeight);
