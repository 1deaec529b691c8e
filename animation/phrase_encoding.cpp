#include "phrase_encoding.h"

namespace {

const uint8_t ByteOrderMark[] = {0xEF, 0xBB, 0xBF};

bool IsContinuation(uint8_t byte)
{
    return (byte & 0xC0) == 0x80;
}

// The bytes of the character a lead byte starts, as far as the lead byte
// tells; 1 for ASCII and for bytes that start no character.
uint32_t SequenceLength(uint8_t lead)
{
    if (lead >= 0xF0 && lead <= 0xF7) return 4;
    if (lead >= 0xE0) return lead <= 0xEF ? 3 : 1;
    return lead >= 0xC0 ? 2 : 1;
}

// The length of the valid character at text[position], or 0 when none
// starts there. Only shortest forms of U+0000 to U+10FFFF outside the
// surrogates count; the ranges for the second byte rule out the rest.
uint32_t ValidCharacterAt(const uint8_t* text, uint32_t length, uint32_t position)
{
    const uint8_t lead = text[position];
    if (lead < 0x80) return 1;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    uint32_t size = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        size = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        size = 3;
        if (lead == 0xE0) low = 0xA0;    // below U+0800: overlong
        if (lead == 0xED) high = 0x9F;   // U+D800 to U+DFFF: surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        size = 4;
        if (lead == 0xF0) low = 0x90;    // below U+10000: overlong
        if (lead == 0xF4) high = 0x8F;   // above U+10FFFF
    } else {
        return 0;   // a continuation byte, C0, C1 or F5 to FF
    }
    if (length - position < size) return 0;
    if (text[position + 1] < low || text[position + 1] > high) return 0;
    for (uint32_t i = 2; i < size; ++i)
        if (!IsContinuation(text[position + i])) return 0;
    return size;
}

}  // namespace

uint32_t ByteOrderMarkLength(const uint8_t* text, uint32_t length)
{
    if (length < sizeof ByteOrderMark) return 0;
    for (uint32_t i = 0; i < sizeof ByteOrderMark; ++i)
        if (text[i] != ByteOrderMark[i]) return 0;
    return sizeof ByteOrderMark;
}

PhraseEncoding PhraseEncodingOf(const uint8_t* text, uint32_t length)
{
    if (ByteOrderMarkLength(text, length) != 0) return PhraseEncoding::Utf8;
    bool multiByte = false;
    uint32_t position = 0;
    while (position < length) {
        const uint32_t size = ValidCharacterAt(text, length, position);
        if (size == 0) return PhraseEncoding::Ansi;
        multiByte = multiByte || size > 1;
        position += size;
    }
    return multiByte ? PhraseEncoding::Utf8 : PhraseEncoding::Ansi;
}

uint32_t Utf8CutBefore(const uint8_t* line, uint32_t count)
{
    // Back over at most three continuation bytes to the lead byte; the cut
    // moves there only if that lead byte's character reaches past the cut.
    // Stray bytes of a broken text (after a byte-order mark) are cut as ANSI.
    for (uint32_t back = 0; back < 4 && back <= count; ++back) {
        const uint8_t byte = line[count - back];
        if (IsContinuation(byte)) continue;
        return back > 0 && SequenceLength(byte) > back ? count - back : count;
    }
    return count;
}
