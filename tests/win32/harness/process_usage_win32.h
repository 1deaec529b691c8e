// What a running process holds: its private memory and its handles.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

struct ProcessUsage {
    SIZE_T privateBytes;
    DWORD handles;
};

// False when the system does not tell.
bool ReadProcessUsage(HANDLE process, ProcessUsage& usage);

// Processor time, in milliseconds, that the process's threads now running
// have used so far, or -1 when the system does not tell. Counted thread by
// thread: Wine answers the query for another process's times with zeros.
double ProcessorMs(DWORD processId);
// The processor time the process uses over the next `ms` of wall time.
double ProcessorMsOver(DWORD processId, DWORD ms);

// Keeps every core busy at normal priority for the object's life, as any
// program that computes would: an idle-priority thread then gets no time.
class BusyCores {
public:
    BusyCores();
    ~BusyCores();

private:
    std::atomic<bool> stop_{false};
    std::vector<std::thread> spinners_;
};
