// Start-up: one instance only, the run mode from the command line, the
// settings, the saver window, and the message loop of the mode.
#include "saver_main_win32.h"

#include "display/display_win32.h"
#include "settings/settings_dialog_win32.h"
#include "settings/settings_store_win32.h"
#include "shell/command_line.h"
#include "shell/host_region_win32.h"
#include "shell/process_state_win32.h"
#include "shell/saver_window_win32.h"

namespace {
const int PreviewFrameControl = 1022;

bool IsAnsiLeadByte(unsigned char byte)
{
    return IsDBCSLeadByte(byte) != FALSE;
}

int ShowCommandOfStartup()
{
    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

void TakeRegionFromScreen()
{
    SaverRegion = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), 0, 0};
}

bool QuitMessageWaiting()
{
    MSG quit;
    return PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

// Reads only the saver window's messages. The quit message belongs to no
// window, so it is looked for after each message; the loop also ends once
// the host has taken the window with it.
void RunPreviewLoop()
{
    MSG message;
    for (;;) {
        const BOOL got = GetMessageA(&message, SaverWindow, 0, 0);
        if (got == 0 || got == -1)
            return;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (QuitMessageWaiting() || !IsWindow(SaverWindow))
            return;
    }
}

void RunSaverLoop()
{
    MSG message;
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

// The dialog sees every message first, for its keyboard navigation.
void RunConfigureLoop()
{
    MSG message;
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0 || got == -1)
            return;
        if (!IsDialogMessageA(SettingsDialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}

// A failed start gives the instance back and ends with 0.
int EndFailedStart()
{
    InterlockedDecrement(&InstanceCount);
    return 0;
}
}

int SaverMain(HINSTANCE instance, HINSTANCE previousInstance, const char* argumentText, int showCommand)
{
    if (InterlockedIncrement(&InstanceCount) > 1)
        return InterlockedDecrement(&InstanceCount);

    SaverInstance = instance;
    const CommandLetters letters = ScanCommandLetters(argumentText);
    SaverLetter = letters.Saver;
    PreviewLetter = letters.Preview;

    if (!LoadSettings())
        return EndFailedStart();

    const RunMode mode = RunModeFromLetters(letters);
    switch (mode) {
    case ConfigureRun:
        SettingsDialog = CreateDialogParamA(instance, "setup", nullptr, SettingsDialogProc, 0);
        HostWindow = GetDlgItem(SettingsDialog, PreviewFrameControl);
        SaverRegion = ClientRegionOf(HostWindow);
        break;
    case PreviewRun:
        HostWindow = reinterpret_cast<HWND>(static_cast<UINT_PTR>(PreviewWindowNumber(argumentText)));
        SaverRegion = ClientRegionOf(HostWindow);
        break;
    case SaverRun:
        HostWindow = nullptr;
        TakeRegionFromScreen();
        break;
    }

    if (previousInstance == nullptr && !RegisterSaverClass(instance))
        return EndFailedStart();
    SaverWindow = CreateSaverWindow(instance, showCommand);
    if (SaverWindow == nullptr)
        return EndFailedStart();

    switch (mode) {
    case PreviewRun: RunPreviewLoop(); break;
    case SaverRun: RunSaverLoop(); break;
    case ConfigureRun: RunConfigureLoop(); break;
    }
    return InterlockedDecrement(&InstanceCount);
}

// The runtime's start-up calls this. The argument text is cut from the
// process's own command line, the show command taken from its start-up record.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    const char* argumentText = ArgumentTextOf(GetCommandLineA(), IsAnsiLeadByte);
    return SaverMain(GetModuleHandleA(nullptr), nullptr, argumentText, ShowCommandOfStartup());
}
