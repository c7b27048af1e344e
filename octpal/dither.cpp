#include "octpal/diffuse.h"
#include "octpal/octree.h"
#include "octpal/picture.h"

extern "C" int OctDither(const OctPixels* pic)
{
    size_t stride = 0;
    if (!pic || pic->bitsPerPixel != 24 || !octpic::Geometry(pic, &stride) || !octree::HasTree())
        return 0;
    octdiffuse::Burkes(static_cast<uint8_t*>(pic->bits), pic->width, pic->height, stride,
                       [](uint8_t r, uint8_t g, uint8_t b, uint8_t out[3]) {
                           uint32_t c = 0;
                           if (octree::Nearest(r, g, b, &c) < 0)
                               return false;
                           out[0] = uint8_t(c);
                           out[1] = uint8_t(c >> 8);
                           out[2] = uint8_t(c >> 16);
                           return true;
                       });
    return 1;
}
