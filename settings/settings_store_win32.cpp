// The installation directory from the registry, the phrases from verdo.ini
// and the settings record from verdo.set.
#include "settings_store_win32.h"

#include <windows.h>

#include "settings/settings_file_writer.h"
#include "shell/process_state_win32.h"

namespace {
const char InstallKey[] = "Software\\Corvane Labs\\Verdo";
const char InstallValue[] = "Install_Dir";
const char PhrasesFileName[] = "verdo.ini";
const char SettingsFileName[] = "verdo.set";
const char TemporarySettingsFileName[] = "verdo.set.tmp";

// Both files are opened for reading and writing with read sharing only, so a
// read-only verdo.ini, or one another program is writing, counts as missing.
HANDLE OpenExisting(const char* name)
{
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
}

bool LoadPhraseText()
{
    HANDLE file = OpenExisting(PhrasesFileName);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const DWORD size = GetFileSize(file, nullptr);
    if (size == INVALID_FILE_SIZE || size == 0) {
        CloseHandle(file);
        return false;
    }
    // Kept for the life of the process; the file is never read again.
    uint8_t* text = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size));
    if (text == nullptr) {
        CloseHandle(file);
        return false;
    }
    DWORD read = 0;
    ReadFile(file, text, size, &read, nullptr);
    CloseHandle(file);
    if (read == 0) {
        HeapFree(GetProcessHeap(), 0, text);
        return false;
    }
    // The phrases end where the bytes that really arrived end.
    PhraseTextBytes = text;
    Animation.PhraseTextLength = read;
    Animation.ReadPosition = 0;
    return true;
}

// False only when a usable verdo.set delivers nothing; a missing or short one
// gives the defaults.
bool LoadSettingsRecord()
{
    HANDLE file = OpenExisting(SettingsFileName);
    if (file != INVALID_HANDLE_VALUE) {
        const DWORD size = GetFileSize(file, nullptr);
        if (size != INVALID_FILE_SIZE && size >= SettingsFileSize) {
            uint8_t bytes[SettingsFileSize];
            DWORD read = 0;
            ReadFile(file, bytes, sizeof bytes, &read, nullptr);
            CloseHandle(file);
            if (read == 0)
                return false;
            SettingsFromFileBytes(Animation.Settings, bytes, read);
            return true;
        }
        CloseHandle(file);
    }
    ApplyDefaultSettings(Animation.Settings);
    return true;
}

HANDLE TemporaryFile = INVALID_HANDLE_VALUE;

bool CreateTemporary(void*)
{
    TemporaryFile = CreateFileA(TemporarySettingsFileName, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                CREATE_ALWAYS, 0, nullptr);
    return TemporaryFile != INVALID_HANDLE_VALUE;
}

uint32_t WriteTemporary(void*, const uint8_t* bytes, uint32_t count)
{
    DWORD written = 0;
    if (!WriteFile(TemporaryFile, bytes, count, &written, nullptr))
        return 0;
    return written;
}

bool CloseTemporary(void*)
{
    const bool closed = CloseHandle(TemporaryFile) != FALSE;
    TemporaryFile = INVALID_HANDLE_VALUE;
    return closed;
}

bool ReplaceSettingsFile(void*)
{
    return MoveFileExA(TemporarySettingsFileName, SettingsFileName,
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
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
    if (!LoadPhraseText())
        return false;
    return LoadSettingsRecord();
}

bool SaveSettings()
{
    const SettingsFileOps ops = {nullptr, CreateTemporary, WriteTemporary, CloseTemporary, ReplaceSettingsFile,
                                 DeleteTemporary};
    return WriteSettingsFile(Animation.Settings, ops);
}
