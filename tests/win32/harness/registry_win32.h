// The registry of the Wine prefix as verdo.scr sees it: its Install_Dir value,
// Wine's per-program settings of verdo.scr, and the shell's web association.
// Every change a case makes is undone when the case ends, and again by
// RestorePrefixState when the test program starts and ends, so a run that
// died half-way leaves nothing behind for the next.
#pragma once
#include <windows.h>

#include <string>

// HKEY_CURRENT_USER\Software\Corvane Labs\Verdo, value Install_Dir (REG_SZ).
bool SetInstallDirValue(const std::string& directory);
bool DeleteInstallDirValue();

// The same key's value Monitors: the choice for the monitors beside the
// primary, a REG_DWORD as the program writes it, or text as nothing should.
bool SetMonitorsValue(DWORD value);
bool SetMonitorsValueAsText(const std::string& text);
// False when there is no such REG_DWORD.
bool ReadMonitorsValue(DWORD& value);
bool DeleteMonitorsValue();

// The same folder spelt with exactly `length` characters, padded with "\."
// steps, to try the length limit of Install_Dir on a real directory.
// Empty when the folder's own name is longer already.
std::string PaddedFolderPath(const std::string& folder, size_t length);

// A value under HKCU\Software\Wine\AppDefaults\verdo.scr\<key>, Wine's
// settings for verdo.scr alone, set for the life of the object.
class WineSettingForSaver {
public:
    WineSettingForSaver(const char* key, const char* name, const char* value);
    ~WineSettingForSaver();
    WineSettingForSaver(const WineSettingForSaver&) = delete;
    WineSettingForSaver& operator=(const WineSettingForSaver&) = delete;
    bool Ok() const { return ok_; }

private:
    std::string key_;
    std::string name_;
    bool ok_;
};

// DllOverrides "ddraw" = "": Wine refuses to load ddraw.dll into verdo.scr.
// The empty string is what winecfg writes for "disabled"; Wine 8 reads only
// the letters n and b of a load order, so "disabled" happens to work as well.
struct DirectDrawDisabled : WineSettingForSaver {
    DirectDrawDisabled() : WineSettingForSaver("DllOverrides", "ddraw", "") {}
};

// Direct3D "renderer" = "gdi". Wine's OpenGL renderer (there is one for
// 64-bit programs here) shows the primary surface beneath the dialog's own
// window, which hides the live preview; its GDI renderer puts the surface on
// the screen as Windows does.
struct GdiRendererForSaver : WineSettingForSaver {
    GdiRendererForSaver() : WineSettingForSaver("Direct3D", "renderer", "gdi") {}
};

// Makes the shell unable to open web addresses while it lives: the https
// scheme of the prefix points at a program that does not exist. The shell
// reads the machine's classes, so that is where the command is changed.
class BrokenWebAssociation {
public:
    BrokenWebAssociation();
    ~BrokenWebAssociation();
    BrokenWebAssociation(const BrokenWebAssociation&) = delete;
    BrokenWebAssociation& operator=(const BrokenWebAssociation&) = delete;
    bool Ok() const { return ok_; }

private:
    std::string original_;
    bool ok_;
};

// HKCU\Control Panel\Desktop LogPixels, the screen's dots per inch that
// every program started while the object lives takes at its start.
class ScreenDpiForNewPrograms {
public:
    explicit ScreenDpiForNewPrograms(DWORD dpi);
    ~ScreenDpiForNewPrograms();
    ScreenDpiForNewPrograms(const ScreenDpiForNewPrograms&) = delete;
    ScreenDpiForNewPrograms& operator=(const ScreenDpiForNewPrograms&) = delete;
    bool Ok() const { return ok_; }

private:
    bool ok_;
};

// Puts back everything above: no Install_Dir and no Monitors, no per-program settings of
// verdo.scr, Wine's own web association, 96 dots per inch.
void RestorePrefixState();
