#include "monitor_covers_win32.h"

#include <windowsx.h>

namespace {

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

// The monitors but the primary, in the system's order.
struct OtherMonitors {
    RECT area[MaximumCovers];
    int count;
};

BOOL CALLBACK ListOtherMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context)
{
    OtherMonitors& others = *reinterpret_cast<OtherMonitors*>(context);
    MONITORINFO info;
    ZeroMemory(&info, sizeof info);
    info.cbSize = sizeof info;
    if (GetMonitorInfoA(monitor, &info) && !(info.dwFlags & MONITORINFOF_PRIMARY) && others.count < MaximumCovers)
        others.area[others.count++] = info.rcMonitor;
    return TRUE;
}

// The covers the saver window has now.
struct Covers {
    HWND saverWindow;
    HWND window[MaximumCovers];
    int count;
};

BOOL CALLBACK ListCover(HWND window, LPARAM context)
{
    Covers& covers = *reinterpret_cast<Covers*>(context);
    char className[sizeof CoverClassName + 1] = {};
    if (GetWindow(window, GW_OWNER) == covers.saverWindow && covers.count < MaximumCovers &&
        GetClassNameA(window, className, sizeof className) && lstrcmpA(className, CoverClassName) == 0)
        covers.window[covers.count++] = window;
    return TRUE;
}

bool HasCoverAt(const Covers& covers, const RECT& area)
{
    for (int i = 0; i < covers.count; ++i) {
        RECT place = {};
        if (GetWindowRect(covers.window[i], &place) && EqualRect(&place, &area))
            return true;
    }
    return false;
}

// Not activated, neither now nor when clicked: the keyboard stays with the
// saver window. A cover that cannot be made leaves its monitor as it is.
void MakeCover(HWND saverWindow, HINSTANCE instance, const RECT& area)
{
    HWND cover = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, CoverClassName, "Verdo",
                                 WS_POPUP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                                 saverWindow, nullptr, instance, nullptr);
    if (cover != nullptr) {
        ShowWindow(cover, SW_SHOWNA);
        UpdateWindow(cover);
    }
}

}  // namespace

bool CoverOtherMonitors(HWND saverWindow, HINSTANCE instance)
{
    OtherMonitors others = {};
    EnumDisplayMonitors(nullptr, nullptr, ListOtherMonitor, reinterpret_cast<LPARAM>(&others));
    Covers covers = {saverWindow, {}, 0};
    EnumThreadWindows(GetCurrentThreadId(), ListCover, reinterpret_cast<LPARAM>(&covers));
    // The system lists the covers in their z-order, which the laying out
    // below changes: the monitors count as changed only when a cover came or
    // went, or one has no cover in its place. Unchanged, each cover stays
    // where it is, over what it shows.
    bool changed = others.count != covers.count;
    for (int i = 0; i < others.count && !changed; ++i)
        changed = !HasCoverAt(covers, others.area[i]);
    if (!changed) {
        for (int i = 0; i < covers.count; ++i)
            SetWindowPos(covers.window[i], HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        return false;
    }
    // The covers there are move to the monitors there are; a monitor more
    // gets a new one, a monitor gone takes its cover with it.
    for (int i = 0; i < others.count; ++i) {
        const RECT& area = others.area[i];
        if (i < covers.count)
            SetWindowPos(covers.window[i], HWND_TOPMOST, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOACTIVATE);
        else if (RegisterCoverClass(instance))
            MakeCover(saverWindow, instance, area);
    }
    for (int i = others.count; i < covers.count; ++i)
        DestroyWindow(covers.window[i]);
    return true;
}

int CoversOf(HWND saverWindow, HWND* windows, int capacity)
{
    Covers covers = {saverWindow, {}, 0};
    EnumThreadWindows(GetCurrentThreadId(), ListCover, reinterpret_cast<LPARAM>(&covers));
    const int count = covers.count < capacity ? covers.count : capacity;
    for (int i = 0; i < count; ++i)
        windows[i] = covers.window[i];
    return count;
}
