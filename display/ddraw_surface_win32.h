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
    bool textPrepared;           // font, colour and mode set on textDc
    bool utf8Phrases;            // phrases are UTF-8, laid out through their UTF-16 form
};

// A surface that draws on PrimarySurface in PhraseFont, reading the phrases in
// the encoding of the phrase text; `use` must outlive it.
DrawingSurface PrimaryDrawingSurface(PrimarySurfaceUse& use, PhraseEncoding phraseEncoding);
