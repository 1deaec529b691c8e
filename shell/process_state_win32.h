// Process-wide state of the running saver, shared by the user-interface
// thread and the animation thread. Written during start-up; afterwards the
// settings dialog changes the settings, and the region is rewritten, only
// while the animation thread stands still between passes (a slider's single
// byte excepted).
#pragma once
#include <windows.h>

#include <cstdint>

#include "animation/animation_state.h"
#include "animation/geometry.h"
#include "settings/monitor_choice.h"

extern AnimationState Animation;        // begins with the SaverSettings
extern const uint8_t* PhraseTextBytes;  // the whole phrases file, Animation.PhraseTextLength bytes
extern DrawRegion SaverRegion;          // where the animation runs, screen coordinates
extern HINSTANCE SaverInstance;
extern bool SaverLetter;                // "S" or "s" on the command line
extern bool PreviewLetter;              // "P" or "p" on the command line
extern HWND HostWindow;                 // preview parent, dialog frame 1022, or null
extern HWND SettingsDialog;             // Configure mode only
extern HWND SaverWindow;
extern MonitorChoice Monitors;          // what the monitors beside the main one show

// Running instances of the program, shared by all its processes; changed
// only by interlocked increment and decrement.
extern volatile LONG InstanceCount;
