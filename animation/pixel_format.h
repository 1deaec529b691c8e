// Reading and writing one pixel of a locked buffer as red, green and blue.
// 16-bit pixels are always taken as 5-6-5 with only the upper five green bits
// used; 24- and 32-bit pixels are blue, green, red bytes (a 32-bit pixel's
// fourth byte is never touched).
#pragma once
#include <cstdint>

struct Rgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
};

inline bool operator==(const Rgb& a, const Rgb& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}
inline bool operator!=(const Rgb& a, const Rgb& b) { return !(a == b); }

// A 5-bit field widened to 0..255: floor(field * 255 / 31).
inline uint8_t ExpandField5(uint32_t field)
{
    return static_cast<uint8_t>((field & 31u) * 255u / 31u);
}

inline uint16_t PackWord565(const Rgb& c)
{
    return static_cast<uint16_t>((c.red / 8u) * 2048u + (c.green / 8u) * 64u + (c.blue / 8u));
}

inline Rgb UnpackWord565(uint16_t word)
{
    return Rgb{ExpandField5(word >> 11), ExpandField5(word >> 6), ExpandField5(word)};
}

// Low byte first, whatever the host's byte order.
inline uint16_t ReadWord16(const uint8_t* pixel)
{
    return static_cast<uint16_t>(pixel[0] | (pixel[1] << 8));
}

inline void WriteWord16(uint8_t* pixel, uint16_t word)
{
    pixel[0] = static_cast<uint8_t>(word & 0xFF);
    pixel[1] = static_cast<uint8_t>(word >> 8);
}

// bitCount must be 16, 24 or 32.
inline Rgb ReadPixelRgb(const uint8_t* pixel, uint32_t bitCount)
{
    if (bitCount == 16) return UnpackWord565(ReadWord16(pixel));
    return Rgb{pixel[2], pixel[1], pixel[0]};
}

inline void WritePixelRgb(uint8_t* pixel, uint32_t bitCount, const Rgb& c)
{
    if (bitCount == 16) {
        WriteWord16(pixel, PackWord565(c));
        return;
    }
    pixel[0] = c.blue;
    pixel[1] = c.green;
    pixel[2] = c.red;
}

// A COLORREF holds red in its low byte, then green, then blue.
inline Rgb RgbFromColorRef(uint32_t colour)
{
    return Rgb{static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
               static_cast<uint8_t>((colour >> 16) & 0xFF)};
}

inline bool IsDrawableBitCount(uint32_t bitCount)
{
    return bitCount == 16 || bitCount == 24 || bitCount == 32;
}
