// Whole-picture and block copies into new bitmaps.  Each returns a new bitmap that the caller owns
// (DeletePic), or null for a null or damaged source, an empty block or when memory runs out.
#pragma once
#include <cstdint>

#include "raster/bitmap.h"

// Deep copy, same size and depth.
Bitmap* BackupDIB(const Bitmap* bitmap);
// 32-bit copy: a 24-bit picture gets alpha 255 everywhere; a 32-bit one is copied as it is.
Bitmap* CreateAlphaDIBFromBmp(const Bitmap* bitmap);
// Copy of the block (x, y, w, h) clipped to the picture, same depth.
Bitmap* CopyPicBlock(const Bitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h);
