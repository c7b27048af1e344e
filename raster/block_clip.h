// Clipping of blocks against pictures, shared by the block operations.
#pragma once
#include <algorithm>
#include <cstdint>

#include "raster/bitmap.h"
#include "raster/pic_rect.h"

namespace raster_detail {

inline bool ValidPic(const Bitmap* b)
{
    return b && b->bits && (b->bitsPerPixel == 24 || b->bitsPerPixel == 32) && b->width > 0 &&
           b->height > 0 && b->stride >= DIBStride(b->width, b->bitsPerPixel);
}

// A block after clipping: destination and source corners and the common size.
struct BlockArea {
    int32_t dx = 0, dy = 0, sx = 0, sy = 0, w = 0, h = 0;
};

// Clips one axis: a run of n at d in [0, dlen) read from s in [0, slen); 64-bit so that no argument
// can overflow.
inline bool ClipAxis(int64_t& d, int64_t& s, int64_t& n, int64_t dlo, int64_t dhi, int64_t slen)
{
    if (d < dlo) {
        s += dlo - d;
        n -= dlo - d;
        d = dlo;
    }
    if (s < 0) {
        d -= s;
        n += s;
        s = 0;
    }
    n = std::min({n, dhi - d, slen - s});
    return n > 0;
}

// Clips a w × h block at (dx, dy) of a destination of dw × dh, read at (sx, sy) from a source of
// sw × sh, and optionally to a clip rectangle in destination coordinates.  False when nothing is left.
inline bool ClipBlock(int32_t dw, int32_t dh, int32_t sw, int32_t sh, int32_t dx, int32_t dy, int32_t w,
                      int32_t h, int32_t sx, int32_t sy, BlockArea* out, const PicRect* clip = nullptr)
{
    int64_t xlo = 0, ylo = 0, xhi = dw, yhi = dh;
    if (clip) {
        xlo = std::max<int64_t>(xlo, clip->left);
        ylo = std::max<int64_t>(ylo, clip->top);
        xhi = std::min<int64_t>(xhi, clip->right);
        yhi = std::min<int64_t>(yhi, clip->bottom);
    }
    int64_t x = dx, y = dy, ssx = sx, ssy = sy, ww = w, hh = h;
    if (ww <= 0 || hh <= 0 || !ClipAxis(x, ssx, ww, xlo, xhi, sw) || !ClipAxis(y, ssy, hh, ylo, yhi, sh))
        return false;
    out->dx = static_cast<int32_t>(x);
    out->dy = static_cast<int32_t>(y);
    out->sx = static_cast<int32_t>(ssx);
    out->sy = static_cast<int32_t>(ssy);
    out->w = static_cast<int32_t>(ww);
    out->h = static_cast<int32_t>(hh);
    return true;
}

// True when a block read from a bitmap overlaps the block written into the same bitmap.
inline bool Overlaps(const Bitmap* dst, const Bitmap* src, const BlockArea& a)
{
    return dst == src && a.dx < a.sx + a.w && a.sx < a.dx + a.w && a.dy < a.sy + a.h && a.sy < a.dy + a.h;
}

inline int32_t ClampByte(int32_t v) { return std::clamp(v, 0, 255); }

}  // namespace raster_detail
