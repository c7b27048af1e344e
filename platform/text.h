// Text drawn into bitmaps with the system's fonts.
#pragma once
#include <cstdint>

#include "platform/geometry.h"
#include "raster/bitmap.h"

namespace platform {

struct Font;

// Null when the font cannot be made.
Font* NewFont(const char* face, int height, bool bold);
void DeleteFont(Font* font);
int32_t TextWidth(Font* font, const char* text, int length);
int32_t TextHeight(Font* font);
// Draws text with its cell's top-left at (x, y), clipped to clip and to the bitmap; no background.
void PaintText(Bitmap* target, const Rect& clip, int32_t x, int32_t y, const char* text, int length, Font* font,
              Colour colour);

}  // namespace platform
