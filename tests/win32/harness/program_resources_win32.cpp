#include "harness/program_resources_win32.h"

#include <cstdio>
#include <cstring>

namespace {

class TemplateReader {
public:
    explicit TemplateReader(const BYTE* at) : at_(at) {}
    WORD Word() { WORD v; std::memcpy(&v, at_, sizeof v); at_ += sizeof v; return v; }
    DWORD Dword() { DWORD v; std::memcpy(&v, at_, sizeof v); at_ += sizeof v; return v; }
    BYTE Byte() { return *at_++; }
    // A name or an ordinal (0xFFFF then a word).
    std::string NameOrOrdinal()
    {
        if (Peek() == 0xFFFF) {
            Word();
            const WORD ordinal = Word();
            if (ordinal == 0x80) return "BUTTON";
            if (ordinal == 0x82) return "STATIC";
            if (ordinal == 0x85) return "COMBOBOX";
            return "#" + std::to_string(ordinal);
        }
        std::string text;
        for (WORD c = Word(); c; c = Word())
            text.push_back(static_cast<char>(c));
        return text;
    }
    void AlignToDword(const BYTE* base)
    {
        while ((at_ - base) % 4)
            ++at_;
    }
    void Skip(size_t bytes) { at_ += bytes; }

private:
    WORD Peek() const { WORD v; std::memcpy(&v, at_, sizeof v); return v; }
    const BYTE* at_;
};

}  // namespace

ProgramResources::ProgramResources(const std::string& programPath)
    : module_(LoadLibraryExA(programPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE))
{
}

ProgramResources::~ProgramResources()
{
    if (module_)
        FreeLibrary(module_);
}

HBITMAP ProgramResources::LoadBitmapResource(const char* name) const
{
    return module_ ? static_cast<HBITMAP>(LoadImageA(module_, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION))
                   : nullptr;
}

bool ProgramResources::ReadSetupTemplate(SetupTemplate& out) const
{
    HRSRC resource = module_ ? FindResourceA(module_, "setup", MAKEINTRESOURCEA(5)) : nullptr;   // RT_DIALOG
    const BYTE* base = resource ? static_cast<const BYTE*>(LockResource(LoadResource(module_, resource))) : nullptr;
    bool ok = false;
    if (base) {
        TemplateReader read(base);
        const WORD version = read.Word();
        const WORD signature = read.Word();
        ok = version == 1 && signature == 0xFFFF;
        if (ok) {
            read.Dword();   // help ID
            out.exStyle = read.Dword();
            out.style = read.Dword();
            const WORD count = read.Word();
            out.x = static_cast<short>(read.Word());
            out.y = static_cast<short>(read.Word());
            out.cx = static_cast<short>(read.Word());
            out.cy = static_cast<short>(read.Word());
            ok = read.NameOrOrdinal().empty() && read.NameOrOrdinal().empty();   // no menu, standard class
            out.caption = read.NameOrOrdinal();
            out.pointSize = read.Word();
            out.weight = read.Word();
            out.italic = read.Byte();
            out.charset = read.Byte();
            out.face = read.NameOrOrdinal();
            for (WORD i = 0; i < count; ++i) {
                read.AlignToDword(base);
                TemplateItem item;
                read.Dword();   // help ID
                item.exStyle = read.Dword();
                item.style = read.Dword();
                item.x = static_cast<short>(read.Word());
                item.y = static_cast<short>(read.Word());
                item.cx = static_cast<short>(read.Word());
                item.cy = static_cast<short>(read.Word());
                item.id = read.Dword();
                item.className = read.NameOrOrdinal();
                item.text = read.NameOrOrdinal();
                read.Skip(read.Word());   // creation data
                out.items.push_back(item);
            }
        }
    }
    return ok;
}

std::string ProgramResources::LoadStringResource(UINT id) const
{
    char text[256] = "";
    if (module_) LoadStringA(module_, id, text, sizeof text);
    return text;
}

std::vector<BYTE> ProgramResources::VersionResource() const
{
    HRSRC resource = module_ ? FindResourceA(module_, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(16)) : nullptr;   // RT_VERSION
    const BYTE* data = resource ? static_cast<const BYTE*>(LockResource(LoadResource(module_, resource))) : nullptr;
    // VerQueryValue wants a copy it may write into.
    return data ? std::vector<BYTE>(data, data + SizeofResource(module_, resource)) : std::vector<BYTE>();
}

std::string ProgramResources::VersionValue(const char* name) const
{
    std::vector<BYTE> block = VersionResource();
    WORD* language = nullptr;
    wchar_t* value = nullptr;
    UINT size = 0;
    if (block.empty() || !VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                                         reinterpret_cast<void**>(&language), &size) || size < 4)
        return "";
    char path[128];
    std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", language[0], language[1], name);
    const std::wstring widePath(path, path + std::strlen(path));
    if (!VerQueryValueW(block.data(), widePath.c_str(), reinterpret_cast<void**>(&value), &size) || !size)
        return "";
    std::string text;
    for (const wchar_t* c = value; *c; ++c) text.push_back(static_cast<char>(*c));
    return text;
}

std::string ProgramResources::FixedVersions() const
{
    std::vector<BYTE> block = VersionResource();
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (block.empty() || !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size))
        return "";
    char text[64];
    std::snprintf(text, sizeof text, "%lu.%lu.%lu.%lu %lu.%lu.%lu.%lu",
                  fixed->dwFileVersionMS >> 16, fixed->dwFileVersionMS & 0xFFFF,
                  fixed->dwFileVersionLS >> 16, fixed->dwFileVersionLS & 0xFFFF,
                  fixed->dwProductVersionMS >> 16, fixed->dwProductVersionMS & 0xFFFF,
                  fixed->dwProductVersionLS >> 16, fixed->dwProductVersionLS & 0xFFFF);
    return text;
}
