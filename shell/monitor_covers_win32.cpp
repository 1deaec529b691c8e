#include "monitor_covers_win32.h"

#include <windowsx.h>

namespace {

struct CoverRequest {
    HWND saverWindow;
    HINSTANCE instance;
};

LRESULT CALLBACK CoverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND saverWindow = GetWindow(window, GW_OWNER);
    switch (message) {
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
        return SendMessageA(saverWindow, message, wParam, lParam);
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: {
        // In the saver window's client coordinates, which are the screen's:
        // one anchor serves every monitor. Left of or above the primary
        // they are negative.
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        MapWindowPoints(window, saverWindow, &point, 1);
        return SendMessageA(saverWindow, message, wParam, MAKELPARAM(point.x, point.y));
    }
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool RegisterCoverClass(HINSTANCE instance)
{
    WNDCLASSEXA coverClass;
    if (GetClassInfoExA(instance, CoverClassName, &coverClass))
        return true;
    ZeroMemory(&coverClass, sizeof coverClass);
    coverClass.cbSize = sizeof coverClass;
    coverClass.style = CS_DBLCLKS;
    coverClass.lpfnWndProc = CoverWndProc;
    coverClass.hInstance = instance;
    coverClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    coverClass.lpszClassName = CoverClassName;
    return RegisterClassExA(&coverClass) != 0;
}

BOOL CALLBACK CoverMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context)
{
    const CoverRequest& request = *reinterpret_cast<const CoverRequest*>(context);
    MONITORINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info) || (info.dwFlags & MONITORINFOF_PRIMARY))
        return TRUE;
    const RECT& area = info.rcMonitor;
    // Not activated, neither now nor when clicked: the keyboard stays with
    // the saver window. A cover that cannot be made leaves its monitor as it is.
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CoverClassName, "Verdo",
                                 WS_POPUP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                                 request.saverWindow, nullptr, request.instance, nullptr);
    if (cover != nullptr) {
        ShowWindow(cover, SW_SHOWNA);
        UpdateWindow(cover);
    }
    return TRUE;
}

}  // namespace

void CoverOtherMonitors(HWND saverWindow, HINSTANCE instance)
{
    if (GetSystemMetrics(SM_CMONITORS) < 2 || !RegisterCoverClass(instance))
        return;
    CoverRequest request = {saverWindow, instance};
    EnumDisplayMonitors(nullptr, nullptr, CoverMonitor, reinterpret_cast<LPARAM>(&request));
}
