#include "octpal/picture.h"

namespace octpic {

bool Geometry(const OctPixels* pic, size_t* stride)
{
    if (!pic || !pic->bits || pic->width <= 0 || pic->height <= 0 || pic->bitsPerPixel <= 0 ||
        pic->bitsPerPixel > 32)
        return false;
    const uint64_t rowBytes = (uint64_t(pic->width) * uint64_t(pic->bitsPerPixel) + 31) / 32 * 4;
    const uint64_t total = rowBytes * uint64_t(pic->height);
    if (total > uint64_t(SIZE_MAX) || total / uint64_t(pic->height) != rowBytes)
        return false;
    *stride = size_t(rowBytes);
    return true;
}

}  // namespace octpic
