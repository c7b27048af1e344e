// Decoding device-independent bitmaps: the part of a BMP file after its 14-byte file header, and the
// packed DIBs that the clipboard and scanners hand over (info header, colour table, pixels).  Used by
// the BMP file reader and DIBHandletoRGBDIB; not part of the library's interface.
//
// Every size comes from untrusted bytes: the parser checks the header fields, the decoder checks the
// colour table and the pixel data against the bytes actually present before it allocates anything.
#pragma once
#include <cstddef>
#include <cstdint>

#include "raster/bitmap.h"

enum class DibDepth {
    Rgb,       // always 24 bits; any alpha is dropped
    Rgba,      // always 32 bits; opaque where the picture carries no alpha
    AsStored,  // 32 bits when the picture carries alpha, else 24
};

enum DibCompression : uint32_t {
    kDibRgb = 0,
    kDibRle8 = 1,
    kDibRle4 = 2,
    kDibBitFields = 3,
    kDibAlphaBitFields = 6,
};

struct DibMask {
    uint32_t mask = 0;
    int shift = 0;  // of the lowest set bit
    int bits = 0;   // number of set bits (contiguous)
};

struct DibFormat {
    int32_t width = 0;
    int32_t height = 0;  // rows, always positive
    bool topDown = false;
    int32_t bitsPerPixel = 0;
    uint32_t compression = kDibRgb;
    DibMask red, green, blue, alpha;  // 16- and 32-bit pixels
    uint32_t headerBytes = 0;         // the info header itself
    uint32_t tableOffset = 0;         // colour table, from the start of the info header
    uint32_t tableEntries = 0;        // entries the table occupies
    uint32_t entryBytes = 4;          // 3 for the oldest header, else 4

    // Where the pixels start in a packed DIB: right after the header, masks and colour table.
    uint64_t PackedBitsOffset() const { return tableOffset + uint64_t{tableEntries} * entryBytes; }
};

// Decodes a whole BMP file held in memory (file header included); null as for DecodeDib.
Bitmap* DecodeBmpFile(const uint8_t* file, size_t size, DibDepth depth);

// Reads the info header at the start of dib; false when it is short, damaged or of a kind we do not
// read (embedded JPEG or PNG, Huffman or 24-bit run-length coding).
bool ParseDibHeader(const uint8_t* dib, size_t length, DibFormat* format);

// Entries of a colour table for a header: the colours-used field, else 2^bits up to 8 bits, else 0.
uint32_t DibTableEntries(int32_t bitsPerPixel, uint32_t coloursUsed);

// Decodes the pixels: dib/dibLength hold the info header and colour table, bits/bitsLength the pixel
// data.  Null when the data is shorter than the header claims, is damaged, or memory runs out.
Bitmap* DecodeDib(const DibFormat& format, const uint8_t* dib, size_t dibLength, const uint8_t* bits,
                  size_t bitsLength, DibDepth depth);

// Run-length coded pixels (bmp_read_rle.cpp): fills a bitmap that already holds the background,
// mapping indexes through palette (blue, green, red, alpha per entry).  False on damaged data.
bool DecodeDibRle(const DibFormat& format, const uint32_t* palette, const uint8_t* bits,
                  size_t bitsLength, Bitmap* out);

// Run-length coded data cannot describe pictures arbitrarily larger than itself; a header that claims
// more than this many pixels for the bytes present is refused before anything is allocated.
constexpr uint64_t kRleMinPixels = uint64_t{1} << 22;
constexpr uint64_t kRlePixelsPerByte = 1024;
