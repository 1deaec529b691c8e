#include "harness/thread_priority_win32.h"

#include <tlhelp32.h>

std::vector<int> ThreadPriorities(DWORD processId) {
    std::vector<int> priorities;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return priorities;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
        if (thread == nullptr) continue;  // ended in between
        const int priority = GetThreadPriority(thread);
        if (priority != THREAD_PRIORITY_ERROR_RETURN) priorities.push_back(priority);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return priorities;
}
