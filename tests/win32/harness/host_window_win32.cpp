#include "harness/host_window_win32.h"

#include "harness/input_win32.h"
#include "harness/monitors_win32.h"
#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"

PreviewHost::PreviewHost(int clientWidth, int clientHeight, COLORREF fill) {
    // Clips its children so its own painting never covers the saver's picture.
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_VISIBLE | WS_CLIPCHILDREN;
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRect(&frame, style, FALSE);
    window_ = CreateWindowExA(0, ColourWindowClass(), "Verdo test preview host", style, 200, 150,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, static_cast<LONG_PTR>(fill));
    UpdateWindow(window_);
    PumpMessages();
}

PreviewHost::~PreviewHost() { Destroy(); }

std::string PreviewHost::DecimalHandle() const {
    return std::to_string(static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(window_)));
}

RECT PreviewHost::ClientOnScreen() const { return ::ClientOnScreen(window_); }

POINT PreviewHost::ClientCentreOnScreen() const {
    return CentreOf(ClientOnScreen());
}

bool PreviewHost::GiveKeyboardTo(HWND child) {
    BringToForeground(window_);
    const DWORD childThread = GetWindowThreadProcessId(child, nullptr);
    if (!AttachThreadInput(GetCurrentThreadId(), childThread, TRUE)) return false;
    SetFocus(child);
    return GetFocus() == child;
}

void PreviewHost::Destroy() {
    if (Exists()) DestroyWindow(window_);
    window_ = nullptr;
    PumpMessages();
}
