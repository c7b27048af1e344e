#include "raster/bitmap.h"

#include "raster/bitmap_memory.h"

Bitmap* NewPic(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return nullptr;
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
        return nullptr;
    Bitmap* b = new (std::nothrow) Bitmap;
    if (!b)
        return nullptr;
    b->width = width;
    b->height = height;
    b->bitsPerPixel = bitsPerPixel;
    b->stride = DIBStride(width, bitsPerPixel);
    if (!AllocPicMemory(b)) {
        delete b;
        return nullptr;
    }
    return b;
}

Bitmap* NewRGBPic(int32_t width, int32_t height) { return NewPic(width, height, 24); }
Bitmap* NewRGBAPic(int32_t width, int32_t height) { return NewPic(width, height, 32); }

void DeletePic(Bitmap* bitmap)
{
    if (!bitmap)
        return;
    FreePicMemory(bitmap);
    delete bitmap;
}

int32_t DIBWidth(const Bitmap* bitmap) { return bitmap ? bitmap->width : 0; }
int32_t DIBHeight(const Bitmap* bitmap) { return bitmap ? bitmap->height : 0; }
