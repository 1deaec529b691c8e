// The resources of verdo.scr, read from the program file itself: its bitmap,
// its settings dialog's template "setup", its strings and its version.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// One control of the "setup" template as the resource holds it.
struct TemplateItem {
    DWORD exStyle = 0;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    DWORD id = 0;
    std::string className;   // atoms 0x80 (BUTTON) and 0x82 (STATIC) spelt out
    std::string text;
};

struct SetupTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    std::string caption;
    WORD pointSize = 0;
    WORD weight = 0;
    BYTE italic = 0;
    BYTE charset = 0;
    std::string face;
    std::vector<TemplateItem> items;
};

// The program file opened as data, for as long as the object lives.
class ProgramResources {
public:
    explicit ProgramResources(const std::string& programPath);
    ~ProgramResources();
    ProgramResources(const ProgramResources&) = delete;
    ProgramResources& operator=(const ProgramResources&) = delete;

    // A bitmap resource as a DIB section the caller deletes; null if missing.
    HBITMAP LoadBitmapResource(const char* name) const;
    // The template "setup"; false when it is missing or not an extended
    // dialog template.
    bool ReadSetupTemplate(SetupTemplate& out) const;
    // String `id` of the string table; empty when missing.
    std::string LoadStringResource(UINT id) const;
    // A value of the version resource in its first language ("FileVersion",
    // "CompanyName", ...), and its fixed file and product versions as
    // "a.b.c.d a.b.c.d"; empty when missing.
    std::string VersionValue(const char* name) const;
    std::string FixedVersions() const;

private:
    std::vector<BYTE> VersionResource() const;
    HMODULE module_;
};
