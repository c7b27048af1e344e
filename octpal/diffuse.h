// Burkes error diffusion over a 24-bit picture, shared by the tree and the GDI palette variants, which
// differ only in how the palette colour for a pixel is found.
//
// Rows run from the last in memory to the first (top of the picture down for bottom-up bitmaps),
// pixels left to right.  A pixel keeps its own value: the index file writer quantises it later through
// the same lookup.  Each share is (error * weight) >> 5 with an arithmetic shift, so negative errors
// round towards minus infinity; shares falling outside the picture are lost.
#pragma once
#include <cstddef>
#include <cstdint>

namespace octdiffuse {

inline void Spread(uint8_t* p, int er, int eg, int eb, int weight)
{
    auto add = [](uint8_t& channel, int share) {
        const int v = channel + share;
        channel = uint8_t(v < 0 ? 0 : v > 255 ? 255 : v);
    };
    add(p[0], (eb * weight) >> 5);
    add(p[1], (eg * weight) >> 5);
    add(p[2], (er * weight) >> 5);
}

// `nearest(r, g, b, out)` stores the palette colour (red, green, blue) for a pixel in out[0..2] and
// returns false when there is none; such a pixel passes no error on.
template <class Nearest>
void Burkes(uint8_t* bits, int32_t width, int32_t height, size_t stride, Nearest&& nearest)
{
    for (int32_t y = height - 1; y >= 0; --y) {
        uint8_t* row = bits + size_t(y) * stride;
        uint8_t* next = y > 0 ? row - stride : nullptr;
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* p = row + size_t(x) * 3;
            uint8_t pal[3];
            if (!nearest(p[2], p[1], p[0], pal))
                continue;
            const int er = int(p[2]) - pal[0], eg = int(p[1]) - pal[1], eb = int(p[0]) - pal[2];
            if (er == 0 && eg == 0 && eb == 0)
                continue;
            if (x + 1 < width)
                Spread(p + 3, er, eg, eb, 8);
            if (x + 2 < width)
                Spread(p + 6, er, eg, eb, 4);
            if (!next)
                continue;
            uint8_t* q = next + size_t(x) * 3;
            if (x >= 2)
                Spread(q - 6, er, eg, eb, 2);
            if (x >= 1)
                Spread(q - 3, er, eg, eb, 4);
            Spread(q, er, eg, eb, 8);
            if (x + 1 < width)
                Spread(q + 3, er, eg, eb, 4);
            if (x + 2 < width)
                Spread(q + 6, er, eg, eb, 2);
        }
    }
}

}  // namespace octdiffuse
