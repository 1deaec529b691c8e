// The pictures of the monitors beside the primary: the animation of each is
// drawn into memory of its monitor's size, through the same drawing seam as
// the primary surface, and copied into the monitor's cover.
#pragma once
#include <windows.h>

// windows.h renames DrawText to DrawTextA; the surface's member keeps its name.
#undef DrawText
#include "animation/monitor_lanes.h"

struct MonitorPicture {
    HWND cover;        // shows the picture; its client area is the monitor
    HDC dc;            // memory context with the bitmap and the font chosen
    HBITMAP bitmap;
    HGDIOBJ firstBitmap;
    HFONT font;        // a seventh of the monitor's height
    uint8_t* bits;     // row 0 first
    int32_t pitch;
    uint32_t bitCount;
    int32_t width;
    int32_t height;
    bool utf8Phrases;
};

// A picture for `cover`, black, in the screen's depth (16, 24 or 32 bits).
// False, with nothing held, when its memory cannot be had.
bool MakeMonitorPicture(MonitorPicture& picture, HWND cover, PhraseEncoding phraseEncoding);
void ReleaseMonitorPicture(MonitorPicture& picture);

// The lane that draws into `picture` and shows it in its cover. The picture
// must outlive it.
MonitorLane MonitorPictureLane(MonitorPicture& picture);
