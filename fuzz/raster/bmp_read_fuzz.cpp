// BMP files and packed DIBs from untrusted bytes: the input is decoded as a file and, from its
// 15th byte on, as a packed DIB.  A picture that comes back must be whole: every row is read.
#include <cstdint>
#include <cstdlib>

#include "raster/bmp_file.h"
#include "raster/bmp_read_dib.h"

namespace {

void Check(Bitmap* b)
{
    if (!b)
        return;
    if (b->width <= 0 || b->height <= 0 || (b->bitsPerPixel != 24 && b->bitsPerPixel != 32))
        std::abort();
    unsigned sum = 0;
    for (int32_t y = 0; y < b->height; ++y)
        sum += PicRow(b, y)[b->width * (b->bitsPerPixel / 8) - 1];
    if (sum > 255u * unsigned(b->height))
        std::abort();
    DeletePic(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Check(DecodeBmpFile(data, size, DibDepth::AsStored));
    Check(DecodeBmpFile(data, size, DibDepth::Rgba));
    if (size > kBmpFileHeaderSize) {
        Check(DIBHandletoRGBDIB(data + kBmpFileHeaderSize, size - kBmpFileHeaderSize));
        DIBNumColors(data + kBmpFileHeaderSize, size - kBmpFileHeaderSize);
    }
    return 0;
}
