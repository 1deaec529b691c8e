// The one definition of the process-wide state of the running saver.
#include "process_state_win32.h"

AnimationState Animation = {};
const uint8_t* PhraseTextBytes = nullptr;
DrawRegion SaverRegion = {};
HINSTANCE SaverInstance = nullptr;
bool SaverLetter = false;
bool PreviewLetter = false;
HWND HostWindow = nullptr;
HWND SettingsDialog = nullptr;
HWND SaverWindow = nullptr;
MonitorChoice Monitors = MonitorChoice::OwnPhrase;

// One counter for every process that runs this program file: the section is
// shared, so a second saver sees the first one's increment.
volatile LONG InstanceCount __attribute__((section("changer"), shared)) = 0;
