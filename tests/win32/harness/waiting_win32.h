// Bounded waiting for the end-to-end tests. Every wait pumps the test
// thread's messages, so windows of the test process (a preview host, say)
// keep answering the cross-process messages verdo.scr sends them.
#pragma once
#include <windows.h>

#include <functional>

// Handles every message queued for this thread.
void PumpMessages();

// Polls the condition every pollMs until it holds (true) or timeoutMs has
// passed (false), pumping messages in between. Also the way to show that
// something does NOT happen within a bound: expect false.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs = 20);
