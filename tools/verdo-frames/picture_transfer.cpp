#include "picture_transfer.h"

void PutPicture(const RgbPicture& picture, MemorySurface& surface)
{
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            const uint8_t* rgb = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
            if (surface.bitCount == 32) {
                // Blue, green, red and a zero fourth byte.
                WriteRawPixel(surface, x, y, uint32_t{rgb[0]} << 16 | uint32_t{rgb[1]} << 8 | rgb[2]);
            } else {
                WriteMemoryPixel(surface, x, y, Rgb{rgb[0], rgb[1], rgb[2]});
            }
        }
    }
}

RgbPicture TakePicture(const MemorySurface& surface)
{
    RgbPicture picture;
    picture.width = surface.width;
    picture.height = surface.height;
    picture.rgb.resize(static_cast<size_t>(surface.width) * surface.height * 3);
    uint8_t* out = picture.rgb.data();
    for (int32_t y = 0; y < surface.height; ++y) {
        for (int32_t x = 0; x < surface.width; ++x) {
            const Rgb colour = ReadMemoryPixel(surface, x, y);
            *out++ = colour.red;
            *out++ = colour.green;
            *out++ = colour.blue;
        }
    }
    return picture;
}
