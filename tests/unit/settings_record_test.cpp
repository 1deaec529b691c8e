#include <gtest/gtest.h>

#include <cstring>

#include "settings/saver_settings.h"
#include "settings_expectations.h"

namespace {

// Short files give the defaults and keep VideoMode: SettingsFileReading.
TEST(SettingsRecord, FileBytesAreTakenUncheckedAndRoundTrip)
{
    const uint8_t bytes[9] = {10, 20, 30, 40, 1, 9, 0x03, 0x00, 0xEE};
    SaverSettings s{};
    EXPECT_TRUE(SettingsFromFileBytes(s, bytes, sizeof bytes));
    ExpectSettingsFields(s, 10, 20, 30, 40, 1, 9);
    EXPECT_EQ(3, GetVideoMode(s));

    uint8_t out[SettingsFileSize];
    SettingsToFileBytes(s, out);
    EXPECT_EQ(0, memcmp(bytes, out, sizeof out));
}

TEST(SettingsRecord, VideoModeIsLittleEndianInTheFile)
{
    SaverSettings s{};
    SetVideoMode(s, 0x1234);
    uint8_t out[SettingsFileSize];
    SettingsToFileBytes(s, out);
    EXPECT_EQ(0x34, out[6]);
    EXPECT_EQ(0x12, out[7]);

    const uint8_t all[8] = {255, 255, 255, 255, 255, 255, 255, 255};
    EXPECT_TRUE(SettingsFromFileBytes(s, all, 8));
    EXPECT_EQ(65535, GetVideoMode(s));
}

}  // namespace
