#include "harness/child_paint_probe_win32.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "harness/host_window_win32.h"
#include "harness/screen_win32.h"
#include "harness/waiting_win32.h"

namespace {

const char HelperFlag[] = "--paint-child-of";
const COLORREF ProbeColour = RGB(0, 255, 0);

LRESULT CALLBACK ProbeChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        HBRUSH brush = CreateSolidBrush(ProbeColour);
        FillRect(dc, &paint.rcPaint, brush);
        DeleteObject(brush);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

bool ProbeAnswer() {
    PreviewHost host(64, 48, RGB(255, 0, 255));
    if (!host.Exists()) return false;
    char program[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, sizeof(program));
    std::string commandLine = std::string("\"") + program + "\" " + HelperFlag + " " + host.DecimalHandle();
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    const RECT client = host.ClientOnScreen();
    const bool painted = WaitUntil(
        [&] {
            Snapshot shot = Snapshot::Capture(client);
            const size_t probe = shot.Count([](Rgb c) { return c.red == 0 && c.green == 255 && c.blue == 0; });
            return shot.Valid() && probe * 2 > static_cast<size_t>(shot.Width()) * shot.Height();
        },
        3000);
    host.Destroy();  // the helper's child goes with it, and the helper ends
    if (WaitForSingleObject(info.hProcess, 3000) != WAIT_OBJECT_0) TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hProcess);
    return painted;
}

}  // namespace

bool CrossProcessChildPaintReachesScreen() {
    static const bool answer = ProbeAnswer();
    return answer;
}

bool RunChildPaintHelperIfAsked(int argc, char** argv) {
    if (argc < 3 || std::strcmp(argv[1], HelperFlag) != 0) return false;
    HWND parent = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::strtoull(argv[2], nullptr, 10)));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = ProbeChildProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VerdoTestPaintProbe";
    RegisterClassA(&windowClass);
    RECT client = {};
    GetClientRect(parent, &client);
    HWND child = CreateWindowExA(0, windowClass.lpszClassName, "", WS_CHILD | WS_VISIBLE, 0, 0, client.right,
                                 client.bottom, parent, nullptr, windowClass.hInstance, nullptr);
    if (!child) return true;
    UpdateWindow(child);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return true;
}
