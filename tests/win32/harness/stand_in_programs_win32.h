// Stand-ins for the programs verdo.scr starts: the file explorer and the text
// editor. verdo.scr runs in its installation folder, and the system looks for
// a program in the current folder before its own folders, so a stand-in put
// there is the one that starts. A recording stand-in (a copy of this test
// program) notes every command line it is started with and stays, as an
// editor or a browser would; a broken one is no program at all, so it cannot
// be started.
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
