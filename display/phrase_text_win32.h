// The phrase as GDI lays it out, on whatever device context a surface gives:
// the primary surface's, or a monitor picture's in memory.
#pragma once
#include <windows.h>

// A font of the phrase's face and a cell a seventh of `regionHeight`. Not
// antialiased: every glyph pixel has exactly the stamp colour.
HFONT MakePhraseFont(int regionHeight);

// Transparent text in the stamp colour and `font`. The font chosen before is
// not put back: the context belongs to the surface.
void PrepareStampText(HDC dc, HFONT font);

// Measures or draws the phrase with DrawText's `format`: ANSI phrases as
// they are, UTF-8 ones through their UTF-16 form, so the system does not
// read them in the ANSI code page.
int LayOutPhrase(HDC dc, bool utf8, const char* phrase, RECT& rect, UINT format);
