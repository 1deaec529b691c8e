#include "display_power_win32.h"

#include "animation/animation_thread_win32.h"
#include "shell/display_power.h"

namespace {
HPOWERNOTIFY DisplayStateNotification = nullptr;

void Follow(DisplayPowerStep step)
{
    if (step != DisplayPowerStep::Unchanged)
        RestAnimationThread(step == DisplayPowerStep::Rest);
}
}

void WatchDisplayPower(HWND saverWindow)
{
    DisplayStateNotification =
        RegisterPowerSettingNotification(saverWindow, &GUID_CONSOLE_DISPLAY_STATE, DEVICE_NOTIFY_WINDOW_HANDLE);
}

void StopWatchingDisplayPower()
{
    if (DisplayStateNotification != nullptr)
        UnregisterPowerSettingNotification(DisplayStateNotification);
    DisplayStateNotification = nullptr;
}

void FollowPowerBroadcast(WPARAM event, LPARAM setting)
{
    const auto* changed = reinterpret_cast<const POWERBROADCAST_SETTING*>(setting);
    if (event != PBT_POWERSETTINGCHANGE || changed == nullptr ||
        !IsEqualGUID(changed->PowerSetting, GUID_CONSOLE_DISPLAY_STATE))
        return;
    Follow(StepForConsoleDisplayState(changed->Data, changed->DataLength));
}

void FollowMonitorPower(LPARAM argument)
{
    Follow(StepForMonitorPower(argument));
}
