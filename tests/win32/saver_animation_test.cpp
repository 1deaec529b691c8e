// Full-screen runs read back from the screen: the picture goes black, the
// phrase is stamped, grows within the colour limits, and the next phrase
// follows.
#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "harness/full_screen_win32.h"
#include "harness/harness.h"

namespace {

// Very different widths, no final line break: the two simply alternate.
const char NarrowThenWide[] = "I\r\nWWWWWW";

// With RedLimit 0 a red channel can never climb (0 < 0 - 20 is false), so
// every step sends it to the normal variant's reset value 1; the halo gets
// half of that, 0. At 16 bits the 1 goes into the red field as 0.
int GrownRedWithRedLimitZero(const ScreenDepth& depth) { return StoredLevel(depth, 1); }

class FullScreenAnimation : public SaverCase {
protected:
    ScreenDepth depth_ = CurrentScreenDepth();
};

TEST_F(FullScreenAnimation, DesktopGoesBlackThenThePhraseGrowsWithinRedLimitZero) {
    ASSERT_TRUE(Installation().WritePhrases(NarrowThenWide));
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(0, 255, 255, 0)));
    ColourWindow brightDesktop(ScreenRect(), RGB(255, 255, 255), false);
    ASSERT_GT(Snapshot::CaptureScreen().Count([](Rgb c) { return c == Rgb{255, 255, 255}; }), 0u);

    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    // From the first stamp on, the screen holds nothing but the animation.
    bool sawStamp = false;
    size_t mostLit = 0;
    size_t whiteAfterStamp = 0;
    int brightestRed = 0;
    bool sawGrownRed = false;
    const bool grewEnough = WatchScreen(
        20000,
        [&](const Snapshot& shot) {
            if (shot.Count([&](Rgb c) { return IsStampColour(depth_, c); }) > 20) sawStamp = true;
            if (!sawStamp) return;
            whiteAfterStamp += shot.Count([](Rgb c) { return c == Rgb{255, 255, 255}; });
            mostLit = std::max(mostLit, shot.Count([&](Rgb c) { return IsLit(depth_, c); }));
            shot.Count([&](Rgb c) {
                brightestRed = std::max(brightestRed, RedLevel(depth_, c));
                if (IsLit(depth_, c) && RedLevel(depth_, c) == GrownRedWithRedLimitZero(depth_) &&
                    GreenLevel(depth_, c) > 0)
                    sawGrownRed = true;
                return false;
            });
        },
        [&] { return sawStamp && mostLit > 2000 && sawGrownRed; });

    EXPECT_TRUE(grewEnough) << "stamp seen " << sawStamp << ", most lit pixels " << mostLit;
    EXPECT_TRUE(sawStamp) << "no pixel in the stamp colour";
    EXPECT_EQ(0u, whiteAfterStamp) << "the bright desktop was still showing beside the phrase";
    EXPECT_LE(brightestRed, GrownRedWithRedLimitZero(depth_)) << "red grew past RedLimit 0";
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

// The phrase as the system's own text drawing lays it out on a screen of this
// size: the program's font (a seventh of the screen high, not antialiased),
// the block broken at words between 20-pixel margins and centred down the
// screen by its measured height, an ampersand taken as the mark that
// underlines the next letter. White on black.
Snapshot ExpectedStamp(const std::wstring& phrase, int width, int height) {
    return Snapshot::Paint(width, height, [&](HDC dc) {
        HFONT font = CreateFontA(height / 7, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                 OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                 VARIABLE_PITCH | FF_DONTCARE, "Times New Roman");
        HGDIOBJ previous = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 255, 255));
        RECT block = {20, 0, width - 20, height};
        DrawTextW(dc, phrase.c_str(), -1, &block, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
        RECT place = {20, (height - (block.bottom - block.top)) / 2, width - 20, height};
        DrawTextW(dc, phrase.c_str(), -1, &place, DT_WORDBREAK | DT_CENTER);
        SelectObject(dc, previous);
        DeleteObject(font);
    });
}

// A phrase file and the phrases it shows, in turn.
struct PhraseFile {
    const char* name;
    std::string bytes;
    std::vector<std::wstring> shown;
    bool windows1252;   // ANSI text that needs code page 1252
};

void PrintTo(const PhraseFile& file, std::ostream* out) { *out << file.name; }

class StampedAsDrawn : public FullScreenAnimation, public ::testing::WithParamInterface<PhraseFile> {};

// The phrases follow one another, each stamped exactly where and as the text
// drawing puts it, whether the file is ANSI or UTF-8 with or without a
// byte-order mark. With every colour limit 0 a letter pixel only ever holds
// the stamp colour or, once grown, the reset colour (1, 11, 21), and its halo
// half of that, so the letters can be told from the halo all through the long
// growth of Duration 255.
TEST_P(StampedAsDrawn, EachPhraseInTurn) {
    const PhraseFile& file = GetParam();
    RecordProperty("ansi_code_page", static_cast<int>(GetACP()));
    if (file.windows1252 && GetACP() != 1252)
        GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252: Wine takes it from the locale";
    ASSERT_TRUE(Installation().WritePhrases(file.bytes));
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(0, 0, 0, 255)));
    const RECT screen = ScreenRect();
    const auto letter = [&](Rgb c) {
        return IsStampColour(depth_, c) || (RedLevel(depth_, c) == StoredLevel(depth_, 1) &&
                                            GreenLevel(depth_, c) == StoredLevel(depth_, 11) &&
                                            BlueLevel(depth_, c) == StoredLevel(depth_, 21));
    };
    std::vector<Snapshot> expected;
    for (const std::wstring& phrase : file.shown) {
        expected.push_back(ExpectedStamp(phrase, screen.right, screen.bottom));
        // Letters, not the question marks of characters the font or the code page lacks.
        const Snapshot marks = ExpectedStamp(std::wstring(phrase.size(), L'?'), screen.right, screen.bottom);
        ASSERT_GT(expected.back().Count([](Rgb c) { return c.red != 0; }), 0u);
        ASSERT_GT(expected.back().CountDifferent(marks), 0u);
    }

    ASSERT_NE(nullptr, StartFullScreen(Saver()));
    std::vector<bool> seen(expected.size(), false);
    std::vector<size_t> closest(expected.size(), SIZE_MAX);   // fewest pixels that differed from each
    WatchScreen(
        20000,
        [&](const Snapshot& shot) {
            for (size_t i = 0; i < expected.size(); ++i) {
                size_t differing = 0;
                for (int y = 0; y < shot.Height(); ++y)
                    for (int x = 0; x < shot.Width(); ++x)
                        differing += letter(shot.At(x, y)) != (expected[i].At(x, y).red != 0);
                closest[i] = std::min(closest[i], differing);
                seen[i] = seen[i] || differing == 0;
            }
        },
        [&] { return std::find(seen.begin(), seen.end(), false) == seen.end(); });
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(seen[i]) << "phrase " << i + 1 << " never stood as drawn; at best " << closest[i]
                             << " pixels differed";
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

const std::wstring Gruesse = L"Gr\u00FC\u00DFe";
const std::string GruesseUtf8 = "Gr\xC3\xBC\xC3\x9F" "e";

INSTANTIATE_TEST_SUITE_P(
    PhraseFiles, StampedAsDrawn,
    ::testing::Values(PhraseFile{"Ansi", "Verdo &Grows\r\nW&&W", {L"Verdo &Grows", L"W&&W"}, false},
                      PhraseFile{"Windows1252", "Gr\xFC\xDF" "e", {Gruesse}, true},
                      PhraseFile{"Utf8", GruesseUtf8 + "\r\n\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
                                 {Gruesse, L"\u041F\u0440\u0438\u0432\u0435\u0442"}, false},
                      PhraseFile{"Utf8WithByteOrderMark", "\xEF\xBB\xBF" + GruesseUtf8, {Gruesse}, false}),
    [](const ::testing::TestParamInfo<PhraseFile>& row) { return std::string(row.param.name); });

TEST_F(FullScreenAnimation, InvertedTheGroundGlowsAroundLettersThatStayDark) {
    ASSERT_TRUE(Installation().WritePhrases("WWW"));
    ASSERT_TRUE(Installation().WriteSettings(SettingsBytes(127, 255, 255, 0, 1)));
    ASSERT_NE(nullptr, StartFullScreen(Saver()));

    const RECT screen = ScreenRect();
    const size_t screenPixels = static_cast<size_t>(screen.right) * screen.bottom;
    size_t mostLit = 0;
    size_t lettersBesideMostLit = 0;
    const bool glowed = WatchScreen(
        20000,
        [&](const Snapshot& shot) {
            const size_t lit = shot.Count([&](Rgb c) { return IsLit(depth_, c); });
            if (lit <= mostLit) return;
            mostLit = lit;
            lettersBesideMostLit = shot.Count([&](Rgb c) { return IsStampColour(depth_, c); });
        },
        [&] { return mostLit > screenPixels / 2 && lettersBesideMostLit > 1000; });

    EXPECT_TRUE(glowed) << "at most " << mostLit << " of " << screenPixels << " pixels lit, with "
                        << lettersBesideMostLit << " letter pixels in the stamp colour";
    EXPECT_TRUE(EndWithKey(Saver()));
    EXPECT_EQ(0u, Saver().ExitCode());
}

}  // namespace
