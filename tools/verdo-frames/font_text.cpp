#include "font_text.h"

#include <algorithm>

#include "bitmap_font.h"

namespace {

// Width in pixels of glyphs [begin, end): the last cell's spacing column does not count.
int32_t LineWidth(size_t begin, size_t end, int32_t scale)
{
    if (end <= begin) return 0;
    return static_cast<int32_t>(end - begin) * CellColumns * scale - scale;
}

ScreenRect ClipRect(const ScreenRect& box, const MemorySurface& surface)
{
    return ScreenRect{std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, surface.width),
                      std::min(box.bottom, surface.height)};
}

void FillDot(MemorySurface& surface, const ScreenRect& clip, int32_t left, int32_t top, int32_t width,
             int32_t height)
{
    const ScreenRect dot{std::max(left, clip.left), std::max(top, clip.top), std::min(left + width, clip.right),
                         std::min(top + height, clip.bottom)};
    if (dot.left < dot.right && dot.top < dot.bottom) FillMemoryRect(surface, dot, RgbFromColorRef(StampColour));
}

void DrawGlyph(MemorySurface& surface, const ScreenRect& clip, const TextGlyph& glyph, int32_t left, int32_t top,
               int32_t scale)
{
    const uint8_t* rows = GlyphRowsOf(glyph.character);
    for (int32_t row = 0; row < GlyphRows; ++row) {
        for (int32_t column = 0; column < GlyphColumns; ++column) {
            if (rows[row] & (0x10 >> column)) {
                FillDot(surface, clip, left + column * scale, top + row * scale, scale, scale);
            }
        }
    }
    if (glyph.underlined) FillDot(surface, clip, left, top + GlyphRows * scale, GlyphColumns * scale, scale);
}

int32_t MeasureWithService(void* context, MemorySurface&, const char* phrase, const ScreenRect& box)
{
    const FontTextService& service = *static_cast<FontTextService*>(context);
    return MeasureFontText(phrase, box, service.scale, service.encoding);
}

void DrawWithService(void* context, MemorySurface& surface, const char* phrase, const ScreenRect& box)
{
    const FontTextService& service = *static_cast<FontTextService*>(context);
    DrawFontText(surface, phrase, box, service.scale, service.encoding);
}

}  // namespace

std::vector<TextGlyph> GlyphsOfPhrase(const char* phrase, PhraseEncoding encoding)
{
    std::vector<TextGlyph> glyphs;
    bool underlineNext = false;
    for (const char* c = phrase; *c != '\0'; ++c) {
        // The bytes after a UTF-8 character's first add no glyph of their own.
        if (encoding == PhraseEncoding::Utf8 && (static_cast<unsigned char>(*c) & 0xC0) == 0x80) continue;
        if (*c == '&' && !underlineNext) {
            underlineNext = true;
            continue;
        }
        // After a prefix, '&' is the shown ampersand of "&&" and is not underlined.
        const bool underlined = underlineNext && *c != '&';
        glyphs.push_back(TextGlyph{static_cast<unsigned char>(*c), underlined});
        underlineNext = false;
    }
    return glyphs;
}

std::vector<TextLine> WrapGlyphs(const std::vector<TextGlyph>& glyphs, int32_t boxWidth, int32_t scale)
{
    std::vector<TextLine> lines;
    const size_t count = glyphs.size();
    size_t begin = 0;
    while (begin < count) {
        size_t end = begin;
        while (end < count) {
            // The next word with the spaces before it.
            size_t next = end;
            while (next < count && glyphs[next].character == ' ') ++next;
            while (next < count && glyphs[next].character != ' ') ++next;
            if (end > begin && LineWidth(begin, next, scale) > boxWidth) break;
            end = next;
        }
        lines.push_back(TextLine{begin, end});
        begin = end;
        while (begin < count && glyphs[begin].character == ' ') ++begin;
    }
    return lines;
}

int32_t FontScaleForHeight(int32_t regionHeight)
{
    return std::max(1, regionHeight / 7 / CellRows);
}

int32_t MeasureFontText(const char* phrase, const ScreenRect& box, int32_t scale, PhraseEncoding encoding)
{
    const std::vector<TextLine> lines = WrapGlyphs(GlyphsOfPhrase(phrase, encoding), box.right - box.left, scale);
    return static_cast<int32_t>(lines.size()) * CellRows * scale;
}

void DrawFontText(MemorySurface& surface, const char* phrase, const ScreenRect& box, int32_t scale,
                  PhraseEncoding encoding)
{
    const std::vector<TextGlyph> glyphs = GlyphsOfPhrase(phrase, encoding);
    const ScreenRect clip = ClipRect(box, surface);
    int32_t top = box.top;
    for (const TextLine& line : WrapGlyphs(glyphs, box.right - box.left, scale)) {
        int32_t left = box.left + (box.right - box.left - LineWidth(line.begin, line.end, scale)) / 2;
        for (size_t i = line.begin; i < line.end; ++i) {
            DrawGlyph(surface, clip, glyphs[i], left, top, scale);
            left += CellColumns * scale;
        }
        top += CellRows * scale;
        if (top >= clip.bottom) break;
    }
}

void UseFontText(MemorySurface& surface, FontTextService& service)
{
    surface.text = MemoryTextService{};
    surface.text.context = &service;
    surface.text.MeasureText = MeasureWithService;
    surface.text.DrawText = DrawWithService;
}
