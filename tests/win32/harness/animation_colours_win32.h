// How the saver's pixels read back from the screen. At 16 bits the program
// writes 5-6-5 words (green only in its upper five bits) and the screen
// readback widens each field again, so levels are compared as the 8-bit values
// the program itself works with: floor(field * 255 / 31). At 24 and 32 bits
// the bytes come back exactly.
#pragma once
#include "harness/screen_win32.h"

struct ScreenDepth {
    bool sixteenBits;
};

// The depth of the screen the saver draws on now.
ScreenDepth CurrentScreenDepth();

// A channel as the program's own 8-bit level.
int RedLevel(const ScreenDepth& depth, Rgb colour);
int GreenLevel(const ScreenDepth& depth, Rgb colour);
int BlueLevel(const ScreenDepth& depth, Rgb colour);

// What a level becomes once written at this depth and read back: at 16 bits
// the level loses its low three bits to the field and is widened again.
int StoredLevel(const ScreenDepth& depth, int level);

bool IsBlack(const ScreenDepth& depth, Rgb colour);
// The colour phrases are stamped in: red 0, green 0, blue 16.
bool IsStampColour(const ScreenDepth& depth, Rgb colour);
// Anything the growth has made: neither black nor the stamp colour.
bool IsLit(const ScreenDepth& depth, Rgb colour);
