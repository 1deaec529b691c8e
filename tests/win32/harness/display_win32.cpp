#include "harness/display_win32.h"

#include <windows.h>
#include <ddraw.h>

namespace {

typedef HRESULT(WINAPI* DirectDrawCreateFunction)(GUID*, IDirectDraw**, IUnknown*);

// A DirectDraw object of the interface IDirectDraw2, or null.
IDirectDraw2* OpenDirectDraw() {
    HMODULE library = LoadLibraryA("ddraw.dll");
    if (!library) return nullptr;
    auto create = reinterpret_cast<DirectDrawCreateFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "DirectDrawCreate")));
    IDirectDraw* first = nullptr;
    if (!create || create(nullptr, &first, nullptr) != DD_OK) return nullptr;
    IDirectDraw2* second = nullptr;
    if (FAILED(first->QueryInterface(IID_IDirectDraw2, reinterpret_cast<void**>(&second)))) second = nullptr;
    first->Release();
    return second;
}

// Keeps the modes of 16, 24 or 32 bits, in the driver's order.
HRESULT WINAPI CollectVideoMode(LPDDSURFACEDESC description, LPVOID context) {
    const int bits = static_cast<int>(description->ddpfPixelFormat.dwRGBBitCount);
    if (bits == 16 || bits == 24 || bits == 32)
        static_cast<std::vector<DisplayMode>*>(context)->push_back(
            DisplayMode{static_cast<int>(description->dwWidth), static_cast<int>(description->dwHeight), bits});
    return DDENUMRET_OK;
}

}  // namespace

std::string Describe(const DisplayMode& mode) {
    return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" + std::to_string(mode.bits);
}

DisplayMode CurrentDisplayMode() {
    DEVMODEA settings = {};
    settings.dmSize = sizeof(settings);
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &settings)) return DisplayMode{};
    return DisplayMode{static_cast<int>(settings.dmPelsWidth), static_cast<int>(settings.dmPelsHeight),
                       static_cast<int>(settings.dmBitsPerPel)};
}

std::vector<DisplayMode> VideoModeList() {
    std::vector<DisplayMode> modes;
    IDirectDraw2* directDraw = OpenDirectDraw();
    if (!directDraw) return modes;
    directDraw->EnumDisplayModes(0, nullptr, &modes, CollectVideoMode);
    directDraw->Release();
    return modes;
}

int DirectDrawPrimaryBitCount() {
    IDirectDraw2* directDraw = OpenDirectDraw();
    if (!directDraw) return 0;
    int bits = 0;
    if (directDraw->SetCooperativeLevel(nullptr, DDSCL_NORMAL) == DD_OK) {
        DDSURFACEDESC description = {};
        description.dwSize = sizeof(description);
        description.dwFlags = DDSD_CAPS;
        description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
        IDirectDrawSurface* primary = nullptr;
        if (directDraw->CreateSurface(&description, &primary, nullptr) == DD_OK) {
            DDSURFACEDESC filled = {};
            filled.dwSize = sizeof(filled);
            if (primary->GetSurfaceDesc(&filled) == DD_OK)
                bits = static_cast<int>(filled.ddpfPixelFormat.dwRGBBitCount);
            primary->Release();
        }
    }
    directDraw->Release();
    return bits;
}

bool ChangeDisplayModeTo(const DisplayMode& wanted) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = wanted.width;
    mode.dmPelsHeight = wanted.height;
    mode.dmBitsPerPel = wanted.bits;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsExA(nullptr, &mode, nullptr, CDS_FULLSCREEN, nullptr) == DISP_CHANGE_SUCCESSFUL;
}

void RestoreDisplayModeIfNot(const DisplayMode& expected) {
    if (CurrentDisplayMode() != expected) ChangeDisplaySettingsA(nullptr, 0);
}
