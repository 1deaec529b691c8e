// A stamp taken from a picture instead of a phrase's text: every pixel of the
// picture that is not black is stamped in the stamp colour.
#pragma once
#include <cstdint>

#include "animation/memory_surface.h"
#include "ppm_picture.h"

struct PictureStamp {
    const RgbPicture* picture;   // the region's size, placed at screen (0, 0)
    int32_t measuredHeight;      // height of the bounding box of its lit pixels
};

// Rows from the first to the last that hold a pixel other than black; 0 when none.
int32_t LitBoundingHeight(const RgbPicture& picture);

// Makes the picture the surface's text service: the region is blackened as
// usual, MeasureText reports the bounding-box height whatever the phrase, and
// DrawText stamps the lit pixels where the picture has them (the box plays no part).
void UsePictureStamp(MemorySurface& surface, PictureStamp& stamp);
