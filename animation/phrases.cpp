#include "phrases.h"

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

    // Copy the phrase's text bytes; those of a line beyond the buffer's
    // capacity are passed over, so the next call begins with the next line.
    uint32_t count = 0;
    while (position < length && !IsSeparator(phraseText[position])) {
        if (count < PhraseCapacity) state.Phrase[count++] = static_cast<char>(phraseText[position]);
        ++position;
    }
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
