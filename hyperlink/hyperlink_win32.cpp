#include "hyperlink_win32.h"

#include <shellapi.h>

#include <cstring>

namespace {

const char HyperlinkClassName[] = "STATIC_HYPER";
const char HelpProgramName[] = "\\winhlp32.exe";
const WORD HelpProgramHandCursor = 106;
const COLORREF LinkColour = RGB(0, 0, 200);

// The help program ships a hand cursor; it serves where the system has none.
HCURSOR LoadHelpProgramHandCursor()
{
    char path[MAX_PATH];
    const UINT length = GetWindowsDirectoryA(path, sizeof path);
    if (length == 0 || length + sizeof HelpProgramName > sizeof path)
        return nullptr;
    std::memcpy(path + length, HelpProgramName, sizeof HelpProgramName);
    CursorLibrary = LoadLibraryA(path);
    if (!CursorLibrary)
        return nullptr;
    return LoadCursorA(CursorLibrary, MAKEINTRESOURCEA(HelpProgramHandCursor));
}

HyperlinkControl* ControlOf(HWND window)
{
    return reinterpret_cast<HyperlinkControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

}  // namespace

HCURSOR HandCursor = nullptr;
HMODULE CursorLibrary = nullptr;

void RegisterHyperlinkClass()
{
    WNDCLASSA windowClass = {};
    windowClass.style = 0;
    windowClass.lpfnWndProc = HyperlinkWndProc;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 4;          // reserved, unused
    windowClass.hInstance = nullptr;
    windowClass.hIcon = nullptr;
    windowClass.hCursor = nullptr;       // so default processing keeps the hand we set
    windowClass.hbrBackground = nullptr; // never erased: the parent shows through
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = HyperlinkClassName;
    RegisterClassA(&windowClass);

    HandCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32649));   // IDC_HAND
    if (!HandCursor)
        HandCursor = LoadHelpProgramHandCursor();
}

namespace {

// Registers the class before anything else of the program runs, and frees the
// help program once the link object is gone (it is defined after this one, so
// it is destroyed first).
struct HyperlinkClassLifetime {
    HyperlinkClassLifetime() { RegisterHyperlinkClass(); }
    ~HyperlinkClassLifetime()
    {
        if (CursorLibrary) {
            FreeLibrary(CursorLibrary);
            CursorLibrary = nullptr;
        }
    }
};

HyperlinkClassLifetime ClassLifetime;

}  // namespace

HyperlinkControl Hyperlink;

HyperlinkControl::~HyperlinkControl()
{
    if (window_ && IsWindow(window_))
        DestroyWindow(window_);
}

bool HyperlinkControl::Create(const RECT& rect, const char* text, HWND parent)
{
    if (text)
        text_ = text;
    window_ = CreateWindowExA(0, HyperlinkClassName, text_.c_str(), WS_CHILD | WS_VISIBLE, rect.left,
                              rect.top, rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                              nullptr, nullptr);
    if (window_)
        SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return window_ != nullptr;
}

void HyperlinkControl::Paint(HDC dc, HWND window) const
{
    RECT client;
    GetClientRect(window, &client);

    LOGFONTA logFont = {};
    GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof logFont, &logFont);
    logFont.lfUnderline = 1;
    HFONT font = CreateFontIndirectA(&logFont);
    HGDIOBJ previousFont = SelectObject(dc, font);

    SetTextColor(dc, LinkColour);
    SetBkMode(dc, TRANSPARENT);
    // No DT_SINGLELINE: the text starts at the top and a line break makes two lines.
    DrawTextA(dc, text_.c_str(), static_cast<int>(text_.size()), &client, DT_CENTER | DT_VCENTER);

    SelectObject(dc, previousFont);
    DeleteObject(font);
}

void HyperlinkControl::Open() const
{
    const HINSTANCE result = ShellExecuteA(nullptr, "open", text_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) <= 32)
        MessageBeep(0);
}

LRESULT CALLBACK HyperlinkWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HyperlinkControl* control = ControlOf(window);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        if (control)
            control->Paint(dc, window);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_SETCURSOR:
        if (HandCursor)
            SetCursor(HandCursor);
        DefWindowProcA(window, message, wParam, lParam);
        return TRUE;
    case WM_MOUSEMOVE:
        return 0;
    case WM_LBUTTONDOWN:
        if (control)
            control->Open();
        return 0;
    case WM_NCDESTROY:
        // The handle may be reused by another window; the object must not
        // destroy that one at exit.
        if (control && control->window_ == window)
            control->window_ = nullptr;
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
