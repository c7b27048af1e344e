#include "raster/lines.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The drawable area: the rows of the buffer, narrowed by the clip rectangle.
struct Area {
    int64_t left, top, right, bottom;  // right and bottom exclusive
    bool Empty() const { return left >= right || top >= bottom; }
    bool Has(int64_t x, int64_t y) const { return x >= left && x < right && y >= top && y < bottom; }
};

bool MakeArea(const uint8_t* pixels, int32_t height, int32_t stride, int32_t bitsPerPixel,
              const PicRect* clip, Area* a)
{
    if (!pixels || height <= 0 || stride <= 0)
        return false;
    *a = {0, 0, static_cast<int64_t>(stride) * 8 / bitsPerPixel, height};
    if (clip) {
        a->left = std::max<int64_t>(a->left, clip->left);
        a->top = std::max<int64_t>(a->top, clip->top);
        a->right = std::min<int64_t>(a->right, clip->right);
        a->bottom = std::min<int64_t>(a->bottom, clip->bottom);
    }
    return true;
}

uint8_t* At(uint8_t* pixels, int32_t height, int32_t stride, int64_t x, int64_t y, int32_t bytes)
{
    return pixels + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(stride) +
           static_cast<size_t>(x) * static_cast<size_t>(bytes);
}

// Calls plot(x, y) for every pixel of the line from (x1, y1) to (x2, y2) inside the area.  Pixel k
// along the longer axis has the other coordinate rounded from the exact line, so only the steps
// inside the area are visited, however far away the end points are.
template <typename Plot>
void WalkLine(int64_t x1, int64_t y1, int64_t x2, int64_t y2, const Area& area, Plot plot)
{
    if (area.Empty())
        return;
    const bool steep = std::llabs(y2 - y1) > std::llabs(x2 - x1);
    int64_t a1 = steep ? y1 : x1, b1 = steep ? x1 : y1, a2 = steep ? y2 : x2, b2 = steep ? x2 : y2;
    const int64_t alo = steep ? area.top : area.left, ahi = steep ? area.bottom : area.right;
    const int64_t blo = steep ? area.left : area.top, bhi = steep ? area.right : area.bottom;
    const int64_t da = a2 - a1, db = b2 - b1, n = std::llabs(da);
    const int64_t sa = da < 0 ? -1 : 1;
    // steps k in [0, n] whose major coordinate a1 + sa*k lies in [alo, ahi)
    int64_t kmin = 0, kmax = n;
    if (sa > 0) {
        kmin = std::max(kmin, alo - a1);
        kmax = std::min(kmax, ahi - 1 - a1);
    } else {
        kmin = std::max(kmin, a1 - (ahi - 1));
        kmax = std::min(kmax, a1 - alo);
    }
    for (int64_t k = kmin; k <= kmax; ++k) {
        int64_t b = b1;
        if (n > 0) {
            // round(|db| × k / n), halves away from the start point; both factors are below 2^32,
            // so the product fits 64 unsigned bits on every target
            const uint64_t p = static_cast<uint64_t>(std::llabs(db)) * static_cast<uint64_t>(k);
            const uint64_t un = static_cast<uint64_t>(n);
            const int64_t step = static_cast<int64_t>(p / un + (2 * (p % un) >= un ? 1 : 0));
            b = db >= 0 ? b1 + step : b1 - step;
        }
        if (b < blo || b >= bhi)
            continue;
        const int64_t a = a1 + sa * k;
        if (steep)
            plot(b, a);
        else
            plot(a, b);
    }
}

template <int Bytes, bool Xor>
int Line(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
         Colour colour, const PicRect* clip)
{
    Area area;
    if (!MakeArea(pixels, height, stride, Bytes * 8, clip, &area))
        return 0;
    const uint8_t b = static_cast<uint8_t>(colour), g = static_cast<uint8_t>(colour >> 8),
                  r = static_cast<uint8_t>(colour >> 16);
    WalkLine(x1, y1, x2, y2, area, [&](int64_t x, int64_t y) {
        uint8_t* p = At(pixels, height, stride, x, y, Bytes);
        if constexpr (Xor) {
            p[0] ^= b;
            p[1] ^= g;
            p[2] ^= r;
        } else {
            p[0] = b;
            p[1] = g;
            p[2] = r;
            if constexpr (Bytes == 4)
                p[3] = 0xFF;
        }
    });
    return 1;
}

// Outline as four runs that share no pixel, so XOR never cancels at the corners.
template <int Bytes>
int RectXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
            Colour colour, const PicRect* clip)
{
    Area area;
    if (!MakeArea(pixels, height, stride, Bytes * 8, clip, &area))
        return 0;
    const int32_t l = std::min(x1, x2), r = std::max(x1, x2), t = std::min(y1, y2), b = std::max(y1, y2);
    Line<Bytes, true>(pixels, height, stride, l, t, r, t, colour, clip);
    if (b != t)
        Line<Bytes, true>(pixels, height, stride, l, b, r, b, colour, clip);
    if (b - t >= 2) {
        Line<Bytes, true>(pixels, height, stride, l, t + 1, l, b - 1, colour, clip);
        if (r != l)
            Line<Bytes, true>(pixels, height, stride, r, t + 1, r, b - 1, colour, clip);
    }
    return 1;
}

const uint8_t* PixelOrNull(const uint8_t* pixels, int32_t height, int32_t stride, int32_t x, int32_t y,
                           int32_t bytes)
{
    if (!pixels || height <= 0 || stride <= 0 || x < 0 || y < 0 || y >= height ||
        static_cast<int64_t>(x) * bytes + bytes > stride)
        return nullptr;
    return At(const_cast<uint8_t*>(pixels), height, stride, x, y, bytes);
}

void PutBit(uint8_t* pixels, int32_t height, int32_t stride, int64_t x, int64_t y, bool on)
{
    uint8_t* p = pixels + static_cast<size_t>(height - 1 - y) * static_cast<size_t>(stride) + static_cast<size_t>(x / 8);
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    *p = on ? (*p | bit) : (*p & ~bit);
}

}  // namespace

int ZeroLine(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
             Colour colour, const PicRect* clip)
{
    return Line<3, false>(pixels, height, stride, x1, y1, x2, y2, colour, clip);
}

int AlphaZeroLine(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                  int32_t y2, Colour colour, const PicRect* clip)
{
    return Line<4, false>(pixels, height, stride, x1, y1, x2, y2, colour, clip);
}

int ZeroLineXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2, Colour colour, const PicRect* clip)
{
    return Line<3, true>(pixels, height, stride, x1, y1, x2, y2, colour, clip);
}

int alphaZeroLineXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2, Colour colour, const PicRect* clip)
{
    return Line<4, true>(pixels, height, stride, x1, y1, x2, y2, colour, clip);
}

int ZeroRectXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2, Colour colour, const PicRect* clip)
{
    return RectXor<3>(pixels, height, stride, x1, y1, x2, y2, colour, clip);
}

int alphaZeroRectXor(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2,
                     int32_t y2, Colour colour, const PicRect* clip)
{
    return RectXor<4>(pixels, height, stride, x1, y1, x2, y2, colour, clip);
}

Colour GetMyPixel(const uint8_t* pixels, int32_t height, int32_t stride, int32_t x, int32_t y)
{
    const uint8_t* p = PixelOrNull(pixels, height, stride, x, y, 3);
    return p ? (Colour{p[2]} << 16) | (Colour{p[1]} << 8) | p[0] : 0;
}

uint32_t GetAlphaPixel(const uint8_t* pixels, int32_t height, int32_t stride, int32_t x, int32_t y)
{
    const uint8_t* p = PixelOrNull(pixels, height, stride, x, y, 4);
    return p ? (uint32_t{p[3]} << 24) | (uint32_t{p[2]} << 16) | (uint32_t{p[1]} << 8) | p[0] : 0;
}

int SetBWPixel(uint8_t* pixels, int32_t height, int32_t stride, int32_t x, int32_t y, int32_t on)
{
    Area area;
    if (!MakeArea(pixels, height, stride, 1, nullptr, &area))
        return 0;
    if (area.Has(x, y))
        PutBit(pixels, height, stride, x, y, on != 0);
    return 1;
}

int LineBW(uint8_t* pixels, int32_t height, int32_t stride, int32_t x1, int32_t y1, int32_t x2, int32_t y2,
           int32_t on, const PicRect* clip)
{
    Area area;
    if (!MakeArea(pixels, height, stride, 1, clip, &area))
        return 0;
    WalkLine(x1, y1, x2, y2, area, [&](int64_t x, int64_t y) { PutBit(pixels, height, stride, x, y, on != 0); });
    return 1;
}
