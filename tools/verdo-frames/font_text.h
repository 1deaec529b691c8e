// The phrase drawn with the built-in bitmap font: word-wrapped, each line
// centred, in the stamp colour only, without antialiasing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "animation/memory_surface.h"
#include "animation/phrase_encoding.h"

struct TextGlyph {
    unsigned char character;
    bool underlined;
};

// Index range [begin, end) of the glyphs on one line.
struct TextLine {
    size_t begin;
    size_t end;
};

// The characters that show, after mnemonic prefixes: "&x" shows x underlined,
// "&&" shows one ampersand, a final lone '&' shows nothing. A UTF-8 phrase
// gives one glyph per character, not per byte.
std::vector<TextGlyph> GlyphsOfPhrase(const char* phrase, PhraseEncoding encoding = PhraseEncoding::Ansi);

// Breaks at spaces so that each line fits `boxWidth` pixels where it can; a word
// wider than the box stands on a line of its own. Spaces at a break are dropped.
std::vector<TextLine> WrapGlyphs(const std::vector<TextGlyph>& glyphs, int32_t boxWidth, int32_t scale);

// Pixel size of one font dot, so that a line is about regionHeight / 7 high
// like the program's own font.
int32_t FontScaleForHeight(int32_t regionHeight);

// Height of the wrapped text in the box's width; 0 for a phrase that shows nothing.
int32_t MeasureFontText(const char* phrase, const ScreenRect& box, int32_t scale,
                        PhraseEncoding encoding = PhraseEncoding::Ansi);

// Draws from the box's top, each line centred between its left and right,
// clipped to the box and to the surface.
void DrawFontText(MemorySurface& surface, const char* phrase, const ScreenRect& box, int32_t scale,
                  PhraseEncoding encoding = PhraseEncoding::Ansi);

struct FontTextService {
    int32_t scale;
    PhraseEncoding encoding;   // of the phrase text
};

// Makes the bitmap font the surface's text service.
void UseFontText(MemorySurface& surface, FontTextService& service);
