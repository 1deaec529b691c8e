#include "saver_window_win32.h"

#include <windowsx.h>

#include "display/animation_owner_win32.h"
#include "display/display_win32.h"
#include "shell/display_power_win32.h"
#include "shell/launch_commands.h"
#include "shell/mouse_movement.h"
#include "shell/process_state_win32.h"
#include "shell/start_process_win32.h"

namespace {
MouseAnchor SaverMouseAnchor = {0, 0};

void OpenHomePage()
{
    char commandLine[LaunchCommandCapacity];
    FormatExplorerCommand(commandLine, sizeof commandLine);
    StartDetachedProcess(commandLine);
}
}

int RegisterSaverClass(HINSTANCE instance)
{
    WNDCLASSEXA saverClass;
    ZeroMemory(&saverClass, sizeof saverClass);
    saverClass.cbSize = sizeof saverClass;
    saverClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    saverClass.lpfnWndProc = SaverWndProc;
    saverClass.hInstance = instance;
    saverClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    // No background brush: the window never erases what the animation drew.
    saverClass.lpszClassName = SaverClassName;
    return RegisterClassExA(&saverClass) != 0 ? 1 : 0;
}

void PaintPreview(HWND window)
{
    if (!PreviewLetter)
        return;
    // Loaded and released at every paint: a preview is painted seldom.
    HBITMAP picture = LoadBitmapA(SaverInstance, "VERDO");
    HDC windowDc = GetDC(window);
    HDC pictureDc = CreateCompatibleDC(windowDc);
    HGDIOBJ replaced = SelectObject(pictureDc, picture);
    SetStretchBltMode(windowDc, HALFTONE);
    SetBrushOrgEx(windowDc, 0, 0, nullptr);   // halftone stretching wants it reset
    StretchBlt(windowDc, 0, 0, SaverRegion.right - SaverRegion.originX, SaverRegion.bottom - SaverRegion.originY,
               pictureDc, 0, 0, 100, 100, SRCCOPY);
    SelectObject(pictureDc, replaced);
    DeleteDC(pictureDc);
    ReleaseDC(window, windowDc);
    DeleteObject(picture);
}

LRESULT CALLBACK SaverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SaverMouseAnchor = {0, 0};
        return 0;
    case WM_DESTROY:
        ShutdownSaver(window);
        return 0;
    case WM_SETCURSOR:
        if (SaverLetter) {
            SetCursor(nullptr);
            return 1;
        }
        break;
    case WM_PAINT:
        PaintPreview(window);
        break;   // the default handling validates the window
    case WM_POWERBROADCAST:
        if (SaverLetter)
            FollowPowerBroadcast(wParam, lParam);
        return TRUE;
    case WM_SYSCOMMAND:
        if (SaverLetter && (wParam & 0xFFF0) == SC_MONITORPOWER)
            FollowMonitorPower(lParam);
        break;   // the system powers the monitor as asked
    case WM_DISPLAYCHANGE:
        // Only the full-screen window is a top-level window that hears it;
        // the settings dialog follows the display for its preview.
        if (SaverLetter)
            FollowDisplayChange(static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AnimationNoticeMessage:
        FollowAnimationNotice(wParam);
        return 0;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        ShutdownSaver(window);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP:
        if (PreviewLetter)
            OpenHomePage();
        else if (SaverLetter)
            ShutdownSaver(window);
        return 0;
    case WM_MOUSEMOVE:
        if (SaverLetter && MouseMoveEndsSaver(SaverMouseAnchor, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            ShutdownSaver(window);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
