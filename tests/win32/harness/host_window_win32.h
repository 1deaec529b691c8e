// A stand-in for the display settings page's preview window: a visible
// top-level window of the test process, its client area filled with one
// colour, whose decimal handle goes on verdo.scr's /p command line. Its
// messages are handled whenever the test waits (see waiting_win32.h).
#pragma once
#include <windows.h>

#include <string>

class PreviewHost {
public:
    PreviewHost(int clientWidth = 320, int clientHeight = 240, COLORREF fill = RGB(255, 0, 255));
    ~PreviewHost();
    PreviewHost(const PreviewHost&) = delete;
    PreviewHost& operator=(const PreviewHost&) = delete;

    HWND Handle() const { return window_; }
    std::string DecimalHandle() const;
    bool Exists() const { return window_ && IsWindow(window_); }
    RECT ClientOnScreen() const;
    POINT ClientCentreOnScreen() const;
    // Puts the keyboard focus on a child window of another process, as the
    // system's own preview host shares its input with the saver's child.
    bool GiveKeyboardTo(HWND child);
    void Destroy();

private:
    HWND window_ = nullptr;
};
