#include "harness/monitors_win32.h"

#include "harness/screen_win32.h"
#include "harness/waiting_win32.h"

namespace {

LRESULT CALLBACK ColourWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(window, GWLP_USERDATA)));
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) return 1;  // WM_PAINT fills everything
    return DefWindowProcA(window, message, wParam, lParam);
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    auto& rects = *reinterpret_cast<std::vector<RECT>*>(list);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        rects.insert(rects.begin(), info.rcMonitor);
    else
        rects.push_back(info.rcMonitor);
    return TRUE;
}

}  // namespace

const char* ColourWindowClass() {
    static const char name[] = "VerdoTestColourWindow";
    static bool registered = false;
    if (registered) return name;
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ColourWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    registered = RegisterClassA(&windowClass) != 0;
    return name;
}

std::vector<RECT> MonitorRects() {
    std::vector<RECT> rects;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&rects));
    return rects;
}

std::string Describe(const RECT& rect) {
    return std::to_string(rect.right - rect.left) + "x" + std::to_string(rect.bottom - rect.top) + " at (" +
           std::to_string(rect.left) + ", " + std::to_string(rect.top) + ")";
}

ColourWindow::ColourWindow(const RECT& area, COLORREF fill, bool topmost) {
    window_ = CreateWindowExA(topmost ? WS_EX_TOPMOST : 0, ColourWindowClass(), "Verdo test colour window",
                              WS_POPUP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                              nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(fill));
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    // A window manager maps the window in its own time: ready once its
    // middle shows the fill (a covered window gives up after the bound).
    const POINT middle = {(area.left + area.right) / 2, (area.top + area.bottom) / 2};
    const RECT probe = {middle.x, middle.y, middle.x + 1, middle.y + 1};
    const Snapshot painted = Snapshot::Paint(1, 1, [&](HDC dc) { SetPixel(dc, 0, 0, fill); });
    WaitUntil([&] { return Snapshot::Capture(probe).CountDifferent(painted, 8) == 0; }, 5000);
}

ColourWindow::~ColourWindow() {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    PumpMessages();
}
