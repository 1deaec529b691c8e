// The phrase sequencer on any text: each phrase is the text's next line, cut
// at 255 bytes (UTF-8: before a character the cut would split), and the read
// position moves past the line and its separator of one or two control bytes,
// or back to 0 at the end. The encoding is checked against a decoder of its own.
//
// Input: a flags byte (bit 0: encoding as detected, else bit 1 picks UTF-8;
// bits 2-7 with the next byte: a starting read position), then the text.
#include <cstring>
#include <vector>

#include "animation/phrase_encoding.h"
#include "animation/phrases.h"
#include "fuzz_input.h"

namespace {

bool IsSeparator(uint8_t byte) { return byte < 32; }

// The length of the shortest-form UTF-8 character of U+0000 to U+10FFFF, no
// surrogate, at text[at]; 0 when none starts there. Decodes the code point.
uint32_t Utf8CharacterAt(const uint8_t* text, size_t length, size_t at)
{
    const uint8_t lead = text[at];
    uint32_t size = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (size == 0 || length - at < size) return 0;
    uint32_t code = size == 1 ? lead : lead & (0x7F >> size);
    for (uint32_t i = 1; i < size; ++i) {
        if ((text[at + i] & 0xC0) != 0x80) return 0;
        code = code << 6 | (text[at + i] & 0x3F);
    }
    const uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < smallest[size] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return size;
}

// 0: not valid UTF-8; 1: valid, ASCII only; 2: valid with a longer character.
int Utf8Kind(const uint8_t* text, size_t length)
{
    int kind = 1;
    for (size_t at = 0; at < length;) {
        const uint32_t size = Utf8CharacterAt(text, length, at);
        if (size == 0) return 0;
        if (size > 1) kind = 2;
        at += size;
    }
    return kind;
}

bool HasMark(const uint8_t* text, size_t length)
{
    return length >= 3 && text[0] == 0xEF && text[1] == 0xBB && text[2] == 0xBF;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput input(data, size);
    const uint8_t flags = input.Byte();
    const uint32_t startPosition = (flags >> 2) | uint32_t{input.Byte()} << 6;
    // The text alone in a block of its own, so a read past its end shows.
    const std::vector<uint8_t> text(input.Rest(), input.Rest() + input.RestSize());
    const uint32_t length = static_cast<uint32_t>(text.size());

    const PhraseEncoding detected = PhraseEncodingOf(text.data(), length);
    const int kind = Utf8Kind(text.data(), length);
    const bool marked = HasMark(text.data(), length);
    FUZZ_CHECK((detected == PhraseEncoding::Utf8) == (marked || kind == 2), "PhraseEncodingOf");
    FUZZ_CHECK(ByteOrderMarkLength(text.data(), length) == (marked ? 3u : 0u), "ByteOrderMarkLength");

    AnimationState state{};
    state.PhraseTextLength = length;
    state.PhraseTextEncoding = (flags & 1) ? detected : (flags & 2) ? PhraseEncoding::Utf8 : PhraseEncoding::Ansi;
    state.ReadPosition = startPosition;
    const bool utf8 = state.PhraseTextEncoding == PhraseEncoding::Utf8;
    // A text valid throughout gives phrases valid throughout, once the
    // sequencer starts from positions of its own (the first may be anywhere).
    const bool validText = utf8 && kind != 0;

    for (int call = 0; call < 64; ++call) {
        const bool wholeCharacters = validText && (call > 0 || startPosition == 0);
        std::memset(state.Phrase, 0xEE, sizeof state.Phrase);
        uint32_t start = state.ReadPosition > length ? length : state.ReadPosition;
        if (start == 0 && utf8 && marked) start = 3;
        NextPhrase(state, text.data());

        uint32_t end = start;   // the line's end: its separator or the text's end
        while (end < length && !IsSeparator(text[end])) ++end;
        const size_t phraseLength = strnlen(state.Phrase, sizeof state.Phrase);
        FUZZ_CHECK(phraseLength < sizeof state.Phrase, "phrase not terminated within its buffer");
        const uint32_t lineLength = end - start;
        if (lineLength <= PhraseCapacity) {
            FUZZ_CHECK(phraseLength == lineLength, "a short line is the whole phrase");
        } else if (!utf8) {
            FUZZ_CHECK(phraseLength == PhraseCapacity, "an ANSI line is cut at 255");
        } else {
            FUZZ_CHECK(phraseLength >= PhraseCapacity - 3, "a UTF-8 line is cut at most 3 bytes early");
            if (wholeCharacters) {
                // The cut is the last character boundary at or before 255.
                FUZZ_CHECK(Utf8CharacterAt(text.data(), length, start + phraseLength) != 0, "cut off a boundary");
                FUZZ_CHECK(start + phraseLength + Utf8CharacterAt(text.data(), length, start + phraseLength) >
                               start + PhraseCapacity,
                           "cut earlier than needed");
            }
        }
        FUZZ_CHECK(phraseLength == 0 || std::memcmp(state.Phrase, text.data() + start, phraseLength) == 0,
                   "phrase is not the text");
        if (wholeCharacters) FUZZ_CHECK(Utf8Kind(text.data() + start, phraseLength) != 0, "phrase splits a character");

        uint32_t next = 0;
        if (end < length) {
            next = end + 1;
            if (next < length && IsSeparator(text[next])) ++next;
        }
        FUZZ_CHECK(state.ReadPosition == next, "read position after the phrase");
    }
    return 0;
}
