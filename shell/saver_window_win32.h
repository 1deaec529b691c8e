// The saver window: class "Verdo", its reaction to the user, the preview picture.
#pragma once
#include <windows.h>

const char SaverClassName[] = "Verdo";

// 1 when the class was registered, else 0.
int RegisterSaverClass(HINSTANCE instance);

LRESULT CALLBACK SaverWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The bitmap "VERDO" stretched over the window; only in Preview mode.
void PaintPreview(HWND window);
