#include "phrase_text_win32.h"

#include "animation/animation_state.h"
#include "animation/frame_cycle.h"

HFONT MakePhraseFont(int regionHeight)
{
    return CreateFontA(regionHeight / 7, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, VARIABLE_PITCH | FF_DONTCARE, "Times New Roman");
}

void PrepareStampText(HDC dc, HFONT font)
{
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, font);
    SetTextColor(dc, StampColour);
}

int LayOutPhrase(HDC dc, bool utf8, const char* phrase, RECT& rect, UINT format)
{
    if (!utf8)
        return DrawTextA(dc, phrase, -1, &rect, format);
    // No byte gives more than one UTF-16 unit, so a phrase the buffer of the
    // animation state holds fits here; a longer one shows nothing.
    WCHAR wide[PhraseCapacity + 1];
    if (MultiByteToWideChar(CP_UTF8, 0, phrase, -1, wide, PhraseCapacity + 1) == 0)
        wide[0] = L'\0';
    return DrawTextW(dc, wide, -1, &rect, format);
}
