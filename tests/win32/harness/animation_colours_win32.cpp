#include "harness/animation_colours_win32.h"

namespace {

int FieldLevel(uint8_t readBack) {
    const int field = readBack >> 3;
    return field * 255 / 31;
}

}  // namespace

ScreenDepth CurrentScreenDepth() { return ScreenDepth{ScreenBitsPerPixel() == 16}; }

int RedLevel(const ScreenDepth& depth, Rgb colour) {
    return depth.sixteenBits ? FieldLevel(colour.red) : colour.red;
}
int GreenLevel(const ScreenDepth& depth, Rgb colour) {
    return depth.sixteenBits ? FieldLevel(colour.green) : colour.green;
}
int BlueLevel(const ScreenDepth& depth, Rgb colour) {
    return depth.sixteenBits ? FieldLevel(colour.blue) : colour.blue;
}

int StoredLevel(const ScreenDepth& depth, int level) {
    return depth.sixteenBits ? (level / 8) * 255 / 31 : level;
}

bool IsBlack(const ScreenDepth& depth, Rgb colour) {
    return RedLevel(depth, colour) == 0 && GreenLevel(depth, colour) == 0 && BlueLevel(depth, colour) == 0;
}

bool IsStampColour(const ScreenDepth& depth, Rgb colour) {
    return RedLevel(depth, colour) == 0 && GreenLevel(depth, colour) == 0 &&
           BlueLevel(depth, colour) == StoredLevel(depth, 16);
}

bool IsLit(const ScreenDepth& depth, Rgb colour) {
    return !IsBlack(depth, colour) && !IsStampColour(depth, colour);
}
