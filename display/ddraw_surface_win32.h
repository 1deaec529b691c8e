// The frame cycle's drawing surface on the DirectDraw primary surface: pixels
// through a lock of the whole surface, the phrase through its GDI context.
#pragma once
#include <windows.h>
#include <ddraw.h>

// windows.h renames DrawText to DrawTextA; the surface's member keeps its name.
#undef DrawText
#include "animation/frame_cycle.h"

// State of one animation thread's use of the surface.
struct PrimarySurfaceUse {
    DDSURFACEDESC description;   // filled by each lock
    HDC textDc;                  // held between BeginText and EndText
    bool locked;                 // between a lock and its unlock
    bool textPrepared;           // font, colour and mode set on textDc
    bool utf8Phrases;            // phrases are UTF-8, laid out through their UTF-16 form
};

// A surface that draws on PrimarySurface in PhraseFont, reading the phrases in
// the encoding of the phrase text; `use` must outlive it.
DrawingSurface PrimaryDrawingSurface(PrimarySurfaceUse& use, PhraseEncoding phraseEncoding);

// Asks for a lost primary surface back; true once it can be drawn on again.
// A surface made before a change of display mode cannot come back (it must be
// made anew for the new mode): that stays false.
bool RestorePrimary();

// Gives back what a thread stopped in the middle of a pass left held: the
// text's device context and the lock.
void LetGoOfPrimary(PrimarySurfaceUse& use);
