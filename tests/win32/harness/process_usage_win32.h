// What a running process holds: its private memory and its handles.
#pragma once
#include <windows.h>

struct ProcessUsage {
    SIZE_T privateBytes;
    DWORD handles;
};

// False when the system does not tell.
bool ReadProcessUsage(HANDLE process, ProcessUsage& usage);
