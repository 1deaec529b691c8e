// The program's main function.
#pragma once
#include <windows.h>

// Runs the saver in the mode its argument text asks for; returns the exit code.
int SaverMain(HINSTANCE instance, HINSTANCE previousInstance, const char* argumentText, int showCommand);
