// Whether the screen shows what a child window of another process paints.
// Under Wine 8 such a child draws into a surface of its own that never
// reaches the screen, so a /p preview cannot be read back there; cases that
// look at the preview's pixels ask this first and skip with the reason.
//
// The probe starts this test program again as a helper that puts a child
// window into a host window of ours and paints it a known colour.
#pragma once
#include <windows.h>

// Answered once per run (a helper process start costs about a second).
bool CrossProcessChildPaintReachesScreen();

// The helper's side: when the arguments ask for it, runs the painting child
// and returns true (main then ends); false for a normal test run.
bool RunChildPaintHelperIfAsked(int argc, char** argv);
