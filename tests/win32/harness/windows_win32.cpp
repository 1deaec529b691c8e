#include "harness/windows_win32.h"

#include "harness/waiting_win32.h"

namespace {

struct Search {
    DWORD processId;
    const char* className;
    const char* caption;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    Search& search = *reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (search.processId != 0 && owner != search.processId) return TRUE;
    if (search.className && ClassNameOf(window) != search.className) return TRUE;
    if (search.caption && TextOf(window) != search.caption) return TRUE;
    search.found.push_back(window);
    return TRUE;
}

}  // namespace

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    return name;
}

std::string TextOf(HWND window) {
    char text[1024] = {};
    // A bounded WM_GETTEXT: a busy verdo.scr must not hang the test.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, 1000, &length))
        return "";
    return text;
}

std::vector<HWND> ProcessWindows(DWORD processId, const char* className, const char* caption) {
    Search search{processId, className, caption, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindProcessWindow(DWORD processId, const char* className, const char* caption) {
    const std::vector<HWND> found = ProcessWindows(processId, className, caption);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForProcessWindow(DWORD processId, const char* className, const char* caption, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil([&] { return (window = FindProcessWindow(processId, className, caption)) != nullptr; },
              timeoutMs);
    return window;
}

HWND WaitForSaverWindow(DWORD processId, DWORD timeoutMs) {
    HWND window = nullptr;
    WaitUntil(
        [&] {
            window = FindProcessWindow(processId, "Verdo");
            return window && IsWindowVisible(window);
        },
        timeoutMs);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND VisibleWindowWithTitle(DWORD processId, const char* fragment) {
    for (HWND window : ProcessWindows(processId))
        if (IsWindowVisible(window) && TextOf(window).find(fragment) != std::string::npos) return window;
    return nullptr;
}

RECT ClientOnScreen(HWND window) {
    RECT rect = {};
    GetClientRect(window, &rect);
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&rect, origin.x, origin.y);
    return rect;
}

POINT CentreOf(const RECT& rect) { return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

POINT WindowCentre(HWND window) {
    RECT rect = {};
    GetWindowRect(window, &rect);
    return CentreOf(rect);
}

HWND FindChildOfClass(HWND parent, const char* className) {
    return FindWindowExA(parent, nullptr, className, nullptr);
}

HWND WaitForMessageBox(DWORD processId, const char* caption, DWORD timeoutMs) {
    return WaitForProcessWindow(processId, "#32770", caption, timeoutMs);
}

std::string MessageBoxText(HWND box) {
    // The message box keeps its text in a static control with the ID 0xFFFF.
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : "";
}

bool PressMessageBoxButton(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (!button) return false;
    return PostMessageA(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                        reinterpret_cast<LPARAM>(button)) != 0;
}
