// The frame cycle's drawing surface on the DirectDraw primary surface: pixels
// through a lock of the whole surface, the phrase through its GDI context.
#pragma once
#include <windows.h>
#include <ddraw.h>

// windows.h renames DrawText to DrawTextA; the surface's member keeps its name.
#undef DrawText
#include "animation/frame_cycle.h"
#include "animation/surface_recovery.h"

// State of one animation thread's use of the surface.
struct PrimarySurfaceUse {
    DDSURFACEDESC description;   // filled by each lock
    HDC textDc;                  // held between BeginText and EndText
    bool locked;                 // between a lock and its unlock
    bool textPrepared;           // font, colour and mode set on textDc
    bool utf8Phrases;            // phrases are UTF-8, laid out through their UTF-16 form
    const DrawRegion* region;    // where the passes draw; must lie inside the surface
};

// A surface that draws on PrimarySurface in PhraseFont, reading the phrases in
// the encoding of the phrase text; `use` must outlive it. A lock that finds
// the surface smaller than the region (restored for another display before
// the saver heard of it) draws nothing and counts as lost.
DrawingSurface PrimaryDrawingSurface(PrimarySurfaceUse& use, PhraseEncoding phraseEncoding,
                                     const DrawRegion* region);

// Asks for a lost primary surface back (context: the PrimarySurfaceUse). A
// surface made for another display mode, or back but smaller than the
// region, has to be made anew.
RestoreResult RestorePrimary(void* context);

// Gives back what a thread stopped in the middle of a pass left held: the
// text's device context and the lock.
void LetGoOfPrimary(PrimarySurfaceUse& use);
