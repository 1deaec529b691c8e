// STATIC_HYPER: one line of text shown as an underlined dark-blue link that
// opens with the shell when clicked. The class is registered during static
// initialisation, before the program's own start-up runs.
#pragma once
#include <windows.h>

#include <string>

extern HCURSOR HandCursor;       // shown over every link; null when none could be loaded
extern HMODULE CursorLibrary;    // the help program, loaded only for its hand cursor

// Registers the class and loads HandCursor; runs once, at process start.
void RegisterHyperlinkClass();

LRESULT CALLBACK HyperlinkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

class HyperlinkControl {
public:
    HyperlinkControl() = default;
    HyperlinkControl(const HyperlinkControl&) = delete;
    HyperlinkControl& operator=(const HyperlinkControl&) = delete;
    virtual ~HyperlinkControl();

    // Creates the link window over `rect` (parent's client coordinates) with
    // `text`, or the current text when null. True when a window was made.
    bool Create(const RECT& rect, const char* text, HWND parent);

    const std::string& Text() const { return text_; }
    HWND Window() const { return window_; }

private:
    friend LRESULT CALLBACK HyperlinkWndProc(HWND, UINT, WPARAM, LPARAM);
    void Paint(HDC dc, HWND window) const;
    void Open() const;

    std::string text_;
    HWND window_ = nullptr;
};

// The program's one link, placed by the settings dialog.
extern HyperlinkControl Hyperlink;
