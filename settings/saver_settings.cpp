#include "saver_settings.h"

#include <cstring>

uint16_t GetVideoMode(const SaverSettings& settings)
{
    return static_cast<uint16_t>(settings.VideoModeLow | (settings.VideoModeHigh << 8));
}

void SetVideoMode(SaverSettings& settings, uint16_t mode)
{
    settings.VideoModeLow = static_cast<uint8_t>(mode & 0xFF);
    settings.VideoModeHigh = static_cast<uint8_t>(mode >> 8);
}

void ApplyDefaultSettings(SaverSettings& settings)
{
    settings.Invert = 0;
    settings.Reserved = 0;
    settings.RedLimit = 127;
    settings.GreenLimit = 255;
    settings.BlueLimit = 255;
    settings.Duration = 2;
}

bool SettingsFromFileBytes(SaverSettings& settings, const uint8_t* bytes, size_t count)
{
    if (bytes == nullptr || count < SettingsFileSize) {
        ApplyDefaultSettings(settings);
        return false;
    }
    std::memcpy(&settings, bytes, SettingsFileSize);
    return true;
}

void SettingsToFileBytes(const SaverSettings& settings, uint8_t out[SettingsFileSize])
{
    std::memcpy(out, &settings, SettingsFileSize);
}
