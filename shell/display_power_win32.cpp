#include "display_power_win32.h"

#include <versionhelpers.h>

#include "display/animation_owner_win32.h"
#include "shell/display_power.h"

namespace {
HPOWERNOTIFY DisplayStateNotification = nullptr;
// The setting registered for, whose notifications tell the display's state.
const GUID* WatchedSetting = nullptr;

void Follow(DisplayPowerStep step)
{
    if (step != DisplayPowerStep::Unchanged)
        RestAnimation(step == DisplayPowerStep::Rest);
}
}

void WatchDisplayPower(HWND saverWindow)
{
    // Best first. The session's display is the one that matters: in a Remote
    // Desktop session the physical console's may be off while the user looks
    // at the saver. The console's display is the next best; both came with
    // Windows 8 (Windows 7 may take the registration and never tell), where
    // Windows 7 has only the monitor's power.
    const GUID* const settings[] = {&GUID_SESSION_DISPLAY_STATUS, &GUID_CONSOLE_DISPLAY_STATE,
                                    &GUID_MONITOR_POWER_ON};
    for (size_t i = IsWindows8OrGreater() ? 0 : 2; i < sizeof settings / sizeof settings[0]; ++i) {
        DisplayStateNotification =
            RegisterPowerSettingNotification(saverWindow, settings[i], DEVICE_NOTIFY_WINDOW_HANDLE);
        if (DisplayStateNotification != nullptr) {
            WatchedSetting = settings[i];
            return;
        }
    }
}

void StopWatchingDisplayPower()
{
    if (DisplayStateNotification != nullptr)
        UnregisterPowerSettingNotification(DisplayStateNotification);
    DisplayStateNotification = nullptr;
    WatchedSetting = nullptr;
}

void FollowPowerBroadcast(WPARAM event, LPARAM setting)
{
    const auto* changed = reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    if (event != PBT_POWERSETTINGCHANGE || changed == nullptr || WatchedSetting == nullptr ||
        !IsEqualGUID(changed->PowerSetting, *WatchedSetting))
        return;
    Follow(StepForDisplayState(changed->Data, changed->DataLength));
}

void FollowMonitorPower(LPARAM argument)
{
    Follow(StepForMonitorPower(argument));
}
