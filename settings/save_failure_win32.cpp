#include "save_failure_win32.h"

#include "settings/settings_file_reader.h"

namespace {
const DWORD ReasonCapacity = 512;

// The system's sentence for the error, without its line break.
void ReasonFor(DWORD error, char* reason)
{
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
                                        0, reason, ReasonCapacity, nullptr);
    if (length == 0) {
        wsprintfA(reason, "error %lu.", error);
        return;
    }
    char* end = reason + length;
    while (end > reason && (end[-1] == '\r' || end[-1] == '\n' || end[-1] == ' '))
        --end;
    *end = '\0';
}
}

void TellMonitorsNotSaved(HWND dialog, DWORD error)
{
    char reason[ReasonCapacity] = {};
    ReasonFor(error, reason);
    char text[ReasonCapacity + 96];
    wsprintfA(text, "Verdo could not save its choice for the monitors in the registry: %s", reason);
    MessageBoxA(dialog, text, "Verdo", MB_OK | MB_ICONEXCLAMATION);
}

void TellSaveFailed(HWND dialog, DWORD error)
{
    char path[MAX_PATH] = {};
    const DWORD length = GetFullPathNameA(SettingsFileName, MAX_PATH, path, nullptr);
    if (length == 0 || length >= MAX_PATH)
        lstrcpynA(path, SettingsFileName, MAX_PATH);
    char reason[ReasonCapacity] = {};
    ReasonFor(error, reason);
    char text[MAX_PATH + ReasonCapacity + 64];
    wsprintfA(text, "Verdo could not save its settings to %s: %s", path, reason);
    MessageBoxA(dialog, text, "Verdo", MB_OK | MB_ICONEXCLAMATION);
}
