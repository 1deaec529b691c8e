// Drives Verdo's installer and an installed Verdo the way a user would, and
// reads what the installer left, for the installer's end-to-end tests:
//
//   installer_probe saver <verdo.scr>     start "<verdo.scr>" /s, wait for the
//                                         full-screen window and for a phrase
//                                         grown on the screen, with no message
//                                         box; press a key, expect the program
//                                         to end with 0
//   installer_probe settings <file>       open <file> (verdo.scr or a
//                                         shortcut) through the shell, wait
//                                         for the settings dialog, press OK,
//                                         expect the program to end with 0
//       [while-open <code> <command>]     before OK, run <command> and
//                                         expect it to end with <code>
//   installer_probe walk <setup> <folder> install into <folder> as a user
//                                         would, Next on every page and Finish
//                                         on the last; print the texts of each
//                                         page, a line a page
//   installer_probe shortcut <file.lnk>   print the shortcut's target and
//                                         arguments, separated by a tab
//   installer_probe version <file>        print the file's FileVersion
//
// Exit code 0 when everything happened as expected, 1 otherwise (the reason
// goes to stderr). Every wait is bounded.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "harness/program_resources_win32.h"
#include "harness/screen_win32.h"
#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"

namespace {

const DWORD WindowWaitMs = 30000;
const DWORD GrowthWaitMs = 30000;
const DWORD ExitWaitMs = 30000;
const DWORD PollMs = 50;
const int OkButtonId = 6;

// Waits for a visible top-level window (of any process for 0); gives up
// early when `process` (if any) ends first.
HWND WaitForWindow(DWORD processId, const char* className, const char* caption, HANDLE process) {
    HWND found = nullptr;
    bool ended = false;
    WaitUntil(
        [&] {
            for (HWND window : ProcessWindows(processId, className, caption))
                if (IsWindowVisible(window)) found = window;
            ended = process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            return found || ended;
        },
        WindowWaitMs, PollMs);
    if (found) return found;
    if (ended) {
        DWORD code = 0;
        GetExitCodeProcess(process, &code);
        std::fprintf(stderr, "the program ended (exit code %lu) before its window appeared\n",
                     static_cast<unsigned long>(code));
    } else {
        std::fprintf(stderr, "no window appeared within %lu ms\n", static_cast<unsigned long>(WindowWaitMs));
    }
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

// The saver really draws: a phrase grows on the screen (pixels well above
// the nearly black stamp colour), and no message box of the process, such as
// "DirectDraw Init FAILED", stands in its way.
bool SaverDraws(DWORD processId) {
    size_t grown = 0;
    HWND box = nullptr;
    WaitUntil(
        [&] {
            box = FindProcessWindow(processId, "#32770");
            if (box) return true;
            grown = Snapshot::CaptureScreen().Count([](Rgb c) { return c.red + c.green + c.blue >= 120; });
            return grown > 500;
        },
        GrowthWaitMs, 100);
    if (box) {
        std::fprintf(stderr, "the saver shows a message box: \"%s\"\n", MessageBoxText(box).c_str());
        return false;
    }
    if (grown <= 500) {
        std::fprintf(stderr, "no phrase grew on the screen within %lu ms (%u bright pixels)\n",
                     static_cast<unsigned long>(GrowthWaitMs), static_cast<unsigned>(grown));
        return false;
    }
    return true;
}

// Starts a command line; the caller closes info.hProcess.
bool Start(std::string commandLine, PROCESS_INFORMATION& info) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", commandLine.c_str(),
                     static_cast<unsigned long>(GetLastError()));
        return false;
    }
    CloseHandle(info.hThread);
    return true;
}

int RunSaver(const char* scrPath) {
    PROCESS_INFORMATION info = {};
    if (!Start(std::string("\"") + scrPath + "\" /s", info)) return 1;

    HWND saver = WaitForWindow(info.dwProcessId, "Verdo", nullptr, info.hProcess);
    int result = 1;
    if (saver && SaverDraws(info.dwProcessId)) {
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
    PROCESS_INFORMATION info = {};
    if (!Start(commandLine, info)) return false;
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

    HWND dialog = WaitForWindow(0, nullptr, "Verdo - Settings", nullptr);
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

BOOL CALLBACK AppendText(HWND control, LPARAM texts) {
    std::string text = TextOf(control);
    for (char& c : text)
        if (c == '\r' || c == '\n') c = ' ';
    if (!text.empty()) *reinterpret_cast<std::string*>(texts) += text + " | ";
    return TRUE;
}

int WalkInstaller(const char* setup, const char* folder) {
    PROCESS_INFORMATION info = {};
    if (!Start(std::string("\"") + setup + "\" /D=" + folder, info)) return 1;
    // A page counts once it has stood still for one poll; the progress page
    // moves on by itself.
    HWND seen = nullptr, done = nullptr;
    const DWORD started = GetTickCount();
    while (WaitForSingleObject(info.hProcess, 200) == WAIT_TIMEOUT) {
        if (GetTickCount() - started > 2 * WindowWaitMs) {
            std::fprintf(stderr, "the installer did not finish within %lu ms\n",
                         static_cast<unsigned long>(2 * WindowWaitMs));
            TerminateProcess(info.hProcess, 99);
            break;
        }
        HWND wizard = FindProcessWindow(info.dwProcessId, "#32770");
        HWND page = wizard ? FindChildOfClass(wizard, "#32770") : nullptr;
        HWND next = wizard ? GetDlgItem(wizard, IDOK) : nullptr;
        const bool still = page && page == seen;
        seen = page;
        if (!still || page == done || !IsWindowVisible(page) || !IsWindowEnabled(next) ||
            FindChildOfClass(page, PROGRESS_CLASSA))
            continue;
        std::string texts;
        EnumChildWindows(page, AppendText, reinterpret_cast<LPARAM>(&texts));
        std::printf("%s\n", texts.c_str());
        done = page;
        PostMessageA(next, BM_CLICK, 0, 0);
    }
    const int result = ExpectCleanExit(info.hProcess);
    CloseHandle(info.hProcess);
    return result;
}

int ShowShortcut(const char* path) {
    wchar_t widePath[MAX_PATH] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH);
    char target[MAX_PATH] = "", arguments[1024] = "";
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
    CoInitialize(nullptr);
    const bool read =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(widePath, STGM_READ)) && SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
        SUCCEEDED(link->GetArguments(arguments, sizeof arguments));
    if (file) file->Release();
    if (link) link->Release();
    if (!read) {
        std::fprintf(stderr, "cannot read the shortcut %s\n", path);
        return 1;
    }
    std::printf("%s\t%s\n", target, arguments);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "saver") == 0) return RunSaver(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "settings") == 0) return RunSettings(argv[2], nullptr, 0);
    if (argc == 6 && std::strcmp(argv[1], "settings") == 0 &&
        std::strcmp(argv[3], "while-open") == 0) {
        return RunSettings(argv[2], argv[5], static_cast<DWORD>(std::strtoul(argv[4], nullptr, 10)));
    }
    if (argc == 4 && std::strcmp(argv[1], "walk") == 0) return WalkInstaller(argv[2], argv[3]);
    if (argc == 3 && std::strcmp(argv[1], "shortcut") == 0) return ShowShortcut(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "version") == 0) {
        std::printf("%s\n", ProgramResources(argv[2]).VersionValue("FileVersion").c_str());
        return 0;
    }
    std::fprintf(stderr,
                 "usage: installer_probe saver <file>\n"
                 "       installer_probe settings <file> [while-open <code> <command>]\n"
                 "       installer_probe walk <setup> <folder>\n"
                 "       installer_probe shortcut <file.lnk>\n"
                 "       installer_probe version <file>\n");
    return 1;
}
