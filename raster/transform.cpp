#include "raster/transform.h"

#include <cmath>
#include <cstring>
#include <numbers>

#include "raster/block_clip.h"
#include "raster/pic_copy.h"

using raster_detail::ValidPic;

namespace {

// Builds a new picture of w × h where pixel (x, y) comes from source pixel at(x, y).
template <typename At>
Bitmap* Remap(const Bitmap* src, int32_t w, int32_t h, At at)
{
    Bitmap* out = NewPic(w, h, src->bitsPerPixel);
    if (!out)
        return nullptr;
    const size_t bpp = static_cast<size_t>(src->bitsPerPixel / 8);
    for (int32_t y = 0; y < h; ++y) {
        uint8_t* d = PicRow(out, y);
        for (int32_t x = 0; x < w; ++x, d += bpp) {
            int32_t sx, sy;
            at(x, y, &sx, &sy);
            std::memcpy(d, PicPixel(src, sx, sy), bpp);
        }
    }
    return out;
}

// The quarter turn count when angle is a whole number of quarter turns, else -1.
int32_t QuarterTurns(double angle)
{
    double q = angle / (std::numbers::pi / 2);
    double r = std::round(q);
    if (std::fabs(q - r) > 1e-9 || std::fabs(r) > 1e9)
        return -1;
    return static_cast<int32_t>(((static_cast<int64_t>(r) % 4) + 4) % 4);
}

Bitmap* RotateBy(const Bitmap* src, double angle, bool smooth)
{
    if (!ValidPic(src) || !std::isfinite(angle))
        return nullptr;
    switch (QuarterTurns(angle)) {
    case 0: return BackupDIB(src);
    case 1: return DIBRotate90(src);
    case 2: return DIBRotate180(src);
    case 3: {
        Bitmap* half = DIBRotate180(src);
        Bitmap* out = half ? DIBRotate90(half) : nullptr;
        DeletePic(half);
        return out;
    }
    default: break;
    }
    const double c = std::cos(angle), s = std::sin(angle);
    const double w = src->width, h = src->height;
    const double bw = std::fabs(w * c) + std::fabs(h * s), bh = std::fabs(w * s) + std::fabs(h * c);
    const double outW = std::ceil(bw - 1e-6), outH = std::ceil(bh - 1e-6);
    if (outW > kMaxBitmapSide || outH > kMaxBitmapSide)
        return nullptr;
    Bitmap* out = NewPic(static_cast<int32_t>(std::max(1.0, outW)), static_cast<int32_t>(std::max(1.0, outH)),
                         src->bitsPerPixel);
    if (!out)
        return nullptr;
    const int32_t bpp = src->bitsPerPixel / 8;
    const double ocx = out->width / 2.0, ocy = out->height / 2.0, icx = w / 2.0, icy = h / 2.0;
    for (int32_t y = 0; y < out->height; ++y) {
        uint8_t* d = PicRow(out, y);
        const double v = y + 0.5 - ocy;
        for (int32_t x = 0; x < out->width; ++x, d += bpp) {
            const double u = x + 0.5 - ocx;
            // the inverse turn takes the destination centre back into the source
            const double fx = u * c + v * s + icx, fy = -u * s + v * c + icy;
            if (!smooth) {
                const double px = std::floor(fx), py = std::floor(fy);
                if (px < 0 || py < 0 || px >= w || py >= h)
                    continue;
                std::memcpy(d, PicPixel(src, static_cast<int32_t>(px), static_cast<int32_t>(py)),
                            static_cast<size_t>(bpp));
                continue;
            }
            // Linear interpolation between the four pixels around the centre; outside counts as
            // transparent, which softens the turned edges.
            const double gx = fx - 0.5, gy = fy - 0.5;
            const double x0 = std::floor(gx), y0 = std::floor(gy);
            if (x0 < -1 || y0 < -1 || x0 >= w || y0 >= h)
                continue;
            const double ax = gx - x0, ay = gy - y0;
            double acc[4] = {0, 0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                const double px = x0 + (k & 1), py = y0 + (k >> 1);
                if (px < 0 || py < 0 || px >= w || py >= h)
                    continue;
                const double wgt = ((k & 1) ? ax : 1 - ax) * ((k >> 1) ? ay : 1 - ay);
                const uint8_t* p = PicPixel(src, static_cast<int32_t>(px), static_cast<int32_t>(py));
                const double a = bpp == 4 ? p[3] : 255.0;
                acc[0] += wgt * a * p[0];
                acc[1] += wgt * a * p[1];
                acc[2] += wgt * a * p[2];
                acc[3] += wgt * a;
            }
            if (acc[3] <= 0)
                continue;
            for (int ch = 0; ch < 3; ++ch)
                d[ch] = static_cast<uint8_t>(std::min(255.0, std::round(acc[ch] / acc[3])));
            if (bpp == 4)
                d[3] = static_cast<uint8_t>(std::min(255.0, std::round(acc[3])));
        }
    }
    return out;
}

}  // namespace

Bitmap* DIBFlipHorz(const Bitmap* b)
{
    if (!ValidPic(b))
        return nullptr;
    return Remap(b, b->width, b->height, [b](int32_t x, int32_t y, int32_t* sx, int32_t* sy) {
        *sx = b->width - 1 - x;
        *sy = y;
    });
}

Bitmap* DIBFlipVert(const Bitmap* b)
{
    if (!ValidPic(b))
        return nullptr;
    Bitmap* out = NewPic(b->width, b->height, b->bitsPerPixel);
    if (!out)
        return nullptr;
    const size_t rowBytes = static_cast<size_t>(b->width) * static_cast<size_t>(b->bitsPerPixel / 8);
    for (int32_t y = 0; y < b->height; ++y)
        std::memcpy(PicRow(out, y), PicRow(b, b->height - 1 - y), rowBytes);
    return out;
}

Bitmap* DIBRotate90(const Bitmap* b)
{
    if (!ValidPic(b))
        return nullptr;
    // result (x, y) shows source (y, height - 1 - x)
    return Remap(b, b->height, b->width, [b](int32_t x, int32_t y, int32_t* sx, int32_t* sy) {
        *sx = y;
        *sy = b->height - 1 - x;
    });
}

Bitmap* DIBRotate180(const Bitmap* b)
{
    if (!ValidPic(b))
        return nullptr;
    return Remap(b, b->width, b->height, [b](int32_t x, int32_t y, int32_t* sx, int32_t* sy) {
        *sx = b->width - 1 - x;
        *sy = b->height - 1 - y;
    });
}

Bitmap* DIBRotate(const Bitmap* bitmap, double angle) { return RotateBy(bitmap, angle, true); }
Bitmap* DIBRapidRotate(const Bitmap* bitmap, double angle) { return RotateBy(bitmap, angle, false); }
