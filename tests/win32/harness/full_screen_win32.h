// Starting and watching a full-screen (/s) run.
#pragma once
#include <windows.h>

#include <functional>

#include "harness/animation_colours_win32.h"
#include "harness/saver_process_win32.h"

// Parks the pointer at (0, 0), where its reports leave the saver's movement
// anchor unset, starts `/s` (or other arguments) and waits for the visible
// saver window; null if it did not come.
HWND StartFullScreen(SaverProcess& saver, const char* arguments = "/s");

// Ends a run with a key press, the way a user would; true when it ended.
bool EndWithKey(SaverProcess& saver);
// Ends a run started by StartFullScreen with two mouse moves, each one taken
// by the saver before the next is made: the first, to (300, 300), only sets
// its anchor; the second, 100 pixels to the right, ends it. True when it
// ended; `msAfterMove`, if given, gets the time from the second move to the end.
bool EndWithMove(SaverProcess& saver, DWORD* msAfterMove = nullptr);
// The saver has taken every input report sent to it so far and still runs a
// second later, when a run it decided to end would long have ended.
bool StillRunsAfterInput(SaverProcess& saver);

// Captures the whole screen until `wanted` holds for a snapshot, offering
// every snapshot to `inspect` first; false when the bound passed.
bool WatchScreen(unsigned timeoutMs, const std::function<void(const Snapshot&)>& inspect,
                 const std::function<bool()>& wanted);

// A phrase stands stamped on the screen (over 20 pixels in the stamp colour)
// within the bound.
bool WaitForStamp(unsigned timeoutMs);
// Some pixel of the screen changes within the bound.
bool ScreenChangesWithin(unsigned timeoutMs);
// The screen has stood still for `stillMs` in a row, within the bound.
bool WaitForStillScreen(unsigned stillMs, unsigned timeoutMs);
