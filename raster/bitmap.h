// Bitmaps of the raster block library.
//
// A bitmap is the picture type every part of the program shares: layers, the composite, thumbnails,
// skins, papers and tips.  Pixels are 24 bits (blue, green, red) or 32 bits (blue, green, red, alpha
// with 0 transparent and 255 opaque), rows bottom-up (row 0 in memory is the bottom line of the
// picture), each row padded to a multiple of 4 bytes: exactly the layout of a BMP file, the clipboard
// and a Windows DIB section.  In the Windows build the pixels live in a DIB section, so GDI can draw
// text into a bitmap and the screen buffer reaches a window with one BitBlt; elsewhere they live on
// the heap.  Whoever creates a bitmap owns it and frees it with DeletePic.
#pragma once
#include <cstddef>
#include <cstdint>

struct Bitmap {
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 0;   // 24 or 32
    int32_t stride = 0;         // bytes per row, a multiple of 4
    uint8_t* bits = nullptr;    // bottom row first
    void* native = nullptr;     // the DIB section handle in the Windows build, else null
};

// Colour value: 0x00RRGGBB, blue in the low byte, the byte order of a pixel without alpha.
using Colour = uint32_t;

// Largest side we accept for any bitmap; keeps width × height × 4 well inside 32-bit sizes.
constexpr int32_t kMaxBitmapSide = 30000;

// Bytes per row for a width and depth: ((width × bits + 31) >> 3) & ~3.
inline int32_t DIBStride(int32_t width, int32_t bitsPerPixel)
{
    return static_cast<int32_t>(((static_cast<int64_t>(width) * bitsPerPixel + 31) >> 3) & ~int64_t{3});
}

// New bitmaps, all pixels zero (black; transparent for RGBA).  Null when a side is not positive, too
// large, or memory runs out.
Bitmap* NewRGBPic(int32_t width, int32_t height);
Bitmap* NewRGBAPic(int32_t width, int32_t height);
Bitmap* NewPic(int32_t width, int32_t height, int32_t bitsPerPixel);
void DeletePic(Bitmap* bitmap);

// Row y counted from the top of the picture (y = 0 is the top line).
inline uint8_t* PicRow(const Bitmap* b, int32_t y)
{
    return b->bits + static_cast<size_t>(b->height - 1 - y) * static_cast<size_t>(b->stride);
}
inline uint8_t* PicPixel(const Bitmap* b, int32_t x, int32_t y)
{
    return PicRow(b, y) + static_cast<size_t>(x) * static_cast<size_t>(b->bitsPerPixel / 8);
}
inline size_t PicBytes(const Bitmap* b)
{
    return static_cast<size_t>(b->stride) * static_cast<size_t>(b->height);
}

int32_t DIBWidth(const Bitmap* bitmap);
int32_t DIBHeight(const Bitmap* bitmap);
