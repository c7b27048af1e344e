// BlockBlt and BlockalphaBlt: the compositor's inner loops.  One row loop is instantiated per blend
// mode, destination depth and kind of source, and chosen once per call, so the pixel loop holds no
// dispatch; fully transparent source pixels are skipped and opaque ones written without mixing.
#include "raster/block_clip.h"
#include "raster/block_ops.h"
#include "raster/blend_pixel.h"
#include "raster/pic_copy.h"

using blend::Div255;
using blend::Rgb;
using raster_detail::BlockArea;
using raster_detail::ClampByte;
using raster_detail::ClipBlock;
using raster_detail::ValidPic;

namespace {

struct Src32 {
    const uint8_t* p;
    int32_t Alpha(int32_t i) const { return p[i * 4 + 3]; }
    Rgb Colour(int32_t i) const { return {p[i * 4 + 2], p[i * 4 + 1], p[i * 4]}; }
};

struct Src24 {
    const uint8_t* p;
    int32_t Alpha(int32_t) const { return 255; }
    Rgb Colour(int32_t i) const { return {p[i * 3 + 2], p[i * 3 + 1], p[i * 3]}; }
};

struct SrcMask {
    const uint8_t* coverage;
    Rgb colour;
    int32_t Alpha(int32_t i) const { return coverage[i]; }
    Rgb Colour(int32_t) const { return colour; }
};

inline void Put(uint8_t* d, const Rgb& c)
{
    d[0] = static_cast<uint8_t>(c.b);
    d[1] = static_cast<uint8_t>(c.g);
    d[2] = static_cast<uint8_t>(c.r);
}

template <int32_t Mode, int DstBpp, typename Src>
void BltRow(uint8_t* d, Src src, int32_t n, int32_t op)
{
    for (int32_t i = 0; i < n; ++i, d += DstBpp / 8) {
        int32_t sa = src.Alpha(i);
        if (sa == 0)
            continue;
        int32_t a = op == 255 ? sa : Div255(sa * op);
        if (a == 0)
            continue;
        const Rgb cs = src.Colour(i);
        const int32_t ab = DstBpp == 32 ? d[3] : 255;
        if (ab == 255) {
            const Rgb cb{d[2], d[1], d[0]};
            const Rgb m = blend::Mix<Mode>(cb, cs);
            if (a == 255) {
                Put(d, m);
            } else {
                const int32_t k = 255 - a;
                Put(d, {Div255(m.r * a + cb.r * k), Div255(m.g * a + cb.g * k), Div255(m.b * a + cb.b * k)});
            }
        } else if (ab == 0) {
            // Nothing underneath: the mode has no backdrop to mix with.
            Put(d, cs);
            d[3] = static_cast<uint8_t>(a);
        } else {
            // W3C source-over with a partly transparent backdrop: the mix counts in proportion to
            // the backdrop alpha, then the result is un-premultiplied by the union alpha.
            const Rgb cb{d[2], d[1], d[0]};
            const Rgb m = blend::Mix<Mode>(cb, cs);
            const int32_t keep = 255 - ab;
            const int32_t ws = a * 255;
            const int32_t wb = (255 - a) * ab;
            const int32_t den = ws + wb;
            auto channel = [&](int32_t s, int32_t mix, int32_t b) {
                int32_t sp = Div255(s * keep + mix * ab);
                return (sp * ws + b * wb + den / 2) / den;
            };
            Put(d, {channel(cs.r, m.r, cb.r), channel(cs.g, m.g, cb.g), channel(cs.b, m.b, cb.b)});
            d[3] = static_cast<uint8_t>(Div255(den));
        }
    }
}

template <typename Src>
using RowFn = void (*)(uint8_t*, Src, int32_t, int32_t);

template <int DstBpp, typename Src>
RowFn<Src> PickForDepth(int32_t mode)
{
    switch (mode) {
    case kBlendNormal: return BltRow<kBlendNormal, DstBpp, Src>;
    case kBlendHue: return BltRow<kBlendHue, DstBpp, Src>;
    case kBlendSaturation: return BltRow<kBlendSaturation, DstBpp, Src>;
    case kBlendLuminosity: return BltRow<kBlendLuminosity, DstBpp, Src>;
    case kBlendScreen: return BltRow<kBlendScreen, DstBpp, Src>;
    case kBlendDarken: return BltRow<kBlendDarken, DstBpp, Src>;
    case kBlendLighten: return BltRow<kBlendLighten, DstBpp, Src>;
    case kBlendDifference: return BltRow<kBlendDifference, DstBpp, Src>;
    default: return nullptr;
    }
}

template <typename Src>
RowFn<Src> PickRow(int32_t dstBpp, int32_t mode)
{
    return dstBpp == 32 ? PickForDepth<32, Src>(mode) : PickForDepth<24, Src>(mode);
}

}  // namespace

int BlockBlt(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const Bitmap* src, int32_t sx,
             int32_t sy, int32_t opacity, int32_t mode)
{
    if (!ValidPic(dst) || !ValidPic(src) || mode < 0 || mode >= kBlendModeCount)
        return 0;
    opacity = ClampByte(opacity);
    BlockArea a;
    if (!ClipBlock(dst->width, dst->height, src->width, src->height, dx, dy, w, h, sx, sy, &a) || opacity == 0)
        return 1;
    Bitmap* scratch = nullptr;
    if (raster_detail::Overlaps(dst, src, a)) {
        scratch = CopyPicBlock(src, a.sx, a.sy, a.w, a.h);
        if (!scratch)
            return 0;
        src = scratch;
        a.sx = a.sy = 0;
    }
    if (src->bitsPerPixel == 32) {
        RowFn<Src32> fn = PickRow<Src32>(dst->bitsPerPixel, mode);
        for (int32_t j = 0; j < a.h; ++j)
            fn(PicPixel(dst, a.dx, a.dy + j), Src32{PicPixel(src, a.sx, a.sy + j)}, a.w, opacity);
    } else {
        RowFn<Src24> fn = PickRow<Src24>(dst->bitsPerPixel, mode);
        for (int32_t j = 0; j < a.h; ++j)
            fn(PicPixel(dst, a.dx, a.dy + j), Src24{PicPixel(src, a.sx, a.sy + j)}, a.w, opacity);
    }
    DeletePic(scratch);
    return 1;
}

int BlockalphaBlt(Bitmap* dst, int32_t dx, int32_t dy, int32_t w, int32_t h, const AlphaMask* mask,
                  int32_t sx, int32_t sy, int32_t opacity, int32_t mode)
{
    if (!ValidPic(dst) || !mask || mode < 0 || mode >= kBlendModeCount)
        return 0;
    const int32_t mw = AlphaMaskWidth(mask), mh = AlphaMaskHeight(mask);
    opacity = ClampByte(opacity);
    BlockArea a;
    if (mw <= 0 || mh <= 0 || opacity == 0 ||
        !ClipBlock(dst->width, dst->height, mw, mh, dx, dy, w, h, sx, sy, &a))
        return 1;
    const Colour c = AlphaMaskColour(mask);
    const Rgb colour{static_cast<int32_t>((c >> 16) & 0xFF), static_cast<int32_t>((c >> 8) & 0xFF),
                     static_cast<int32_t>(c & 0xFF)};
    RowFn<SrcMask> fn = PickRow<SrcMask>(dst->bitsPerPixel, mode);
    for (int32_t j = 0; j < a.h; ++j)
        fn(PicPixel(dst, a.dx, a.dy + j), SrcMask{AlphaMaskRow(mask, a.sy + j) + a.sx, colour}, a.w, opacity);
    return 1;
}
