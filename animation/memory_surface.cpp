#include "memory_surface.h"

#include <cstring>

namespace {

int32_t BytesPerPixel(const MemorySurface& surface)
{
    return static_cast<int32_t>(surface.bitCount / 8);
}

bool DefaultBeginText(void*, MemorySurface&) { return true; }
void DefaultBlacken(void*, MemorySurface& surface, const DrawRegion& region)
{
    BlackenMemoryRegion(surface, region);
}
int32_t DefaultMeasureText(void*, MemorySurface&, const char*, const ScreenRect&) { return 0; }
void DefaultDrawText(void*, MemorySurface&, const char*, const ScreenRect&) {}
void DefaultEndText(void*, MemorySurface&) {}

// The seam's text entries forward to the surface's own text service.
SurfaceAccess SeamBeginText(void* context)
{
    MemorySurface& surface = *static_cast<MemorySurface*>(context);
    if (surface.lost) return SurfaceAccess::Lost;
    auto begin = surface.text.BeginText ? surface.text.BeginText : DefaultBeginText;
    return begin(surface.text.context, surface) ? SurfaceAccess::Ready : SurfaceAccess::Refused;
}

void SeamBlacken(void* context, const DrawRegion& region)
{
    MemorySurface& surface = *static_cast<MemorySurface*>(context);
    auto blacken = surface.text.Blacken ? surface.text.Blacken : DefaultBlacken;
    blacken(surface.text.context, surface, region);
}

int32_t SeamMeasureText(void* context, const char* phrase, const ScreenRect& box)
{
    MemorySurface& surface = *static_cast<MemorySurface*>(context);
    auto measure = surface.text.MeasureText ? surface.text.MeasureText : DefaultMeasureText;
    return measure(surface.text.context, surface, phrase, box);
}

void SeamDrawText(void* context, const char* phrase, const ScreenRect& box)
{
    MemorySurface& surface = *static_cast<MemorySurface*>(context);
    auto draw = surface.text.DrawText ? surface.text.DrawText : DefaultDrawText;
    draw(surface.text.context, surface, phrase, box);
}

void SeamEndText(void* context)
{
    MemorySurface& surface = *static_cast<MemorySurface*>(context);
    auto end = surface.text.EndText ? surface.text.EndText : DefaultEndText;
    end(surface.text.context, surface);
}

// Block text service.
bool BlockBeginText(void* context, MemorySurface&)
{
    BlockTextService& service = *static_cast<BlockTextService*>(context);
    ++service.beginCount;
    return !service.failBegin;
}

void BlockBlacken(void* context, MemorySurface& surface, const DrawRegion& region)
{
    BlockTextService& service = *static_cast<BlockTextService*>(context);
    ++service.blackenCount;
    service.lastBlackened = region;
    BlackenMemoryRegion(surface, region);
}

int32_t BlockMeasureText(void* context, MemorySurface&, const char* phrase, const ScreenRect& box)
{
    BlockTextService& service = *static_cast<BlockTextService*>(context);
    ++service.measureCount;
    service.lastPhrase = phrase;
    service.lastMeasureBox = box;
    return service.measuredHeight;
}

void BlockDrawText(void* context, MemorySurface& surface, const char* phrase, const ScreenRect& box)
{
    BlockTextService& service = *static_cast<BlockTextService*>(context);
    ++service.drawCount;
    service.lastPhrase = phrase;
    service.lastDrawBox = box;

    const Rgb ink = RgbFromColorRef(StampColour);
    const int32_t count = static_cast<int32_t>(std::strlen(phrase));
    const int32_t rowWidth = count * service.cellWidth;
    const int32_t firstLeft = box.left + (box.right - box.left - rowWidth) / 2;
    for (int32_t i = 0; i < count; ++i) {
        if (phrase[i] == ' ') continue;
        const int32_t left = firstLeft + i * service.cellWidth;
        ScreenRect cell{left, box.top, left + service.cellWidth - 1, box.top + service.cellHeight};
        // Clip to the box as the real text drawing does.
        if (cell.left < box.left) cell.left = box.left;
        if (cell.right > box.right) cell.right = box.right;
        if (cell.bottom > box.bottom) cell.bottom = box.bottom;
        FillMemoryRect(surface, cell, ink);
    }
}

void BlockEndText(void* context, MemorySurface&)
{
    ++static_cast<BlockTextService*>(context)->endCount;
}

}  // namespace

bool CreateMemorySurface(MemorySurface& surface, int32_t width, int32_t height, uint32_t bitCount,
                         int32_t pitch)
{
    surface = MemorySurface{};
    surface.locksBeforeFailure = -1;
    const bool knownDepth = bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
    if (width < 1 || height < 1 || !knownDepth) return false;

    const int64_t rowBytes = int64_t{width} * (bitCount / 8);
    const int64_t stride = pitch == 0 ? rowBytes : (pitch < 0 ? -int64_t{pitch} : int64_t{pitch});
    if (stride < rowBytes || stride > INT32_MAX) return false;

    surface.storage.assign(static_cast<size_t>(stride * height), 0);
    surface.width = width;
    surface.height = height;
    surface.bitCount = bitCount;
    surface.pitch = pitch < 0 ? -static_cast<int32_t>(stride) : static_cast<int32_t>(stride);
    surface.rowZeroOffset = pitch < 0 ? static_cast<size_t>(stride * (height - 1)) : 0;
    return true;
}

SurfaceAccess LockMemorySurface(void* memorySurface, PixelBuffer* pixels)
{
    MemorySurface& surface = *static_cast<MemorySurface*>(memorySurface);
    if (surface.lost) return SurfaceAccess::Lost;
    if (surface.locksBeforeFailure >= 0 &&
        surface.lockCount >= static_cast<uint32_t>(surface.locksBeforeFailure)) {
        return SurfaceAccess::Refused;
    }
    ++surface.lockCount;
    surface.locked = true;
    *pixels = MemoryPixels(surface);
    return SurfaceAccess::Ready;
}

void UnlockMemorySurface(void* memorySurface)
{
    MemorySurface& surface = *static_cast<MemorySurface*>(memorySurface);
    ++surface.unlockCount;
    surface.locked = false;
}

DrawingSurface MemoryDrawingSurface(MemorySurface& surface)
{
    DrawingSurface seam{};
    seam.context = &surface;
    seam.Lock = LockMemorySurface;
    seam.Unlock = UnlockMemorySurface;
    seam.BeginText = SeamBeginText;
    seam.Blacken = SeamBlacken;
    seam.MeasureText = SeamMeasureText;
    seam.DrawText = SeamDrawText;
    seam.EndText = SeamEndText;
    return seam;
}

PixelBuffer MemoryPixels(MemorySurface& surface)
{
    PixelBuffer pixels{};
    pixels.base = surface.storage.empty() ? nullptr : surface.storage.data() + surface.rowZeroOffset;
    pixels.pitch = surface.pitch;
    pixels.bitCount = surface.bitCount;
    return pixels;
}

const uint8_t* MemoryPixelAddress(const MemorySurface& surface, int32_t x, int32_t y)
{
    if (x < 0 || y < 0 || x >= surface.width || y >= surface.height) return nullptr;
    const int64_t offset = static_cast<int64_t>(surface.rowZeroOffset) + int64_t{y} * surface.pitch +
                           int64_t{x} * BytesPerPixel(surface);
    return surface.storage.data() + offset;
}

uint8_t* MemoryPixelAddress(MemorySurface& surface, int32_t x, int32_t y)
{
    const MemorySurface& readOnly = surface;
    return const_cast<uint8_t*>(MemoryPixelAddress(readOnly, x, y));
}

Rgb ReadMemoryPixel(const MemorySurface& surface, int32_t x, int32_t y)
{
    const uint8_t* pixel = MemoryPixelAddress(surface, x, y);
    if (pixel == nullptr || !IsDrawableBitCount(surface.bitCount)) return Rgb{0, 0, 0};
    return ReadPixelRgb(pixel, surface.bitCount);
}

void WriteMemoryPixel(MemorySurface& surface, int32_t x, int32_t y, const Rgb& colour)
{
    uint8_t* pixel = MemoryPixelAddress(surface, x, y);
    if (pixel == nullptr || !IsDrawableBitCount(surface.bitCount)) return;
    WritePixelRgb(pixel, surface.bitCount, colour);
}

uint32_t ReadRawPixel(const MemorySurface& surface, int32_t x, int32_t y)
{
    const uint8_t* pixel = MemoryPixelAddress(surface, x, y);
    if (pixel == nullptr) return 0;
    uint32_t value = 0;
    for (int32_t i = BytesPerPixel(surface) - 1; i >= 0; --i) value = (value << 8) | pixel[i];
    return value;
}

void WriteRawPixel(MemorySurface& surface, int32_t x, int32_t y, uint32_t value)
{
    uint8_t* pixel = MemoryPixelAddress(surface, x, y);
    if (pixel == nullptr) return;
    for (int32_t i = 0; i < BytesPerPixel(surface); ++i) pixel[i] = static_cast<uint8_t>(value >> (8 * i));
}

void FillMemoryRect(MemorySurface& surface, const ScreenRect& rect, const Rgb& colour)
{
    const int32_t left = rect.left < 0 ? 0 : rect.left;
    const int32_t top = rect.top < 0 ? 0 : rect.top;
    const int32_t right = rect.right > surface.width ? surface.width : rect.right;
    const int32_t bottom = rect.bottom > surface.height ? surface.height : rect.bottom;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x) WriteMemoryPixel(surface, x, y, colour);
}

void BlackenMemoryRegion(MemorySurface& surface, const DrawRegion& region)
{
    const int32_t left = region.left < 0 ? 0 : region.left;
    const int32_t top = region.top < 0 ? 0 : region.top;
    const int32_t right = region.right > surface.width ? surface.width : region.right;
    const int32_t bottom = region.bottom > surface.height ? surface.height : region.bottom;
    for (int32_t y = top; y < bottom; ++y)
        for (int32_t x = left; x < right; ++x) WriteRawPixel(surface, x, y, 0);
}

void UseBlockText(MemorySurface& surface, BlockTextService& service)
{
    surface.text.context = &service;
    surface.text.BeginText = BlockBeginText;
    surface.text.Blacken = BlockBlacken;
    surface.text.MeasureText = BlockMeasureText;
    surface.text.DrawText = BlockDrawText;
    surface.text.EndText = BlockEndText;
}
