// The saver window's creation with the DirectDraw set-up behind it, the one
// failure path of that set-up, and the way out of every run.
#include "display_win32.h"

#include <ddraw.h>

#include "animation/thread_faults_win32.h"
#include "display/animation_owner_win32.h"
#include "display/ddraw_loader_win32.h"
#include "display/display_state_win32.h"
#include "display/mode_list.h"
#include "display/phrase_text_win32.h"
#include "display/setup_steps_win32.h"
#include "shell/display_power_win32.h"
#include "shell/host_region_win32.h"
#include "shell/monitor_covers_win32.h"
#include "shell/process_state_win32.h"
#include "shell/saver_window_win32.h"

// The surface description DirectDraw expects from a 32-bit program.
static_assert(sizeof(void*) != 4 || sizeof(DDSURFACEDESC) == 108, "DDSURFACEDESC as DirectDraw knows it");

IDirectDrawSurface3* PrimarySurface = nullptr;
HFONT PhraseFont = nullptr;

namespace {
const int VideoModeListControl = 1026;

IDirectDraw2* DirectDrawObject = nullptr;
ModeList DisplayModes = {0, 0};
bool SavedModeFound = false;    // the enumeration met the saved VideoMode
bool DisplayModeSet = false;    // so ShutdownSaver knows what to restore

// The display the animation was set up for, to tell a change that needs a
// new start from one that only announces what is already so (the mode the
// saver set itself, say).
struct DisplayShape {
    int width;
    int height;
    int bits;
};
DisplayShape RunningDisplay = {0, 0, 0};
// From the end of the set-up to the start of the way out.
bool FollowingDisplayChanges = false;

HWND CreateSaverWindowOnly(HINSTANCE instance)
{
    const DWORD style = SaverLetter ? (WS_POPUP | WS_VISIBLE) : (WS_CHILD | WS_VISIBLE);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, SaverClassName, "Verdo", style, 0, 0,
                                  SaverRegion.right - SaverRegion.originX, SaverRegion.bottom - SaverRegion.originY,
                                  HostWindow, nullptr, instance, nullptr);
    if (window == nullptr) {
        char number[16];
        wsprintfA(number, "%d", static_cast<int>(GetLastError()));
        MessageBoxA(nullptr, number, "CreateWindowEx - error", MB_OK);
    }
    return window;
}

bool CreateDirectDrawObject()
{
    IDirectDraw* first = nullptr;
    if (CreateDirectDrawOfSystem(&first) != DD_OK || first == nullptr)
        return false;
    void* second = nullptr;
    const HRESULT result =
        JudgedResult(SetupStep::QueryDirectDraw2, first->QueryInterface(IID_IDirectDraw2, &second));
    if (FAILED(result)) {
        first->Release();
        return false;
    }
    first->Release();
    DirectDrawObject = static_cast<IDirectDraw2*>(second);
    return true;
}

// Lists the modes; in a full-screen run with a saved mode that still exists,
// takes the screen for itself and switches to that mode.
bool SetUpModes(HWND saverWindow)
{
    const uint16_t videoMode = GetVideoMode(Animation.Settings);
    HWND modeList = SettingsDialog != nullptr ? GetDlgItem(SettingsDialog, VideoModeListControl) : nullptr;
    void* context = SaverLetter ? nullptr : modeList;
    if (JudgedResult(SetupStep::EnumDisplayModes,
                     DirectDrawObject->EnumDisplayModes(0, nullptr, context, EnumModesCallback)) != DD_OK)
        return false;

    if (SaverLetter && videoMode != 0 && SavedModeFound) {
        if (JudgedResult(SetupStep::SetCooperativeLevel,
                         DirectDrawObject->SetCooperativeLevel(saverWindow, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)) !=
            DD_OK)
            return false;
        if (JudgedResult(SetupStep::SetDisplayMode,
                         DirectDrawObject->SetDisplayMode(SaverRegion.right, SaverRegion.bottom,
                                                          DisplayModes.ChosenDepth, 0, 0)) != DD_OK)
            return false;
        DisplayModeSet = true;
        return true;
    }
    // "current", or a saved mode the driver no longer lists: the display stays as it is.
    if (!SaverLetter && modeList != nullptr)
        SendMessageA(modeList, CB_SETCURSEL, videoMode, 0);
    return JudgedResult(SetupStep::SetCooperativeLevel,
                        DirectDrawObject->SetCooperativeLevel(saverWindow, DDSCL_NORMAL)) == DD_OK;
}

bool CreatePrimarySurface()
{
    DDSURFACEDESC description;
    ZeroMemory(&description, sizeof description);
    description.dwSize = sizeof(DDSURFACEDESC);
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* first = nullptr;
    const HRESULT created =
        JudgedResult(SetupStep::CreateSurface, DirectDrawObject->CreateSurface(&description, &first, nullptr));
    if (created != DD_OK || first == nullptr)
        return false;
    void* third = nullptr;
    const HRESULT result =
        JudgedResult(SetupStep::QuerySurface3, first->QueryInterface(IID_IDirectDrawSurface3, &third));
    first->Release();
    if (FAILED(result))
        return false;
    PrimarySurface = static_cast<IDirectDrawSurface3*>(third);
    return true;
}

void CreatePhraseFont()
{
    PhraseFont = MakePhraseFont(SaverRegion.bottom - SaverRegion.top);
}

DisplayShape CurrentDisplay()
{
    if (DisplayModeSet)
        return DisplayShape{SaverRegion.right, SaverRegion.bottom, DisplayModes.ChosenDepth};
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return DisplayShape{GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), bits};
}
}

HRESULT WINAPI EnumModesCallback(LPDDSURFACEDESC mode, LPVOID context)
{
    switch (ConsiderDisplayMode(DisplayModes, mode->dwWidth, mode->dwHeight, mode->ddpfPixelFormat.dwRGBBitCount,
                                SaverLetter, GetVideoMode(Animation.Settings), SaverRegion)) {
    case ModeChosen:
        SavedModeFound = true;
        return DDENUMRET_CANCEL;
    case ModeListed:
        if (context != nullptr) {
            char text[40];
            FormatModeText(text, sizeof text, mode->dwWidth, mode->dwHeight, mode->ddpfPixelFormat.dwRGBBitCount);
            SendMessageA(static_cast<HWND>(context), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
        }
        return DDENUMRET_OK;
    case ModeSkipped:
    case ModeCounted:
        break;
    }
    return DDENUMRET_OK;
}

void ReleaseDisplay()
{
    if (DirectDrawObject == nullptr)
        return;
    if (PrimarySurface != nullptr) {
        PrimarySurface->Release();
        PrimarySurface = nullptr;
    }
    DirectDrawObject->Release();
    DirectDrawObject = nullptr;
}

HWND FailDisplaySetup(HWND saverWindow)
{
    ReleaseDisplay();
    MessageBoxA(saverWindow, "DirectDraw Init FAILED", "Verdo", MB_OK);
    DestroyWindow(saverWindow);   // its WM_DESTROY leads to ShutdownSaver
    return nullptr;
}

HWND CreateSaverWindow(HINSTANCE instance, int showCommand)
{
    HWND saverWindow = CreateSaverWindowOnly(instance);
    if (saverWindow == nullptr)
        return nullptr;
    // Known before the thread starts: it tells this window when its surface
    // has to be made anew.
    SaverWindow = saverWindow;
    ShowWindow(saverWindow, showCommand);
    UpdateWindow(saverWindow);
    if (PreviewLetter)
        return saverWindow;   // the preview is a picture; no display set-up

    if (!CreateDirectDrawObject() || !SetUpModes(saverWindow))
        return FailDisplaySetup(saverWindow);
    // After the mode change: a smaller primary moves the other monitors.
    if (SaverLetter && HostWindow == nullptr)
        CoverOtherMonitors(saverWindow, instance);
    if (!CreatePrimarySurface())
        return FailDisplaySetup(saverWindow);
    CreatePhraseFont();
    // A thread that cannot be made leaves the window black until input ends the run.
    StartAnimationThread();
    if (SaverLetter && HostWindow == nullptr)
        WatchDisplayPower(saverWindow);
    RunningDisplay = CurrentDisplay();
    FollowingDisplayChanges = true;
    return saverWindow;
}

namespace {
// The way out waits this long for the animation thread to finish its pass:
// the longest seen under Wine with both cores busy was about 130 ms.
const DWORD ExitBoundMs = 150;
// The dialog's way out may wait longer: nobody waits for the screen.
const DWORD DialogExitBoundMs = 1000;
// New starts that fail in a row before the DirectDraw object and its
// cooperative level are made anew too (the driver behind it may have gone).
const uint32_t FailuresBeforeNewDirectDraw = 2;

// The DirectDraw object made anew, at the cooperative level it had.
bool RemakeDirectDraw()
{
    ReleaseDisplay();
    if (!CreateDirectDrawObject())
        return false;
    const DWORD level = DisplayModeSet ? (DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN) : DDSCL_NORMAL;
    if (JudgedResult(SetupStep::SetCooperativeLevel, DirectDrawObject->SetCooperativeLevel(SaverWindow, level)) !=
        DD_OK)
        return false;
    return !DisplayModeSet ||
           JudgedResult(SetupStep::SetDisplayMode,
                        DirectDrawObject->SetDisplayMode(SaverRegion.right, SaverRegion.bottom,
                                                         DisplayModes.ChosenDepth, 0, 0)) == DD_OK;
}

bool RemakePrimarySurface(uint32_t failures)
{
    // A surface made for the display before cannot be restored.
    if (PrimarySurface != nullptr)
        PrimarySurface->Release();
    PrimarySurface = nullptr;
    const bool made = (failures < FailuresBeforeNewDirectDraw && DirectDrawObject != nullptr) || RemakeDirectDraw();
    if (made && CreatePrimarySurface()) {
        NoteInTestBuild("surface made anew", failures);
        return true;
    }
    NoteInTestBuild("surface not made", failures);
    return false;
}
}

bool StartAnimationOver(const DrawRegion& region, bool newSurface, uint32_t failures)
{
    SaverRegion = region;
    const int width = region.right - region.originX;
    const int height = region.bottom - region.originY;
    if (SaverLetter)
        SetWindowPos(SaverWindow, HWND_TOPMOST, 0, 0, width, height, SWP_NOACTIVATE);
    else
        SetWindowPos(SaverWindow, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    // Without a surface the window stays up, black, until the next try.
    if ((newSurface || PrimarySurface == nullptr) && !RemakePrimarySurface(failures))
        return false;
    DeleteObject(PhraseFont);
    CreatePhraseFont();
    return StartAnimationThread();
}

DrawRegion RegionOfTheRunNow()
{
    if (SaverLetter && HostWindow == nullptr) {
        const DisplayShape now = CurrentDisplay();
        return DrawRegion{0, 0, now.width, now.height, 0, 0};
    }
    return ClientRegionOf(HostWindow);
}

void FollowDisplayChange(int bits, int width, int height)
{
    if (!FollowingDisplayChanges)
        return;
    const bool fullScreen = SaverLetter && HostWindow == nullptr;
    // A monitor that came, went or moved is animated where it is now.
    const bool monitorsMoved = fullScreen && CoverOtherMonitors(SaverWindow, SaverInstance) &&
                               Monitors != MonitorChoice::MainOnly;
    const DisplayShape& was = RunningDisplay;
    const bool sameDisplay = was.width == width && was.height == height && was.bits == bits;
    if (sameDisplay && !monitorsMoved)
        return;
    RunningDisplay = DisplayShape{width, height, bits};
    RestartAnimation(fullScreen ? DrawRegion{0, 0, width, height, 0, 0} : ClientRegionOf(HostWindow), !sameDisplay);
}

void ShutdownSaver(HWND)
{
    // The mode put back below is announced too; the run no longer follows.
    FollowingDisplayChanges = false;
    StopWatchingDisplayPower();
    // The thread first: it holds the surface locked for most of a pass, and
    // the mode is not put back under a locked surface.
    const bool stopped = EndAnimationForExit(SaverLetter ? ExitBoundMs : DialogExitBoundMs);
    if (DisplayModeSet && DirectDrawObject != nullptr) {
        DirectDrawObject->RestoreDisplayMode();
        DisplayModeSet = false;
    }
    PostQuitMessage(0);
    // A thread that did not answer may hold a lock that the message loop or
    // the libraries' detach code at the process end would wait for: the run
    // ends here. The instance is given back first, as the normal end does:
    // another Verdo process may keep the shared count alive.
    if (!stopped) {
        InterlockedDecrement(&InstanceCount);
        TerminateProcess(GetCurrentProcess(), 0);
    }
}
