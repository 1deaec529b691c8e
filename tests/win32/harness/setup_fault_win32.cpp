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
