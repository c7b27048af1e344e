// Scaled copies of pictures.
//
// Every stretch maps the destination block (dx, dy, dw, dh) onto the source block (sx, sy, sw, sh)
// by pixel centres: destination pixel i samples the source around sx + (i + 0.5) × sw / dw.  A
// destination pixel whose centre falls outside the source picture is left as it is, and nothing
// outside the destination picture is written.  Depths may differ as in BlockBlockCopy (block_ops.h).
// Source and destination must be different bitmaps.  Results are 1, or 0 for a null or damaged
// bitmap, the same bitmap twice, a block with a side that is not positive, a bad factor or a failed
// scratch allocation (the destination is then unchanged).
#pragma once
#include <cstdint>

#include "raster/bitmap.h"
#include "raster/pic_rect.h"

// Nearest-neighbour copy, for previews and feedback.
int BlockRapidStretch(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src,
                      int32_t sx, int32_t sy, int32_t sw, int32_t sh);
// Nearest neighbour laid source-over by the source alpha (normal mode, opaque) instead of copied.
int alphaBlockRapidStretch(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src,
                           int32_t sx, int32_t sy, int32_t sw, int32_t sh);
// Filtered copy: linear interpolation when enlarging, area averaging when reducing, weighted by
// alpha so that transparent pixels lend no colour to their neighbours.
int BlockStretch(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src,
                 int32_t sx, int32_t sy, int32_t sw, int32_t sh);
// Nearest-neighbour view at a zoom factor (1.0 = 100 %): the destination block shows the source from
// (sx, sy) on, each source pixel covering factor × factor destination pixels.
int BlockStretchSet(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src,
                    int32_t sx, int32_t sy, double factor);
// New picture of the given size and the source's depth holding the whole source, filtered as by
// BlockStretch; null on a bad size or failure.  The caller owns it.
Bitmap* BlockOrgStretch(const Bitmap* src, PicSize size);
