// Packed DIBs: header, colour table and pixels in one block, as the clipboard and scanners hand over.
#include "raster/bmp_file.h"
#include "raster/bmp_read_dib.h"

int DIBNumColors(const void* dib, size_t length)
{
    DibFormat format;
    if (!ParseDibHeader(static_cast<const uint8_t*>(dib), length, &format) || format.tableEntries > 0x7FFFFFFF)
        return 0;
    return static_cast<int>(format.tableEntries);
}

Bitmap* DIBHandletoRGBDIB(const void* dib, size_t length)
{
    const uint8_t* block = static_cast<const uint8_t*>(dib);
    DibFormat format;
    if (!ParseDibHeader(block, length, &format))
        return nullptr;
    const uint64_t offset = format.PackedBitsOffset();
    if (offset > length)
        return nullptr;
    return DecodeDib(format, block, length, block + offset, length - static_cast<size_t>(offset), DibDepth::Rgb);
}
