#include "harness/stand_in_programs_win32.h"

#include <windows.h>

namespace {

const char StartsSuffix[] = ".started";
const DWORD StandInLifeMs = 60000;   // longer than any case; the case's job ends it first

std::string OwnProgramPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

}  // namespace

bool PlaceStandIn(TestInstallation& installation, const std::string& name, StandInKind kind) {
    const std::string target = installation.FilePath(name + ".exe");
    if (kind == StandInKind::Broken) return installation.WriteFile(name + ".exe", BytesOf("no program at all\r\n"));
    return CopyFileA(OwnProgramPath().c_str(), target.c_str(), FALSE) != 0;
}

std::vector<std::string> StandInStarts(const TestInstallation& installation, const std::string& name) {
    std::vector<std::string> starts;
    Bytes bytes;
    if (!installation.ReadFile(name + StartsSuffix, bytes)) return starts;
    std::string line;
    for (uint8_t byte : bytes) {
        if (byte == '\n') {
            starts.push_back(line);
            line.clear();
        } else {
            line.push_back(static_cast<char>(byte));
        }
    }
    return starts;
}

bool RunAsStandInIfSo() {
    const std::string program = OwnProgramPath();
    const size_t slash = program.find_last_of('\\');
    const char* file = program.c_str() + slash + 1;
    if (_stricmp(file, "explorer.exe") != 0 && _stricmp(file, "notepad.exe") != 0) return false;
    const std::string record = program.substr(0, program.size() - 4) + StartsSuffix;
    HANDLE log = CreateFileA(record.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        const std::string line = std::string(GetCommandLineA()) + "\n";
        DWORD written = 0;
        WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        CloseHandle(log);
    }
    Sleep(StandInLifeMs);
    return true;
}
