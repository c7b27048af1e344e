// The box around the painted pixels of a layer: what saving trims it to.
#pragma once
#include "raster/bitmap.h"
#include "raster/pic_rect.h"

// The smallest rectangle (y counted from the top) holding every pixel of a 32-bit bitmap whose
// alpha is not 0.  1 with the rectangle; 0 when nothing is painted or the bitmap is not 32-bit.
int PaintedBounds(const Bitmap* bitmap, PicRect* box);
