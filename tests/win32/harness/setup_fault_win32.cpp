#include "harness/setup_fault_win32.h"

#include <windows.h>

#include "harness/saver_process_win32.h"

namespace {
// setup_faults\verdo.scr in the folder of the running test program.
std::string TestBuildPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return "";
    std::string folder(path, length);
    folder.erase(folder.find_last_of("\\/") + 1);
    return folder + "setup_faults\\verdo.scr";
}
}  // namespace

InjectedFaults::InjectedFaults(FaultVariables variables)
    : variables_(std::move(variables)), program_(TestBuildPath()), programBefore_(SaverProgramPath()) {
    // Inherited by every process the test starts, so only for this object's life.
    ok_ = !program_.empty() && GetFileAttributesA(program_.c_str()) != INVALID_FILE_ATTRIBUTES;
    for (const auto& [name, value] : variables_) ok_ = ok_ && SetEnvironmentVariableA(name.c_str(), value.c_str());
    if (ok_) SetSaverProgramPath(program_);
}

InjectedFaults::~InjectedFaults() {
    for (const auto& variable : variables_) SetEnvironmentVariableA(variable.first.c_str(), nullptr);
    SetSaverProgramPath(programBefore_);
}

ThreadLog::ThreadLog() {
    char folder[MAX_PATH] = {};
    char file[MAX_PATH] = {};
    if (GetTempPathA(MAX_PATH, folder) && GetTempFileNameA(folder, "vtl", 0, file)) path_ = file;
}

ThreadLog::~ThreadLog() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
}

std::string ThreadLog::Text() const {
    std::string text;
    HANDLE file = CreateFileA(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return text;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
    CloseHandle(file);
    return text;
}

std::vector<std::string> ThreadLog::Events() const {
    std::vector<std::string> events;
    const std::string text = Text();
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(start, end - start);
        events.push_back(line.substr(0, line.find_last_of(' ')));
        start = end + 2;
    }
    return events;
}
