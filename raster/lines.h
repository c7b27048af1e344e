// One-pixel lines, XOR feedback outlines and single pixels on raw pixel rows.
//
// These work on a bitmap's rows directly (pixels = Bitmap::bits, bottom row first, height rows of
// stride bytes), as the screen and overlay code holds them: ZeroLine, ZeroLineXor, ZeroRectXor and
// GetMyPixel take 24-bit rows; the alpha-named ones take 32-bit rows.  Coordinates count y from the
// top line.  Every pixel drawn is clipped to the rows (x below stride / bytes per pixel, y below
// height) and to the clip rectangle when one is given (right and bottom exclusive), so nothing outside
// the buffer is touched however far the end points lie.  Lines include both end points and visit
// each pixel once, so drawing an XOR line or outline twice restores the picture.  Colours are
// 0x00RRGGBB.  The drawing calls return 1, or 0 for a null or impossible buffer.
#pragma once
#include <cstdint>

#include "raster/bitmap.h"
#include "raster/pic_rect.h"

int ZeroLine(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
             Colour colour, const PicRect* clip);
// Writes the colour with alpha 255.
int AlphaZeroLine(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                  int32_t y2, Colour colour, const PicRect* clip);
// XOR the colour into the pixels (alpha stays as it is).
int ZeroLineXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2, Colour colour, const PicRect* clip);
int alphaZeroLineXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2, Colour colour, const PicRect* clip);
// XOR outline of the rectangle whose corners are the pixels (x1, y1) and (x2, y2), both included.
int ZeroRectXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2, Colour colour, const PicRect* clip);
int alphaZeroRectXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2, Colour colour, const PicRect* clip);

// A pixel as 0x00RRGGBB (GetMyPixel, 24-bit rows) or 0xAARRGGBB (GetAlphaPixel, 32-bit rows); 0 for a
// point outside the rows or a null buffer.
Colour GetMyPixel(const uint8_t* pixels, int32_t height, int32_t stride, int32_t x, int32_t y);
uint32_t GetAlphaPixel(const uint8_t* pixels, int32_t height, int32_t stride, int32_t x, int32_t y);

// One-bit rows (monochrome masks: leftmost pixel in the high bit of each byte, rows bottom first as
// in every bitmap): set or clear one pixel, or a line of them.
int SetBWPixel(uint8_t* pixels, int32_t height, int32_t stride, int32_t x, int32_t y, int32_t on);
int LineBW(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
           int32_t on, const PicRect* clip);
