#include "harness/processes_win32.h"

#include <tlhelp32.h>

#include <atomic>
#include <cstdio>

namespace {

// Where a suspended thread stands; 0 when the system does not tell.
ULONG_PTR InstructionPointerOf(HANDLE thread)
{
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    if (!GetThreadContext(thread, &context))
        return 0;
#ifdef _WIN64
    return context.Rip;
#else
    return context.Eip;
#endif
}

std::atomic<ProcessJob*> RunningCaseJob{nullptr};

}  // namespace

std::vector<DWORD> ChildProcesses(DWORD parentId, const char* exeName)
{
    std::vector<DWORD> children;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return children;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parentId && entry.th32ProcessID != parentId &&
            (!*exeName || _stricmp(entry.szExeFile, exeName) == 0))
            children.push_back(entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return children;
}

HANDLE OpenAnimationThread(DWORD processId)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return nullptr;
    HANDLE found = nullptr;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more && !found; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != processId)
            continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME | THREAD_QUERY_INFORMATION | THREAD_GET_CONTEXT |
                                       THREAD_TERMINATE | SYNCHRONIZE,
                                   FALSE, entry.th32ThreadID);
        if (!thread)
            continue;
        if (GetThreadPriority(thread) == THREAD_PRIORITY_IDLE)
            found = thread;
        else
            CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return found;
}

bool EndAnimationThread(DWORD processId)
{
    HANDLE thread = OpenAnimationThread(processId);
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    MODULEENTRY32 program = {};
    program.dwSize = sizeof program;
    const bool found = modules != INVALID_HANDLE_VALUE && Module32First(modules, &program);   // the .scr itself
    if (modules != INVALID_HANDLE_VALUE)
        CloseHandle(modules);
    bool ended = false;
    if (thread && found) {
        const auto start = reinterpret_cast<ULONG_PTR>(program.modBaseAddr);
        for (int attempt = 0; attempt < 500 && !ended; ++attempt) {
            if (SuspendThread(thread) == static_cast<DWORD>(-1))
                break;
            const ULONG_PTR at = InstructionPointerOf(thread);
            if (at >= start && at < start + program.modBaseSize) {
                ended = TerminateThread(thread, 0) && WaitForSingleObject(thread, 5000) == WAIT_OBJECT_0;
            } else {
                ResumeThread(thread);
                Sleep(1);
            }
        }
    }
    if (thread)
        CloseHandle(thread);
    return ended;
}

int SuspensionCount(DWORD processId)
{
    HANDLE thread = OpenAnimationThread(processId);
    if (!thread)
        return -1;
    const DWORD before = SuspendThread(thread);
    if (before != static_cast<DWORD>(-1))
        ResumeThread(thread);
    CloseHandle(thread);
    return before == static_cast<DWORD>(-1) ? -1 : static_cast<int>(before);
}

std::string DescribeAnimationThread(DWORD processId)
{
    HANDLE thread = OpenAnimationThread(processId);
    if (!thread)
        return "no animation thread";
    const DWORD before = SuspendThread(thread);
    const ULONG_PTR at = InstructionPointerOf(thread);
    if (before != static_cast<DWORD>(-1))
        ResumeThread(thread);
    CloseHandle(thread);
    char place[MAX_MODULE_NAME32 + 32];
    std::snprintf(place, sizeof place, "0x%llx", static_cast<unsigned long long>(at));
    HANDLE modules = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = modules != INVALID_HANDLE_VALUE && Module32First(modules, &module); more;
         more = Module32Next(modules, &module)) {
        const auto start = reinterpret_cast<ULONG_PTR>(module.modBaseAddr);
        if (at >= start && at < start + module.modBaseSize)
            std::snprintf(place, sizeof place, "%s+0x%llx", module.szModule,
                          static_cast<unsigned long long>(at - start));
    }
    if (modules != INVALID_HANDLE_VALUE)
        CloseHandle(modules);
    return "suspended " + std::to_string(static_cast<long>(before)) + " time(s), at " + place;
}

ProcessJob::ProcessJob()
{
    job_ = CreateJobObjectA(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job_ && !SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits)) {
        CloseHandle(job_);
        job_ = nullptr;
    }
}

bool ProcessJob::Adopt(HANDLE process)
{
    if (!job_ || !AssignProcessToJobObject(job_, process))
        return false;
    HANDLE kept = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), process, GetCurrentProcess(), &kept, SYNCHRONIZE, FALSE, 0))
        adopted_.push_back(kept);
    return true;
}

void ProcessJob::Close()
{
    if (job_) {
        TerminateJobObject(job_, 0xDEAD);
        CloseHandle(job_);
        job_ = nullptr;
    }
    for (HANDLE process : adopted_) {
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    adopted_.clear();
}

ProcessJob* CaseJob() { return RunningCaseJob.load(); }

void SetCaseJob(ProcessJob* job) { RunningCaseJob.store(job); }
