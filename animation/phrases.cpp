#include "phrases.h"

#include "phrase_encoding.h"

namespace {

// Every byte below 32 ends a phrase: CR, LF, tab and the other control bytes.
bool IsSeparator(uint8_t byte)
{
    return byte < 32;
}

}  // namespace

void NextPhrase(AnimationState& state, const uint8_t* phraseText)
{
    const uint32_t length = phraseText == nullptr ? 0 : state.PhraseTextLength;
    uint32_t position = state.ReadPosition;
    if (position > length) position = length;
    // The byte-order mark of a UTF-8 text is no part of its first phrase.
    const bool utf8 = state.PhraseTextEncoding == PhraseEncoding::Utf8;
    if (position == 0 && utf8) position = ByteOrderMarkLength(phraseText, length);

    // Copy the phrase's text bytes; those of a line beyond the buffer's
    // capacity are passed over, so the next call begins with the next line.
    const uint32_t start = position;
    uint32_t count = 0;
    while (position < length && !IsSeparator(phraseText[position])) {
        if (count < PhraseCapacity) state.Phrase[count++] = static_cast<char>(phraseText[position]);
        ++position;
    }
    // A UTF-8 line cut short ends before the character the cut would split.
    if (utf8 && start + count < position) count = Utf8CutBefore(phraseText + start, count);
    state.Phrase[count] = '\0';

    if (position == length) {
        // The end of the text ends the phrase; the next call starts over.
        state.ReadPosition = 0;
        return;
    }
    // A second control byte right after the first belongs to the same separator.
    ++position;
    if (position < length && IsSeparator(phraseText[position])) ++position;
    state.ReadPosition = position;
}
