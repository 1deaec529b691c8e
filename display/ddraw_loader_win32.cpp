#include "ddraw_loader_win32.h"

namespace {
typedef HRESULT(WINAPI* DirectDrawCreateEntry)(GUID* driver, IDirectDraw** directDraw, IUnknown* outer);

const char LibraryName[] = "\\ddraw.dll";
}

HRESULT CreateDirectDrawOfSystem(IDirectDraw** directDraw)
{
    char path[MAX_PATH + sizeof LibraryName];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return E_FAIL;
    lstrcatA(path, LibraryName);
    // Loaded once and kept: the DirectDraw objects live until the process ends.
    HMODULE library = LoadLibraryA(path);
    if (library == nullptr)
        return E_FAIL;
    void* entry = reinterpret_cast<void*>(GetProcAddress(library, "DirectDrawCreate"));
    if (entry == nullptr)
        return E_FAIL;
    return reinterpret_cast<DirectDrawCreateEntry>(entry)(nullptr, directDraw, nullptr);
}
