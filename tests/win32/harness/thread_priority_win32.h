// The priorities of another process's threads, as the system keeps them.
#pragma once
#include <windows.h>

#include <vector>

// The priority of each thread the process has now (GetThreadPriority values);
// empty when the process has ended or its threads cannot be read.
std::vector<int> ThreadPriorities(DWORD processId);
