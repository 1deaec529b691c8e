// Starting verdo.scr and making sure it ends.
#pragma once
#include <windows.h>

#include <string>

// The program under test, as a Windows path. main() sets it from its first
// argument (a Unix path is turned into the Windows path Wine maps it to).
void SetSaverProgramPath(const std::string& windowsPath);
const std::string& SaverProgramPath();
std::string WindowsPathFromArgument(const char* argument);

// One run of verdo.scr. The destructor kills the process if it still runs,
// so a failing case never leaves a saver behind for the next one.
class SaverProcess {
public:
    SaverProcess() = default;
    ~SaverProcess();
    SaverProcess(const SaverProcess&) = delete;
    SaverProcess& operator=(const SaverProcess&) = delete;

    // Starts `"<program>" <arguments>` with CreateProcessA, once the previous
    // run (if any) has ended. The current directory is an empty folder of its
    // own unless one is given, so files are only ever found through the
    // installation directory.
    bool Start(const std::string& arguments, const std::string& currentDirectory = "");
    // The same, but the process waits at its first instruction until Resume:
    // several starts can then be let go at the same moment.
    bool StartSuspended(const std::string& arguments);
    void Resume();

    bool Started() const { return process_ != nullptr; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_; }
    bool IsRunning() const;

    // Waits (pumping messages) until the process has ended; false on timeout.
    bool WaitForExit(DWORD timeoutMs);
    // The exit code once ended; STILL_ACTIVE while running.
    DWORD ExitCode() const;
    // Terminates the process if it runs and waits for it to be gone.
    void Kill();

private:
    bool Start(const std::string& arguments, const std::string& currentDirectory, bool suspended);

    HANDLE process_ = nullptr;
    HANDLE suspendedThread_ = nullptr;
    DWORD id_ = 0;
};

// What a run showed: its exit code (STILL_ACTIVE if it had to be killed) and
// whether any top-level window of it became visible on the way.
struct RunObservation {
    DWORD exitCode = STILL_ACTIVE;
    bool showedWindow = false;
};
RunObservation RunWatchingWindows(const std::string& arguments, DWORD timeoutMs);
