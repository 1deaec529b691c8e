#include "ddraw_surface_win32.h"

#include "animation/shared_read.h"
#include "display/display_state_win32.h"
#include "display/phrase_text_win32.h"
#include "display/surface_faults_win32.h"

namespace {
PrimarySurfaceUse& Use(void* context)
{
    return *static_cast<PrimarySurfaceUse*>(context);
}

SurfaceAccess AccessOf(HRESULT result)
{
    if (result == DD_OK)
        return SurfaceAccess::Ready;
    return result == DDERR_SURFACELOST ? SurfaceAccess::Lost : SurfaceAccess::Refused;
}

// The region lies wholly inside a surface of this size; the primary
// surface starts at the screen's (0, 0).
bool Holds(const DDSURFACEDESC& description, const DrawRegion& region)
{
    return region.left >= 0 && region.top >= 0 && region.right <= static_cast<int32_t>(description.dwWidth) &&
           region.bottom <= static_cast<int32_t>(description.dwHeight);
}

SurfaceAccess LockPrimary(void* context, PixelBuffer* pixels)
{
    PrimarySurfaceUse& use = Use(context);
    DDSURFACEDESC& description = use.description;
    HRESULT locked = InjectedSurfaceResult(SurfaceCall::Lock);
    if (locked == DD_OK)
        locked = PrimarySurface->Lock(nullptr, &description, DDLOCK_WAIT, nullptr);
    const SurfaceAccess access = AccessOf(locked);
    if (access != SurfaceAccess::Ready)
        return access;
    JudgeDescription(description);
    if (!Holds(description, ReadSharedRegion(*use.region))) {
        PrimarySurface->Unlock(nullptr);
        return SurfaceAccess::Lost;
    }
    use.locked = true;
    pixels->base = static_cast<uint8_t*>(description.lpSurface);
    pixels->pitch = description.lPitch;
    pixels->bitCount = description.ddpfPixelFormat.dwRGBBitCount;
    return SurfaceAccess::Ready;
}

void UnlockPrimary(void* context)
{
    PrimarySurface->Unlock(nullptr);
    Use(context).locked = false;
}

SurfaceAccess BeginText(void* context)
{
    PrimarySurfaceUse& use = Use(context);
    use.textPrepared = false;
    use.textDc = nullptr;
    HRESULT got = InjectedSurfaceResult(SurfaceCall::GetDC);
    if (got == DD_OK)
        got = PrimarySurface->GetDC(&use.textDc);
    const SurfaceAccess access = AccessOf(got);
    if (access != SurfaceAccess::Ready)
        use.textDc = nullptr;
    return access;
}

void PrepareText(PrimarySurfaceUse& use)
{
    if (use.textPrepared)
        return;
    PrepareStampText(use.textDc, PhraseFont);
    use.textPrepared = true;
}

void Blacken(void* context, const DrawRegion& region)
{
    PrimarySurfaceUse& use = Use(context);
    // Edges far apart on a wide desktop: the sizes are taken in 64 bits.
    const int32_t width = SaturatedSize(int64_t{region.right} - region.left);
    const int32_t height = SaturatedSize(int64_t{region.bottom} - region.top);
    BitBlt(use.textDc, region.left, region.top, width, height, use.textDc, 0, 0, BLACKNESS);
    PrepareText(use);
}

RECT RectOf(const ScreenRect& box)
{
    RECT rect = {box.left, box.top, box.right, box.bottom};
    return rect;
}

int32_t MeasureText(void* context, const char* phrase, const ScreenRect& box)
{
    PrimarySurfaceUse& use = Use(context);
    PrepareText(use);
    RECT measured = RectOf(box);
    return LayOutPhrase(use.textDc, use.utf8Phrases, phrase, measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
}

void DrawText(void* context, const char* phrase, const ScreenRect& box)
{
    PrimarySurfaceUse& use = Use(context);
    PrepareText(use);
    RECT drawn = RectOf(box);
    LayOutPhrase(use.textDc, use.utf8Phrases, phrase, drawn, DT_WORDBREAK | DT_CENTER);
}

void EndText(void* context)
{
    PrimarySurfaceUse& use = Use(context);
    if (use.textDc != nullptr)
        PrimarySurface->ReleaseDC(use.textDc);
    use.textDc = nullptr;
}
}

DrawingSurface PrimaryDrawingSurface(PrimarySurfaceUse& use, PhraseEncoding phraseEncoding, const DrawRegion* region)
{
    use.region = region;
    ZeroMemory(&use.description, sizeof use.description);
    use.description.dwSize = sizeof(DDSURFACEDESC);
    use.textDc = nullptr;
    use.textPrepared = false;
    use.locked = false;
    use.utf8Phrases = phraseEncoding == PhraseEncoding::Utf8;
    DrawingSurface surface;
    surface.context = &use;
    surface.Lock = LockPrimary;
    surface.Unlock = UnlockPrimary;
    surface.BeginText = BeginText;
    surface.Blacken = Blacken;
    surface.MeasureText = MeasureText;
    surface.DrawText = DrawText;
    surface.EndText = EndText;
    return surface;
}

RestoreResult RestorePrimary(void* context)
{
    HRESULT restored = InjectedSurfaceResult(SurfaceCall::Restore);
    if (restored == DD_OK)
        restored = PrimarySurface->Restore();
    if (restored == DDERR_WRONGMODE)
        return RestoreResult::NeedsNewSurface;
    if (restored != DD_OK)
        return RestoreResult::NotYet;
    // The description may differ after a restore.
    DDSURFACEDESC description;
    ZeroMemory(&description, sizeof description);
    description.dwSize = sizeof description;
    if (PrimarySurface->GetSurfaceDesc(&description) != DD_OK)
        return RestoreResult::NotYet;
    JudgeDescription(description);
    return Holds(description, ReadSharedRegion(*Use(context).region)) ? RestoreResult::Restored
                                                                         : RestoreResult::NeedsNewSurface;
}

void LetGoOfPrimary(PrimarySurfaceUse& use)
{
    if (use.textDc != nullptr)
        EndText(&use);
    if (use.locked)
        UnlockPrimary(&use);
}
