// Stand-ins for the explorer and the editor verdo.scr starts. The system looks
// in the current folder, the installation's, before its own folders. A
// recording stand-in (a copy of this test program) notes each command line it
// is started with and stays, as an editor would; a broken one cannot start.
#pragma once
#include <string>
#include <vector>

#include "harness/installation_win32.h"

enum class StandInKind { Recording, Broken };

// Puts "<name>.exe" (say "explorer") into the installation folder.
bool PlaceStandIn(TestInstallation& installation, const std::string& name, StandInKind kind);

// The command lines the recording stand-in was started with, in order.
std::vector<std::string> StandInStarts(const TestInstallation& installation, const std::string& name);

// The stand-in's side: when this test program was started as a stand-in,
// notes its command line, waits to be ended and returns true (main then
// ends); false for a normal test run.
bool RunAsStandInIfSo();
