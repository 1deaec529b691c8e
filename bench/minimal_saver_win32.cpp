// The least a full-screen saver can be: a black topmost pop-up over the
// primary screen that quits on a key, a click or a mouse movement of 16 or
// more in x + y from the first position reported. tools/latency measures
// verdo.scr against it.
#include <windows.h>
#include <windowsx.h>

namespace {

const char ClassName[] = "VerdoMinimalSaver";
int AnchorSum = 0;   // 0: no position reported yet

LRESULT CALLBACK MinimalWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
        PostQuitMessage(0);
        return 0;
    case WM_MOUSEMOVE: {
        const int sum = GET_X_LPARAM(lParam) + GET_Y_LPARAM(lParam);
        if (AnchorSum == 0)
            AnchorSum = sum;
        if (sum - AnchorSum > 15 || AnchorSum - sum > 15)
            PostQuitMessage(0);
        return 0;
    }
    case WM_SETCURSOR:
        SetCursor(nullptr);
        return TRUE;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = MinimalWndProc;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = ClassName;
    if (!RegisterClassA(&windowClass))
        return 1;
    HWND window = CreateWindowExA(WS_EX_TOPMOST, ClassName, "Verdo minimal saver", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    UpdateWindow(window);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
