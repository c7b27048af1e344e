#include "document/effect_render.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "document/effect_geometry.h"

namespace {

// One spread-and-soften job: which side is spread (alpha, or the uncovered 255 − alpha), how far,
// and whether the work area stops size pixels past the layer (outer effects) or goes on forever with
// everything outside the bitmap uncovered (inner effects).
struct Coverage {
    const Bitmap* pixels;
    int32_t size;
    int32_t blur;
    bool inverted;
};

// Row y of the values to spread, for layer columns [x0, x0 + n): alpha (0 outside the bitmap), or
// for inner effects the uncovered side 255 − alpha (255 outside).
void ValuesOfRow(const Coverage& c, int32_t y, int32_t x0, int32_t n, uint8_t* out)
{
    const Bitmap* p = c.pixels;
    const uint8_t outside = c.inverted ? 255 : 0;
    std::memset(out, outside, static_cast<size_t>(n));
    if (y < 0 || y >= p->height)
        return;
    const int32_t lo = std::max(x0, 0), hi = std::min(x0 + n, p->width);
    const uint8_t* px = PicRow(p, y);
    for (int32_t x = lo; x < hi; ++x) {
        const uint8_t a = px[x * 4 + 3];
        out[x - x0] = c.inverted ? static_cast<uint8_t>(255 - a) : a;
    }
}

// Computes the softened coverage for every layer-coordinate pixel of t into out (t's width per row).
bool ComputeCoverage(const Coverage& c, const Rect& t, std::vector<uint8_t>& out)
{
    const int32_t s = c.size, b = c.blur, w = c.pixels->width, h = c.pixels->height;
    // Spread values needed: t widened by blur, limited to the work area for outer effects.
    Rect pr = Inflate(t, b);
    if (!c.inverted)
        pr = Intersect(pr, Rect{-s, -s, w + s, h + s});
    if (t.Empty())
        return false;
    if (pr.Empty()) {
        out.assign(static_cast<size_t>(t.Width()) * t.Height(), 0);
        return true;
    }
    const int32_t pw = pr.Width(), ph = pr.Height();
    // Alpha values needed: the spread area widened by size.
    const Rect ar = Inflate(pr, s);
    const int32_t aw = ar.Width(), ah = ar.Height();

    std::vector<uint8_t> rowIn, h1, spread;
    std::vector<uint32_t> sumH, colSum;
    try {
        rowIn.resize(static_cast<size_t>(aw));
        h1.resize(static_cast<size_t>(pw) * ah);
        spread.resize(static_cast<size_t>(pw) * ph);
        sumH.resize(static_cast<size_t>(t.Width()) * ph);
        out.assign(static_cast<size_t>(t.Width()) * t.Height(), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }

    // Pass 1a: largest value within size pixels along each row.
    for (int32_t y = 0; y < ah; ++y) {
        ValuesOfRow(c, ar.top + y, ar.left, aw, rowIn.data());
        uint8_t* dst = &h1[static_cast<size_t>(y) * pw];
        std::memcpy(dst, &rowIn[s], static_cast<size_t>(pw));
        for (int32_t k = -s; k <= s; ++k) {
            if (k == 0)
                continue;
            const uint8_t* src = &rowIn[s + k];
            for (int32_t x = 0; x < pw; ++x)
                dst[x] = std::max(dst[x], src[x]);
        }
    }
    // Pass 1b: and along each column.
    for (int32_t y = 0; y < ph; ++y) {
        uint8_t* dst = &spread[static_cast<size_t>(y) * pw];
        std::memcpy(dst, &h1[static_cast<size_t>(y + s) * pw], static_cast<size_t>(pw));
        for (int32_t k = -s; k <= s; ++k) {
            if (k == 0)
                continue;
            const uint8_t* src = &h1[static_cast<size_t>(y + s + k) * pw];
            for (int32_t x = 0; x < pw; ++x)
                dst[x] = std::max(dst[x], src[x]);
        }
    }
    // Pass 2: the mean over the blur square.  Every cell counts, those past the spread area being
    // uncovered, so the result does not depend on how far the layer's bitmap happens to reach.
    const int32_t tw = t.Width(), th = t.Height();
    const uint32_t cells = static_cast<uint32_t>((2 * b + 1) * (2 * b + 1));
    for (int32_t y = 0; y < ph; ++y) {
        const uint8_t* src = &spread[static_cast<size_t>(y) * pw];
        uint32_t* dst = &sumH[static_cast<size_t>(y) * tw];
        for (int32_t x = 0; x < tw; ++x) {
            const int32_t lo = std::max(t.left + x - b, pr.left) - pr.left;
            const int32_t hi = std::min(t.left + x + b + 1, pr.right) - pr.left;
            uint32_t sum = 0;
            for (int32_t k = lo; k < hi; ++k)
                sum += src[k];
            dst[x] = sum;
        }
    }
    // Pass 2b: along each column, then the mean.
    try {
        colSum.assign(static_cast<size_t>(tw), 0);
    } catch (const std::bad_alloc&) {
        return false;
    }
    for (int32_t y = 0; y < th; ++y) {
        const int32_t lo = std::max(t.top + y - b, pr.top) - pr.top;
        const int32_t hi = std::min(t.top + y + b + 1, pr.bottom) - pr.top;
        std::fill(colSum.begin(), colSum.end(), 0u);
        for (int32_t k = lo; k < hi; ++k) {
            const uint32_t* src = &sumH[static_cast<size_t>(k) * tw];
            for (int32_t x = 0; x < tw; ++x)
                colSum[x] += src[x];
        }
        uint8_t* dst = &out[static_cast<size_t>(y) * tw];
        for (int32_t x = 0; x < tw; ++x)
            dst[x] = static_cast<uint8_t>((colSum[x] + cells / 2) / cells);
    }
    return true;
}

uint8_t ScaleByOpacity(uint32_t v, int32_t opacity)
{
    opacity = std::clamp(opacity, 0, 255);
    return static_cast<uint8_t>(opacity < 255 ? (v * static_cast<uint32_t>(opacity)) >> 8 : v);
}

// The mask part of an outer effect: t in layer coordinates, mask pixel (m, m) at layer (0, 0).
bool RenderOuter(const Layer* l, MaskBlock* block, int32_t size, int32_t blur, int32_t opacity, Colour colour,
                 const Rect& want)
{
    const int32_t m = size + blur, w = l->pixels->width, h = l->pixels->height;
    if (AlphaMaskWidth(block->mask) < w + 2 * m || AlphaMaskHeight(block->mask) < h + 2 * m)
        return false;
    const Rect t = Intersect(want, Rect{-m, -m, w + m, h + m});
    SetAlphaMaskColour(block->mask, colour);
    if (t.Empty())
        return true;
    std::vector<uint8_t> cov;
    if (!ComputeCoverage(Coverage{l->pixels, size, blur, false}, t, cov))
        return false;
    for (int32_t y = 0; y < t.Height(); ++y) {
        uint8_t* dst = AlphaMaskRow(block->mask, t.top + y + m) + (t.left + m);
        const uint8_t* src = &cov[static_cast<size_t>(y) * t.Width()];
        for (int32_t x = 0; x < t.Width(); ++x)
            dst[x] = ScaleByOpacity(src[x], opacity);
    }
    return true;
}

// The mask part of an inner effect: the uncovered side read at (x − dx, y − dy), kept inside the
// layer's own alpha.
bool RenderInner(const Layer* l, MaskBlock* block, int32_t size, int32_t blur, int32_t opacity, Colour colour,
                 int32_t dx, int32_t dy, const Rect& want)
{
    const int32_t w = l->pixels->width, h = l->pixels->height;
    if (AlphaMaskWidth(block->mask) < w || AlphaMaskHeight(block->mask) < h)
        return false;
    const Rect t = Intersect(want, Rect{0, 0, w, h});
    SetAlphaMaskColour(block->mask, colour);
    if (t.Empty())
        return true;
    std::vector<uint8_t> cov;
    if (!ComputeCoverage(Coverage{l->pixels, size, blur, true}, Offset(t, -dx, -dy), cov))
        return false;
    for (int32_t y = 0; y < t.Height(); ++y) {
        uint8_t* dst = AlphaMaskRow(block->mask, t.top + y) + t.left;
        const uint8_t* src = &cov[static_cast<size_t>(y) * t.Width()];
        const uint8_t* px = PicPixel(l->pixels, t.left, t.top + y);
        for (int32_t x = 0; x < t.Width(); ++x) {
            const uint32_t inside = (src[x] * uint32_t{px[x * 4 + 3]} + 127) / 255;
            dst[x] = ScaleByOpacity(inside, opacity);
        }
    }
    return true;
}

int32_t Size(int16_t v) { return std::clamp<int32_t>(v, 0, kEffectMaxSize); }
int32_t Blur(int16_t v) { return std::clamp<int32_t>(v, 0, kEffectMaxBlur); }

}  // namespace

int RenderLayerEffects(Layer* layer, Rect* rect)
{
    if (!layer)
        return 0;
    // Masks that had to be made afresh are rendered whole whatever the rectangle says.
    AlphaMask* before[kEffectSlotCount];
    for (int slot = 0; slot < kEffectSlotCount; ++slot)
        before[slot] = LayerMaskBlock(layer, slot)->mask;
    if (!UpdateEffectMasks(layer))
        return 0;
    if (!layer->pixels || layer->pixels->bitsPerPixel != 32)
        return 1;
    const int32_t w = layer->pixels->width, h = layer->pixels->height;
    const Rect whole = Rect{-kMaxMaskSide, -kMaxMaskSide, kMaxMaskSide, kMaxMaskSide};
    const Rect changed = rect ? *rect : Rect{0, 0, w, h};
    Rect refresh = changed;
    bool ok = true;
    auto wanted = [&](int slot, const Rect& area) {
        return (rect && LayerMaskBlock(layer, slot)->mask == before[slot]) ? area : whole;
    };

    if (SlotEnabled(layer, kSlotDropShadow)) {
        const ShadowParams& p = layer->dropShadow;
        MaskBlock* b = LayerMaskBlock(layer, kSlotDropShadow);
        const int32_t s = Size(p.size), bl = Blur(p.blur);
        const Rect area = Inflate(changed, s + bl);
        ok = ok && RenderOuter(layer, b, s, bl, p.opacity, p.colour, wanted(kSlotDropShadow, area));
        refresh = Union(refresh, Offset(area, b->dx, b->dy));
    }
    if (SlotEnabled(layer, kSlotOuterGlow)) {
        const GlowParams& p = layer->outerGlow;
        MaskBlock* b = LayerMaskBlock(layer, kSlotOuterGlow);
        const int32_t s = Size(p.size), bl = Blur(p.blur);
        const Rect area = Inflate(changed, s + bl);
        ok = ok && RenderOuter(layer, b, s, bl, p.opacity, p.colour, wanted(kSlotOuterGlow, area));
        refresh = Union(refresh, area);
    }
    if (SlotEnabled(layer, kSlotInnerShadow)) {
        const ShadowParams& p = layer->innerShadow;
        int16_t dx, dy;
        ShadowOffset(p.angle, p.distance, &dx, &dy);
        const int32_t s = Size(p.size), bl = Blur(p.blur);
        // A change shows where it is (the layer's own alpha) and where the offset carries it.
        const Rect area = Inflate(Union(changed, Offset(changed, dx, dy)), s + bl);
        ok = ok && RenderInner(layer, LayerMaskBlock(layer, kSlotInnerShadow), s, bl, p.opacity, p.colour, dx, dy,
                               wanted(kSlotInnerShadow, area));
        refresh = Union(refresh, Intersect(area, Rect{0, 0, w, h}));
    }
    if (SlotEnabled(layer, kSlotInnerGlow)) {
        const GlowParams& p = layer->innerGlow;
        const int32_t s = Size(p.size), bl = Blur(p.blur);
        const Rect area = Inflate(changed, s + bl);
        ok = ok && RenderInner(layer, LayerMaskBlock(layer, kSlotInnerGlow), s, bl, p.opacity, p.colour, 0, 0,
                               wanted(kSlotInnerGlow, area));
        refresh = Union(refresh, Intersect(area, Rect{0, 0, w, h}));
    }
    if (rect)
        *rect = refresh;
    return ok ? 1 : 0;
}
