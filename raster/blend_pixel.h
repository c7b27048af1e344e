// Per-pixel blend arithmetic shared by the blitters and BlendColour.
//
// The separable modes are exact integer arithmetic per pixel.  The non-separable ones (hue,
// saturation, luminosity) need divisions and colour clipping per pixel; they run four pixels at a
// time in float lanes, branch-free (every clipping case is computed and the right one selected), which
// keeps whole-layer blits in these modes cheap.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "raster/blend_modes.h"

// The lane arithmetic is written for SSE2 registers.  Every processor the 32-bit Windows build
// meets has them (Windows itself requires them since version 8), so that build uses them here as
// well instead of splitting every lane into x87 code; the 64-bit builds have them anyway.
#if defined(__i386__) && !defined(__SSE2__)
#pragma GCC target("sse2,fpmath=sse")
#endif

// The row loops only run fast when the whole pixel arithmetic sits inside them.
#define BLEND_INLINE inline __attribute__((always_inline))

// The lane vectors only live inside inlined code of this library, so the calling convention for
// passing them (which the compiler warns may differ between CPUs) never matters.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace blend {

// x / 255 rounded, exact for 0 <= x <= 255 * 255.
BLEND_INLINE int32_t Div255(int32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

struct Rgb {
    int32_t r, g, b;
};

// Luminosity of 0..255 channels with the weights 0.30, 0.59, 0.11 (in 1/65536ths), rounded.
BLEND_INLINE int32_t Lum(const Rgb& c) { return (19661 * c.r + 38666 * c.g + 7209 * c.b + 32768) >> 16; }

constexpr bool IsNonSeparable(int32_t mode)
{
    return mode == kBlendHue || mode == kBlendSaturation || mode == kBlendLuminosity;
}

// ---- four pixels at a time, channels 0..255 as floats ----

constexpr int kLanes = 4;
typedef float F4 __attribute__((vector_size(16)));
typedef int32_t I4 __attribute__((vector_size(16)));
typedef uint32_t U4 __attribute__((vector_size(16)));

struct Rgb4 {
    F4 r, g, b;
};

BLEND_INLINE F4 Splat(float v) { return F4{v, v, v, v}; }
BLEND_INLINE F4 Max(F4 a, F4 b) { return a > b ? a : b; }
BLEND_INLINE F4 Min(F4 a, F4 b) { return a < b ? a : b; }
BLEND_INLINE F4 Lum(const Rgb4& c) { return Splat(0.30f) * c.r + Splat(0.59f) * c.g + Splat(0.11f) * c.b; }
BLEND_INLINE F4 Max3(const Rgb4& c) { return Max(Max(c.r, c.g), c.b); }
BLEND_INLINE F4 Min3(const Rgb4& c) { return Min(Min(c.r, c.g), c.b); }
BLEND_INLINE F4 Sat(const Rgb4& c) { return Max3(c) - Min3(c); }

// ClipColor(SetLum(c, l)) given the smallest and largest channel of c: shift c to luminosity l, then
// pull a colour that left the range back along the line to its own grey.  The pull factor is below 1
// exactly when a side left the range (and at most one can), so the smallest of the two candidates
// and 1 is the factor without any branch.
BLEND_INLINE Rgb4 SetLum(const Rgb4& c, F4 l, F4 mn, F4 mx)
{
    const F4 lc = Lum(c);
    const F4 d = l - lc;
    const F4 n = mn + d, x = mx + d;
    // min(1, l / (l - n), (255 - l) / (x - l)) over the common denominator, for one division; a zero
    // denominator means a grey colour, which any factor leaves as it is
    const F4 below = Max(l - n, Splat(0.0f)), above = Max(x - l, Splat(0.0f)), den = below * above;
    const F4 f = Min(den, Min(l * above, (Splat(255.0f) - l) * below)) / Max(den, Splat(1e-6f));
    // (c + d) - l is c - lc
    return {l + (c.r - lc) * f, l + (c.g - lc) * f, l + (c.b - lc) * f};
}

// SetLum(SetSat(c, s), l): the smallest channel of c goes to 0, the largest to s, the middle one in
// proportion, then the luminosity is set.
BLEND_INLINE Rgb4 SetSatLum(const Rgb4& c, F4 s, F4 l)
{
    const F4 mn = Min3(c), span = Max3(c) - mn;
    const F4 k = s / Max(span, Splat(1e-6f));  // a grey c has span 0 and stays 0 whatever k is
    return SetLum({(c.r - mn) * k, (c.g - mn) * k, (c.b - mn) * k}, l, Splat(0.0f), span * k);
}

template <int32_t Mode>
BLEND_INLINE Rgb4 MixFloat(const Rgb4& cb, const Rgb4& cs)
{
    if constexpr (Mode == kBlendHue)
        return SetSatLum(cs, Sat(cb), Lum(cb));
    else if constexpr (Mode == kBlendSaturation)
        return SetSatLum(cb, Sat(cs), Lum(cb));
    else {
        static_assert(Mode == kBlendLuminosity);
        return SetLum(cs, Lum(cb), Min3(cs), Max3(cs));
    }
}

BLEND_INLINE I4 SplatI(int32_t v) { return I4{v, v, v, v}; }
BLEND_INLINE F4 ToFloat(I4 v) { return __builtin_convertvector(v, F4); }
// Rounds lanes that are known to lie in 0..255 (after clamping) or 0..65025.
BLEND_INLINE I4 RoundToInt(F4 v) { return __builtin_convertvector(v + Splat(0.5f), I4); }
// x / 255 rounded for whole numbers 0 <= x <= 255 * 255, as Div255 gives it: x / 255 is never
// within 1/510 of a half, far more than the float error, so rounding the float quotient is exact.
BLEND_INLINE I4 Div255(F4 x) { return RoundToInt(x * Splat(1.0f / 255.0f)); }

// B(backdrop, source) of a non-separable mode for four pixels, 0..255 channels in integer lanes.
// The clipping keeps every channel within 0..255 up to float error far below half a step, so
// rounding needs no clamp.
template <int32_t Mode>
BLEND_INLINE void MixLanes(I4 br, I4 bg, I4 bb, I4 sr, I4 sg, I4 sb, I4* r, I4* g, I4* b)
{
    const Rgb4 m = MixFloat<Mode>({ToFloat(br), ToFloat(bg), ToFloat(bb)}, {ToFloat(sr), ToFloat(sg), ToFloat(sb)});
    *r = RoundToInt(m.r);
    *g = RoundToInt(m.g);
    *b = RoundToInt(m.b);
}

// Div255(m × cover + b × (255 - cover)) in lanes, with coverNorm = cover / 255: the same as
// b + (m - b) × cover / 255 rounded, which float gets exactly (see Div255 above).
BLEND_INLINE I4 LerpLanes(I4 m, I4 b, F4 coverNorm)
{
    const F4 bf = ToFloat(b);
    return RoundToInt(bf + (ToFloat(m) - bf) * coverNorm);
}

// The same for up to four pixels held one by one.
template <int32_t Mode>
BLEND_INLINE void MixFour(const Rgb* cb, const Rgb* cs, Rgb* out)
{
    I4 r, g, b;
    MixLanes<Mode>(I4{cb[0].r, cb[1].r, cb[2].r, cb[3].r}, I4{cb[0].g, cb[1].g, cb[2].g, cb[3].g},
                   I4{cb[0].b, cb[1].b, cb[2].b, cb[3].b}, I4{cs[0].r, cs[1].r, cs[2].r, cs[3].r},
                   I4{cs[0].g, cs[1].g, cs[2].g, cs[3].g}, I4{cs[0].b, cs[1].b, cs[2].b, cs[3].b}, &r, &g, &b);
    for (int k = 0; k < kLanes; ++k)
        out[k] = {r[k], g[k], b[k]};
}

// B(backdrop, source) of a separable mode (for normal mode the source itself).
template <int32_t Mode>
BLEND_INLINE Rgb Mix(const Rgb& cb, const Rgb& cs)
{
    if constexpr (Mode == kBlendNormal) {
        return cs;
    } else if constexpr (Mode == kBlendScreen) {
        return {cb.r + cs.r - Div255(cb.r * cs.r), cb.g + cs.g - Div255(cb.g * cs.g),
                cb.b + cs.b - Div255(cb.b * cs.b)};
    } else if constexpr (Mode == kBlendDarken) {
        return {std::min(cb.r, cs.r), std::min(cb.g, cs.g), std::min(cb.b, cs.b)};
    } else if constexpr (Mode == kBlendLighten) {
        return {std::max(cb.r, cs.r), std::max(cb.g, cs.g), std::max(cb.b, cs.b)};
    } else if constexpr (Mode == kBlendDifference) {
        return {cb.r > cs.r ? cb.r - cs.r : cs.r - cb.r, cb.g > cs.g ? cb.g - cs.g : cs.g - cb.g,
                cb.b > cs.b ? cb.b - cs.b : cs.b - cb.b};
    } else {
        // one pixel of a non-separable mode, for BlendColour
        Rgb b[kLanes] = {cb, cb, cb, cb}, s[kLanes] = {cs, cs, cs, cs}, out[kLanes];
        MixFour<Mode>(b, s, out);
        return out[0];
    }
}

}  // namespace blend
