// Processes a case starts, the processes they start in turn, and the
// animation thread inside verdo.scr.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Processes started by `parentId` (the editor, the explorer, the shell's
// browser); an empty name matches any.
std::vector<DWORD> ChildProcesses(DWORD parentId, const char* exeName = "");

// The animation thread, the one thread of the process at idle priority, with
// every right on it; null when there is none.
HANDLE OpenAnimationThread(DWORD processId);

// Ends the animation thread where it stands in the program's own code, as the
// program does (inside a system call it would take a lock with it); false
// when there is none or it did not end.
bool EndAnimationThread(DWORD processId);

// The thread's suspension count, read by suspending it once more and
// resuming at once; -1 when there is no animation thread.
int SuspensionCount(DWORD processId);

// Where the animation thread stands and how often it is suspended, such as
// "suspended 1 time(s), at ntdll.dll+0x1234": for the message of a hang.
std::string DescribeAnimationThread(DWORD processId);

// A job that ends every process in it, and those they start, when closed: at
// the end of a case, or when the test program ends in whatever way.
class ProcessJob {
public:
    ProcessJob();
    ~ProcessJob() { Close(); }
    ProcessJob(const ProcessJob&) = delete;
    ProcessJob& operator=(const ProcessJob&) = delete;

    // Best given a process started suspended, before it can start others.
    bool Adopt(HANDLE process);
    // Ends everything in the job and waits (bounded) until it is gone.
    void Close();

private:
    HANDLE job_ = nullptr;
    std::vector<HANDLE> adopted_;
};

// The running case's job, which processes the harness starts join.
ProcessJob* CaseJob();
void SetCaseJob(ProcessJob* job);
