// Per-pixel blend arithmetic shared by the blitters and BlendColour; inline so that the row loops,
// which are instantiated once per mode, keep everything in registers.
#pragma once
#include <algorithm>
#include <cstdint>

#include "raster/blend_modes.h"

namespace blend {

// x / 255 rounded, exact for 0 <= x <= 255 * 255.
inline int32_t Div255(int32_t x)
{
    x += 128;
    return (x + (x >> 8)) >> 8;
}

struct Rgb {
    int32_t r, g, b;
};

inline int32_t Lum(const Rgb& c) { return (19661 * c.r + 38666 * c.g + 7209 * c.b + 32768) >> 16; }

inline int32_t Sat(const Rgb& c)
{
    return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b});
}

// The non-separable modes work on channels scaled by 16 (0..kFineMax) so that the truncating
// divisions of SetSat and ClipColour stay well below one step of the result.
constexpr int32_t kFineMax = 255 * 16;
inline Rgb Fine(const Rgb& c) { return {c.r << 4, c.g << 4, c.b << 4}; }
inline Rgb Coarse(const Rgb& c) { return {(c.r + 8) >> 4, (c.g + 8) >> 4, (c.b + 8) >> 4}; }

// Brings a fine colour whose channels left 0..kFineMax back inside along the line to its own grey.
inline Rgb ClipColour(Rgb c)
{
    int32_t l = Lum(c);
    int32_t n = std::min({c.r, c.g, c.b});
    int32_t x = std::max({c.r, c.g, c.b});
    if (n < 0 && l > n) {
        int32_t d = l - n;
        c.r = l + (c.r - l) * l / d;
        c.g = l + (c.g - l) * l / d;
        c.b = l + (c.b - l) * l / d;
    }
    if (x > kFineMax && x > l) {
        int32_t d = x - l;
        int32_t up = kFineMax - l;
        c.r = l + (c.r - l) * up / d;
        c.g = l + (c.g - l) * up / d;
        c.b = l + (c.b - l) * up / d;
    }
    // Guards the one-step rounding of the integer weights.
    c.r = std::clamp(c.r, 0, kFineMax);
    c.g = std::clamp(c.g, 0, kFineMax);
    c.b = std::clamp(c.b, 0, kFineMax);
    return c;
}

inline Rgb SetLum(Rgb c, int32_t l)
{
    int32_t d = l - Lum(c);
    return ClipColour({c.r + d, c.g + d, c.b + d});
}

inline Rgb SetSat(Rgb c, int32_t s)
{
    int32_t* mx = &c.r;
    int32_t* md = &c.g;
    int32_t* mn = &c.b;
    if (*mx < *md)
        std::swap(mx, md);
    if (*md < *mn)
        std::swap(md, mn);
    if (*mx < *md)
        std::swap(mx, md);
    if (*mx > *mn) {
        *md = (*md - *mn) * s / (*mx - *mn);
        *mx = s;
    } else {
        *md = 0;
        *mx = 0;
    }
    *mn = 0;
    return c;
}

// B(backdrop, source) for one mode; Mode is a template argument so that each row loop holds one mode.
template <int32_t Mode>
inline Rgb Mix(const Rgb& cb, const Rgb& cs)
{
    if constexpr (Mode == kBlendNormal) {
        return cs;
    } else if constexpr (Mode == kBlendHue) {
        const Rgb b = Fine(cb);
        return Coarse(SetLum(SetSat(Fine(cs), Sat(b)), Lum(b)));
    } else if constexpr (Mode == kBlendSaturation) {
        const Rgb b = Fine(cb);
        return Coarse(SetLum(SetSat(b, Sat(Fine(cs))), Lum(b)));
    } else if constexpr (Mode == kBlendLuminosity) {
        return Coarse(SetLum(Fine(cs), Lum(Fine(cb))));
    } else if constexpr (Mode == kBlendScreen) {
        return {cb.r + cs.r - Div255(cb.r * cs.r), cb.g + cs.g - Div255(cb.g * cs.g),
                cb.b + cs.b - Div255(cb.b * cs.b)};
    } else if constexpr (Mode == kBlendDarken) {
        return {std::min(cb.r, cs.r), std::min(cb.g, cs.g), std::min(cb.b, cs.b)};
    } else if constexpr (Mode == kBlendLighten) {
        return {std::max(cb.r, cs.r), std::max(cb.g, cs.g), std::max(cb.b, cs.b)};
    } else {
        static_assert(Mode == kBlendDifference);
        return {cb.r > cs.r ? cb.r - cs.r : cs.r - cb.r, cb.g > cs.g ? cb.g - cs.g : cs.g - cb.g,
                cb.b > cs.b ? cb.b - cs.b : cs.b - cb.b};
    }
}

}  // namespace blend
