// The monitors Windows reports, and windows of one colour to put on them.
// Under tests/win32/run_on_two_monitors Wine shows a second monitor beside
// the 1024x768 primary; elsewhere there is one. Screen coordinates run over
// the whole virtual screen: a monitor left of or above the primary has
// negative ones. Snapshot::Capture (screen_win32.h) reads any part of it;
// PlaceCursor and MoveMouseTo (input_win32.h) reach it too, since Wine takes
// absolute mouse coordinates beyond the primary's 0..65535 on to the others.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Every monitor's rectangle in screen coordinates, the primary first and the
// others in the order EnumDisplayMonitors gives them.
std::vector<RECT> MonitorRects();
// "800x600 at (1024, 0)", for comparing rectangles with a readable failure.
std::string Describe(const RECT& rect);

// The class of windows filled with the colour kept in their GWLP_USERDATA;
// registered on first use.
const char* ColourWindowClass();

// A borderless top-level window of the test process covering `area` (screen
// coordinates), filled with one colour; topmost unless asked otherwise. Its
// messages are handled whenever the test waits (waiting_win32.h).
class ColourWindow {
public:
    ColourWindow(const RECT& area, COLORREF fill, bool topmost = true);
    ~ColourWindow();
    ColourWindow(const ColourWindow&) = delete;
    ColourWindow& operator=(const ColourWindow&) = delete;

    HWND Handle() const { return window_; }

private:
    HWND window_ = nullptr;
};
