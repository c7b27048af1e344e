// BMP files: reading every kind a user may have, writing 24- and 32-bit ones.
#pragma once
#include <cstddef>
#include <cstdint>

#include "raster/bitmap.h"

constexpr uint32_t kBmpFileHeaderSize = 14;
constexpr uint32_t kBmpInfoHeaderSize = 40;

// Reads a BMP file of any kind a user may have: 1, 4 and 8 bits with a colour table, 16 and 32 bits
// with or without channel masks, 24 bits, 4- and 8-bit run-length coding, rows bottom-up or top-down,
// and every header variant.  The result is a 32-bit bitmap when the file carries alpha (32 bits, or
// masks with an alpha mask, with at least one alpha value above 0), else a 24-bit one.  Null when the
// file is missing, damaged, truncated, of a kind no BMP reader knows (embedded JPEG or PNG), or memory
// runs out.  Pixels that run-length coding skips take the first colour of the table.  A run-length
// coded file that claims far more pixels than its data could describe (over 4 million pixels and
// over 1024 per byte) is refused as damaged rather than allocated.
Bitmap* PT_GetBITMAPFile(const char* path);
// The same files, always as a 32-bit bitmap; pictures without alpha come back opaque.
Bitmap* GetICALPHAFile(const char* path);

// Packed DIBs as the clipboard, scanners and cameras hand them over: an info header, the colour
// table (or masks) and the pixels in one block of `length` bytes.
//
// Number of colour-table entries the header at the start of the block implies: its colours-used
// field, else 2^bits for 8 bits or fewer, else 0 (also 0 for a block too short or damaged to say).
int DIBNumColors(const void* dib, size_t length);
// The picture of a packed DIB as a 24-bit bitmap (alpha is dropped); every size is checked against
// `length`.  Null when the block is damaged or memory runs out.
Bitmap* DIBHandletoRGBDIB(const void* dib, size_t length);

// Writes a 24- or 32-bit bitmap as an uncompressed bottom-up BMP; 1 on success, 0 on failure (the
// previous file, if any, is then left as it was).
int PT_PutBITMAPFile(const Bitmap* bitmap, const char* path);
