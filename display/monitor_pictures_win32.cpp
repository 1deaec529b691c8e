#include "monitor_pictures_win32.h"

#include "display/phrase_text_win32.h"

namespace {

MonitorPicture& Picture(void* context)
{
    return *static_cast<MonitorPicture*>(context);
}

// What the passes draw at: the screen's own depth, so a colour looks as on
// the primary.
uint32_t PictureBitCount()
{
    HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits == 16 || bits == 24 ? static_cast<uint32_t>(bits) : 32;
}

// A top-down bitmap; 16 bits as 5-6-5, as the passes read them.
struct PictureFormat {
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

PictureFormat FormatOf(int32_t width, int32_t height, uint32_t bitCount)
{
    PictureFormat format;
    ZeroMemory(&format, sizeof format);
    format.header.biSize = sizeof format.header;
    format.header.biWidth = width;
    format.header.biHeight = -height;
    format.header.biPlanes = 1;
    format.header.biBitCount = static_cast<WORD>(bitCount);
    format.header.biCompression = bitCount == 16 ? BI_BITFIELDS : BI_RGB;
    format.masks[0] = 0xF800;
    format.masks[1] = 0x07E0;
    format.masks[2] = 0x001F;
    return format;
}

// The memory never goes away; GDI's drawing is flushed before the passes
// touch the bits.
SurfaceAccess LockPicture(void* context, PixelBuffer* pixels)
{
    const MonitorPicture& picture = Picture(context);
    GdiFlush();
    pixels->base = picture.bits;
    pixels->pitch = picture.pitch;
    pixels->bitCount = picture.bitCount;
    return SurfaceAccess::Ready;
}

void UnlockPicture(void*) {}

SurfaceAccess BeginText(void*)
{
    return SurfaceAccess::Ready;
}

void Blacken(void* context, const DrawRegion& region)
{
    PatBlt(Picture(context).dc, region.left, region.top, region.right - region.left, region.bottom - region.top,
           BLACKNESS);
}

int32_t MeasureText(void* context, const char* phrase, const ScreenRect& box)
{
    const MonitorPicture& picture = Picture(context);
    RECT measured = {box.left, box.top, box.right, box.bottom};
    return LayOutPhrase(picture.dc, picture.utf8Phrases, phrase, measured, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
}

void DrawText(void* context, const char* phrase, const ScreenRect& box)
{
    const MonitorPicture& picture = Picture(context);
    RECT drawn = {box.left, box.top, box.right, box.bottom};
    LayOutPhrase(picture.dc, picture.utf8Phrases, phrase, drawn, DT_WORDBREAK | DT_CENTER);
}

void EndText(void*)
{
    GdiFlush();
}

// Only the part the pass touched goes to the screen. A cover gone with a
// display change takes no copy: its context is not had.
void Show(void* context, const ScreenRect& part)
{
    const MonitorPicture& picture = Picture(context);
    HDC window = GetDC(picture.cover);
    if (window == nullptr)
        return;
    BitBlt(window, part.left, part.top, part.right - part.left, part.bottom - part.top, picture.dc, part.left,
           part.top, SRCCOPY);
    ReleaseDC(picture.cover, window);
}

}  // namespace

bool MakeMonitorPicture(MonitorPicture& picture, HWND cover, PhraseEncoding phraseEncoding)
{
    ZeroMemory(&picture, sizeof picture);
    RECT area = {};
    if (!GetClientRect(cover, &area) || area.right <= 0 || area.bottom <= 0)
        return false;
    picture.cover = cover;
    picture.width = area.right;
    picture.height = area.bottom;
    picture.bitCount = PictureBitCount();
    picture.pitch = static_cast<int32_t>(((picture.width * picture.bitCount + 31) / 32) * 4);
    picture.utf8Phrases = phraseEncoding == PhraseEncoding::Utf8;
    const PictureFormat format = FormatOf(picture.width, picture.height, picture.bitCount);
    void* bits = nullptr;
    picture.dc = CreateCompatibleDC(nullptr);
    if (picture.dc != nullptr)
        picture.bitmap = CreateDIBSection(picture.dc, reinterpret_cast<const BITMAPINFO*>(&format), DIB_RGB_COLORS,
                                          &bits, nullptr, 0);
    if (picture.bitmap == nullptr || bits == nullptr) {
        ReleaseMonitorPicture(picture);
        return false;
    }
    picture.bits = static_cast<uint8_t*>(bits);   // zero-filled: black
    picture.firstBitmap = SelectObject(picture.dc, picture.bitmap);
    picture.font = MakePhraseFont(picture.height);
    PrepareStampText(picture.dc, picture.font);
    return true;
}

void ReleaseMonitorPicture(MonitorPicture& picture)
{
    // Neither is deleted while chosen into the context.
    if (picture.dc != nullptr && picture.firstBitmap != nullptr)
        SelectObject(picture.dc, picture.firstBitmap);
    if (picture.dc != nullptr)
        SelectObject(picture.dc, GetStockObject(SYSTEM_FONT));
    if (picture.bitmap != nullptr)
        DeleteObject(picture.bitmap);
    if (picture.dc != nullptr)
        DeleteDC(picture.dc);
    if (picture.font != nullptr)
        DeleteObject(picture.font);
    ZeroMemory(&picture, sizeof picture);
}

MonitorLane MonitorPictureLane(MonitorPicture& picture)
{
    MonitorLane lane;
    ZeroMemory(&lane, sizeof lane);
    lane.region = DrawRegion{0, 0, picture.width, picture.height, 0, 0};
    lane.surface.context = &picture;
    lane.surface.Lock = LockPicture;
    lane.surface.Unlock = UnlockPicture;
    lane.surface.BeginText = BeginText;
    lane.surface.Blacken = Blacken;
    lane.surface.MeasureText = MeasureText;
    lane.surface.DrawText = DrawText;
    lane.surface.EndText = EndText;
    lane.Show = Show;
    lane.showContext = &picture;
    return lane;
}
