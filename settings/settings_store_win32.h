// The installation directory, verdo.ini and verdo.set.
#pragma once
#include <windows.h>

#include "settings/monitor_choice.h"

// Makes the registry's Install_Dir the current directory.
bool EnterInstallDirectory();

// Enters the installation directory and loads the phrases and the settings
// into the process-wide state. False ends the program silently.
bool LoadSettings();

// Writes the current settings to verdo.set in the current directory, through a
// temporary file so the previous settings survive a failed write. Returns
// ERROR_SUCCESS, or the system's error code of the step that failed.
DWORD SaveSettings();

// The choice for the monitors beside the main one, the DWORD "Monitors"
// beside Install_Dir: written by OK, read at every start.
MonitorChoice LoadMonitorChoice();
// ERROR_SUCCESS, or the system's error code.
DWORD SaveMonitorChoice(MonitorChoice choice);
