#include "harness/display_change_watch_win32.h"

namespace {

const char WatchClassName[] = "VerdoTestDisplayChangeWatch";

}  // namespace

// The window has a thread of its own that only waits for messages: the change
// is announced with a bounded SendMessageTimeout, which a test thread busy
// reading the screen back could let pass.
DisplayChangeWatch::DisplayChangeWatch() {
    std::promise<HWND> created;
    std::future<HWND> window = created.get_future();
    thread_ = std::thread([this, &created] { Run(created); });
    window_ = window.get();
}

DisplayChangeWatch::~DisplayChangeWatch() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
    thread_.join();
}

std::vector<DisplayMode> DisplayChangeWatch::Changes() const {
    std::lock_guard<std::mutex> hold(lock_);
    return changes_;
}

void DisplayChangeWatch::Run(std::promise<HWND>& created) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = WatchClassName;
    RegisterClassA(&windowClass);  // fails harmlessly once registered
    // Top level and not message-only: only those windows hear of the change.
    HWND window = CreateWindowExA(0, WatchClassName, "", WS_OVERLAPPED, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), this);
    created.set_value(window);
    if (!window) return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}

LRESULT CALLBACK DisplayChangeWatch::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* watch = reinterpret_cast<DisplayChangeWatch*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_DISPLAYCHANGE && watch) {
        std::lock_guard<std::mutex> hold(watch->lock_);
        watch->changes_.push_back(
            DisplayMode{LOWORD(lParam), HIWORD(lParam), static_cast<int>(wParam)});
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}
