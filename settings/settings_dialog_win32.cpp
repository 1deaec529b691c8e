#include "settings_dialog_win32.h"

#include <commctrl.h>

#include "display/animation_owner_win32.h"
#include "display/display_win32.h"
#include "hyperlink/hyperlink_win32.h"
#include "resources/setup_ids.h"
#include "save_failure_win32.h"
#include "settings_store_win32.h"
#include "shell/home_page.h"
#include "shell/host_region_win32.h"
#include "shell/launch_commands.h"
#include "shell/process_state_win32.h"
#include "shell/start_process_win32.h"

namespace {

const int SliderMaximum = 255;
const DWORD CurrentDirectoryCapacity = 255;

// The dialog waits this long for the preview to finish its pass before a
// change; past it the change is made anyway (a pass with half the new
// settings harms nothing), and the preview stands still from its next pass.
const DWORD ChangeBoundMs = 500;

uint8_t* SliderField(HWND dialog, HWND slider)
{
    SaverSettings& settings = Animation.Settings;
    if (slider == GetDlgItem(dialog, IDC_GREEN_SLIDER))
        return &settings.GreenLimit;
    if (slider == GetDlgItem(dialog, IDC_DURATION_SLIDER))
        return &settings.Duration;
    if (slider == GetDlgItem(dialog, IDC_BLUE_SLIDER))
        return &settings.BlueLimit;
    if (slider == GetDlgItem(dialog, IDC_RED_SLIDER))
        return &settings.RedLimit;
    return nullptr;
}

uint8_t SliderPosition(HWND dialog, int id)
{
    return static_cast<uint8_t>(SendDlgItemMessageA(dialog, id, TBM_GETPOS, 0, 0));
}

void SetUpSlider(HWND dialog, int id, uint8_t value)
{
    SendDlgItemMessageA(dialog, id, TBM_SETRANGE, TRUE, MAKELONG(0, SliderMaximum));
    SendDlgItemMessageA(dialog, id, TBM_SETPOS, TRUE, value);
}

// The link goes exactly over the empty static that marks its place.
RECT LinkPlace(HWND dialog)
{
    HWND place = GetDlgItem(dialog, IDC_LINK_PLACE);
    RECT rect = {};
    GetClientRect(place, &rect);
    POINT placeOrigin = {0, 0};
    ClientToScreen(place, &placeOrigin);
    POINT dialogOrigin = {0, 0};
    ClientToScreen(dialog, &dialogOrigin);
    OffsetRect(&rect, placeOrigin.x - dialogOrigin.x, placeOrigin.y - dialogOrigin.y);
    return rect;
}

void InitialiseDialog(HWND dialog)
{
    const auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE));
    HICON icon = LoadIconA(module, "VERDO");
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));

    InitCommonControls();

    const SaverSettings& settings = Animation.Settings;
    SetUpSlider(dialog, IDC_RED_SLIDER, settings.RedLimit);
    SetUpSlider(dialog, IDC_GREEN_SLIDER, settings.GreenLimit);
    SetUpSlider(dialog, IDC_BLUE_SLIDER, settings.BlueLimit);
    SetUpSlider(dialog, IDC_DURATION_SLIDER, settings.Duration);
    // Any non-zero Invert means the inverted variant.
    SendDlgItemMessageA(dialog, IDC_INVERT, BM_SETCHECK, settings.Invert ? BST_CHECKED : BST_UNCHECKED, 0);
    // Entry 0; the display modes follow once the display is set up.
    SendDlgItemMessageA(dialog, IDC_VIDEO_MODES, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("current"));
    // In the order of the stored values.
    for (const char* entry : {"Each its own", "All the same", "Main only"})
        SendDlgItemMessageA(dialog, IDC_MONITORS, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
    SendDlgItemMessageA(dialog, IDC_MONITORS, CB_SETCURSEL, static_cast<WPARAM>(Monitors), 0);

    Hyperlink.Create(LinkPlace(dialog), HomePageAddress, dialog);

    // The focus starts on Cancel; marked as the default button it also takes
    // Enter there, as the dialog manager of Windows arranges by itself. Once
    // the focus moves on, the dialog manager takes the mark away again.
    SendDlgItemMessageA(dialog, IDC_SETUP_CANCEL, BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
}

// Asked for after the system rescaled the dialog for another monitor's DPI.
const UINT FollowFrameMessage = WM_APP + 1;

// The preview follows its frame: a move moves the shared region; a frame of
// another size (the dialog rescaled on a monitor of another DPI, or resized
// by anything else) starts the animation over at the new size.
void FollowFrame()
{
    // Moves during the dialog's own creation come before the frame and the
    // saver window exist; the region is taken from the frame once start-up has it.
    if (!HostWindow || !SaverWindow)
        return;
    const DrawRegion frame = ClientRegionOf(HostWindow);
    if (RestartWaits() || RegionWidth(frame) != RegionWidth(SaverRegion) ||
        RegionHeight(frame) != RegionHeight(SaverRegion)) {
        RestartAnimation(frame, false);
        return;
    }
    MoveAnimation(frame);
}

void TrackSlider(HWND dialog, WPARAM wParam, LPARAM lParam)
{
    HWND slider = reinterpret_cast<HWND>(lParam);
    uint8_t* field = SliderField(dialog, slider);
    if (!field)
        return;
    const WORD request = LOWORD(wParam);
    const int position = (request == TB_THUMBTRACK || request == TB_THUMBPOSITION)
                             ? HIWORD(wParam)
                             : static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
    // One byte: the animation thread sees it whole without being stopped.
    *field = static_cast<uint8_t>(position);
}

bool ApplyInvert(void* dialog)
{
    const LRESULT ticked = SendDlgItemMessageA(static_cast<HWND>(dialog), IDC_INVERT, BM_GETCHECK, 0, 0);
    Animation.Settings.Invert = ticked ? 1 : 0;
    return true;
}

// Why the last OK could not save, and what, for the message that follows it.
DWORD SaveError = ERROR_SUCCESS;
bool MonitorsNotSaved = false;

bool ReadControlsAndSave(void* context)
{
    HWND dialog = static_cast<HWND>(context);
    EnterInstallDirectory();
    SaverSettings& settings = Animation.Settings;
    settings.RedLimit = SliderPosition(dialog, IDC_RED_SLIDER);
    settings.GreenLimit = SliderPosition(dialog, IDC_GREEN_SLIDER);
    settings.BlueLimit = SliderPosition(dialog, IDC_BLUE_SLIDER);
    settings.Duration = SliderPosition(dialog, IDC_DURATION_SLIDER);
    settings.Invert = static_cast<uint8_t>(SendDlgItemMessageA(dialog, IDC_INVERT, BM_GETCHECK, 0, 0));
    // No selection (CB_ERR) is kept as 65535.
    SetVideoMode(settings, static_cast<uint16_t>(SendDlgItemMessageA(dialog, IDC_VIDEO_MODES, CB_GETCURSEL, 0, 0)));
    SaveError = SaveSettings();
    MonitorsNotSaved = false;
    if (SaveError != ERROR_SUCCESS)
        return false;
    Monitors = MonitorChoiceFrom(static_cast<uint32_t>(SendDlgItemMessageA(dialog, IDC_MONITORS, CB_GETCURSEL, 0, 0)));
    SaveError = SaveMonitorChoice(Monitors);
    MonitorsNotSaved = SaveError != ERROR_SUCCESS;
    return SaveError == ERROR_SUCCESS;
}

void TellWhySaveFailed(void* dialog)
{
    if (MonitorsNotSaved)
        TellMonitorsNotSaved(static_cast<HWND>(dialog), SaveError);
    else
        TellSaveFailed(static_cast<HWND>(dialog), SaveError);
}

// The preview stands still around a change of several settings, and while
// a failure is told, so that it cannot draw over the message. What the
// display or the frame asks meanwhile is carried out once it runs again.
bool ChangeSettings(bool (*change)(void*), void (*tellFailure)(void*), HWND dialog)
{
    HoldAnimation(HeldForChange, ChangeBoundMs);
    const bool changed = change(dialog);
    if (!changed && tellFailure)
        tellFailure(dialog);
    ReleaseAnimation(HeldForChange);
    return changed;
}

// Before the dialog closes: the preview stops while the dialog still covers
// its place, so no pass lands on what lies behind.
void HoldAnimationForGood()
{
    HoldAnimation(HeldForChange, ChangeBoundMs);
}

void OpenPhrasesInEditor()
{
    char directory[CurrentDirectoryCapacity + 1] = {};
    const DWORD length = GetCurrentDirectoryA(CurrentDirectoryCapacity, directory);
    // A directory that does not fit leaves the buffer unfilled: start nothing.
    if (length == 0 || length >= CurrentDirectoryCapacity)
        return;
    char commandLine[LaunchCommandCapacity];
    FormatNotepadCommand(directory, commandLine, sizeof commandLine);
    StartDetachedProcess(commandLine);
}

void OpenHomePageInExplorer()
{
    char commandLine[LaunchCommandCapacity];
    FormatExplorerCommand(commandLine, sizeof commandLine);
    StartDetachedProcess(commandLine);
}

void RunCommand(HWND dialog, WORD command)
{
    switch (command) {
    case IDC_SETUP_CANCEL:
        HoldAnimationForGood();
        DestroyWindow(dialog);
        break;
    case IDC_SET_PHRASES:
        HoldAnimationForGood();
        OpenPhrasesInEditor();
        DestroyWindow(dialog);
        break;
    case IDC_HOME_PAGE:
        HoldAnimationForGood();
        OpenHomePageInExplorer();
        DestroyWindow(dialog);
        break;
    case IDC_SETUP_OK:
        // A failed write says why and keeps the dialog open, so OK can be
        // tried again and Cancel still leaves.
        if (ChangeSettings(ReadControlsAndSave, TellWhySaveFailed, dialog)) {
            HoldAnimationForGood();
            DestroyWindow(dialog);
        }
        break;
    case IDC_INVERT:
        ChangeSettings(ApplyInvert, nullptr, dialog);
        break;
    default:
        break;   // IDOK (Enter on a slider, the list or the box) included
    }
}

}  // namespace

INT_PTR CALLBACK SettingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        InitialiseDialog(dialog);
        return TRUE;   // the focus goes to the first tab stop, Cancel
    case WM_MOVE:
    case FollowFrameMessage:
        FollowFrame();
        return FALSE;
    case WM_DPICHANGED:
        // The dialog manager rescales the dialog and its controls first.
        PostMessageA(dialog, FollowFrameMessage, 0, 0);
        return FALSE;
    case WM_DISPLAYCHANGE:
        FollowDisplayChange(static_cast<int>(wParam), LOWORD(lParam), HIWORD(lParam));
        return FALSE;
    case WM_HSCROLL:
        TrackSlider(dialog, wParam, lParam);
        return TRUE;
    case WM_CTLCOLORLISTBOX:
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_COMMAND:
        RunCommand(dialog, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}
