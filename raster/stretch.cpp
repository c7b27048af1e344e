#include "raster/stretch.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "raster/block_clip.h"
#include "raster/blend_pixel.h"

using raster_detail::ValidPic;

namespace {

// Destination pixels [lo, hi) of one axis whose source index lies inside the source picture, with
// that index per pixel.  srcAt(i) is the source index of destination offset i (from the block start).
struct AxisMap {
    int32_t lo = 0, hi = 0;               // destination offsets inside the block
    std::unique_ptr<int32_t[]> index;     // source index of offset lo + k
};

template <typename SrcAt>
bool BuildAxis(int32_t d, int32_t dlen, int32_t dstLen, int32_t srcLen, SrcAt srcAt, AxisMap* m)
{
    int64_t lo = std::max<int64_t>(0, -static_cast<int64_t>(d));
    int64_t hi = std::min<int64_t>(dlen, static_cast<int64_t>(dstLen) - d);
    // The mapping grows with the offset, so the pixels with a source inside form one run; bisection
    // finds it without walking a huge block.
    auto firstWhere = [&](int64_t a, int64_t b, auto pred) {
        while (a < b) {
            int64_t mid = a + (b - a) / 2;
            if (pred(srcAt(mid)))
                b = mid;
            else
                a = mid + 1;
        }
        return a;
    };
    lo = firstWhere(lo, hi, [](int64_t v) { return v >= 0; });
    hi = std::max(lo, firstWhere(lo, hi, [srcLen](int64_t v) { return v >= srcLen; }));
    m->lo = static_cast<int32_t>(lo);
    m->hi = static_cast<int32_t>(hi);
    if (lo >= hi)
        return true;
    m->index.reset(new (std::nothrow) int32_t[static_cast<size_t>(hi - lo)]);
    if (!m->index)
        return false;
    for (int64_t i = lo; i < hi; ++i)
        m->index[static_cast<size_t>(i - lo)] = static_cast<int32_t>(srcAt(i));
    return true;
}

template <int DstBpp, int SrcBpp, bool Over>
void NearestRows(Bitmap* dst, int32_t dx, int32_t dy, const Bitmap* src, const AxisMap& xs, const AxisMap& ys)
{
    const int32_t n = xs.hi - xs.lo;
    for (int32_t j = ys.lo; j < ys.hi; ++j) {
        const uint8_t* srow = PicRow(src, ys.index[static_cast<size_t>(j - ys.lo)]);
        uint8_t* d = PicPixel(dst, dx + xs.lo, dy + j);
        for (int32_t k = 0; k < n; ++k, d += DstBpp / 8) {
            const uint8_t* s = srow + static_cast<size_t>(xs.index[static_cast<size_t>(k)]) * (SrcBpp / 8);
            int32_t a = SrcBpp == 32 ? s[3] : 255;
            if constexpr (Over) {
                if (a == 0)
                    continue;
                if (a < 255) {
                    int32_t ab = DstBpp == 32 ? d[3] : 255;
                    // Normal source-over; the destination keeps its colour weight by its own alpha.
                    int32_t wb = (255 - a) * ab;
                    int32_t den = a * 255 + wb;
                    for (int c = 0; c < 3; ++c)
                        d[c] = static_cast<uint8_t>((s[c] * a * 255 + d[c] * wb + den / 2) / den);
                    if constexpr (DstBpp == 32)
                        d[3] = static_cast<uint8_t>(blend::Div255(den));
                    continue;
                }
            }
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            if constexpr (DstBpp == 32)
                d[3] = static_cast<uint8_t>(a);
        }
    }
}

template <bool Over>
void Nearest(Bitmap* dst, int32_t dx, int32_t dy, const Bitmap* src, const AxisMap& xs, const AxisMap& ys)
{
    if (dst->bitsPerPixel == 32) {
        if (src->bitsPerPixel == 32)
            NearestRows<32, 32, Over>(dst, dx, dy, src, xs, ys);
        else
            NearestRows<32, 24, Over>(dst, dx, dy, src, xs, ys);
    } else {
        if (src->bitsPerPixel == 32)
            NearestRows<24, 32, Over>(dst, dx, dy, src, xs, ys);
        else
            NearestRows<24, 24, Over>(dst, dx, dy, src, xs, ys);
    }
}

// floor(s + (2i + 1) × sl / (2 × dl)): the source index under the centre of destination pixel i.
auto CentreMap(int32_t s, int32_t sl, int32_t dl)
{
    return [=](int64_t i) {
        int64_t num = (2 * i + 1) * static_cast<int64_t>(sl);
        int64_t den = 2 * static_cast<int64_t>(dl);
        return s + num / den;  // num and den are positive for i >= 0
    };
}

template <bool Over>
int RapidStretch(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src, int32_t sx,
                 int32_t sy, int32_t sw, int32_t sh)
{
    if (!ValidPic(dst) || !ValidPic(src) || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0)
        return 0;
    if (dst == src)
        return 0;  // a stretch cannot run in place
    AxisMap xs, ys;
    if (!BuildAxis(dx, dw, dst->width, src->width, CentreMap(sx, sw, dw), &xs) ||
        !BuildAxis(dy, dh, dst->height, src->height, CentreMap(sy, sh, dh), &ys))
        return 0;
    if (xs.lo < xs.hi && ys.lo < ys.hi)
        Nearest<Over>(dst, dx, dy, src, xs, ys);
    return 1;
}

// ---- filtered stretch ----

// The source taps of one destination pixel: weights out of 4096.
struct Taps {
    int32_t lo = 0, hi = 0;                   // destination offsets covered
    std::unique_ptr<int32_t[]> first;         // first source index per offset
    std::unique_ptr<int32_t[]> count;         // taps per offset
    std::unique_ptr<int32_t[]> weight;        // maxTaps per offset
    int32_t maxTaps = 0;
};

bool BuildTaps(int32_t d, int32_t dl, int32_t dstLen, int32_t s, int32_t sl, int32_t srcLen, Taps* t)
{
    AxisMap range;
    if (!BuildAxis(d, dl, dstLen, srcLen, CentreMap(s, sl, dl), &range))
        return false;
    t->lo = range.lo;
    t->hi = range.hi;
    if (t->lo >= t->hi)
        return true;
    const size_t n = static_cast<size_t>(t->hi - t->lo);
    const double scale = static_cast<double>(sl) / dl;
    t->maxTaps = scale <= 1.0 ? 2 : static_cast<int32_t>(std::ceil(scale)) + 2;
    t->first.reset(new (std::nothrow) int32_t[n]);
    t->count.reset(new (std::nothrow) int32_t[n]);
    t->weight.reset(new (std::nothrow) int32_t[n * static_cast<size_t>(t->maxTaps)]);
    if (!t->first || !t->count || !t->weight)
        return false;
    // Samples never reach past the source block or the picture.
    const int32_t minIdx = std::max(s, 0);
    const int32_t maxIdx = static_cast<int32_t>(std::min<int64_t>(static_cast<int64_t>(s) + sl, srcLen)) - 1;
    double w[512];
    for (size_t k = 0; k < n; ++k) {
        const int64_t i = t->lo + static_cast<int64_t>(k);
        int64_t a, b;  // source taps [a, b]
        int32_t taps = 0;
        if (scale <= 1.0) {
            double c = (static_cast<double>(i) + 0.5) * scale - 0.5;
            double fl = std::floor(c);
            a = static_cast<int64_t>(fl) + s;
            b = a + 1;
            w[0] = 1.0 - (c - fl);
            w[1] = c - fl;
            taps = 2;
        } else {
            double x0 = static_cast<double>(i) * scale, x1 = x0 + scale;
            a = static_cast<int64_t>(std::floor(x0));
            b = static_cast<int64_t>(std::ceil(x1)) - 1;
            taps = static_cast<int32_t>(std::min<int64_t>(b - a + 1, t->maxTaps));
            b = a + taps - 1;
            for (int32_t q = 0; q < taps; ++q) {
                double cl = std::max(x0, static_cast<double>(a + q));
                double cr = std::min(x1, static_cast<double>(a + q + 1));
                w[q] = std::max(0.0, cr - cl);
            }
            a += s;
            b += s;
        }
        // Fold taps outside the allowed range onto the edge pixels.
        int32_t* out = &t->weight[k * static_cast<size_t>(t->maxTaps)];
        int64_t fa = std::clamp<int64_t>(a, minIdx, maxIdx);
        int64_t fb = std::clamp<int64_t>(b, minIdx, maxIdx);
        int32_t cnt = static_cast<int32_t>(fb - fa + 1);
        double sum = 0;
        double folded[512] = {};
        for (int32_t q = 0; q < taps; ++q) {
            int64_t idx = std::clamp<int64_t>(a + q, fa, fb);
            folded[idx - fa] += w[q];
            sum += w[q];
        }
        int32_t total = 0, big = 0;
        for (int32_t q = 0; q < cnt; ++q) {
            out[q] = static_cast<int32_t>(std::lround(folded[q] / sum * 4096.0));
            total += out[q];
            if (out[q] > out[big])
                big = q;
        }
        out[big] += 4096 - total;
        t->first[k] = static_cast<int32_t>(fa);
        t->count[k] = cnt;
    }
    return true;
}

// Horizontal pass of one source row into accumulators: per pixel, colour × alpha (× weight) and alpha.
void FilterRow(const Bitmap* src, int32_t y, const Taps& xs, int64_t* out)
{
    const uint8_t* row = PicRow(src, y);
    const int32_t bpp = src->bitsPerPixel / 8;
    const int32_t n = xs.hi - xs.lo;
    for (int32_t k = 0; k < n; ++k) {
        const int32_t* w = &xs.weight[static_cast<size_t>(k) * static_cast<size_t>(xs.maxTaps)];
        const uint8_t* p = row + static_cast<size_t>(xs.first[k]) * static_cast<size_t>(bpp);
        int64_t b = 0, g = 0, r = 0, a = 0;
        for (int32_t q = 0; q < xs.count[k]; ++q, p += bpp) {
            int64_t pa = bpp == 4 ? p[3] : 255;
            int64_t wa = w[q] * pa;
            b += wa * p[0];
            g += wa * p[1];
            r += wa * p[2];
            a += wa;
        }
        out[k * 4] = b;
        out[k * 4 + 1] = g;
        out[k * 4 + 2] = r;
        out[k * 4 + 3] = a;
    }
}

}  // namespace

int BlockRapidStretch(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src,
                      int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return RapidStretch<false>(dst, dx, dy, dw, dh, src, sx, sy, sw, sh);
}

int alphaBlockRapidStretch(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src,
                           int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return RapidStretch<true>(dst, dx, dy, dw, dh, src, sx, sy, sw, sh);
}

int BlockStretchSet(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src,
                    int32_t sx, int32_t sy, double factor)
{
    if (!ValidPic(dst) || !ValidPic(src) || dw <= 0 || dh <= 0 || dst == src || !(factor > 0.0) ||
        !std::isfinite(factor) || factor < 1e-4 || factor > 1e4)
        return 0;
    auto map = [factor](int32_t s) {
        return [=](int64_t i) {
            return s + static_cast<int64_t>(std::floor((static_cast<double>(i) + 0.5) / factor));
        };
    };
    AxisMap xs, ys;
    if (!BuildAxis(dx, dw, dst->width, src->width, map(sx), &xs) ||
        !BuildAxis(dy, dh, dst->height, src->height, map(sy), &ys))
        return 0;
    if (xs.lo < xs.hi && ys.lo < ys.hi)
        Nearest<false>(dst, dx, dy, src, xs, ys);
    return 1;
}

int BlockStretch(Bitmap* dst, int32_t dx, int32_t dy, int32_t dw, int32_t dh, const Bitmap* src, int32_t sx,
                 int32_t sy, int32_t sw, int32_t sh)
{
    if (!ValidPic(dst) || !ValidPic(src) || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || dst == src)
        return 0;
    // Reductions beyond 500 : 1 would need more taps than one pixel should average; refuse them.
    if (static_cast<double>(sw) / dw > 500.0 || static_cast<double>(sh) / dh > 500.0)
        return 0;
    Taps xs, ys;
    if (!BuildTaps(dx, dw, dst->width, sx, sw, src->width, &xs) ||
        !BuildTaps(dy, dh, dst->height, sy, sh, src->height, &ys))
        return 0;
    if (xs.lo >= xs.hi || ys.lo >= ys.hi)
        return 1;
    const size_t n = static_cast<size_t>(xs.hi - xs.lo);
    std::unique_ptr<int64_t[]> row(new (std::nothrow) int64_t[n * 4]);
    std::unique_ptr<int64_t[]> acc(new (std::nothrow) int64_t[n * 4]);
    if (!row || !acc)
        return 0;
    const int32_t dbpp = dst->bitsPerPixel / 8;
    for (int32_t j = ys.lo; j < ys.hi; ++j) {
        const size_t k = static_cast<size_t>(j - ys.lo);
        std::fill(acc.get(), acc.get() + n * 4, 0);
        const int32_t* wy = &ys.weight[k * static_cast<size_t>(ys.maxTaps)];
        for (int32_t q = 0; q < ys.count[k]; ++q) {
            FilterRow(src, ys.first[k] + q, xs, row.get());
            for (size_t i = 0; i < n * 4; ++i)
                acc[i] += row[i] * wy[q];
        }
        uint8_t* d = PicPixel(dst, dx + xs.lo, dy + j);
        for (size_t i = 0; i < n; ++i, d += dbpp) {
            const int64_t a = acc[i * 4 + 3];  // alpha × 4096 × 4096
            if (a <= 0) {
                d[0] = d[1] = d[2] = 0;
                if (dbpp == 4)
                    d[3] = 0;
                continue;
            }
            for (int c = 0; c < 3; ++c)
                d[c] = static_cast<uint8_t>(std::min<int64_t>(255, (acc[i * 4 + c] + a / 2) / a));
            if (dbpp == 4)
                d[3] = static_cast<uint8_t>(std::min<int64_t>(255, (a + (int64_t{1} << 23)) >> 24));
        }
    }
    return 1;
}

Bitmap* BlockOrgStretch(const Bitmap* src, PicSize size)
{
    if (!ValidPic(src))
        return nullptr;
    Bitmap* out = NewPic(size.width, size.height, src->bitsPerPixel);
    if (!out)
        return nullptr;
    if (!BlockStretch(out, 0, 0, size.width, size.height, src, 0, 0, src->width, src->height)) {
        DeletePic(out);
        return nullptr;
    }
    return out;
}
