// Every display-mode change the system announces while the watch lives, in
// order: a hidden top-level window of the test process records the depth and
// size of each WM_DISPLAYCHANGE. A change is announced to every top-level
// window even when the mode stays the same, so the list also shows a
// needless change of mode.
#pragma once
#include <windows.h>

#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "harness/display_win32.h"

class DisplayChangeWatch {
public:
    DisplayChangeWatch();
    ~DisplayChangeWatch();
    DisplayChangeWatch(const DisplayChangeWatch&) = delete;
    DisplayChangeWatch& operator=(const DisplayChangeWatch&) = delete;

    bool Ok() const { return window_ != nullptr; }
    // The modes announced so far, oldest first.
    std::vector<DisplayMode> Changes() const;

private:
    void Run(std::promise<HWND>& created);
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    mutable std::mutex lock_;
    std::vector<DisplayMode> changes_;
    HWND window_ = nullptr;
    std::thread thread_;
};
