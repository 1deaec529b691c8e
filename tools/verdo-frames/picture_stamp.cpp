#include "picture_stamp.h"

namespace {

bool IsLit(const RgbPicture& picture, int32_t x, int32_t y)
{
    const uint8_t* rgb = &picture.rgb[(static_cast<size_t>(y) * picture.width + x) * 3];
    return (rgb[0] | rgb[1] | rgb[2]) != 0;
}

bool RowIsLit(const RgbPicture& picture, int32_t y)
{
    for (int32_t x = 0; x < picture.width; ++x) {
        if (IsLit(picture, x, y)) return true;
    }
    return false;
}

int32_t MeasureStamp(void* context, MemorySurface&, const char*, const ScreenRect&)
{
    return static_cast<PictureStamp*>(context)->measuredHeight;
}

void DrawStamp(void* context, MemorySurface& surface, const char*, const ScreenRect&)
{
    const RgbPicture& picture = *static_cast<PictureStamp*>(context)->picture;
    const Rgb ink = RgbFromColorRef(StampColour);
    for (int32_t y = 0; y < picture.height; ++y) {
        for (int32_t x = 0; x < picture.width; ++x) {
            if (IsLit(picture, x, y)) WriteMemoryPixel(surface, x, y, ink);
        }
    }
}

}  // namespace

int32_t LitBoundingHeight(const RgbPicture& picture)
{
    int32_t first = 0;
    while (first < picture.height && !RowIsLit(picture, first)) ++first;
    if (first == picture.height) return 0;
    int32_t last = picture.height - 1;
    while (!RowIsLit(picture, last)) --last;
    return last - first + 1;
}

void UsePictureStamp(MemorySurface& surface, PictureStamp& stamp)
{
    surface.text = MemoryTextService{};
    surface.text.context = &stamp;
    surface.text.MeasureText = MeasureStamp;
    surface.text.DrawText = DrawStamp;
}
