// Four pixels of a separable blend mode laid onto an opaque 32-bit backdrop, in SSE2 registers.
//
// This is the compositor's hottest loop (every painting layer and every shadow or glow mask goes
// through it), so it works on whole pixels in 16-bit lanes with the exact integer arithmetic of
// the per-pixel formula: coverage a = Div255(alpha × opacity), result = Div255(m × a + b × (255 - a))
// with m = B(backdrop, source).  Div255 of x <= 255 × 255 is (x + 128) × 257 >> 16, one high-half
// multiply, which equals (y + (y >> 8)) >> 8 for y = x + 128 exactly.
#pragma once
#include <cstdint>
#include <cstring>

// first: it lets the 32-bit build use SSE2 in what follows
#include "raster/blend_pixel.h"

#include <emmintrin.h>

namespace blend_sse2 {

BLEND_INLINE __m128i Div255(__m128i x)
{
    return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(128)), _mm_set1_epi16(257));
}

BLEND_INLINE __m128i Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
BLEND_INLINE void Store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

// Per 32-bit pixel: true lanes where the alpha byte is 0, or 255.
BLEND_INLINE int ClearMask(__m128i px) { return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(px, 24), _mm_setzero_si128())); }
BLEND_INLINE int OpaqueMask(__m128i px)
{
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(px, 24), _mm_set1_epi32(255)));
}
constexpr int kAllFour = 0xFFFF;

// B(backdrop, source) of a separable mode on 16-bit lanes holding 0..255.
template <int32_t Mode>
BLEND_INLINE __m128i Mix(__m128i cb, __m128i cs)
{
    if constexpr (Mode == kBlendNormal)
        return cs;
    else if constexpr (Mode == kBlendScreen)
        return _mm_sub_epi16(_mm_add_epi16(cb, cs), Div255(_mm_mullo_epi16(cb, cs)));
    else if constexpr (Mode == kBlendDarken)
        return _mm_min_epi16(cb, cs);
    else if constexpr (Mode == kBlendLighten)
        return _mm_max_epi16(cb, cs);
    else {
        static_assert(Mode == kBlendDifference);
        return _mm_sub_epi16(_mm_max_epi16(cb, cs), _mm_min_epi16(cb, cs));
    }
}

constexpr bool Handles(int32_t mode)
{
    return mode == kBlendNormal || mode == kBlendScreen || mode == kBlendDarken || mode == kBlendLighten ||
           mode == kBlendDifference;
}

// Two pixels in 16-bit lanes (b g r a b g r a): the coverage of each spread over its four lanes.
BLEND_INLINE __m128i SpreadAlpha(__m128i px16, __m128i opacity, bool scaled)
{
    __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(px16, 0xFF), 0xFF);
    if (scaled)
        a = Div255(_mm_mullo_epi16(a, opacity));
    return a;
}

template <int32_t Mode>
BLEND_INLINE __m128i LayTwo(__m128i s16, __m128i b16, __m128i opacity, bool scaled)
{
    const __m128i a = SpreadAlpha(s16, opacity, scaled);
    const __m128i m = Mix<Mode>(b16, s16);
    const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(255), a);
    return Div255(_mm_add_epi16(_mm_mullo_epi16(m, a), _mm_mullo_epi16(b16, keep)));
}

// Lays four source pixels (colour and alpha) on four opaque backdrop pixels; the result is opaque.
// opacity holds the layer opacity in every lane and scaled says whether it is below 255.
template <int32_t Mode>
BLEND_INLINE __m128i LayFour(__m128i src, __m128i dst, __m128i opacity, bool scaled)
{
    const __m128i zero = _mm_setzero_si128();
    const __m128i lo = LayTwo<Mode>(_mm_unpacklo_epi8(src, zero), _mm_unpacklo_epi8(dst, zero), opacity, scaled);
    const __m128i hi = LayTwo<Mode>(_mm_unpackhi_epi8(src, zero), _mm_unpackhi_epi8(dst, zero), opacity, scaled);
    return _mm_or_si128(_mm_packus_epi16(lo, hi), _mm_set1_epi32(static_cast<int32_t>(0xFF000000u)));
}

// Four mask coverage bytes as the alpha of four pixels of one colour (0x00RRGGBB in every lane).
BLEND_INLINE __m128i MaskPixels(const uint8_t* coverage, __m128i colour)
{
    uint32_t c;
    std::memcpy(&c, coverage, sizeof c);
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_cvtsi32_si128(static_cast<int32_t>(c));
    const __m128i words = _mm_unpacklo_epi8(bytes, zero);
    return _mm_or_si128(_mm_slli_epi32(_mm_unpacklo_epi16(words, zero), 24), colour);
}

}  // namespace blend_sse2
