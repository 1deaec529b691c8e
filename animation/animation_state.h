// The record handed to the animation thread: settings first, then the phrase.
#pragma once
#include <cstdint>

#include "../settings/saver_settings.h"
#include "phrase_encoding.h"

const uint32_t PhraseCapacity = 255;   // bytes of text a phrase holds

struct AnimationState {
    SaverSettings Settings;
    char Phrase[PhraseCapacity + 1];   // zero-terminated current phrase
    uint32_t PhraseTextLength;
    uint32_t ReadPosition;             // 0 <= ReadPosition <= PhraseTextLength between calls
    PhraseEncoding PhraseTextEncoding; // decided once, when the text is loaded
};
