#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "bitmap_font.h"
#include "font_text.h"
#include "frames_options.h"
#include "picture_transfer.h"
#include "ppm_picture.h"

namespace {

bool ParseText(const std::string& text, RgbPicture& picture, std::string& error)
{
    return ParsePpm(reinterpret_cast<const uint8_t*>(text.data()), text.size(), picture, error);
}

TEST(PpmParsing, AcceptsCommentsAndAnyWhitespaceInTheHeader)
{
    RgbPicture picture;
    std::string error;
    ASSERT_TRUE(ParseText(std::string("P6 # made by hand\n2\t# width\r\n1\n#maxval next\n255\n") + "abcdef",
                          picture, error))
        << error;
    EXPECT_EQ(2, picture.width);
    EXPECT_EQ(1, picture.height);
    EXPECT_EQ("abcdef", std::string(picture.rgb.begin(), picture.rgb.end()));
    // Pixel data may start with bytes that look like whitespace or a comment.
    ASSERT_TRUE(ParseText(std::string("P6 1 1 255\n# \n"), picture, error)) << error;
    EXPECT_EQ('#', picture.rgb[0]);
}

TEST(PpmParsing, RejectsEverythingButEightBitP6)
{
    const char* const bad[] = {
        "P3 1 1 255\n0 0 0\n",   // plain PPM
        "P5 1 1 255\nabc",        // grey map
        "P6 1 1 65535\nabcdef",   // 16 bits per channel
        "P6 1 1 15\nabc",         // other maxval
        "P6 0 1 255\n",           // empty picture
        "P6 1 1 255\nab",         // short data
        "P6 1 1 255\nabcd",       // data after the pixels
        "P6 1 1 255abc",          // no whitespace after maxval
        "P6 -1 1 255\nabc",
        "P6 1 99999999999 255\nabc",
        "P6 1 1",
        "",
    };
    for (const char* text : bad) {
        RgbPicture picture;
        std::string error;
        EXPECT_FALSE(ParseText(text, picture, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
        EXPECT_EQ(nullptr, std::strchr(error.c_str(), '\n')) << text;
    }
}

bool Parse(std::vector<const char*> args, FramesOptions& options, std::string& error)
{
    args.insert(args.begin(), "verdo-frames");
    return ParseFramesOptions(static_cast<int>(args.size()), args.data(), options, error);
}

TEST(FramesOptionParsing, DefaultsAndEveryOption)
{
    FramesOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--out", "d"}, options, error)) << error;
    EXPECT_EQ(800, options.width);
    EXPECT_EQ(600, options.height);
    EXPECT_EQ(32u, options.bitCount);
    EXPECT_EQ(1u, options.seed);
    EXPECT_EQ(0u, options.firstPass);
    EXPECT_EQ(40u, options.lastPass);

    ASSERT_TRUE(Parse({"--size", "16384x7", "--bpp", "16", "--seed", "4294967295", "--passes", "13-99999", "--settings",
                       "s", "--phrases", "p", "--start", "a.ppm", "--stamp", "b.ppm", "--out", "o"},
                      options, error))
        << error;
    EXPECT_EQ(16384, options.width);
    EXPECT_EQ(7, options.height);
    EXPECT_EQ(16u, options.bitCount);
    EXPECT_EQ(4294967295u, options.seed);
    EXPECT_EQ(13u, options.firstPass);
    EXPECT_EQ(99999u, options.lastPass);
    EXPECT_EQ("s", options.settingsPath);
    EXPECT_EQ("p", options.phrasesPath);
    EXPECT_EQ("a.ppm", options.startPath);
    EXPECT_EQ("b.ppm", options.stampPath);
    EXPECT_EQ("o", options.outDir);
}

TEST(FramesOptionParsing, RejectsBadValuesWithOneLine)
{
    const std::vector<std::vector<const char*>> bad = {
        {},                                    // no --out
        {"--size", "10x10"},                   // still no --out
        {"--out"},                             // value missing
        {"--out", "d", "--frobnicate", "1"},
        {"--out", "d", "--size", "0x5"},
        {"--out", "d", "--size", "12x"},
        {"--out", "d", "--size", "12*5"},
        {"--out", "d", "--size", "16385x5"},     // a surface of gigabytes
        {"--out", "d", "--bpp", "1\n6"},       // echoed escaped, on one line
        {"--out", "d", "--bpp", "8"},
        {"--out", "d", "--seed", "-1"},
        {"--out", "d", "--seed", "4294967296"},
        {"--out", "d", "--passes", "5-3"},
        {"--out", "d", "--passes", "3-"},
        {"--out", "d", "--passes", "0-100000"},
        {"--out", ""},
    };
    for (const auto& args : bad) {
        FramesOptions options;
        std::string error;
        EXPECT_FALSE(Parse(args, options, error)) << (args.empty() ? "(none)" : args.back());
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(std::none_of(error.begin(), error.end(), [](char c) { return c >= 0 && c < 32; })) << error;
    }
}

TEST(BitmapFontText, MnemonicPrefixesAndWordWrap)
{
    const std::vector<TextGlyph> glyphs = GlyphsOfPhrase("a&bc&&d&");
    ASSERT_EQ(5u, glyphs.size());
    EXPECT_EQ('b', glyphs[1].character);
    EXPECT_TRUE(glyphs[1].underlined);
    EXPECT_EQ('&', glyphs[3].character);
    EXPECT_FALSE(glyphs[3].underlined);
    EXPECT_FALSE(glyphs[4].underlined);

    // At scale 1 a cell is 6 pixels; "aaa bb" is 35 pixels wide.
    const std::vector<TextGlyph> words = GlyphsOfPhrase("aaa bb cccccccc d");
    const std::vector<TextLine> lines = WrapGlyphs(words, 35, 1);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ(0u, lines[0].begin);
    EXPECT_EQ(6u, lines[0].end);    // "aaa bb"
    EXPECT_EQ(7u, lines[1].begin);  // the break's space dropped
    EXPECT_EQ(15u, lines[1].end);   // the too-wide word alone
    EXPECT_EQ(16u, lines[2].begin);

    const ScreenRect box{0, 0, 35, 100};
    EXPECT_EQ(3 * CellRows, MeasureFontText("aaa bb cccccccc d", box, 1));
    EXPECT_EQ(0, MeasureFontText("", box, 1));
    EXPECT_EQ(10, FontScaleForHeight(600));
    EXPECT_EQ(1, FontScaleForHeight(20));
}

TEST(BitmapFontText, DrawsOnlyStampColourInsideTheBox)
{
    MemorySurface surface;
    ASSERT_TRUE(CreateMemorySurface(surface, 60, 40, 16));
    const ScreenRect box{10, 5, 50, 10};   // the first five glyph rows of the first line
    DrawFontText(surface, "HH HH HH", box, 1);
    int stamped = 0;
    for (int32_t y = 0; y < surface.height; ++y) {
        for (int32_t x = 0; x < surface.width; ++x) {
            const uint32_t raw = ReadRawPixel(surface, x, y);
            if (raw == 0) continue;
            EXPECT_EQ(0x0002u, raw) << x << "," << y;   // the stamp colour at 16 bits
            EXPECT_TRUE(x >= box.left && x < box.right && y >= box.top && y < box.bottom) << x << "," << y;
            ++stamped;
        }
    }
    // "HH HH" (29 pixels) is the first line; an H has 13 dots in its top five rows.
    EXPECT_EQ(4 * 13, stamped);
    EXPECT_EQ(0x0002u, ReadRawPixel(surface, 15, 5));   // the first H's left stem, centred
}

TEST(PictureTransfer, SixteenBitsTruncateOnTheWayInAndExpandOnTheWayOut)
{
    MemorySurface surface;
    ASSERT_TRUE(CreateMemorySurface(surface, 2, 1, 16));
    const RgbPicture in{2, 1, {255, 200, 7, 0, 16, 130}};
    PutPicture(in, surface);
    EXPECT_EQ(uint32_t{31 << 11 | 25 << 6 | 0}, ReadRawPixel(surface, 0, 0));   // green bit 5 stays 0
    EXPECT_EQ(uint32_t{0 << 11 | 2 << 6 | 16}, ReadRawPixel(surface, 1, 0));
    const RgbPicture out = TakePicture(surface);
    EXPECT_EQ((std::vector<uint8_t>{255, 205, 0, 0, 16, 131}), out.rgb);

    ASSERT_TRUE(CreateMemorySurface(surface, 2, 1, 32));
    surface.storage.assign(surface.storage.size(), 0xAA);
    PutPicture(in, surface);
    EXPECT_EQ(in.rgb, TakePicture(surface).rgb);
    EXPECT_EQ(0x00FFC807u, ReadRawPixel(surface, 0, 0));   // the fourth byte becomes 0
}

}  // namespace
