#include "harness/full_screen_win32.h"

#include "harness/input_win32.h"
#include "harness/saver_case_win32.h"
#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"

HWND StartFullScreen(SaverProcess& saver, const char* arguments) {
    PlaceCursor(0, 0);
    if (!saver.Start(arguments)) return nullptr;
    return WaitForSaverWindow(saver.Id(), StartTimeoutMs);
}

bool EndWithKey(SaverProcess& saver) {
    // Keys go to the foreground window; other processes started meanwhile
    // (a refused second instance, say) may have taken that place under Wine.
    if (HWND window = FindProcessWindow(saver.Id(), "Verdo")) BringToForeground(window);
    TapKey(VK_SPACE);
    return saver.WaitForExit(ExitTimeoutMs);
}

bool WatchScreen(unsigned timeoutMs, const std::function<void(const Snapshot&)>& inspect,
                 const std::function<bool()>& wanted) {
    return WaitUntil(
        [&] {
            const Snapshot shot = Snapshot::CaptureScreen();
            if (shot.Valid()) inspect(shot);
            return wanted();
        },
        timeoutMs, 10);
}

namespace {

LRESULT CALLBACK WhiteProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        FillRect(dc, &paint.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

WhiteBackdrop::WhiteBackdrop() {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = WhiteProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "VerdoTestWhiteBackdrop";
        registered = RegisterClassA(&windowClass) != 0;
    }
    const RECT screen = ScreenRect();
    window_ = CreateWindowExA(0, "VerdoTestWhiteBackdrop", "", WS_POPUP | WS_VISIBLE, 0, 0, screen.right,
                              screen.bottom, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window_);
    PumpMessages();
}

WhiteBackdrop::~WhiteBackdrop() {
    if (window_) DestroyWindow(window_);
    PumpMessages();
}
