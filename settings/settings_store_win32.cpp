// The installation directory from the registry, the phrases from verdo.ini
// and the settings record from verdo.set.
#include "settings_store_win32.h"

#include <windows.h>

#include "settings/settings_file_reader.h"
#include "settings/settings_file_writer.h"
#include "shell/process_state_win32.h"

namespace {
const char InstallKey[] = "Software\\Corvane Labs\\Verdo";
const char InstallValue[] = "Install_Dir";
const char MonitorsValue[] = "Monitors";
const char TemporarySettingsFileName[] = "verdo.set.tmp";

HANDLE InstalledFileHandle = INVALID_HANDLE_VALUE;

// Both files are only read here: a read-only file (deployed by an
// administrator, restored, synced) is read like any other, and so is one that
// another program, an editor say, holds open.
bool OpenExisting(void*, const char* name)
{
    InstalledFileHandle = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
    return InstalledFileHandle != INVALID_HANDLE_VALUE;
}

bool SizeOfOpenFile(void*, uint32_t* size)
{
    const DWORD low = GetFileSize(InstalledFileHandle, nullptr);
    if (low == INVALID_FILE_SIZE)
        return false;
    *size = low;
    return true;
}

uint32_t ReadOpenFile(void*, uint8_t* into, uint32_t count)
{
    DWORD read = 0;
    if (!ReadFile(InstalledFileHandle, into, count, &read, nullptr))
        return 0;
    return read;
}

void CloseOpenFile(void*)
{
    CloseHandle(InstalledFileHandle);
    InstalledFileHandle = INVALID_HANDLE_VALUE;
}

uint8_t* AllocateForProcess(void*, uint32_t size)
{
    return static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size));
}

void FreeBlock(void*, uint8_t* block)
{
    HeapFree(GetProcessHeap(), 0, block);
}

const InstalledFileOps InstalledFiles = {nullptr,        OpenExisting,       SizeOfOpenFile, ReadOpenFile,
                                         CloseOpenFile,  AllocateForProcess, FreeBlock};

HANDLE TemporaryFile = INVALID_HANDLE_VALUE;
// The system's reason for the first step of a save that failed. Taken at
// once: cleaning up after the failure would overwrite the thread's last error.
DWORD SaveFailure = ERROR_SUCCESS;

bool Succeeded(bool done)
{
    if (!done && SaveFailure == ERROR_SUCCESS)
        SaveFailure = GetLastError();
    return done;
}

bool CreateTemporary(void*)
{
    TemporaryFile = CreateFileA(TemporarySettingsFileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    return Succeeded(TemporaryFile != INVALID_HANDLE_VALUE);
}

uint32_t WriteTemporary(void*, const uint8_t* bytes, uint32_t count)
{
    DWORD written = 0;
    if (!Succeeded(WriteFile(TemporaryFile, bytes, count, &written, nullptr) != FALSE))
        return 0;
    if (written != count && SaveFailure == ERROR_SUCCESS)
        SaveFailure = ERROR_HANDLE_DISK_FULL;   // a short write sets no error of its own
    return written;
}

bool CloseTemporary(void*)
{
    const bool closed = Succeeded(CloseHandle(TemporaryFile) != FALSE);
    TemporaryFile = INVALID_HANDLE_VALUE;
    return closed;
}

bool ReplaceSettingsFile(void*)
{
    return Succeeded(MoveFileExA(TemporarySettingsFileName, SettingsFileName,
                                 MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE);
}

void DeleteTemporary(void*)
{
    DeleteFileA(TemporarySettingsFileName);
}
}

bool EnterInstallDirectory()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, InstallKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    // 255 bytes at most with the terminator: a directory of 254 characters.
    char directory[256] = {};
    DWORD size = sizeof directory - 1;
    const LONG result =
        RegQueryValueExA(key, InstallValue, nullptr, nullptr, reinterpret_cast<BYTE*>(directory), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    SetCurrentDirectoryA(directory);
    return true;
}

bool LoadSettings()
{
    if (!EnterInstallDirectory())
        return false;
    PhraseFile phrases = {nullptr, 0};
    if (!ReadPhraseFile(InstalledFiles, phrases))
        return false;
    // A byte-order mark alone holds no phrase: such a file counts as empty.
    if (ByteOrderMarkLength(phrases.bytes, phrases.length) == phrases.length)
        return false;
    // Kept for the life of the process; the file is never read again.
    PhraseTextBytes = phrases.bytes;
    Animation.PhraseTextLength = phrases.length;
    Animation.PhraseTextEncoding = PhraseEncodingOf(phrases.bytes, phrases.length);
    Animation.ReadPosition = 0;
    Monitors = LoadMonitorChoice();
    return ReadSettingsFile(InstalledFiles, Animation.Settings);
}

DWORD SaveSettings()
{
    const SettingsFileOps ops = {nullptr, CreateTemporary, WriteTemporary, CloseTemporary, ReplaceSettingsFile,
                                 DeleteTemporary};
    SaveFailure = ERROR_SUCCESS;
    if (WriteSettingsFile(Animation.Settings, ops))
        return ERROR_SUCCESS;
    // A failure must never read as success, whatever the step left behind.
    return SaveFailure != ERROR_SUCCESS ? SaveFailure : ERROR_GEN_FAILURE;
}

MonitorChoice LoadMonitorChoice()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, InstallKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return MonitorChoiceFrom(UINT32_MAX);
    DWORD type = REG_NONE;
    DWORD value = 0;
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExA(key, MonitorsValue, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
    RegCloseKey(key);
    // Missing, or written as something else than the program writes: unknown.
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return MonitorChoiceFrom(UINT32_MAX);
    return MonitorChoiceFrom(value);
}

DWORD SaveMonitorChoice(MonitorChoice choice)
{
    HKEY key;
    LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, InstallKey, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                  nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return static_cast<DWORD>(result);
    const DWORD value = static_cast<DWORD>(choice);
    result = RegSetValueExA(key, MonitorsValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    return static_cast<DWORD>(result);
}
