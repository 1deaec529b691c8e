// A surface simulated in memory: the frame cycle runs on it in tests and tools
// exactly as on the screen. Lock and Unlock work on a pixel block of its own;
// the text service is pluggable, so each user brings the text drawing it needs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "frame_cycle.h"
#include "geometry.h"
#include "pixel_format.h"

struct MemorySurface;

// The stamp's text drawing on a memory surface. Each entry receives `context`
// and the surface it draws on. A null entry keeps the default: BeginText
// succeeds, Blacken blackens the region's pixels (BlackenMemoryRegion),
// MeasureText reports 0, DrawText and EndText do nothing.
struct MemoryTextService {
    void* context;
    bool (*BeginText)(void* context, MemorySurface& surface);
    void (*Blacken)(void* context, MemorySurface& surface, const DrawRegion& region);
    int32_t (*MeasureText)(void* context, MemorySurface& surface, const char* phrase,
                           const ScreenRect& box);
    void (*DrawText)(void* context, MemorySurface& surface, const char* phrase,
                     const ScreenRect& box);
    void (*EndText)(void* context, MemorySurface& surface);
};

// Pixels of screen positions (0, 0) to (width - 1, height - 1).
struct MemorySurface {
    std::vector<uint8_t> storage;
    int32_t width;
    int32_t height;
    uint32_t bitCount;      // 8, 16, 24 or 32; the passes draw only at 16, 24, 32
    int32_t pitch;          // bytes from one row to the next; negative: bottom-up rows
    size_t rowZeroOffset;   // where row 0 begins in storage

    // Lock is refused once this many locks have succeeded; negative: never.
    int32_t locksBeforeFailure;
    // While set, Lock and BeginText report the surface lost.
    bool lost;
    uint32_t lockCount;     // successful locks so far
    uint32_t unlockCount;
    bool locked;

    MemoryTextService text;
};

// Makes a zero-filled surface. pitch 0 packs the rows; a pitch of at least a
// row's bytes leaves padding after each row; a negative pitch of at least a
// row's bytes stores the rows bottom-up. Returns false (and leaves the surface
// empty) for sizes below 1, other bit counts, or a pitch shorter than a row.
bool CreateMemorySurface(MemorySurface& surface, int32_t width, int32_t height, uint32_t bitCount,
                         int32_t pitch = 0);

// The DrawingSurface seam over `surface`; the surface must outlive its use.
DrawingSurface MemoryDrawingSurface(MemorySurface& surface);

// The seam's Lock and Unlock on their own; their context is the MemorySurface.
// They never look at `text`.
SurfaceAccess LockMemorySurface(void* memorySurface, PixelBuffer* pixels);
void UnlockMemorySurface(void* memorySurface);

// What a lock hands out.
PixelBuffer MemoryPixels(MemorySurface& surface);

// Address of the pixel at (x, y), or null outside the surface.
uint8_t* MemoryPixelAddress(MemorySurface& surface, int32_t x, int32_t y);
const uint8_t* MemoryPixelAddress(const MemorySurface& surface, int32_t x, int32_t y);

// Colour of a pixel (16 bits: expanded 5-6-5 fields). Outside: black.
Rgb ReadMemoryPixel(const MemorySurface& surface, int32_t x, int32_t y);
// Writes a colour (16 bits packed as 5-6-5 with green bit 5 clear). Outside: nothing.
void WriteMemoryPixel(MemorySurface& surface, int32_t x, int32_t y, const Rgb& colour);

// Raw little-endian value of a pixel's bytes (2, 3 or 4 of them; 1 at 8 bits).
uint32_t ReadRawPixel(const MemorySurface& surface, int32_t x, int32_t y);
void WriteRawPixel(MemorySurface& surface, int32_t x, int32_t y, uint32_t value);

// Fills the part of `rect` that lies on the surface.
void FillMemoryRect(MemorySurface& surface, const ScreenRect& rect, const Rgb& colour);

// What GDI's BLACKNESS does to the region: every byte of its pixels becomes 0.
void BlackenMemoryRegion(MemorySurface& surface, const DrawRegion& region);

// A plain text service for tests. MeasureText reports measuredHeight; DrawText
// paints each non-blank character as a block of cellWidth - 1 by cellHeight
// pixels in the stamp colour, the row of blocks centred in the box from its
// top, clipped to the box. Every call is counted and the last arguments kept.
struct BlockTextService {
    int32_t measuredHeight = 20;
    int32_t cellWidth = 6;
    int32_t cellHeight = 10;
    bool failBegin = false;

    uint32_t beginCount = 0;
    uint32_t blackenCount = 0;
    uint32_t measureCount = 0;
    uint32_t drawCount = 0;
    uint32_t endCount = 0;
    std::string lastPhrase;
    DrawRegion lastBlackened{};
    ScreenRect lastMeasureBox{};
    ScreenRect lastDrawBox{};
};

// Makes `service` the surface's text service.
void UseBlockText(MemorySurface& surface, BlockTextService& service);
