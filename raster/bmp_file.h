// BMP files: reading every kind a user may have, writing 24- and 32-bit ones.
#pragma once
#include <cstdint>

#include "raster/bitmap.h"

constexpr uint32_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpInfoHeaderSize = 40;

// Writes a 24- or 32-bit bitmap as an uncompressed bottom-up BMP; 1 on success, 0 on failure (the
// previous file, if any, is then left as it was).
int PT_PutBITMAPFile(const Bitmap* bitmap, const char* path);
