// How the bytes of the phrase text are read: in the ANSI code page, as the
// program always has, or as UTF-8, the way Notepad saves text today.
#pragma once
#include <cstdint>

enum class PhraseEncoding : uint8_t { Ansi, Utf8 };

// 3 when the text begins with the UTF-8 byte-order mark EF BB BF, else 0.
uint32_t ByteOrderMarkLength(const uint8_t* text, uint32_t length);

// UTF-8 for a text that begins with the byte-order mark, or that is valid
// UTF-8 throughout (no overlong form, no surrogate, nothing above U+10FFFF,
// no sequence cut short) and holds at least one character of more than one
// byte. ANSI for every other text, so an ANSI file reads as it always has.
PhraseEncoding PhraseEncodingOf(const uint8_t* text, uint32_t length);

// Where a UTF-8 phrase cut after `count` bytes of `line` ends so as not to
// split a character: `count`, or the start of the character that line[count]
// belongs to. line[count] must be readable.
uint32_t Utf8CutBefore(const uint8_t* line, uint32_t count);
