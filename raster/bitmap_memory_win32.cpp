#include <windows.h>

#include "raster/bitmap_memory.h"

bool AllocPicMemory(Bitmap* b)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = b->width;
    info.bmiHeader.biHeight = b->height;  // positive: bottom-up rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(b->bitsPerPixel);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section)
            DeleteObject(section);
        return false;
    }
    // A new section is zero-filled by the system.
    b->bits = static_cast<uint8_t*>(bits);
    b->native = section;
    return true;
}

void FreePicMemory(Bitmap* b)
{
    if (b->native)
        DeleteObject(static_cast<HBITMAP>(b->native));
    b->native = nullptr;
    b->bits = nullptr;
}
