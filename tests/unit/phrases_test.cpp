#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "animation/phrase_encoding.h"
#include "animation/phrases.h"

namespace {

struct Sequencer {
    std::vector<uint8_t> text;
    AnimationState state{};

    explicit Sequencer(const std::string& bytes, PhraseEncoding encoding = PhraseEncoding::Ansi)
        : text(bytes.begin(), bytes.end())
    {
        state.PhraseTextLength = static_cast<uint32_t>(text.size());
        state.PhraseTextEncoding = encoding;
        state.ReadPosition = 0;
        std::memset(state.Phrase, 'Q', sizeof state.Phrase);   // stale content
    }

    std::string Next()
    {
        NextPhrase(state, text.data());
        return std::string(state.Phrase);
    }

    std::vector<std::string> Next(int count)
    {
        std::vector<std::string> phrases;
        for (int i = 0; i < count; ++i) phrases.push_back(Next());
        return phrases;
    }
};

using Phrases = std::vector<std::string>;

TEST(NextPhrase, LineBreaksAndBlankLines)
{
    EXPECT_EQ((Phrases{"A", "B", "A", "B", "A"}), Sequencer("A\r\nB").Next(5));
    EXPECT_EQ((Phrases{"A", "B", "", "A", "B", ""}), Sequencer("A\r\nB\r\n").Next(6));
    EXPECT_EQ((Phrases{"A", "", "B", "A", "", "B"}), Sequencer("A\r\n\r\nB").Next(6));
    EXPECT_EQ((Phrases{"A", "", "B", "A"}), Sequencer("A\n\n\nB").Next(4));
    EXPECT_EQ((Phrases{"A", "B", "A"}), Sequencer("A\tB").Next(3));
    EXPECT_EQ((Phrases{"A", "B", "A"}), Sequencer("A\n\rB").Next(3));
    EXPECT_EQ((Phrases{"one two", "three"}), Sequencer("one two\r\nthree").Next(2));
}

// A line longer than 255 bytes is cut there and the rest passed over. In a
// UTF-8 text a character straddling byte 255 is left out whole; an ANSI text
// is cut at 255 whatever its bytes.
TEST(NextPhrase, LongLineIsCutAt255AndTheRestSkipped)
{
    for (const std::string character : {"\xC3\xA9", "\xE2\x82\xAC", "\xF0\x9F\x8C\xB1"}) {
        for (size_t start = 251; start <= 255; ++start) {
            const std::string line = std::string(start, 'a') + character + std::string(40, 'z');
            const bool straddles = start < 255 && start + character.size() > 255;
            for (const PhraseEncoding encoding : {PhraseEncoding::Ansi, PhraseEncoding::Utf8}) {
                const std::string cut = line.substr(0, straddles && encoding == PhraseEncoding::Utf8 ? start : 255);
                Sequencer s(line + "\r\nnext", encoding);
                EXPECT_EQ((Phrases{cut, "next", cut}), s.Next(3)) << character.size() << " bytes at " << start;
            }
        }
    }

    std::string line;
    for (int i = 0; i < 300; ++i) line.push_back(static_cast<char>('a' + i % 26));
    // A long line at the end of the text wraps straight to the start.
    Sequencer atEnd("x\n" + line);
    EXPECT_EQ("x", atEnd.Next());
    EXPECT_EQ(line.substr(0, 255), atEnd.Next());
    EXPECT_EQ(0u, atEnd.state.ReadPosition);

    // Exactly 255 bytes fit whole.
    Sequencer exact(line.substr(0, 255) + "\nB");
    EXPECT_EQ(line.substr(0, 255), exact.Next());
    EXPECT_EQ("B", exact.Next());
}

// Each faulty row holds a valid "\xC3\xA9" before its fault, so only the
// fault can make it ANSI.
TEST(PhraseEncodingOf, Utf8WhenMarkedOrValidWithAMultiByteCharacter)
{
    const PhraseEncoding Utf8 = PhraseEncoding::Utf8, Ansi = PhraseEncoding::Ansi;
    const struct {
        std::string bytes;
        PhraseEncoding expected;
    } rows[] = {
        {"\xEF\xBB\xBFVerdo", Utf8},
        {"\xEF\xBB\xBF\xFC broken", Utf8},
        {"Verdo\r\nGrows\r\n", Ansi},
        {"Gr\xFC\xDF" "e", Ansi},                       // Windows-1252
        {"caf\xC3\xA9 \xE0 la cr\xE8me", Ansi},          // one valid-looking pair among ANSI accents
        {"Gr\xC3\xBC\xC3\x9F" "e\r\n\xD0\x9F\xD1\x80\xE2\x82\xAC\xF0\x9F\x8C\xB1", Utf8},
        {"\xC2\x80\xDF\xBF\xE0\xA0\x80\xED\x9F\xBF\xEE\x80\x80\xF0\x90\x80\x80\xF4\x8F\xBF\xBF", Utf8},   // range ends
        {"\xC3\xA9\x80", Ansi},                         // lone continuation byte
        {"\xC3\xA9\xC1\xBF", Ansi},                     // overlong in two, three, four bytes
        {"\xC3\xA9\xE0\x9F\xBF", Ansi},
        {"\xC3\xA9\xF0\x8F\xBF\xBF", Ansi},
        {"\xC3\xA9\xED\xA0\x80", Ansi},                 // surrogate U+D800
        {"\xC3\xA9\xF4\x90\x80\x80", Ansi},             // above U+10FFFF
        {"\xC3\xA9\xF5\x80\x80\x80", Ansi},
        {"\xC3\xA9\xE2\x82 x", Ansi},                    // cut short inside the text and at its end
        {"\xC3\xA9\xF0\x9F\x8C", Ansi},
    };
    for (const auto& row : rows) {
        const std::vector<uint8_t> bytes(row.bytes.begin(), row.bytes.end());
        EXPECT_EQ(row.expected, PhraseEncodingOf(bytes.data(), static_cast<uint32_t>(bytes.size()))) << row.bytes;
    }
}

TEST(NextPhrase, Utf8SkipsTheByteOrderMarkAtEveryStartAndKeepsOthers)
{
    const std::string mark = "\xEF\xBB\xBF", word = "Gr\xC3\xBC\xC3\x9F" "e";
    Sequencer s(mark + word + "\r\n" + mark + "B", PhraseEncoding::Utf8);
    EXPECT_EQ((Phrases{word, mark + "B", word}), s.Next(3));
    // The 255 bytes are counted after the mark.
    EXPECT_EQ(std::string(255, 'a'), Sequencer(mark + std::string(300, 'a'), PhraseEncoding::Utf8).Next());
}

}  // namespace
