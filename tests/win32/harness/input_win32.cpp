#include "harness/input_win32.h"

#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = dx;
    input.mi.dy = dy;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

void SendKey(WORD virtualKey, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof(input));
}

// Absolute mouse coordinates run from 0 to 65535 over the primary screen.
LONG Normalised(int position, int extent) {
    return static_cast<LONG>((static_cast<long long>(position) * 65536 + extent - 1) / extent);
}

void SendMouseAt(DWORD flags, POINT point) {
    SendMouse(flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, Normalised(point.x, GetSystemMetrics(SM_CXSCREEN)),
              Normalised(point.y, GetSystemMetrics(SM_CYSCREEN)));
}

DWORD ButtonFlag(MouseButton button, bool down) {
    switch (button) {
    case MouseButton::Left: return down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    case MouseButton::Right: return down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    case MouseButton::Middle: return down ? MOUSEEVENTF_MIDDLEDOWN : MOUSEEVENTF_MIDDLEUP;
    }
    return 0;
}

}  // namespace

POINT CursorPosition() {
    POINT point = {};
    GetCursorPos(&point);
    return point;
}

bool PlaceCursor(int x, int y) {
    // Wine skips the warp of the X pointer when the position seems unchanged,
    // and the X pointer then reappears elsewhere later: step off and back,
    // keeping x + y where possible, since a saver measures movement by it.
    if (y > 0)
        SetCursorPos(x + 1, y - 1);
    else
        SetCursorPos(x > 0 ? x - 1 : x + 1, y);
    SetCursorPos(x, y);
    return WaitUntil([&] { const POINT p = CursorPosition(); return p.x == x && p.y == y; }, 1000);
}

bool MoveMouseTo(int x, int y) {
    SendMouseAt(0, POINT{x, y});
    return WaitUntil([&] { const POINT p = CursorPosition(); return p.x == x && p.y == y; }, 1000);
}

bool WaitUntilInputTaken(HWND window) {
    // A thread answers a sent message only while it looks for messages, and
    // sent messages come before queued ones. So the first answer says the
    // thread is at its queue, and each further answer says it has taken and
    // handled one more queued message in between. The rounds after the
    // second allow for a message or two posted ahead of the report.
    for (int round = 0; round < 4; ++round) {
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored)) return false;
    }
    return true;
}

void PressMouseButton(MouseButton button) { SendMouse(ButtonFlag(button, true)); }
void ReleaseMouseButton(MouseButton button) { SendMouse(ButtonFlag(button, false)); }
void ClickMouseButton(MouseButton button) {
    PressMouseButton(button);
    ReleaseMouseButton(button);
}

bool ClickAtCentreOf(HWND window, DWORD timeoutMs) {
    POINT aimed = {-32768, -32768};
    ULONGLONG stillSince = 0;
    const bool over = WaitUntil(
        [&] {
            const POINT centre = WindowCentre(window);
            if (centre.x != aimed.x || centre.y != aimed.y) {
                aimed = centre;
                stillSince = GetTickCount64();
                MoveMouseTo(centre.x, centre.y);
                return false;
            }
            // Its own top-level window is in front there. (Seen from another
            // process, Wine finds the group box around a button, not the button.)
            return GetAncestor(WindowFromPoint(centre), GA_ROOT) == GetAncestor(window, GA_ROOT) &&
                   GetTickCount64() - stillSince >= 100;
        },
        timeoutMs, 10);
    if (!over) return false;
    // The press and release carry the place themselves: a late report of the
    // X pointer may still move the cursor elsewhere in between.
    SendMouseAt(MOUSEEVENTF_LEFTDOWN, aimed);
    SendMouseAt(MOUSEEVENTF_LEFTUP, aimed);
    return true;
}

void PressKey(WORD virtualKey) { SendKey(virtualKey, 0); }
void ReleaseKey(WORD virtualKey) { SendKey(virtualKey, KEYEVENTF_KEYUP); }
void TapKey(WORD virtualKey) {
    PressKey(virtualKey);
    ReleaseKey(virtualKey);
}

bool BringToForeground(HWND window) {
    SetForegroundWindow(window);
    // In front is not enough for keys: its thread must also have put the focus
    // on it or on one of its controls.
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    return WaitUntil(
        [&] {
            GUITHREADINFO info = {};
            info.cbSize = sizeof(info);
            return GetForegroundWindow() == window && GetGUIThreadInfo(thread, &info) &&
                   (info.hwndFocus == window || IsChild(window, info.hwndFocus));
        },
        2000);
}
