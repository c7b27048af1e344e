#include "raster/pic_copy.h"

#include <cstring>

#include "raster/block_clip.h"
#include "raster/block_ops.h"

using raster_detail::ValidPic;

Bitmap* BackupDIB(const Bitmap* bitmap)
{
    if (!ValidPic(bitmap))
        return nullptr;
    Bitmap* copy = NewPic(bitmap->width, bitmap->height, bitmap->bitsPerPixel);
    if (!copy)
        return nullptr;
    if (copy->stride == bitmap->stride)
        std::memcpy(copy->bits, bitmap->bits, PicBytes(copy));
    else
        BlockBlockCopy(copy, 0, 0, copy->width, copy->height, bitmap, 0, 0);
    return copy;
}

Bitmap* CreateAlphaDIBFromBmp(const Bitmap* bitmap)
{
    if (!ValidPic(bitmap))
        return nullptr;
    if (bitmap->bitsPerPixel == 32)
        return BackupDIB(bitmap);
    Bitmap* copy = NewRGBAPic(bitmap->width, bitmap->height);
    if (copy)
        BlockBlockCopy(copy, 0, 0, copy->width, copy->height, bitmap, 0, 0);
    return copy;
}

Bitmap* CopyPicBlock(const Bitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h)
{
    raster_detail::BlockArea a;
    if (!ValidPic(bitmap) ||
        !raster_detail::ClipBlock(bitmap->width, bitmap->height, bitmap->width, bitmap->height, x, y, w, h,
                                  x, y, &a))
        return nullptr;
    Bitmap* copy = NewPic(a.w, a.h, bitmap->bitsPerPixel);
    if (copy)
        BlockBlockCopy(copy, 0, 0, a.w, a.h, bitmap, a.dx, a.dy);
    return copy;
}
