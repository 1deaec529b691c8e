// Drives an installed Verdo the way a user would, for the installer's
// end-to-end test:
//
//   installer_probe saver <verdo.scr>     start "<verdo.scr>" /s, wait for the
//                                         full-screen window, press a key,
//                                         expect the program to end with 0
//   installer_probe settings <file>       open <file> (verdo.scr or a
//                                         shortcut) through the shell, wait
//                                         for the settings dialog, press OK,
//                                         expect the program to end with 0
//       [while-open <code> <command>]     before OK, run <command> and
//                                         expect it to end with <code>
//
// Exit code 0 when everything happened as expected, 1 otherwise (the reason
// goes to stderr). Every wait is bounded.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const DWORD WindowWaitMs = 30000;
const DWORD ExitWaitMs = 30000;
const DWORD PollMs = 50;
const int OkButtonId = 6;

struct WindowSearch {
    const char* className;  // null: any class
    const char* caption;    // null: any caption
    DWORD processId;        // 0: any process
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(param);
    char text[256] = {};
    if (search->className) {
        GetClassNameA(window, text, sizeof(text));
        if (std::strcmp(text, search->className) != 0) return TRUE;
    }
    if (search->caption) {
        GetWindowTextA(window, text, sizeof(text));
        if (std::strcmp(text, search->caption) != 0) return TRUE;
    }
    if (search->processId) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != search->processId) return TRUE;
    }
    if (!IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

// Waits for a visible top-level window; gives up early when `process`
// (if any) ends first.
HWND WaitForWindow(WindowSearch search, HANDLE process) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < WindowWaitMs) {
        search.found = nullptr;
        EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
            DWORD code = 0;
            GetExitCodeProcess(process, &code);
            std::fprintf(stderr, "the program ended (exit code %lu) before its window appeared\n",
                         static_cast<unsigned long>(code));
            return nullptr;
        }
        Sleep(PollMs);
    }
    std::fprintf(stderr, "no window appeared within %lu ms\n",
                 static_cast<unsigned long>(WindowWaitMs));
    return nullptr;
}

int ExpectCleanExit(HANDLE process) {
    if (WaitForSingleObject(process, ExitWaitMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "the program did not end within %lu ms\n",
                     static_cast<unsigned long>(ExitWaitMs));
        TerminateProcess(process, 99);
        return 1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    if (code != 0) {
        std::fprintf(stderr, "the program ended with exit code %lu\n",
                     static_cast<unsigned long>(code));
        return 1;
    }
    return 0;
}

int RunSaver(const char* scrPath) {
    std::string commandLine = std::string("\"") + scrPath + "\" /s";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", scrPath,
                     static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    CloseHandle(info.hThread);

    HWND saver = WaitForWindow({"Verdo", nullptr, info.dwProcessId, nullptr}, info.hProcess);
    int result = 1;
    if (saver) {
        PostMessageA(saver, WM_KEYDOWN, VK_SPACE, 0);
        result = ExpectCleanExit(info.hProcess);
    } else {
        TerminateProcess(info.hProcess, 99);
    }
    CloseHandle(info.hProcess);
    return result;
}

// Runs a command line to its end; false when it cannot start, does not end
// in time or ends with another code than `expected`.
bool RunToExitCode(const char* commandLine, DWORD expected) {
    std::string line = commandLine;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine,
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    CloseHandle(info.hThread);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(info.hProcess, WindowWaitMs) == WAIT_OBJECT_0) {
        GetExitCodeProcess(info.hProcess, &code);
    } else {
        TerminateProcess(info.hProcess, 99);
    }
    CloseHandle(info.hProcess);
    if (code != expected) {
        std::fprintf(stderr, "%s ended with %lu, expected %lu\n", commandLine,
                     static_cast<unsigned long>(code), static_cast<unsigned long>(expected));
        return false;
    }
    return true;
}

int RunSettings(const char* file, const char* whileOpen, DWORD whileOpenExpected) {
    // Through the shell, as the Start menu does; a shortcut carries its own
    // arguments, and a bare verdo.scr is given none.
    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof(execute);
    execute.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    execute.lpVerb = "open";
    execute.lpFile = file;
    execute.nShow = SW_SHOWNORMAL;
    if (!ShellExecuteExA(&execute)) {
        std::fprintf(stderr, "cannot open %s (error %lu)\n", file,
                     static_cast<unsigned long>(GetLastError()));
        return 1;
    }
    if (execute.hProcess) CloseHandle(execute.hProcess);

    HWND dialog = WaitForWindow({nullptr, "Verdo - Settings", 0, nullptr}, nullptr);
    if (!dialog) return 1;
    DWORD processId = 0;
    GetWindowThreadProcessId(dialog, &processId);
    HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE,
                                 FALSE, processId);
    if (!process) {
        std::fprintf(stderr, "cannot watch the settings dialog's process\n");
        return 1;
    }
    const bool whileOpenAsExpected = !whileOpen || RunToExitCode(whileOpen, whileOpenExpected);
    HWND okButton = GetDlgItem(dialog, OkButtonId);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(OkButtonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(okButton));
    int result = ExpectCleanExit(process);
    CloseHandle(process);
    return whileOpenAsExpected ? result : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "saver") == 0) return RunSaver(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "settings") == 0) return RunSettings(argv[2], nullptr, 0);
    if (argc == 6 && std::strcmp(argv[1], "settings") == 0 &&
        std::strcmp(argv[3], "while-open") == 0) {
        return RunSettings(argv[2], argv[5], static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
    }
    std::fprintf(stderr,
                 "usage: installer_probe saver <file>\n"
                 "       installer_probe settings <file> [while-open <code> <command>]\n");
    return 1;
}
