// What the display offers: the current mode, DirectDraw's list of modes in
// its own order, and the depth of DirectDraw's primary surface, asked from
// the test process itself (ddraw.dll is loaded on demand, never linked).
#pragma once
#include <ostream>
#include <string>
#include <vector>

struct DisplayMode {
    int width = 0;
    int height = 0;
    int bits = 0;
    bool operator==(const DisplayMode& other) const {
        return width == other.width && height == other.height && bits == other.bits;
    }
    bool operator!=(const DisplayMode& other) const { return !(*this == other); }
};

std::string Describe(const DisplayMode& mode);  // "1024x768x24"
// How GoogleTest shows a mode in a failed check.
inline void PrintTo(const DisplayMode& mode, std::ostream* out) { *out << Describe(mode); }

// The mode the display runs in now (EnumDisplaySettings, current settings).
DisplayMode CurrentDisplayMode();
// The modes a saved VideoMode n counts: those of 16, 24 or 32 bits from
// IDirectDraw2::EnumDisplayModes with flags 0, in the driver's order
// (VideoMode n is element n - 1); empty when DirectDraw is not available.
std::vector<DisplayMode> VideoModeList();
// The bit count of a primary surface made at the normal cooperative level;
// 0 when DirectDraw is not available.
int DirectDrawPrimaryBitCount();
// Changes the display mode as another program would (for this session, not
// saved); true when the system took it.
bool ChangeDisplayModeTo(const DisplayMode& mode);
// Puts the display back into the registry's mode when it differs from `expected`.
void RestoreDisplayModeIfNot(const DisplayMode& expected);
