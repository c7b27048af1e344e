// Decoding the pixels of a DIB into a 24- or 32-bit bitmap: indexed (1, 4, 8 bits), 16 and 32 bits
// through channel masks, 24 bits, and the run-length coded kinds (bmp_read_rle.cpp).
#include <cstring>

#include "raster/bmp_read_dib.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t Get32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

uint32_t GetPixel(const uint8_t* row, int32_t x, int32_t bitsPerPixel)
{
    return bitsPerPixel == 16 ? uint32_t(row[2 * x] | row[2 * x + 1] << 8) : Get32(row + 4 * size_t(x));
}

// One channel scaled to 8 bits; a channel without mask reads as `missing`.
uint8_t Channel(const DibMask& m, uint32_t pixel, uint8_t missing)
{
    if (!m.bits)
        return missing;
    const uint32_t v = (pixel & m.mask) >> m.shift;
    if (m.bits >= 8)
        return static_cast<uint8_t>(v >> (m.bits - 8));
    const uint32_t max = (1u << m.bits) - 1;
    return static_cast<uint8_t>((v * 255 + max / 2) / max);
}

void Put(uint8_t* out, uint32_t bgra, int outBytes)
{
    out[0] = static_cast<uint8_t>(bgra);
    out[1] = static_cast<uint8_t>(bgra >> 8);
    out[2] = static_cast<uint8_t>(bgra >> 16);
    if (outBytes == 4)
        out[3] = static_cast<uint8_t>(bgra >> 24);
}

struct Rows {
    const uint8_t* bits;
    size_t stride;
    int32_t height;
    bool topDown;
    // The rows in the order they are stored; row r is bitmap row r counted from the bottom.
    const uint8_t* Row(int32_t r) const
    {
        return bits + size_t(topDown ? height - 1 - r : r) * stride;
    }
};

// A 32-bit picture written by a program that ignores alpha leaves every alpha value 0; such a picture
// is opaque, not invisible.
bool UsesAlpha(const DibFormat& f, const Rows& rows)
{
    if (!f.alpha.bits)
        return false;
    for (int32_t r = 0; r < f.height; ++r) {
        const uint8_t* row = rows.Row(r);
        for (int32_t x = 0; x < f.width; ++x)
            if (GetPixel(row, x, f.bitsPerPixel) & f.alpha.mask)
                return true;
    }
    return false;
}

void DecodeIndexedRow(const uint8_t* src, const DibFormat& f, const uint32_t* palette, uint8_t* out, int outBytes)
{
    const int bpp = f.bitsPerPixel;
    const unsigned perByte = 8u / unsigned(bpp);
    const unsigned mask = (1u << bpp) - 1;
    for (int32_t x = 0; x < f.width; ++x) {
        const unsigned byte = src[unsigned(x) / perByte];
        const unsigned shift = 8u - unsigned(bpp) * (unsigned(x) % perByte + 1);
        Put(out + size_t(x) * outBytes, palette[(byte >> shift) & mask], outBytes);
    }
}

void DecodeMaskedRow(const uint8_t* src, const DibFormat& f, bool alpha, uint8_t* out, int outBytes)
{
    for (int32_t x = 0; x < f.width; ++x) {
        const uint32_t px = GetPixel(src, x, f.bitsPerPixel);
        uint8_t* o = out + size_t(x) * outBytes;
        o[0] = Channel(f.blue, px, 0);
        o[1] = Channel(f.green, px, 0);
        o[2] = Channel(f.red, px, 0);
        if (outBytes == 4)
            o[3] = alpha ? Channel(f.alpha, px, 255) : 255;
    }
}

void DecodeRgbRow(const uint8_t* src, int32_t width, uint8_t* out, int outBytes)
{
    if (outBytes == 3) {
        std::memcpy(out, src, size_t(width) * 3);
        return;
    }
    for (int32_t x = 0; x < width; ++x, src += 3, out += 4) {
        out[0] = src[0];
        out[1] = src[1];
        out[2] = src[2];
        out[3] = 255;
    }
}

bool IsPlainBgra(const DibFormat& f)
{
    return f.bitsPerPixel == 32 && f.blue.mask == 0xFF && f.green.mask == 0xFF00 && f.red.mask == 0xFF0000 &&
           (f.alpha.mask == 0 || f.alpha.mask == 0xFF000000u);
}

bool ReadPalette(const DibFormat& f, const uint8_t* dib, size_t dibLength, uint32_t* palette)
{
    for (int i = 0; i < 256; ++i)
        palette[i] = kOpaque;
    if (f.bitsPerPixel > 8)
        return true;
    uint32_t entries = f.tableEntries;
    if (entries > (1u << f.bitsPerPixel))
        entries = 1u << f.bitsPerPixel;
    if (uint64_t{f.tableOffset} + uint64_t{entries} * f.entryBytes > dibLength)
        return false;
    const uint8_t* p = dib + f.tableOffset;
    for (uint32_t i = 0; i < entries; ++i, p += f.entryBytes)
        palette[i] = kOpaque | uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
    return true;
}

Bitmap* DecodeRle(const DibFormat& f, const uint32_t* palette, const uint8_t* bits, size_t bitsLength, int32_t outBpp)
{
    const uint64_t pixels = uint64_t(f.width) * uint64_t(f.height);
    if (pixels > kRleMinPixels && pixels > uint64_t{bitsLength} * kRlePixelsPerByte)
        return nullptr;
    Bitmap* out = NewPic(f.width, f.height, outBpp);
    if (!out)
        return nullptr;
    // Pixels the coding skips keep the first colour of the table.
    if (palette[0] != kOpaque || outBpp == 32) {
        const int outBytes = outBpp / 8;
        for (int32_t x = 0; x < f.width; ++x)
            Put(out->bits + size_t(x) * outBytes, palette[0], outBytes);
        for (int32_t y = 1; y < f.height; ++y)
            std::memcpy(out->bits + size_t(y) * out->stride, out->bits, size_t(f.width) * outBytes);
    }
    if (!DecodeDibRle(f, palette, bits, bitsLength, out)) {
        DeletePic(out);
        return nullptr;
    }
    return out;
}

}  // namespace

Bitmap* DecodeDib(const DibFormat& f, const uint8_t* dib, size_t dibLength, const uint8_t* bits, size_t bitsLength,
                  DibDepth depth)
{
    if (!dib || !bits)
        return nullptr;
    uint32_t palette[256];
    if (!ReadPalette(f, dib, dibLength, palette))
        return nullptr;
    if (f.compression == kDibRle8 || f.compression == kDibRle4)
        return DecodeRle(f, palette, bits, bitsLength, depth == DibDepth::Rgba ? 32 : 24);

    // The last row may lack its padding; everything else must be there.
    const size_t stride = static_cast<size_t>(DIBStride(f.width, f.bitsPerPixel));
    const uint64_t rowBytes = (uint64_t(f.width) * uint64_t(f.bitsPerPixel) + 7) / 8;
    if (uint64_t(f.height - 1) * stride + rowBytes > bitsLength)
        return nullptr;
    const Rows rows{bits, stride, f.height, f.topDown};

    const bool alpha = depth != DibDepth::Rgb && UsesAlpha(f, rows);
    const int32_t outBpp = depth == DibDepth::Rgba || alpha ? 32 : 24;
    Bitmap* out = NewPic(f.width, f.height, outBpp);
    if (!out)
        return nullptr;
    const int outBytes = outBpp / 8;
    for (int32_t r = 0; r < f.height; ++r) {
        const uint8_t* src = rows.Row(r);
        uint8_t* dst = out->bits + size_t(r) * size_t(out->stride);
        if (f.bitsPerPixel <= 8)
            DecodeIndexedRow(src, f, palette, dst, outBytes);
        else if (f.bitsPerPixel == 24)
            DecodeRgbRow(src, f.width, dst, outBytes);
        else if (IsPlainBgra(f) && outBytes == 4 && alpha)
            std::memcpy(dst, src, size_t(f.width) * 4);
        else
            DecodeMaskedRow(src, f, alpha, dst, outBytes);
    }
    return out;
}
