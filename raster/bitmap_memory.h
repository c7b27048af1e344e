// Where a bitmap's pixels live: a DIB section in the Windows build (bitmap_memory_win32.cpp), the
// heap elsewhere (bitmap_memory_heap.cpp).  Both zero the pixels and fail cleanly.
#pragma once
#include <new>

#include "raster/bitmap.h"

// Fills bits (and native) for a bitmap whose size fields are set; false when memory runs out.
bool AllocPicMemory(Bitmap* b);
void FreePicMemory(Bitmap* b);
