// Reading the screen back: a rectangle of the desktop copied with BitBlt into
// a 32-bit DIB section, then examined pixel by pixel. At a 16-bit screen the
// colours come back widened to 8 bits by the system (a 5-bit field f reads
// as roughly f * 8), so compare fields, not exact bytes, there.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

struct Rgb {
    uint8_t red, green, blue;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

RECT ScreenRect();          // the primary screen, (0, 0, width, height)
int ScreenBitsPerPixel();   // as GDI reports it for the screen
RECT VisiblePart(const RECT& area);   // the part of `area` on the primary screen

class Snapshot {
public:
    // Copies `area` of the screen as it is now, in screen coordinates: any
    // part of the virtual screen, other monitors and negative coordinates too.
    static Snapshot Capture(const RECT& area);
    static Snapshot CaptureScreen() { return Capture(ScreenRect()); }
    // A picture of the given size made by a painter, to compare with the screen.
    static Snapshot Paint(int width, int height, const std::function<void(HDC)>& painter);

    bool Valid() const { return !pixels_.empty(); }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // x and y relative to the captured area.
    Rgb At(int x, int y) const;

    size_t Count(const std::function<bool(Rgb)>& matches) const;
    // Pixels of equal-sized snapshots that differ by more than `tolerance` in any channel.
    size_t CountDifferent(const Snapshot& other, int tolerance = 0) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<uint32_t> pixels_;  // 0x00RRGGBB, rows top to bottom
};

// Captures `area` again and again (pumping messages) until a snapshot
// satisfies `wanted`; returns that snapshot, or an invalid one after timeoutMs.
Snapshot WaitForSnapshot(const RECT& area, const std::function<bool(const Snapshot&)>& wanted,
                         unsigned timeoutMs);

// The smallest rectangle (relative to the snapshot) holding every matching
// pixel; empty when none matches.
RECT BoundsOf(const Snapshot& shot, const std::function<bool(Rgb)>& matches);
