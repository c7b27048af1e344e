// Block operations: filling, copying and blending rectangles of pictures.
//
// Common rules for every function here:
// - Positions are in pixels with y counted from the top line of each picture (x, y is the top-left
//   corner of the block); w, h is the block size.  The block is clipped to the destination and to
//   the source picture, so nothing outside either is read or written; a block that clips to nothing
//   draws nothing and still succeeds.
// - Results are 1 for success and 0 when a bitmap is null, has another depth than the function
//   accepts, or a scratch allocation fails; on 0 the destination is unchanged.
// - Pictures are 24-bit (opaque) or 32-bit (alpha in the fourth byte, 0 transparent).  A 24-bit
//   source counts as opaque; writing into a 24-bit destination drops alpha.
// - Opacity runs 0..255 (255 opaque); values outside are clamped.
// - The callers own every bitmap; nothing here keeps a pointer.  Source and destination may be the
//   same bitmap, even with overlapping blocks.
#pragma once
#include <cstdint>

#include "raster/alpha_mask.h"
#include "raster/bitmap.h"
#include "raster/blend_modes.h"
#include "raster/pic_rect.h"

// Fills a block with a colour (0x00RRGGBB; the high byte is ignored); a 32-bit picture becomes opaque
// there.
int BlockSet(Bitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h, Colour colour);
// Fills a block of a 32-bit picture with a colour and an alpha (alphaBlockSet(.., colour, 0) clears
// to transparent).  24-bit pictures are refused.
int alphaBlockSet(Bitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h, Colour colour,
                  int32_t alpha);

// Plain copy of a block; depths may differ (24 to 32 gives alpha 255; 32 to 32 copies alpha too).
int BlockBlockCopy(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                   int32_t sx, int32_t sy);
// Copies only the alpha channel of a block between two 32-bit pictures; the colours stay.
int alphaBlockBlockCopy(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                        int32_t sx, int32_t sy);

// Mixes a block of the source into the destination at an opacity, every channel alike: the source's
// own alpha is not coverage here but copied like a colour (at 255 this is BlockBlockCopy), so an
// opaque picture pasted into a transparent layer becomes opaque.
int BlockCopy(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src, int32_t sx,
              int32_t sy, int32_t opacity);
// BlockCopy limited to a clip rectangle in destination coordinates (null: no limit).
int BlockCopyClip(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                  int32_t sx, int32_t sy, int32_t opacity, const PicRect* clip);
// BlockCopy of the source's grey (its luminosity), as for disabled controls.
int BlockCopyInGray(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                    int32_t sx, int32_t sy, int32_t opacity);
int BlockCopyInGrayClip(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                        int32_t sx, int32_t sy, int32_t opacity, const PicRect* clip);

// Lays a block of the source onto the destination in a blend mode (blend_modes.h): each pixel is
// mixed with B(backdrop, source) and laid source-over with coverage = source alpha × opacity / 255.
// Onto a 32-bit destination the full W3C formula applies (the mix is weighted by the backdrop alpha,
// and the result alpha is the union), so a layer can be merged into a transparent one.  Unknown modes
// are refused with 0.
int BlockBlt(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src, int32_t sx,
             int32_t sy, int32_t opacity, int32_t mode);
// Lays a block of a mask in the mask's colour: coverage = mask byte × opacity / 255, blended as in
// BlockBlt with the given mode.  (sx, sy) is the position in the mask.
int BlockalphaBlt(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const AlphaMask* mask,
                  int32_t sx, int32_t sy, int32_t opacity, int32_t mode);

// Fills a block by repeating a tile, mixed in like BlockCopy at an opacity.  The tile's top-left
// pixel lies at (ox, oy) of the destination and repeats every tile width and height in all
// directions, so adjacent fills with the same origin join seamlessly.
int BlockTile(Bitmap* dst, int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap* tile, int32_t ox,
              int32_t oy, int32_t opacity);
