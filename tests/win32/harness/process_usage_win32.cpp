#include "harness/process_usage_win32.h"

#include "harness/waiting_win32.h"

#include <psapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <vector>

namespace {

// The system's list of processes. Wine answers the per-process queries about
// another process with zeros, but fills this list from the server's handle
// counts and the kernel's account of each process's memory.
bool ReadFromProcessList(DWORD processId, ProcessUsage& usage) {
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemProcessInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed)) ==
           static_cast<NTSTATUS>(0xC0000004L))   // STATUS_INFO_LENGTH_MISMATCH
        buffer.resize(buffer.size() * 2);
    if (status != 0) return false;
    for (size_t offset = 0;;) {
        const auto* entry = reinterpret_cast<const SYSTEM_PROCESS_INFORMATION*>(buffer.data() + offset);
        if (reinterpret_cast<ULONG_PTR>(entry->UniqueProcessId) == processId) {
            usage.privateBytes = entry->PrivatePageCount ? entry->PrivatePageCount
                                                         : entry->VirtualMemoryCounters.PagefileUsage;
            usage.handles = entry->HandleCount;
            return true;
        }
        if (entry->NextEntryOffset == 0) return false;
        offset += entry->NextEntryOffset;
    }
}

// The system's list of open handles, counted for one process. Wine's process
// list gives the size of the process's handle table, which grows by doubling,
// rather than the handles in it.
bool CountHandlesInHandleList(DWORD processId, DWORD& handles) {
    struct Entry {
        USHORT processId;
        USHORT creatorBackTraceIndex;
        UCHAR objectTypeIndex;
        UCHAR attributes;
        USHORT value;
        PVOID object;
        ULONG grantedAccess;
    };
    struct List {
        ULONG count;
        Entry entries[1];
    };
    const auto SystemHandleInformation = static_cast<SYSTEM_INFORMATION_CLASS>(16);
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    NTSTATUS status;
    while ((status = NtQuerySystemInformation(SystemHandleInformation, buffer.data(),
                                              static_cast<ULONG>(buffer.size()), &needed)) ==
           static_cast<NTSTATUS>(0xC0000004L))
        buffer.resize(buffer.size() * 2);
    if (status != 0) return false;
    const auto* list = reinterpret_cast<const List*>(buffer.data());
    handles = 0;
    for (ULONG i = 0; i < list->count; ++i) handles += list->entries[i].processId == static_cast<USHORT>(processId);
    return handles != 0;
}

}  // namespace

bool ReadProcessUsage(HANDLE process, ProcessUsage& usage) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    usage = {0, 0};
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters))
        usage.privateBytes = counters.PrivateUsage;
    GetProcessHandleCount(process, &usage.handles);
    if (usage.privateBytes && usage.handles) return true;
    const DWORD id = GetProcessId(process);
    if (!ReadFromProcessList(id, usage) || !usage.privateBytes) return false;
    return CountHandlesInHandleList(id, usage.handles);
}

double ProcessorMs(DWORD processId) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return -1;
    double total = 0;
    bool told = false;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId) continue;
        HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ThreadID);
        if (!thread) continue;
        FILETIME created, ended, kernel, user;
        if (GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
            for (const FILETIME& t : {kernel, user})
                total += (static_cast<double>(t.dwHighDateTime) * 4294967296.0 + t.dwLowDateTime) / 10000.0;
            told = true;
        }
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return told ? total : -1;
}

double ProcessorMsOver(DWORD processId, DWORD ms) {
    const double before = ProcessorMs(processId);
    WaitUntil([] { return false; }, ms);
    const double after = ProcessorMs(processId);
    return before < 0 || after < 0 ? -1 : after - before;
}

BusyCores::BusyCores() {
    for (unsigned core = 0; core < std::thread::hardware_concurrency(); ++core)
        spinners_.emplace_back([this] {
            while (!stop_.load(std::memory_order_relaxed)) {}
        });
}

BusyCores::~BusyCores() {
    stop_ = true;
    for (std::thread& spinner : spinners_) spinner.join();
}
