// Pictures onto and off a memory surface, in the passes' own pixel formats.
#pragma once
#include "animation/memory_surface.h"
#include "ppm_picture.h"

// Writes the picture from screen (0, 0) as the passes write pixels: at 16 bits
// each channel v goes into its field as v / 8 with green bit 5 clear; at 24 and
// 32 bits as whole bytes, a 32-bit pixel's fourth byte 0. The picture must fit
// on the surface.
void PutPicture(const RgbPicture& picture, MemorySurface& surface);

// The whole surface as the passes read it; at 16 bits each field f comes out
// as f * 255 / 31.
RgbPicture TakePicture(const MemorySurface& surface);
