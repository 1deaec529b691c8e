// Starts a command line as a new process and lets it go.
#pragma once

// Returns false when the process could not be started; nothing is reported.
bool StartDetachedProcess(const char* commandLine);
