// The registry of the Wine prefix as verdo.scr sees it: its Install_Dir value
// and Wine's per-program switch that keeps ddraw.dll from loading.
#pragma once
#include <string>

// HKEY_CURRENT_USER\Software\Corvane Labs\Verdo, value Install_Dir (REG_SZ).
bool SetInstallDirValue(const std::string& directory);
bool DeleteInstallDirValue();
bool ReadInstallDirValue(std::string& out);

// The same folder spelt with exactly `length` characters, padded with "\."
// steps, to try the length limit of Install_Dir on a real directory.
// Empty when the folder's own name is longer already.
std::string PaddedFolderPath(const std::string& folder, size_t length);

// Sets Install_Dir for the life of the object and deletes it afterwards.
class InstallDirValue {
public:
    explicit InstallDirValue(const std::string& directory) { ok_ = SetInstallDirValue(directory); }
    ~InstallDirValue() { DeleteInstallDirValue(); }
    InstallDirValue(const InstallDirValue&) = delete;
    InstallDirValue& operator=(const InstallDirValue&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

// HKCU\Software\Wine\AppDefaults\verdo.scr\DllOverrides, "ddraw" = "": Wine
// refuses to load ddraw.dll into verdo.scr. The empty string is what winecfg
// writes for "disabled"; Wine 8 reads only the letters n and b of a load
// order, so the word "disabled" happens to work as well. Removed afterwards.
class DirectDrawDisabled {
public:
    DirectDrawDisabled();
    ~DirectDrawDisabled();
    DirectDrawDisabled(const DirectDrawDisabled&) = delete;
    DirectDrawDisabled& operator=(const DirectDrawDisabled&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};
