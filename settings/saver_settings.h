// The 8-byte settings record, which is also the whole content of verdo.set.
#pragma once
#include <cstddef>
#include <cstdint>

struct SaverSettings {
    uint8_t RedLimit;
    uint8_t GreenLimit;
    uint8_t BlueLimit;
    uint8_t Duration;
    uint8_t Invert;     // 0: normal growth; anything else: inverted
    uint8_t Reserved;   // carried unchanged from the file read to the file written
    uint8_t VideoModeLow;   // VideoMode, unsigned 16 bits, little-endian on every host
    uint8_t VideoModeHigh;
};
static_assert(sizeof(SaverSettings) == 8, "SaverSettings is the 8 bytes of verdo.set");

const size_t SettingsFileSize = sizeof(SaverSettings);

uint16_t GetVideoMode(const SaverSettings& settings);
void SetVideoMode(SaverSettings& settings, uint16_t mode);

// Sets the first six bytes to their defaults; VideoMode is left as it is.
void ApplyDefaultSettings(SaverSettings& settings);

// A settings file of 8 or more bytes supplies its first 8, unchecked; a shorter
// one counts as absent and the defaults apply. Returns true when the bytes were used.
bool SettingsFromFileBytes(SaverSettings& settings, const uint8_t* bytes, size_t count);

// The exact 8 bytes that verdo.set holds for a record.
void SettingsToFileBytes(const SaverSettings& settings, uint8_t out[SettingsFileSize]);
