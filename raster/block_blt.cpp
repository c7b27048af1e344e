// BlockBlt and BlockalphaBlt: the compositor's inner loops.  One row loop is instantiated per blend
// mode, destination depth and kind of source, and chosen once per call, so the pixel loop holds no
// dispatch; fully transparent source pixels are skipped and opaque ones written without mixing.
#include <cstring>

#include "raster/block_clip.h"
#include "raster/block_ops.h"
#include "raster/blend_four_sse2.h"
#include "raster/blend_pixel.h"
#include "raster/pic_copy.h"

using blend::Div255;
using blend::Rgb;
using raster_detail::BlockArea;
using raster_detail::ClampByte;
using raster_detail::ClipBlock;
using raster_detail::ValidPic;

namespace {


using blend::F4;
using blend::I4;
using blend::SplatI;
using blend::U4;

// Four 24-bit pixels (12 bytes) as 0x00RRGGBB lanes, and back, through three 32-bit words.
BLEND_INLINE U4 Load24(const uint8_t* p)
{
    uint32_t w[3];
    std::memcpy(w, p, sizeof w);
    return U4{w[0] & 0xFFFFFFu, (w[0] >> 24) | ((w[1] & 0xFFFFu) << 8), (w[1] >> 16) | ((w[2] & 0xFFu) << 16),
              w[2] >> 8};
}

BLEND_INLINE void Store24(uint8_t* p, U4 v)
{
    // three word stores straight to the row: a 12-byte copy through a stack buffer would stall on
    // store forwarding
    const uint32_t w0 = v[0] | (v[1] << 24), w1 = (v[1] >> 8) | (v[2] << 16), w2 = (v[2] >> 16) | (v[3] << 8);
    std::memcpy(p, &w0, 4);
    std::memcpy(p + 4, &w1, 4);
    std::memcpy(p + 8, &w2, 4);
}

BLEND_INLINE void Unpack24(U4 v, I4* r, I4* g, I4* b)
{
    const U4 byte = {255, 255, 255, 255};
    *r = (I4)((v >> 16) & byte);
    *g = (I4)((v >> 8) & byte);
    *b = (I4)(v & byte);
}

// The kinds of source: each gives one pixel's alpha and colour, or four pixels in lanes, and tells
// cheaply whether four pixels are all transparent or all opaque.
struct Src32 {
    static constexpr bool kWholePixels = true;
    const uint8_t* p;
    __m128i Pixels4(int32_t i) const { return blend_sse2::Load(p + i * 4); }
    // a band of a layer is short enough that asking ahead still pays
    void Prefetch(int32_t i) const { __builtin_prefetch(p + i * 4 + 1024); }
    int32_t Alpha(int32_t i) const { return p[i * 4 + 3]; }
    Rgb Colour(int32_t i) const { return {p[i * 4 + 2], p[i * 4 + 1], p[i * 4]}; }
    // byte reads: going through the lane register would cost a store-forwarding stall
    bool Clear4(int32_t i) const
    {
        const uint8_t* q = p + i * 4;
        return (q[3] | q[7] | q[11] | q[15]) == 0;
    }
    bool Opaque4(int32_t i) const
    {
        const uint8_t* q = p + i * 4;
        return (q[3] & q[7] & q[11] & q[15]) == 255;
    }
    U4 Packed4(int32_t i) const
    {
        U4 v;
        std::memcpy(&v, p + i * 4, sizeof v);
        return v & U4{0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu, 0xFFFFFFu};
    }
    void Lanes(int32_t i, I4* a, I4* r, I4* g, I4* b) const
    {
        U4 v;
        std::memcpy(&v, p + i * 4, sizeof v);
        const U4 byte = {255, 255, 255, 255};
        *a = (I4)(v >> 24);
        *r = (I4)((v >> 16) & byte);
        *g = (I4)((v >> 8) & byte);
        *b = (I4)(v & byte);
    }
};

struct Src24 {
    static constexpr bool kWholePixels = false;
    const uint8_t* p;
    int32_t Alpha(int32_t) const { return 255; }
    Rgb Colour(int32_t i) const { return {p[i * 3 + 2], p[i * 3 + 1], p[i * 3]}; }
    bool Clear4(int32_t) const { return false; }
    bool Opaque4(int32_t) const { return true; }
    U4 Packed4(int32_t i) const { return Load24(p + i * 3); }
    void Lanes(int32_t i, I4* a, I4* r, I4* g, I4* b) const
    {
        *a = SplatI(255);
        Unpack24(Load24(p + i * 3), r, g, b);
    }
};

struct SrcMask {
    static constexpr bool kWholePixels = true;
    const uint8_t* coverage;
    Rgb colour;
    __m128i Pixels4(int32_t i) const
    {
        return blend_sse2::MaskPixels(coverage + i, _mm_set1_epi32(colour.r << 16 | colour.g << 8 | colour.b));
    }
    void Prefetch(int32_t i) const { __builtin_prefetch(coverage + i + 256); }
    int32_t Alpha(int32_t i) const { return coverage[i]; }
    Rgb Colour(int32_t) const { return colour; }
    bool Clear4(int32_t i) const
    {
        uint32_t w;
        std::memcpy(&w, coverage + i, sizeof w);
        return w == 0;
    }
    bool Opaque4(int32_t i) const
    {
        uint32_t w;
        std::memcpy(&w, coverage + i, sizeof w);
        return w == 0xFFFFFFFFu;
    }
    U4 Packed4(int32_t) const
    {
        const uint32_t c = static_cast<uint32_t>(colour.r << 16 | colour.g << 8 | colour.b);
        return U4{c, c, c, c};
    }
    void Lanes(int32_t i, I4* a, I4* r, I4* g, I4* b) const
    {
        const uint8_t* c = coverage + i;
        *a = I4{c[0], c[1], c[2], c[3]};
        *r = SplatI(colour.r);
        *g = SplatI(colour.g);
        *b = SplatI(colour.b);
    }
};

BLEND_INLINE void Put(uint8_t* d, const Rgb& c)
{
    d[0] = static_cast<uint8_t>(c.b);
    d[1] = static_cast<uint8_t>(c.g);
    d[2] = static_cast<uint8_t>(c.r);
}

// Lays one pixel of coverage a (1..255) and colour cs onto d; mix(cb) gives B(backdrop, source).
template <int DstBpp, typename MixFn>
BLEND_INLINE void Lay(uint8_t* d, int32_t a, const Rgb& cs, MixFn&& mix)
{
    const int32_t ab = DstBpp == 32 ? d[3] : 255;
    if (ab == 255) {
        const Rgb cb{d[2], d[1], d[0]};
        const Rgb m = mix(cb);
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
        // W3C source-over with a partly transparent backdrop: the mix counts in proportion to the
        // backdrop alpha, then the result is un-premultiplied by the union alpha.
        const Rgb cb{d[2], d[1], d[0]};
        const Rgb m = mix(cb);
        const int32_t keep = 255 - ab;
        const int32_t ws = a * 255;
        const int32_t wb = (255 - a) * ab;
        const int32_t den = ws + wb;
        auto channel = [&](int32_t s, int32_t mixed, int32_t b) {
            int32_t sp = Div255(s * keep + mixed * ab);
            return (sp * ws + b * wb + den / 2) / den;
        };
        Put(d, {channel(cs.r, m.r, cb.r), channel(cs.g, m.g, cb.g), channel(cs.b, m.b, cb.b)});
        d[3] = static_cast<uint8_t>(Div255(den));
    }
}

BLEND_INLINE int32_t Coverage(int32_t sa, int32_t op) { return op == 255 ? sa : Div255(sa * op); }

// Four pixels in normal or a non-separable mode onto an opaque backdrop, entirely in lanes.  False (nothing
// written) when a 32-bit backdrop is not opaque under all four, which the caller then lays one by one.
template <int32_t Mode, int DstBpp, typename Src>
BLEND_INLINE bool LayFour(uint8_t* d, const Src& src, int32_t i, int32_t op)
{
    if (src.Clear4(i))
        return true;
    if constexpr (Mode == kBlendNormal) {
        if (op == 255 && src.Opaque4(i)) {
            const U4 c = src.Packed4(i);
            if constexpr (DstBpp == 32) {
                const U4 v = c | U4{0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u};
                std::memcpy(d, &v, sizeof v);
            } else {
                Store24(d, c);
            }
            return true;
        }
    }
    I4 a, sr, sg, sb;
    src.Lanes(i, &a, &sr, &sg, &sb);
    I4 br, bg, bb;
    if constexpr (DstBpp == 32) {
        U4 v;
        std::memcpy(&v, d, sizeof v);
        const U4 byte = {255, 255, 255, 255};
        const U4 ab = v >> 24;
        if ((ab[0] & ab[1] & ab[2] & ab[3]) != 255)
            return false;
        br = (I4)((v >> 16) & byte);
        bg = (I4)((v >> 8) & byte);
        bb = (I4)(v & byte);
    } else {
        Unpack24(Load24(d), &br, &bg, &bb);
    }
    using blend::ToFloat;
    const F4 cover = op == 255 ? ToFloat(a) : ToFloat(blend::Div255(ToFloat(a) * blend::Splat(float(op))));
    const F4 coverNorm = cover * blend::Splat(1.0f / 255.0f);
    I4 mr = sr, mg = sg, mb = sb;
    if constexpr (Mode != kBlendNormal)
        blend::MixLanes<Mode>(br, bg, bb, sr, sg, sb, &mr, &mg, &mb);
    // a fully covered group is the mix itself
    const bool covered = op == 255 && src.Opaque4(i);
    const I4 r = covered ? mr : blend::LerpLanes(mr, br, coverNorm);
    const I4 g = covered ? mg : blend::LerpLanes(mg, bg, coverNorm);
    const I4 b = covered ? mb : blend::LerpLanes(mb, bb, coverNorm);
    if constexpr (DstBpp == 32) {
        const U4 v = U4{0xFF000000u, 0xFF000000u, 0xFF000000u, 0xFF000000u} | ((U4)r << 16) | ((U4)g << 8) | (U4)b;
        std::memcpy(d, &v, sizeof v);
    } else {
        Store24(d, ((U4)r << 16) | ((U4)g << 8) | (U4)b);
    }
    return true;
}

// Lays m pixels one by one (a row's tail, or a group over a partly transparent backdrop).
template <int32_t Mode, int DstBpp, typename Src>
void LaySome(uint8_t* d, const Src& src, int32_t i0, int32_t m, int32_t op)
{
    constexpr int32_t bpp = DstBpp / 8;
    if constexpr (blend::IsNonSeparable(Mode)) {
        constexpr int32_t lanes = blend::kLanes;
        int32_t cover[lanes] = {0, 0, 0, 0};
        bool any = false;
        for (int32_t k = 0; k < m; ++k) {
            cover[k] = Coverage(src.Alpha(i0 + k), op);
            any |= cover[k] != 0;
        }
        if (!any)
            return;
        Rgb cb[lanes] = {}, cs[lanes] = {}, mixed[lanes];
        for (int32_t k = 0; k < m; ++k) {
            const uint8_t* p = d + k * bpp;
            cb[k] = {p[2], p[1], p[0]};
            cs[k] = src.Colour(i0 + k);
        }
        blend::MixFour<Mode>(cb, cs, mixed);
        for (int32_t k = 0; k < m; ++k)
            if (cover[k])
                Lay<DstBpp>(d + k * bpp, cover[k], cs[k], [&](const Rgb&) { return mixed[k]; });
    } else {
        for (int32_t k = 0; k < m; ++k, d += bpp) {
            const int32_t sa = src.Alpha(i0 + k);
            if (sa == 0)
                continue;
            const int32_t a = Coverage(sa, op);
            if (a == 0)
                continue;
            const Rgb cs = src.Colour(i0 + k);
            Lay<DstBpp>(d, a, cs, [&](const Rgb& cb) { return blend::Mix<Mode>(cb, cs); });
        }
    }
}

// A separable mode onto a 32-bit destination, four whole pixels at a time: transparent groups are
// skipped, opaque ones in normal mode stored as they are, the rest mixed in SSE2 lanes unless the
// backdrop under them is not opaque, which takes the full formula pixel by pixel.
template <int32_t Mode, typename Src>
void BltRowOpaqueBackdrop(uint8_t* d, Src src, int32_t n, int32_t op)
{
    using namespace blend_sse2;
    const __m128i opacity = _mm_set1_epi16(static_cast<int16_t>(op));
    const bool scaled = op != 255;
    auto layGroup = [&](int32_t k, __m128i s) {
        if (ClearMask(s) == kAllFour)
            return;
        uint8_t* q = d + k * 4;
        if (Mode == kBlendNormal && !scaled && OpaqueMask(s) == kAllFour) {
            Store(q, s);
            return;
        }
        const __m128i b = Load(q);
        if (OpaqueMask(b) != kAllFour) {
            LaySome<Mode, 32>(q, src, k, 4, op);
            return;
        }
        Store(q, blend_sse2::LayFour<Mode>(s, b, opacity, scaled));
    };
    int32_t i = 0;
    // Sixteen pixels are tested together first: painting layers are mostly long transparent or
    // opaque stretches.
    for (; i + 16 <= n; i += 16) {
        src.Prefetch(i);
        const __m128i s0 = src.Pixels4(i), s1 = src.Pixels4(i + 4), s2 = src.Pixels4(i + 8), s3 = src.Pixels4(i + 12);
        const __m128i alphaOr = _mm_or_si128(_mm_or_si128(s0, s1), _mm_or_si128(s2, s3));
        if (ClearMask(alphaOr) == kAllFour)
            continue;
        if (Mode == kBlendNormal && !scaled) {
            const __m128i alphaAnd = _mm_and_si128(_mm_and_si128(s0, s1), _mm_and_si128(s2, s3));
            if (OpaqueMask(alphaAnd) == kAllFour) {
                Store(d + i * 4, s0);
                Store(d + i * 4 + 16, s1);
                Store(d + i * 4 + 32, s2);
                Store(d + i * 4 + 48, s3);
                continue;
            }
        }
        layGroup(i, s0);
        layGroup(i + 4, s1);
        layGroup(i + 8, s2);
        layGroup(i + 12, s3);
    }
    for (; i + 4 <= n; i += 4)
        layGroup(i, src.Pixels4(i));
    if (i < n)
        LaySome<Mode, 32>(d + i * 4, src, i, n - i, op);
}

template <int32_t Mode, int DstBpp, typename Src>
void BltRow(uint8_t* d, Src src, int32_t n, int32_t op)
{
    constexpr int32_t bpp = DstBpp / 8;
    constexpr int32_t lanes = blend::kLanes;
    if constexpr (DstBpp == 32 && Src::kWholePixels && blend_sse2::Handles(Mode)) {
        BltRowOpaqueBackdrop<Mode>(d, src, n, op);
    } else if constexpr (blend::IsNonSeparable(Mode) || Mode == kBlendNormal) {
        // Groups of four in lanes where the backdrop allows, one by one elsewhere.
        int32_t i0 = 0;
        for (; i0 + lanes <= n; i0 += lanes)
            if (!LayFour<Mode, DstBpp>(d + i0 * bpp, src, i0, op))
                LaySome<Mode, DstBpp>(d + i0 * bpp, src, i0, lanes, op);
        if (i0 < n)
            LaySome<Mode, DstBpp>(d + i0 * bpp, src, i0, n - i0, op);
    } else {
        LaySome<Mode, DstBpp>(d, src, 0, n, op);
    }
}

// Asks for a row of a narrow block a little before it is needed: its rows lie a whole picture row
// apart, which the processor does not foresee the way it follows a stream.  Wide rows are streams.
constexpr int32_t kNarrowRowBytes = 512;

BLEND_INLINE void PrefetchRow(const uint8_t* p, int32_t bytes)
{
    if (bytes > kNarrowRowBytes)
        return;
    for (int32_t k = 0; k < bytes; k += 64)
        __builtin_prefetch(p + k);
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
    // Rows in memory order (bitmaps keep the bottom line first), so that a block spanning whole
    // rows is read as one stream.
    if (src->bitsPerPixel == 32) {
        RowFn<Src32> fn = PickRow<Src32>(dst->bitsPerPixel, mode);
        for (int32_t j = a.h - 1; j >= 0; --j) {
            if (j >= 2)
                PrefetchRow(PicPixel(src, a.sx, a.sy + j - 2), a.w * 4);
            fn(PicPixel(dst, a.dx, a.dy + j), Src32{PicPixel(src, a.sx, a.sy + j)}, a.w, opacity);
        }
    } else {
        RowFn<Src24> fn = PickRow<Src24>(dst->bitsPerPixel, mode);
        for (int32_t j = a.h - 1; j >= 0; --j)
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
    for (int32_t j = 0; j < a.h; ++j) {
        if (j + 2 < a.h)
            PrefetchRow(AlphaMaskRow(mask, a.sy + j + 2) + a.sx, a.w);
        fn(PicPixel(dst, a.dx, a.dy + j), SrcMask{AlphaMaskRow(mask, a.sy + j) + a.sx, colour}, a.w, opacity);
    }
    return 1;
}
