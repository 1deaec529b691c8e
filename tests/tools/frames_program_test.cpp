// Runs the built verdo-frames program and looks at its exit status, its error
// line and the pictures it writes.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ppm_picture.h"
#include "read_file.h"

namespace {

namespace fs = std::filesystem;

struct ToolRun {
    int status;
    std::string errorText;
};

class FramesProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::path(::testing::TempDir()) / (std::string("verdo-frames-") + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string PathOf(const std::string& name) const { return (dir / name).string(); }

    ToolRun Run(const std::string& arguments) const
    {
        const std::string errorFile = PathOf("stderr.txt");
        const std::string command = std::string(VERDO_FRAMES_PROGRAM) + " " + arguments + " 2>" + errorFile;
        const int raw = std::system(command.c_str());
        std::vector<uint8_t> text;
        ReadWholeFile(errorFile, text);
        return ToolRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, std::string(text.begin(), text.end())};
    }

    void WriteBytes(const std::string& name, const std::vector<uint8_t>& bytes) const
    {
        std::ofstream(PathOf(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    void WritePicture(const std::string& name, const RgbPicture& picture) const
    {
        ASSERT_TRUE(WritePpmFile(PathOf(name), picture));
    }

    RgbPicture PassPicture(const std::string& outDir, uint32_t pass) const
    {
        char name[32];
        std::snprintf(name, sizeof(name), "pass-%05u.ppm", pass);
        RgbPicture picture;
        std::string error;
        EXPECT_TRUE(ReadPpmFile(PathOf(outDir + "/" + name), picture, error)) << error;
        return picture;
    }

    fs::path dir;
};

RgbPicture Plain(int32_t width, int32_t height, uint8_t red, uint8_t green, uint8_t blue)
{
    RgbPicture picture{width, height, {}};
    for (int32_t i = 0; i < width * height; ++i) picture.rgb.insert(picture.rgb.end(), {red, green, blue});
    return picture;
}

void SetPixel(RgbPicture& picture, int32_t x, int32_t y, uint8_t red, uint8_t green, uint8_t blue)
{
    uint8_t* rgb = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    rgb[0] = red;
    rgb[1] = green;
    rgb[2] = blue;
}

bool IsOneLine(const std::string& text)
{
    return !text.empty() && text.back() == '\n' && text.find('\n') == text.size() - 1;
}

TEST_F(FramesProgram, BadOptionsAndPicturesExitWithStatusTwoAndOneLine)
{
    WritePicture("small.ppm", Plain(4, 3, 255, 255, 255));
    WriteBytes("text.ppm", {'P', '3', ' ', '1', ' ', '1', ' ', '2', '5', '5', '\n', '0', ' ', '0', ' ', '0'});
    WriteBytes("empty.ini", {});
    WriteBytes("mark.ini", {0xEF, 0xBB, 0xBF});
    const std::string out = " --out " + PathOf("out");
    const std::vector<std::string> bad = {
        "",
        "--size 4x3",
        "--bpp 8" + out,
        "--passes 9-2" + out,
        "--size 5x3 --start " + PathOf("small.ppm") + out,
        "--size 4x4 --stamp " + PathOf("small.ppm") + out,
        "--size 1x1 --start " + PathOf("text.ppm") + out,
        "--start '" + PathOf("missing\n.ppm") + "'" + out,   // a path with a line break
        "--bpp '1\n6'" + out,
        "--size 20000x20000" + out,   // a surface of gigabytes: refused before any is made
        "--settings " + PathOf("missing.set") + out,
        "--phrases " + PathOf("empty.ini") + out,
        "--phrases " + PathOf("mark.ini") + out,
    };
    for (const std::string& arguments : bad) {
        const ToolRun run = Run(arguments);
        EXPECT_EQ(2, run.status) << arguments;
        EXPECT_TRUE(IsOneLine(run.errorText)) << arguments << ": " << run.errorText;
    }
    EXPECT_FALSE(fs::exists(dir / "out"));
    EXPECT_NE(std::string::npos, Run("--size 16385x1" + out).errorText.find("16384"));
    EXPECT_NE(std::string::npos, Run("--start '" + PathOf("a\nb") + "'" + out).errorText.find("a\\nb"));

    // The usage text tells the limit.
    ASSERT_EQ(0, Run("--help >" + PathOf("usage.txt")).status);
    std::vector<uint8_t> usage;
    ASSERT_TRUE(ReadWholeFile(PathOf("usage.txt"), usage));
    EXPECT_NE(std::string::npos, std::string(usage.begin(), usage.end()).find("1 to 16384"));
}

// The phrase file is read as the program reads it: "Grüße" in Windows-1252,
// in UTF-8 and in UTF-8 after a byte-order mark stamps one glyph a character,
// '?' where the font has none, just as "Gr??e" does.
TEST_F(FramesProgram, AnsiAndUtf8PhraseFilesStampOneGlyphPerCharacter)
{
    const std::string utf8 = "Gr\xC3\xBC\xC3\x9F" "e";
    const std::string files[] = {"Gr??e", "Gr\xFC\xDF" "e", utf8, "\xEF\xBB\xBF" + utf8};
    for (size_t i = 0; i < 4; ++i) {
        WriteBytes("phrases.ini", {files[i].begin(), files[i].end()});
        const std::string out = "out" + std::to_string(i);
        ASSERT_EQ(0, Run("--size 200x100 --passes 13 --phrases " + PathOf("phrases.ini") + " --out " + PathOf(out))
                         .status);
        EXPECT_EQ(PassPicture("out0", 13).rgb, PassPicture(out, 13).rgb) << "file " << i;
    }
    EXPECT_NE(Plain(200, 100, 0, 0, 0).rgb, PassPicture("out0", 13).rgb) << "nothing stamped";
}

TEST_F(FramesProgram, WritesExactlyTheChosenPasses)
{
    const ToolRun run = Run("--size 30x20 --passes 3-5 --out " + PathOf("out"));
    ASSERT_EQ(0, run.status) << run.errorText;
    EXPECT_TRUE(run.errorText.empty());
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir / "out")) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ((std::vector<std::string>{"pass-00003.ppm", "pass-00004.ppm", "pass-00005.ppm"}), names);
    const RgbPicture picture = PassPicture("out", 4);
    EXPECT_EQ(30, picture.width);
    EXPECT_EQ(20, picture.height);
}

// A 1x1 region makes one pick per fade pass, always on its only pixel.
TEST_F(FramesProgram, WhiteFadesOnceAtTheFirstPassInEachDepth)
{
    WritePicture("white.ppm", Plain(1, 1, 255, 255, 255));
    WritePicture("mixed.ppm", Plain(1, 1, 200, 100, 140));
    const struct {
        const char* picture;
        int bitCount;
        std::vector<uint8_t> expected;
    } cases[] = {
        {"white.ppm", 32, {125, 125, 125}},
        {"white.ppm", 24, {125, 125, 125}},
        {"white.ppm", 16, {123, 123, 123}},   // field 31 expands to 255, fades to 125, goes in as 15
        {"mixed.ppm", 24, {70, 0, 10}},
        {"mixed.ppm", 16, {74, 0, 8}},        // 200, 100, 140 go in as 25, 12, 17: 205, 98, 139
    };
    for (const auto& c : cases) {
        const std::string out = std::string("out") + c.picture + std::to_string(c.bitCount);
        const ToolRun run = Run("--size 1x1 --passes 0-0 --bpp " + std::to_string(c.bitCount) + " --start " +
                                PathOf(c.picture) + " --out " + PathOf(out));
        ASSERT_EQ(0, run.status) << run.errorText;
        EXPECT_EQ(c.expected, PassPicture(out, 0).rgb) << c.picture << " at " << c.bitCount;
    }
}

// Every pixel of a larger picture is either untouched (only converted to
// 5-6-5 and back) or faded once or more from that converted value.
TEST_F(FramesProgram, SixteenBitStartPictureIsConvertedAndFaded)
{
    RgbPicture start{16, 8, {}};
    for (int32_t i = 0; i < 16 * 8 * 3; ++i) start.rgb.push_back(static_cast<uint8_t>(i * 37 % 256));
    WritePicture("start.ppm", start);
    const ToolRun run = Run("--size 16x8 --bpp 16 --passes 0-0 --start " + PathOf("start.ppm") + " --out " +
                            PathOf("out"));
    ASSERT_EQ(0, run.status) << run.errorText;
    const RgbPicture after = PassPicture("out", 0);
    ASSERT_EQ(start.rgb.size(), after.rgb.size());
    auto expand = [](int v) { return (v / 8) * 255 / 31; };
    auto fade = [](int v) { return v >= 130 ? v - 130 : 0; };
    int faded = 0;
    for (size_t p = 0; p < start.rgb.size(); p += 3) {
        bool matched = false;
        for (int hits = 0; hits < 3 && !matched; ++hits) {
            matched = true;
            for (size_t c = 0; c < 3; ++c) {
                int value = expand(start.rgb[p + c]);
                for (int h = 0; h < hits; ++h) value = expand(fade(value));
                matched = matched && value == after.rgb[p + c];
            }
            if (matched && hits > 0) ++faded;
        }
        EXPECT_TRUE(matched) << "pixel " << p / 3;
    }
    EXPECT_GT(faded, 16 * 8 / 3);   // one pick per pixel reaches most of them
}

// In the inverted form at 32 bits the growth pass picks only in the StampRect's
// rows from top + 20 to bottom - 20. On a 60x60 region a text height of 1
// places the top at 29 (31 rows: no picks); a height of 40 at 10 (50 rows).
TEST_F(FramesProgram, StampPictureHeightSetsTheStampRect)
{
    WriteBytes("inverted.set", {127, 255, 255, 2, 1, 0, 0, 0});
    RgbPicture flat = Plain(60, 60, 0, 0, 0);
    SetPixel(flat, 20, 30, 255, 255, 255);
    SetPixel(flat, 40, 30, 0, 0, 1);
    RgbPicture tall = Plain(60, 60, 0, 0, 0);
    SetPixel(tall, 20, 10, 255, 255, 255);
    SetPixel(tall, 40, 49, 0, 0, 1);
    WritePicture("flat.ppm", flat);
    WritePicture("tall.ppm", tall);

    int grown[2] = {0, 0};
    const char* const stamps[2] = {"flat", "tall"};
    for (int s = 0; s < 2; ++s) {
        const std::string out = std::string("out-") + stamps[s];
        const ToolRun run = Run("--size 60x60 --passes 13-13 --settings " + PathOf("inverted.set") + " --stamp " +
                                PathOf(std::string(stamps[s]) + ".ppm") + " --out " + PathOf(out));
        ASSERT_EQ(0, run.status) << run.errorText;
        const RgbPicture picture = PassPicture(out, 13);
        const RgbPicture& stamp = s == 0 ? flat : tall;
        for (size_t p = 0; p < picture.rgb.size(); p += 3) {
            const bool lit = (stamp.rgb[p] | stamp.rgb[p + 1] | stamp.rgb[p + 2]) != 0;
            const std::vector<uint8_t> colour(picture.rgb.begin() + p, picture.rgb.begin() + p + 3);
            if (lit) {
                EXPECT_EQ((std::vector<uint8_t>{0, 0, 16}), colour) << stamps[s];   // letters stay dark
            } else if (colour != std::vector<uint8_t>{0, 0, 0}) {
                ++grown[s];
            }
        }
    }
    EXPECT_EQ(0, grown[0]);
    EXPECT_GT(grown[1], 100);   // 10 rows x 20 columns of picks on the black ground
}

TEST_F(FramesProgram, SettingsFileOfEightBytesIsUsedAndAShortOneGivesDefaults)
{
    // RedLimit 0 keeps the red of every grown pixel at 1, and of its halo at 0.
    WriteBytes("red0.set", {0, 255, 255, 2, 0, 0, 0, 0, 99});
    WriteBytes("short.set", {0, 255, 255, 2, 0, 0, 0});
    int maxRed[2] = {0, 0};
    int lit[2] = {0, 0};
    const char* const files[2] = {"red0.set", "short.set"};
    for (int f = 0; f < 2; ++f) {
        const std::string out = std::string("out-") + files[f];
        const ToolRun run =
            Run("--size 240x120 --passes 25-25 --settings " + PathOf(files[f]) + " --out " + PathOf(out));
        ASSERT_EQ(0, run.status) << run.errorText;
        const RgbPicture picture = PassPicture(out, 25);
        for (size_t p = 0; p < picture.rgb.size(); p += 3) {
            maxRed[f] = std::max<int>(maxRed[f], picture.rgb[p]);
            if (picture.rgb[p] | picture.rgb[p + 1] | picture.rgb[p + 2]) ++lit[f];
        }
    }
    EXPECT_GT(lit[0], 100);
    EXPECT_EQ(1, maxRed[0]);
    EXPECT_GT(maxRed[1], 20);   // default RedLimit 127
}

TEST_F(FramesProgram, SameSeedRepeatsAndAnotherSeedDiffers)
{
    const std::string common = "--size 200x100 --passes 20-20 --phrases " + PathOf("phrases.ini");
    WriteBytes("phrases.ini", {'G', 'r', 'o', 'w', '\r', '\n'});
    ASSERT_EQ(0, Run(common + " --seed 7 --out " + PathOf("a")).status);
    ASSERT_EQ(0, Run(common + " --seed 7 --out " + PathOf("b")).status);
    ASSERT_EQ(0, Run(common + " --seed 8 --out " + PathOf("c")).status);
    const RgbPicture a = PassPicture("a", 20);
    EXPECT_EQ(a.rgb, PassPicture("b", 20).rgb);
    EXPECT_NE(a.rgb, PassPicture("c", 20).rgb);
    EXPECT_NE(std::vector<uint8_t>(a.rgb.size(), 0), a.rgb);   // the phrase did grow
}

}  // namespace
