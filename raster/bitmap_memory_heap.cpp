#include <cstdlib>

#include "raster/bitmap_memory.h"

bool AllocPicMemory(Bitmap* b)
{
    b->bits = static_cast<uint8_t*>(std::calloc(PicBytes(b), 1));
    b->native = nullptr;
    return b->bits != nullptr;
}

void FreePicMemory(Bitmap* b)
{
    std::free(b->bits);
    b->bits = nullptr;
}
