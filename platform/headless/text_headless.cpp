// Without a font engine every visible character is drawn as a solid block in its cell, which keeps
// widths, heights and the places text covers the same shape as real text for the tests.
#include <algorithm>
#include <cctype>
#include <new>

#include "platform/text.h"

namespace platform {

struct Font {
    int height;
};

Font* NewFont(const char*, int height, bool) { return new (std::nothrow) Font{std::max(height, 1)}; }

void DeleteFont(Font* font) { delete font; }

int32_t TextHeight(Font* font) { return font ? font->height : 0; }

int32_t TextWidth(Font* font, const char* text, int length)
{
    return font && text && length > 0 ? (font->height / 2) * length : 0;
}

void PaintText(Bitmap* target, const Rect& clip, int32_t x, int32_t y, const char* text, int length, Font* font,
              Colour colour)
{
    if (!target || !font || !text)
        return;
    Rect area = Intersect(clip, {0, 0, target->width, target->height});
    int cell = font->height / 2;
    int bytes = target->bitsPerPixel / 8;
    for (int i = 0; i < length; ++i) {
        if (std::isspace(static_cast<unsigned char>(text[i])))
            continue;
        Rect glyph = Intersect(area, {x + i * cell, y + font->height / 4, x + (i + 1) * cell - 1, y + font->height});
        for (int32_t py = glyph.top; py < glyph.bottom; ++py)
            for (int32_t px = glyph.left; px < glyph.right; ++px) {
                uint8_t* p = PicPixel(target, px, py);
                p[0] = colour & 255;
                p[1] = (colour >> 8) & 255;
                p[2] = (colour >> 16) & 255;
                if (bytes == 4)
                    p[3] = 255;
            }
    }
}

}  // namespace platform
