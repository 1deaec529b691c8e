#include "harness/screen_win32.h"

#include <cstdlib>
#include <cstring>
#include <utility>

#include "harness/waiting_win32.h"

RECT ScreenRect() {
    return RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

RECT VisiblePart(const RECT& area) {
    RECT visible = {};
    const RECT screen = ScreenRect();
    IntersectRect(&visible, &area, &screen);
    return visible;
}

int ScreenBitsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

namespace {

// Runs `draw` on a memory DC holding a top-down 32-bit DIB of the given size
// and keeps the resulting pixels.
bool DrawIntoPixels(int width, int height, const std::function<void(HDC)>& draw,
                    std::vector<uint32_t>& pixels) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool ok = false;
    if (memory && dib && bits) {
        HGDIOBJ previous = SelectObject(memory, dib);
        draw(memory);
        GdiFlush();
        pixels.resize(static_cast<size_t>(width) * height);
        std::memcpy(pixels.data(), bits, pixels.size() * sizeof(uint32_t));
        SelectObject(memory, previous);
        ok = true;
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

Rgb Unpack(uint32_t pixel) {
    return Rgb{static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
               static_cast<uint8_t>(pixel)};
}

}  // namespace

Snapshot Snapshot::Capture(const RECT& area) {
    Snapshot shot;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return shot;
    HDC screen = GetDC(nullptr);
    const bool ok = DrawIntoPixels(
        width, height,
        [&](HDC memory) {
            BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY | CAPTUREBLT);
        },
        shot.pixels_);
    ReleaseDC(nullptr, screen);
    if (ok) {
        shot.width_ = width;
        shot.height_ = height;
    }
    return shot;
}

Snapshot Snapshot::Paint(int width, int height, const std::function<void(HDC)>& painter) {
    Snapshot shot;
    if (width > 0 && height > 0 && DrawIntoPixels(width, height, painter, shot.pixels_)) {
        shot.width_ = width;
        shot.height_ = height;
    }
    return shot;
}

Rgb Snapshot::At(int x, int y) const { return Unpack(pixels_[static_cast<size_t>(y) * width_ + x]); }

size_t Snapshot::Count(const std::function<bool(Rgb)>& matches) const {
    size_t count = 0;
    for (uint32_t pixel : pixels_)
        if (matches(Unpack(pixel))) ++count;
    return count;
}

size_t Snapshot::CountDifferent(const Snapshot& other, int tolerance) const {
    if (width_ != other.width_ || height_ != other.height_) return pixels_.size();
    size_t count = 0;
    for (size_t i = 0; i < pixels_.size(); ++i) {
        const Rgb a = Unpack(pixels_[i]);
        const Rgb b = Unpack(other.pixels_[i]);
        if (std::abs(a.red - b.red) > tolerance || std::abs(a.green - b.green) > tolerance ||
            std::abs(a.blue - b.blue) > tolerance)
            ++count;
    }
    return count;
}

Snapshot WaitForSnapshot(const RECT& area, const std::function<bool(const Snapshot&)>& wanted,
                         unsigned timeoutMs) {
    Snapshot found;
    WaitUntil(
        [&] {
            Snapshot shot = Snapshot::Capture(area);
            if (!shot.Valid() || !wanted(shot)) return false;
            found = std::move(shot);
            return true;
        },
        timeoutMs, 10);
    return found;
}

RECT BoundsOf(const Snapshot& shot, const std::function<bool(Rgb)>& matches) {
    RECT bounds = {shot.Width(), shot.Height(), 0, 0};
    for (int y = 0; y < shot.Height(); ++y)
        for (int x = 0; x < shot.Width(); ++x)
            if (matches(shot.At(x, y))) {
                if (x < bounds.left) bounds.left = x;
                if (y < bounds.top) bounds.top = y;
                if (x + 1 > bounds.right) bounds.right = x + 1;
                if (y + 1 > bounds.bottom) bounds.bottom = y + 1;
            }
    if (bounds.right == 0) bounds = RECT{0, 0, 0, 0};
    return bounds;
}
