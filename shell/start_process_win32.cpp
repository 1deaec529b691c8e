#include "start_process_win32.h"

#include <windows.h>

#include <cstring>

bool StartDetachedProcess(const char* commandLine)
{
    // CreateProcessA may write into the command line, so it gets a copy.
    char line[MAX_PATH * 2];
    const size_t length = std::strlen(commandLine);
    if (length >= sizeof line)
        return false;
    std::memcpy(line, commandLine, length + 1);

    STARTUPINFOA startup;
    ZeroMemory(&startup, sizeof startup);
    startup.cb = sizeof(STARTUPINFOA);
    PROCESS_INFORMATION process;
    ZeroMemory(&process, sizeof process);
    if (!CreateProcessA(nullptr, line, nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}
