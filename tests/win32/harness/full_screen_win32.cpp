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

bool EndWithMove(SaverProcess& saver, DWORD* msAfterMove) {
    HWND window = FindProcessWindow(saver.Id(), "Verdo");
    if (window == nullptr || !MoveMouseTo(300, 300) || !WaitUntilInputTaken(window)) return false;
    const ULONGLONG movedAt = GetTickCount64();
    if (!MoveMouseTo(400, 300) || !saver.WaitForExit(ExitTimeoutMs)) return false;
    if (msAfterMove) *msAfterMove = static_cast<DWORD>(GetTickCount64() - movedAt);
    return true;
}

bool StillRunsAfterInput(SaverProcess& saver) {
    HWND window = FindProcessWindow(saver.Id(), "Verdo");
    return window != nullptr && WaitUntilInputTaken(window) && !saver.WaitForExit(1000);
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

bool WaitForStamp(unsigned timeoutMs) {
    const ScreenDepth depth = CurrentScreenDepth();
    const auto stamped = [&](const Snapshot& s) { return s.Count([&](Rgb c) { return IsStampColour(depth, c); }) > 20; };
    return WaitForSnapshot(ScreenRect(), stamped, timeoutMs).Valid();
}

bool ScreenChangesWithin(unsigned timeoutMs) {
    const Snapshot before = Snapshot::CaptureScreen();
    return WaitUntil([&] { return Snapshot::CaptureScreen().CountDifferent(before) > 0; }, timeoutMs, 50);
}

bool WaitForStillScreen(unsigned stillMs, unsigned timeoutMs) {
    Snapshot last = Snapshot::CaptureScreen();
    ULONGLONG stillSince = GetTickCount64();
    return WaitUntil(
        [&] {
            Snapshot now = Snapshot::CaptureScreen();
            if (now.CountDifferent(last) != 0) stillSince = GetTickCount64();
            last = now;
            return GetTickCount64() - stillSince >= stillMs;
        },
        timeoutMs, 50);
}
