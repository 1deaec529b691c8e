// A small built-in bitmap font for drawing phrases without the system's fonts.
#pragma once
#include <cstdint>

const int32_t GlyphColumns = 5;
const int32_t GlyphRows = 7;
// A character cell: the glyph, one column of spacing, one row for the underline.
const int32_t CellColumns = GlyphColumns + 1;
const int32_t CellRows = GlyphRows + 1;

// The seven rows of a character's glyph (bit 4 = leftmost column). Characters
// outside printable ASCII show as '?'.
const uint8_t* GlyphRowsOf(unsigned char character);
