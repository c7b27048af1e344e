// Writing 24- and 32-bit BMP files.  The file is written completely to a temporary file beside the
// target and then moved over it, so a failed write never destroys an existing picture.
#include <cstdio>
#include <cstring>
#include <string>

#include "raster/bitmap.h"
#include "raster/bmp_file.h"
#include "raster/safe_file.h"

namespace {

void Put16(uint8_t* p, uint16_t v) { p[0] = uint8_t(v); p[1] = uint8_t(v >> 8); }
void Put32(uint8_t* p, uint32_t v) { Put16(p, uint16_t(v)); Put16(p + 2, uint16_t(v >> 16)); }

}  // namespace

int PT_PutBITMAPFile(const Bitmap* bitmap, const char* path)
{
    if (!bitmap || !bitmap->bits || !path || (bitmap->bitsPerPixel != 24 && bitmap->bitsPerPixel != 32))
        return 0;
    const uint32_t imageSize = static_cast<uint32_t>(PicBytes(bitmap));
    uint8_t header[kBmpFileHeaderSize + kBmpInfoHeaderSize] = {};
    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, sizeof header + imageSize);
    Put32(header + 10, sizeof header);
    uint8_t* info = header + kBmpFileHeaderSize;
    Put32(info + 0, kBmpInfoHeaderSize);
    Put32(info + 4, static_cast<uint32_t>(bitmap->width));
    Put32(info + 8, static_cast<uint32_t>(bitmap->height));
    Put16(info + 12, 1);
    Put16(info + 14, static_cast<uint16_t>(bitmap->bitsPerPixel));
    Put32(info + 16, 0);  // BI_RGB
    Put32(info + 20, imageSize);
    Put32(info + 24, 2835);  // 72 dots per inch
    Put32(info + 28, 2835);

    SafeFile out;
    if (!out.Open(path))
        return 0;
    out.Write(header, sizeof header);
    out.Write(bitmap->bits, imageSize);
    return out.Commit() ? 1 : 0;
}
