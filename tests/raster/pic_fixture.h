// Small pictures for the raster tests: build one from a pixel function, read pixels back as
// 0xAARRGGBB (alpha 0xFF for 24-bit pictures).
#pragma once
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>

#include "raster/bitmap.h"

struct PicDeleter {
    void operator()(Bitmap* b) const { DeletePic(b); }
};
using PicPtr = std::unique_ptr<Bitmap, PicDeleter>;

inline uint32_t ReadPx(const Bitmap* b, int32_t x, int32_t y)
{
    const uint8_t* p = PicPixel(b, x, y);
    uint32_t a = b->bitsPerPixel == 32 ? p[3] : 0xFF;
    return (a << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0];
}

inline void WritePx(Bitmap* b, int32_t x, int32_t y, uint32_t argb)
{
    uint8_t* p = PicPixel(b, x, y);
    p[0] = static_cast<uint8_t>(argb);
    p[1] = static_cast<uint8_t>(argb >> 8);
    p[2] = static_cast<uint8_t>(argb >> 16);
    if (b->bitsPerPixel == 32)
        p[3] = static_cast<uint8_t>(argb >> 24);
}

inline PicPtr MakePic(int32_t w, int32_t h, int32_t bpp, const std::function<uint32_t(int32_t, int32_t)>& px)
{
    PicPtr b(NewPic(w, h, bpp));
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x)
            WritePx(b.get(), x, y, px(x, y));
    return b;
}

// A picture where every pixel differs, so misplaced copies show.
inline PicPtr Numbered(int32_t w, int32_t h, int32_t bpp, uint32_t alpha = 0xFF)
{
    return MakePic(w, h, bpp, [=](int32_t x, int32_t y) {
        return (alpha << 24) | static_cast<uint32_t>((x * 16 + 3) << 16 | (y * 16 + 5) << 8 | (x * 7 + y * 11));
    });
}

inline bool SameBytes(const Bitmap* a, const Bitmap* b)
{
    return a->stride == b->stride && a->height == b->height && std::memcmp(a->bits, b->bits, PicBytes(a)) == 0;
}
