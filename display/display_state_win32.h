// The display objects held for the whole process once the set-up succeeded.
#pragma once
#include <windows.h>
#include <ddraw.h>

extern IDirectDrawSurface3* PrimarySurface;   // drawn on by the animation thread only
extern HFONT PhraseFont;                      // the phrases are laid out in it
