#include <cstring>

#include "raster/block_clip.h"
#include "raster/block_ops.h"
#include "raster/blend_four_sse2.h"
#include "raster/blend_pixel.h"
#include "raster/pic_copy.h"

using raster_detail::BlockArea;
using raster_detail::ClampByte;
using raster_detail::ClipBlock;
using raster_detail::ValidPic;

namespace {

using MixRowFn = void (*)(uint8_t* d, const uint8_t* s, int32_t n, int32_t opacity);

// One row of BlockCopy: every channel moves towards the source by opacity / 255.
template <int DstBpp, int SrcBpp, bool Gray>
void MixRow(uint8_t* d, const uint8_t* s, int32_t n, int32_t op)
{
    const int32_t keep = 255 - op;
    for (int32_t i = 0; i < n; ++i, d += DstBpp / 8, s += SrcBpp / 8) {
        int32_t b = s[0], g = s[1], r = s[2];
        if constexpr (Gray)
            b = g = r = blend::Lum(blend::Rgb{r, g, b});
        int32_t a = SrcBpp == 32 ? s[3] : 255;
        if (op == 255) {
            d[0] = static_cast<uint8_t>(b);
            d[1] = static_cast<uint8_t>(g);
            d[2] = static_cast<uint8_t>(r);
            if constexpr (DstBpp == 32)
                d[3] = static_cast<uint8_t>(a);
        } else {
            d[0] = static_cast<uint8_t>(blend::Div255(b * op + d[0] * keep));
            d[1] = static_cast<uint8_t>(blend::Div255(g * op + d[1] * keep));
            d[2] = static_cast<uint8_t>(blend::Div255(r * op + d[2] * keep));
            if constexpr (DstBpp == 32)
                d[3] = static_cast<uint8_t>(blend::Div255(a * op + d[3] * keep));
        }
    }
}

template <bool Gray>
MixRowFn PickMixRowFor(int32_t dstBpp, int32_t srcBpp)
{
    if (dstBpp == 32)
        return srcBpp == 32 ? MixRow<32, 32, Gray> : MixRow<32, 24, Gray>;
    return srcBpp == 32 ? MixRow<24, 32, Gray> : MixRow<24, 24, Gray>;
}

MixRowFn PickMixRow(int32_t dstBpp, int32_t srcBpp, bool gray)
{
    return gray ? PickMixRowFor<true>(dstBpp, srcBpp) : PickMixRowFor<false>(dstBpp, srcBpp);
}

// Four 32-bit pixels as twelve bytes at the bottom of a register (alpha dropped, the rest zero).
BLEND_INLINE __m128i DropAlphaFour(__m128i v)
{
    const __m128i keep = _mm_setr_epi8(-1, -1, -1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);
    return _mm_or_si128(_mm_or_si128(_mm_and_si128(v, keep), _mm_and_si128(_mm_srli_si128(v, 1), _mm_slli_si128(keep, 3))),
                        _mm_or_si128(_mm_and_si128(_mm_srli_si128(v, 2), _mm_slli_si128(keep, 6)),
                                     _mm_and_si128(_mm_srli_si128(v, 3), _mm_slli_si128(keep, 9))));
}

// 32-bit pixels to 24-bit ones (the composer's last step): sixteen at a time as three 16-byte
// stores, then four at a time as three words.
void DropAlphaRow(uint8_t* d, const uint8_t* s, int32_t n)
{
    int32_t i = 0;
    for (; i + 16 <= n; i += 16, d += 48, s += 64) {
        const __m128i t0 = DropAlphaFour(blend_sse2::Load(s)), t1 = DropAlphaFour(blend_sse2::Load(s + 16));
        const __m128i t2 = DropAlphaFour(blend_sse2::Load(s + 32)), t3 = DropAlphaFour(blend_sse2::Load(s + 48));
        blend_sse2::Store(d, _mm_or_si128(t0, _mm_slli_si128(t1, 12)));
        blend_sse2::Store(d + 16, _mm_or_si128(_mm_srli_si128(t1, 4), _mm_slli_si128(t2, 8)));
        blend_sse2::Store(d + 32, _mm_or_si128(_mm_srli_si128(t2, 8), _mm_slli_si128(t3, 4)));
    }
    for (; i + 4 <= n; i += 4, d += 12, s += 16) {
        uint32_t v[4];
        std::memcpy(v, s, sizeof v);
        const uint32_t w[3] = {(v[0] & 0xFFFFFFu) | v[1] << 24, ((v[1] >> 8) & 0xFFFFu) | v[2] << 16,
                               ((v[2] >> 16) & 0xFFu) | v[3] << 8};
        std::memcpy(d, w, sizeof w);
    }
    for (; i < n; ++i, d += 3, s += 4)
        std::memcpy(d, s, 3);
}

// Plain row copy with depth conversion.
void CopyRow(uint8_t* d, int32_t dstBpp, const uint8_t* s, int32_t srcBpp, int32_t n)
{
    if (dstBpp == srcBpp) {
        std::memmove(d, s, static_cast<size_t>(n) * static_cast<size_t>(dstBpp / 8));
        return;
    }
    if (dstBpp == 24) {
        DropAlphaRow(d, s, n);
        return;
    }
    PickMixRow(dstBpp, srcBpp, false)(d, s, n, 255);
}

// Rows of a block in an order that is safe when source and destination rows share a bitmap.
template <typename RowFn>
void ForRows(const Bitmap* dst, const Bitmap* src, const BlockArea& a, RowFn&& row)
{
    bool bottomUp = dst == src && a.dy > a.sy;
    for (int32_t i = 0; i < a.h; ++i) {
        int32_t j = bottomUp ? a.h - 1 - i : i;
        row(PicPixel(dst, a.dx, a.dy + j), PicPixel(src, a.sx, a.sy + j));
    }
}

int Mix(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src, int32_t sx,
        int32_t sy, int32_t opacity, const PicRect* clip, bool gray)
{
    if (!ValidPic(dst) || !ValidPic(src))
        return 0;
    opacity = ClampByte(opacity);
    BlockArea a;
    if (!ClipBlock(dst->width, dst->height, src->width, src->height, dx, dy, w, h, sx, sy, &a, clip) ||
        opacity == 0)
        return 1;
    if (opacity == 255 && !gray)
        return BlockBlockCopy(dst, a.dx, a.dy, a.w, a.h, src, a.sx, a.sy);
    // Row mixing reads each source pixel before writing its own destination pixel, which is only
    // safe when the blocks do not overlap sideways; otherwise work from a copy.
    Bitmap* scratch = nullptr;
    if (raster_detail::Overlaps(dst, src, a)) {
        scratch = CopyPicBlock(src, a.sx, a.sy, a.w, a.h);
        if (!scratch)
            return 0;
        src = scratch;
        a.sx = a.sy = 0;
    }
    MixRowFn fn = PickMixRow(dst->bitsPerPixel, src->bitsPerPixel, gray);
    ForRows(dst, src, a, [&](uint8_t* d, const uint8_t* s) { fn(d, s, a.w, opacity); });
    DeletePic(scratch);
    return 1;
}

int FillBlock(Bitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h, Colour colour, int32_t alpha)
{
    BlockArea a;
    if (!ClipBlock(bitmap->width, bitmap->height, bitmap->width, bitmap->height, x, y, w, h, x, y, &a))
        return 1;
    const int32_t bpp = bitmap->bitsPerPixel / 8;
    const uint8_t px[4] = {static_cast<uint8_t>(colour & 0xFF), static_cast<uint8_t>((colour >> 8) & 0xFF),
                           static_cast<uint8_t>((colour >> 16) & 0xFF), static_cast<uint8_t>(ClampByte(alpha))};
    // Build the first row pixel by pixel, then copy it into the others.
    uint8_t* first = PicPixel(bitmap, a.dx, a.dy);
    for (int32_t i = 0; i < a.w; ++i)
        std::memcpy(first + i * bpp, px, static_cast<size_t>(bpp));
    const size_t rowBytes = static_cast<size_t>(a.w) * static_cast<size_t>(bpp);
    for (int32_t j = 1; j < a.h; ++j)
        std::memcpy(PicPixel(bitmap, a.dx, a.dy + j), first, rowBytes);
    return 1;
}

}  // namespace

int BlockSet(Bitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h, Colour colour)
{
    if (!ValidPic(bitmap))
        return 0;
    return FillBlock(bitmap, x, y, w, h, colour, 255);
}

int alphaBlockSet(Bitmap* bitmap, int32_t x, int32_t y, int32_t w, int32_t h, Colour colour,
                  int32_t alpha)
{
    if (!ValidPic(bitmap) || bitmap->bitsPerPixel != 32)
        return 0;
    return FillBlock(bitmap, x, y, w, h, colour, alpha);
}

int BlockBlockCopy(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                   int32_t sx, int32_t sy)
{
    if (!ValidPic(dst) || !ValidPic(src))
        return 0;
    BlockArea a;
    if (!ClipBlock(dst->width, dst->height, src->width, src->height, dx, dy, w, h, sx, sy, &a))
        return 1;
    // Same bitmap means same depth, so rows move with memmove in a safe order.
    ForRows(dst, src, a, [&](uint8_t* d, const uint8_t* s) {
        CopyRow(d, dst->bitsPerPixel, s, src->bitsPerPixel, a.w);
    });
    return 1;
}

int alphaBlockBlockCopy(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                        int32_t sx, int32_t sy)
{
    if (!ValidPic(dst) || !ValidPic(src) || dst->bitsPerPixel != 32 || src->bitsPerPixel != 32)
        return 0;
    BlockArea a;
    if (!ClipBlock(dst->width, dst->height, src->width, src->height, dx, dy, w, h, sx, sy, &a))
        return 1;
    bool rightToLeft = dst == src && a.dx > a.sx;
    ForRows(dst, src, a, [&](uint8_t* d, const uint8_t* s) {
        for (int32_t i = 0; i < a.w; ++i) {
            int32_t k = rightToLeft ? a.w - 1 - i : i;
            d[k * 4 + 3] = s[k * 4 + 3];
        }
    });
    return 1;
}

int BlockCopy(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src, int32_t sx,
              int32_t sy, int32_t opacity)
{
    return Mix(dst, dx, dy, w, h, src, sx, sy, opacity, nullptr, false);
}

int BlockCopyClip(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                  int32_t sx, int32_t sy, int32_t opacity, const PicRect* clip)
{
    return Mix(dst, dx, dy, w, h, src, sx, sy, opacity, clip, false);
}

int BlockCopyInGray(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                    int32_t sx, int32_t sy, int32_t opacity)
{
    return Mix(dst, dx, dy, w, h, src, sx, sy, opacity, nullptr, true);
}

int BlockCopyInGrayClip(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src,
                        int32_t sx, int32_t sy, int32_t opacity, const PicRect* clip)
{
    return Mix(dst, dx, dy, w, h, src, sx, sy, opacity, clip, true);
}

int BlockTile(Bitmap* dst, int32_t x, int32_t y, int32_t w, int32_t h, const Bitmap* tile, int32_t ox,
              int32_t oy, int32_t opacity)
{
    if (!ValidPic(dst) || !ValidPic(tile))
        return 0;
    opacity = ClampByte(opacity);
    BlockArea a;
    if (!ClipBlock(dst->width, dst->height, dst->width, dst->height, x, y, w, h, x, y, &a) || opacity == 0)
        return 1;
    Bitmap* scratch = nullptr;
    if (tile == dst) {
        scratch = CopyPicBlock(tile, 0, 0, tile->width, tile->height);
        if (!scratch)
            return 0;
        tile = scratch;
    }
    const int32_t tw = tile->width, th = tile->height, tbpp = tile->bitsPerPixel / 8;
    MixRowFn fn = PickMixRow(dst->bitsPerPixel, tile->bitsPerPixel, false);
    auto mod = [](int64_t v, int32_t m) { return static_cast<int32_t>(((v % m) + m) % m); };
    const int32_t tx0 = mod(static_cast<int64_t>(a.dx) - ox, tw);
    for (int32_t j = 0; j < a.h; ++j) {
        const uint8_t* trow = PicRow(tile, mod(static_cast<int64_t>(a.dy) + j - oy, th));
        uint8_t* d = PicPixel(dst, a.dx, a.dy + j);
        int32_t tx = tx0;
        for (int32_t left = a.w; left > 0;) {
            int32_t n = std::min(left, tw - tx);
            fn(d, trow + static_cast<size_t>(tx) * tbpp, n, opacity);
            d += static_cast<size_t>(n) * static_cast<size_t>(dst->bitsPerPixel / 8);
            left -= n;
            tx = 0;
        }
    }
    DeletePic(scratch);
    return 1;
}
