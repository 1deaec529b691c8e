// The display modes the saver offers: only 16, 24 and 32 bits per pixel are
// kept, numbered from 1 in the driver's order. The same numbering names the
// saved VideoMode and the entries of the settings dialog's list.
#pragma once
#include <cstddef>
#include <cstdint>

#include "animation/geometry.h"

struct ModeList {
    uint16_t ListedModeCount;   // kept modes so far; wraps at 65536, never reset
    uint16_t ChosenDepth;       // depth of the mode picked for the full screen
};

enum ModeVerdict {
    ModeSkipped,   // a depth the animation cannot draw on; not counted
    ModeCounted,   // counted, nothing else to do (full screen, not the saved one)
    ModeChosen,    // the saved mode: region and depth taken, enumeration ends
    ModeListed     // to be shown in the dialog's list
};

bool IsDrawableDepth(uint32_t bitsPerPixel);

// One mode of the driver's list. In full-screen runs (saverLetter) the mode
// numbered videoMode becomes the DrawRegion (0, 0, width, height) and the
// chosen depth; VideoMode 0 means the current mode and chooses nothing.
ModeVerdict ConsiderDisplayMode(ModeList& list, uint32_t width, uint32_t height, uint32_t bitsPerPixel,
                                bool saverLetter, uint16_t videoMode, DrawRegion& region);

// "800x600x16": the dialog's text for a mode.
void FormatModeText(char* out, size_t capacity, uint32_t width, uint32_t height, uint32_t bitsPerPixel);
