#include "harness/saver_process_win32.h"

#include <cstdio>
#include <vector>

#include "harness/installation_win32.h"
#include "harness/processes_win32.h"
#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"

namespace {
std::string ProgramPath;
}

void SetSaverProgramPath(const std::string& windowsPath) { ProgramPath = windowsPath; }
const std::string& SaverProgramPath() { return ProgramPath; }

std::string WindowsPathFromArgument(const char* argument) {
    std::string path = argument;
    if (path.empty() || path[0] != '/') return path;  // already a Windows path
    // Wine offers the exact mapping; Z: is the root of the Unix tree otherwise.
    typedef WCHAR*(CDECL * DosNameFunction)(const char*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto toDos = reinterpret_cast<DosNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    if (toDos) {
        if (WCHAR* wide = toDos(argument)) {
            char narrow[MAX_PATH * 2] = {};
            WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof(narrow), nullptr, nullptr);
            HeapFree(GetProcessHeap(), 0, wide);
            return narrow;
        }
    }
    for (char& c : path)
        if (c == '/') c = '\\';
    return "Z:" + path;
}

SaverProcess::~SaverProcess() {
    Resume();
    Kill();
    if (process_) CloseHandle(process_);
}

bool SaverProcess::Start(const std::string& arguments, const std::string& currentDirectory) {
    return Start(arguments, currentDirectory, false);
}

bool SaverProcess::StartSuspended(const std::string& arguments) { return Start(arguments, "", true); }

void SaverProcess::Resume() {
    if (!suspendedThread_) return;
    ResumeThread(suspendedThread_);
    CloseHandle(suspendedThread_);
    suspendedThread_ = nullptr;
}

bool SaverProcess::Start(const std::string& arguments, const std::string& currentDirectory, bool suspended) {
    if (IsRunning()) return false;
    if (process_) CloseHandle(process_);
    process_ = nullptr;
    std::string commandLine = "\"" + ProgramPath + "\"";
    if (!arguments.empty()) commandLine += " " + arguments;
    std::vector<char> writable(commandLine.begin(), commandLine.end());
    writable.push_back('\0');
    const std::string directory =
        currentDirectory.empty() ? NeutralStartDirectory() : currentDirectory;

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    // Suspended until it belongs to the case's job, so nothing it starts escapes
    // the job. Wine has been seen to refuse a start now and then: told, retried.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessA(nullptr, writable.data(), nullptr, nullptr, FALSE,
                           NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED, nullptr, directory.c_str(), &startup, &info))
            break;
        std::fprintf(stderr, "cannot start %s in %s (attempt %d): error %lu\n", commandLine.c_str(),
                     directory.c_str(), attempt, static_cast<unsigned long>(GetLastError()));
        if (attempt == 3) return false;
        Sleep(200);
    }
    if (ProcessJob* job = CaseJob())
        job->Adopt(info.hProcess);
    if (suspended) {
        suspendedThread_ = info.hThread;
    } else {
        ResumeThread(info.hThread);
        CloseHandle(info.hThread);
    }
    process_ = info.hProcess;
    id_ = info.dwProcessId;
    return true;
}

bool SaverProcess::IsRunning() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

bool SaverProcess::WaitForExit(DWORD timeoutMs) {
    if (!process_) return false;
    return WaitUntil([this] { return !IsRunning(); }, timeoutMs);
}

DWORD SaverProcess::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    if (process_ && !IsRunning()) GetExitCodeProcess(process_, &code);
    return code;
}

void SaverProcess::Kill() {
    if (!IsRunning()) return;
    TerminateProcess(process_, 0xDEAD);
    WaitForSingleObject(process_, 5000);
}

RunObservation RunWatchingWindows(const std::string& arguments, DWORD timeoutMs) {
    RunObservation seen;
    SaverProcess saver;
    if (!saver.Start(arguments)) return seen;
    WaitUntil(
        [&] {
            for (HWND window : ProcessWindows(saver.Id()))
                if (IsWindowVisible(window)) seen.showedWindow = true;
            return !saver.IsRunning();
        },
        timeoutMs, 5);
    seen.exitCode = saver.ExitCode();
    return seen;
}
