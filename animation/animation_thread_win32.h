// The animation thread: the frame cycle on the primary surface, without end.
#pragma once
#include <windows.h>

// parameter: the address of the AnimationState. Returns 0 when its heap, its
// growth mask or a lock of the surface fails; otherwise it runs until terminated.
DWORD WINAPI AnimationThreadProc(LPVOID parameter);
