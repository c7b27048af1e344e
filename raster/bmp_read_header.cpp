// The info headers a BMP file or packed DIB may start with: the 12-byte original one (16-bit sides,
// 3-byte colour entries), the OS/2 2.x ones of 16 to 64 bytes, and the Windows ones of 40, 52, 56,
// 108 and 124 bytes (the larger ones carry the channel masks in the header itself).
#include <bit>

#include "raster/bmp_read_dib.h"

namespace {

uint16_t Get16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t Get32(const uint8_t* p) { return uint32_t{Get16(p)} | uint32_t{Get16(p + 2)} << 16; }

constexpr uint32_t kCoreHeader = 12;
constexpr uint32_t kInfoHeader = 40;

bool IsWindowsHeader(uint32_t size)
{
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsOs2Header(uint32_t size) { return size >= 16 && size <= 64 && !IsWindowsHeader(size); }

// A mask must be one contiguous group of bits that fits the pixel.
bool SetMask(uint32_t mask, int32_t bitsPerPixel, DibMask* out)
{
    *out = DibMask{};
    if (mask == 0)
        return true;
    if (bitsPerPixel < 32 && (mask >> bitsPerPixel) != 0)
        return false;
    const int shift = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    if ((mask >> shift) != (bits == 32 ? 0xFFFFFFFFu : (1u << bits) - 1))
        return false;
    out->mask = mask;
    out->shift = shift;
    out->bits = bits;
    return true;
}

bool SetMasks(const uint8_t* masks, bool withAlpha, DibFormat* f)
{
    if (!SetMask(Get32(masks), f->bitsPerPixel, &f->red) || !SetMask(Get32(masks + 4), f->bitsPerPixel, &f->green) ||
        !SetMask(Get32(masks + 8), f->bitsPerPixel, &f->blue) ||
        !SetMask(withAlpha ? Get32(masks + 12) : 0, f->bitsPerPixel, &f->alpha))
        return false;
    return f->red.mask | f->green.mask | f->blue.mask;
}

// The layouts without masks: 5-5-5 for 16 bits, blue-green-red-alpha bytes for 32.
void SetDefaultMasks(DibFormat* f)
{
    if (f->bitsPerPixel == 16) {
        SetMask(0x7C00, 16, &f->red);
        SetMask(0x03E0, 16, &f->green);
        SetMask(0x001F, 16, &f->blue);
    } else if (f->bitsPerPixel == 32) {
        SetMask(0x00FF0000, 32, &f->red);
        SetMask(0x0000FF00, 32, &f->green);
        SetMask(0x000000FF, 32, &f->blue);
        SetMask(0xFF000000, 32, &f->alpha);
    }
}

}  // namespace

uint32_t DibTableEntries(int32_t bitsPerPixel, uint32_t coloursUsed)
{
    if (coloursUsed)
        return coloursUsed;
    return bitsPerPixel <= 8 ? 1u << bitsPerPixel : 0;
}

bool ParseDibHeader(const uint8_t* dib, size_t length, DibFormat* f)
{
    *f = DibFormat{};
    if (!dib || length < 4)
        return false;
    const uint32_t size = Get32(dib);
    if (size > length || (size != kCoreHeader && !IsWindowsHeader(size) && !IsOs2Header(size)))
        return false;
    f->headerBytes = size;

    int64_t height = 0;
    uint32_t coloursUsed = 0;
    if (size == kCoreHeader) {
        f->width = Get16(dib + 4);
        height = Get16(dib + 6);
        f->bitsPerPixel = Get16(dib + 10);
        f->entryBytes = 3;
    } else {
        f->width = static_cast<int32_t>(Get32(dib + 4));
        height = static_cast<int32_t>(Get32(dib + 8));
        f->bitsPerPixel = Get16(dib + 14);
        // OS/2 headers may end after any field; what is missing counts as 0.  The image size field
        // is not needed: the pixel data runs to the end of the bytes given, and is checked there.
        if (size >= 20)
            f->compression = Get32(dib + 16);
        if (size >= 36)
            coloursUsed = Get32(dib + 32);
    }
    f->topDown = height < 0;
    height = height < 0 ? -height : height;
    if (f->width <= 0 || height <= 0 || f->width > kMaxBitmapSide || height > kMaxBitmapSide)
        return false;
    f->height = static_cast<int32_t>(height);

    const int32_t bpp = f->bitsPerPixel;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (size == kCoreHeader && bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24)
        return false;

    f->tableOffset = size;
    switch (f->compression) {
    case kDibRgb:
        SetDefaultMasks(f);
        break;
    case kDibRle8:
    case kDibRle4:
        if (bpp != (f->compression == kDibRle8 ? 8 : 4) || f->topDown)
            return false;
        break;
    case kDibBitFields:
    case kDibAlphaBitFields: {
        if ((bpp != 16 && bpp != 32) || IsOs2Header(size))  // OS/2 uses 3 for Huffman coding
            return false;
        if (size == kInfoHeader) {
            const bool withAlpha = f->compression == kDibAlphaBitFields;
            // The masks follow the 40-byte header and come before the colour table.
            const uint32_t maskBytes = withAlpha ? 16 : 12;
            if (length < kInfoHeader + maskBytes || !SetMasks(dib + kInfoHeader, withAlpha, f))
                return false;
            f->tableOffset += maskBytes;
        } else if (!SetMasks(dib + kInfoHeader, size >= 56, f)) {  // only 56 bytes and up hold alpha
            return false;
        }
        break;
    }
    default:
        return false;
    }

    f->tableEntries = DibTableEntries(bpp, coloursUsed);
    return true;
}
