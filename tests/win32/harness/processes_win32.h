// Processes a case starts, the processes they start in turn, and the
// animation thread inside verdo.scr.
#pragma once
#include <windows.h>

#include <vector>

// Processes started by `parentId` (the editor, the explorer, the shell's
// browser); an empty name matches any.
std::vector<DWORD> ChildProcesses(DWORD parentId, const char* exeName = "");

// The animation thread is the one thread of the process at idle priority;
// null when there is none. The handle may suspend, resume, terminate and
// query the thread.
HANDLE OpenAnimationThread(DWORD processId);

// Ends the animation thread from outside where it stands in the program's own
// code, as the program itself does: ended inside a system call it would take
// a lock with it that the rest of the program may still need. False when
// there is no such thread or it did not end.
bool EndAnimationThread(DWORD processId);

// The thread's suspension count, read by suspending it once more and
// resuming at once; -1 when there is no animation thread.
int SuspensionCount(DWORD processId);

// A job object that ends every process in it, and every process those start,
// when it is closed: at the end of a case, or when the test program itself
// ends in whatever way. Nothing a case started outlives it.
class ProcessJob {
public:
    ProcessJob();
    ~ProcessJob() { Close(); }
    ProcessJob(const ProcessJob&) = delete;
    ProcessJob& operator=(const ProcessJob&) = delete;

    // Puts a process into the job; best started suspended, so that it cannot
    // start others before it belongs to the job.
    bool Adopt(HANDLE process);
    // Ends everything in the job and waits (bounded) until it is gone.
    void Close();

private:
    HANDLE job_ = nullptr;
    std::vector<HANDLE> adopted_;
};

// The job of the running case, or null between cases. Processes the harness
// starts join it.
ProcessJob* CaseJob();
void SetCaseJob(ProcessJob* job);
