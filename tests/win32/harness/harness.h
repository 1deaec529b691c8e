// Helpers for end-to-end tests that drive the real verdo.scr under Wine.
//
// The test program is started as `verdo_e2e_tests <path of verdo.scr>`;
// main() (e2e_main_win32.cpp) keeps that path for SaverProcess. Include this
// header and derive cases from SaverCase (saver_case_win32.h), which gives a
// fresh installation folder registered as Install_Dir and cleans up after.
//
//   installation_win32.h  folder per case, verdo.ini / verdo.set bytes, read back
//   registry_win32.h      Install_Dir, padded paths, Wine switches for verdo.scr, prefix clean-up
//   saver_process_win32.h start verdo.scr, wait for its exit code, kill leftovers
//   processes_win32.h     the case's job, child processes, command lines, the animation thread
//   program_resources_win32.h  verdo.scr's bitmap, dialog template, strings and version, read from the file
//   windows_win32.h       find its windows and message boxes, press their buttons
//   waiting_win32.h       WaitUntil(condition, bound): never sleep blindly
//   input_win32.h         real mouse and keyboard input (SendInput)
//   screen_win32.h        read the screen back, count matching pixels, compare
//   animation_colours_win32.h  the saver's levels as read back at 16, 24 and 32 bits
//   host_window_win32.h   a preview host window for /p
//   stand_in_programs_win32.h  explorer.exe / notepad.exe stand-ins that record or cannot start
//   display_win32.h       display modes and DirectDraw's primary surface depth
//   display_change_watch_win32.h  every display-mode change announced meanwhile
//   monitors_win32.h      the monitors (primary first), a window of one colour on one
//   setup_fault_win32.h   run the test build that fails a display set-up step
#pragma once
#include "harness/animation_colours_win32.h"
#include "harness/display_change_watch_win32.h"
#include "harness/display_win32.h"
#include "harness/host_window_win32.h"
#include "harness/input_win32.h"
#include "harness/installation_win32.h"
#include "harness/monitors_win32.h"
#include "harness/processes_win32.h"
#include "harness/program_resources_win32.h"
#include "harness/registry_win32.h"
#include "harness/saver_case_win32.h"
#include "harness/saver_process_win32.h"
#include "harness/screen_win32.h"
#include "harness/setup_fault_win32.h"
#include "harness/stand_in_programs_win32.h"
#include "harness/waiting_win32.h"
#include "harness/windows_win32.h"
