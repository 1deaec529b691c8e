// Hands out the phrases of the phrase text one at a time, wrapping at the end.
#pragma once
#include <cstdint>

#include "animation_state.h"

// Replaces state.Phrase by the next phrase of `phraseText` (state.PhraseTextLength
// bytes) and moves state.ReadPosition past it and its separator. A UTF-8 text
// (state.PhraseTextEncoding) has its byte-order mark passed over and its
// phrases cut only between characters.
void NextPhrase(AnimationState& state, const uint8_t* phraseText);
