#include "harness/registry_win32.h"

#include <windows.h>

namespace {

const char VerdoKey[] = "Software\\Corvane Labs\\Verdo";
const char InstallDirName[] = "Install_Dir";
const char OverrideKey[] = "Software\\Wine\\AppDefaults\\verdo.scr\\DllOverrides";

bool SetString(const char* keyPath, const char* name, const std::string& value) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const LONG result = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool DeleteValue(const char* keyPath, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return true;
    const LONG result = RegDeleteValueA(key, name);
    RegCloseKey(key);
    return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
}

}  // namespace

bool SetInstallDirValue(const std::string& directory) {
    return SetString(VerdoKey, InstallDirName, directory);
}

bool DeleteInstallDirValue() { return DeleteValue(VerdoKey, InstallDirName); }

bool ReadInstallDirValue(std::string& out) {
    char buffer[1024] = {};
    DWORD size = sizeof(buffer) - 1;
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, VerdoKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    const LONG result =
        RegQueryValueExA(key, InstallDirName, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS) return false;
    out = buffer;
    return true;
}

std::string PaddedFolderPath(const std::string& folder, size_t length) {
    std::string path = folder;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (path.size() > length) return "";
    while (length - path.size() >= 2) path += "\\.";
    if (path.size() < length) path += "\\";
    return path;
}

DirectDrawDisabled::DirectDrawDisabled() { ok_ = SetString(OverrideKey, "ddraw", ""); }

DirectDrawDisabled::~DirectDrawDisabled() { DeleteValue(OverrideKey, "ddraw"); }
