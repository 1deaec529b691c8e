// Placeholder until the settings dialog lands: the dialog cannot be created.
#include "settings_dialog_win32.h"

INT_PTR CALLBACK SettingsDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
