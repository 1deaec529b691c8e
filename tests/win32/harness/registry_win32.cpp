#include "harness/registry_win32.h"

#include <windows.h>

namespace {

const char VerdoKey[] = "Software\\Corvane Labs\\Verdo";
const char InstallDirName[] = "Install_Dir";
const char MonitorsName[] = "Monitors";
const char SaverDefaultsKey[] = "Software\\Wine\\AppDefaults\\verdo.scr";
const char WebCommandKey[] = "Software\\Classes\\https\\shell\\open\\command";
const char BrokenWebCommand[] = "\"C:\\verdo-no-such-browser\\browser.exe\" \"%1\"";
const char DesktopKey[] = "Control Panel\\Desktop";
const DWORD UsualDpi = 96;
const char WineWebCommand[] = "\"C:\\windows\\system32\\winebrowser.exe\" \"%1\"";

bool SetString(const char* keyPath, const char* name, const std::string& value, HKEY root = HKEY_CURRENT_USER) {
    HKEY key;
    if (RegCreateKeyExA(root, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
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

std::string WebCommand() {
    char command[512] = {};
    DWORD size = sizeof command - 1;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, WebCommandKey, nullptr, RRF_RT_REG_SZ, nullptr, command, &size) !=
        ERROR_SUCCESS)
        return "";
    return command;
}

bool SetDpi(DWORD dpi) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, DesktopKey, "LogPixels", REG_DWORD, &dpi, sizeof dpi) ==
           ERROR_SUCCESS;
}

}  // namespace

bool SetInstallDirValue(const std::string& directory) {
    return SetString(VerdoKey, InstallDirName, directory);
}

bool DeleteInstallDirValue() { return DeleteValue(VerdoKey, InstallDirName); }

bool SetMonitorsValue(DWORD value) {
    return RegSetKeyValueA(HKEY_CURRENT_USER, VerdoKey, MonitorsName, REG_DWORD, &value, sizeof value) ==
           ERROR_SUCCESS;
}

bool SetMonitorsValueAsText(const std::string& text) { return SetString(VerdoKey, MonitorsName, text); }

bool ReadMonitorsValue(DWORD& value) {
    DWORD size = sizeof value;
    return RegGetValueA(HKEY_CURRENT_USER, VerdoKey, MonitorsName, RRF_RT_REG_DWORD, nullptr, &value, &size) ==
           ERROR_SUCCESS;
}

bool DeleteMonitorsValue() { return DeleteValue(VerdoKey, MonitorsName); }

std::string PaddedFolderPath(const std::string& folder, size_t length) {
    std::string path = folder;
    while (!path.empty() && path.back() == '\\') path.pop_back();
    if (path.size() > length) return "";
    while (length - path.size() >= 2) path += "\\.";
    if (path.size() < length) path += "\\";
    return path;
}

WineSettingForSaver::WineSettingForSaver(const char* key, const char* name, const char* value)
    : key_(std::string(SaverDefaultsKey) + "\\" + key), name_(name) {
    ok_ = SetString(key_.c_str(), name, value);
}

WineSettingForSaver::~WineSettingForSaver() { DeleteValue(key_.c_str(), name_.c_str()); }

BrokenWebAssociation::BrokenWebAssociation() : original_(WebCommand()) {
    if (original_.empty() || original_ == BrokenWebCommand) original_ = WineWebCommand;
    ok_ = SetString(WebCommandKey, nullptr, BrokenWebCommand, HKEY_LOCAL_MACHINE);
}

BrokenWebAssociation::~BrokenWebAssociation() { SetString(WebCommandKey, nullptr, original_, HKEY_LOCAL_MACHINE); }

ScreenDpiForNewPrograms::ScreenDpiForNewPrograms(DWORD dpi) : ok_(SetDpi(dpi)) {}

ScreenDpiForNewPrograms::~ScreenDpiForNewPrograms() { SetDpi(UsualDpi); }

void RestorePrefixState() {
    SetDpi(UsualDpi);
    DeleteInstallDirValue();
    DeleteMonitorsValue();
    RegDeleteTreeA(HKEY_CURRENT_USER, SaverDefaultsKey);
    if (WebCommand() == BrokenWebCommand) SetString(WebCommandKey, nullptr, WineWebCommand, HKEY_LOCAL_MACHINE);
}
