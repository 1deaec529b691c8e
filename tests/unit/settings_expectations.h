// Field-by-field checks of a settings record, shared by the record and file tests.
#pragma once
#include <gtest/gtest.h>

#include "settings/saver_settings.h"

inline void ExpectSettingsFields(const SaverSettings& s, int red, int green, int blue, int duration, int invert,
                                 int reserved)
{
    EXPECT_EQ(red, s.RedLimit);
    EXPECT_EQ(green, s.GreenLimit);
    EXPECT_EQ(blue, s.BlueLimit);
    EXPECT_EQ(duration, s.Duration);
    EXPECT_EQ(invert, s.Invert);
    EXPECT_EQ(reserved, s.Reserved);
}

// The defaults of the first six bytes; VideoMode is not part of them.
inline void ExpectDefaultSettings(const SaverSettings& s)
{
    ExpectSettingsFields(s, 127, 255, 255, 2, 0, 0);
}
