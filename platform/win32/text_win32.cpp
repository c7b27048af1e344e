// GDI text drawn straight into the DIB section behind a bitmap.
#include <windows.h>

#include <new>

#include "platform/text.h"

namespace platform {

struct Font {
    HFONT handle;
    int height;
};

Font* NewFont(const char* face, int height, bool bold)
{
    HFONT handle = CreateFontA(-height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH, face);
    if (!handle)
        return nullptr;
    Font* font = new (std::nothrow) Font{handle, height};
    if (!font)
        DeleteObject(handle);
    return font;
}

void DeleteFont(Font* font)
{
    if (!font)
        return;
    DeleteObject(font->handle);
    delete font;
}

int32_t TextHeight(Font* font) { return font ? font->height : 0; }

int32_t TextWidth(Font* font, const char* text, int length)
{
    if (!font || !text || length <= 0)
        return 0;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font->handle);
    SIZE size{};
    GetTextExtentPoint32A(dc, text, length, &size);
    SelectObject(dc, old);
    DeleteDC(dc);
    return size.cx;
}

void PaintText(Bitmap* target, const Rect& clip, int32_t x, int32_t y, const char* text, int length, Font* font,
              Colour colour)
{
    if (!target || !target->native || !font || !text || length <= 0)
        return;
    Rect area = Intersect(clip, {0, 0, target->width, target->height});
    if (area.Empty())
        return;
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, static_cast<HBITMAP>(target->native));
    HGDIOBJ oldFont = SelectObject(dc, font->handle);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB((colour >> 16) & 255, (colour >> 8) & 255, colour & 255));
    TextOutA(dc, x, y, text, length);
    GdiFlush();
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);
}

}  // namespace platform
