#include "document/effect_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRadiansPerDegree = 0.017453292519944444;

int32_t Clamped(int v, int hi) { return std::clamp(v, 0, hi); }

int32_t SpreadAndBlur(const Layer* l, int slot)
{
    switch (slot) {
    case kSlotDropShadow:
        return Clamped(l->dropShadow.size, kEffectMaxSize) + Clamped(l->dropShadow.blur, kEffectMaxBlur);
    case kSlotOuterGlow:
        return Clamped(l->outerGlow.size, kEffectMaxSize) + Clamped(l->outerGlow.blur, kEffectMaxBlur);
    default:
        return 0;
    }
}

}  // namespace

void ShadowOffset(int angle, int distance, int16_t* dx, int16_t* dy)
{
    double a = angle * kRadiansPerDegree;
    double d = Clamped(distance, kEffectMaxDistance);
    // A cast truncates toward zero, which is what the stored offsets have always been.
    *dx = static_cast<int16_t>(-std::cos(a) * d);
    *dy = static_cast<int16_t>(std::sin(a) * d);
}

int32_t EffectMargin(const Layer* layer, int slot) { return SpreadAndBlur(layer, slot); }

void ComputeEffectGeometry(const Layer* layer, int32_t w, int32_t h, MaskBlock out[kEffectSlotCount])
{
    for (int slot = 0; slot < kEffectSlotCount; ++slot) {
        int32_t m = SpreadAndBlur(layer, slot);
        MaskBlock& b = out[slot];
        b = MaskBlock{};
        b.width = static_cast<int16_t>(std::min<int32_t>(w + 2 * m, kMaxMaskSide));
        b.height = static_cast<int16_t>(std::min<int32_t>(h + 2 * m, kMaxMaskSide));
    }
    ShadowOffset(layer->dropShadow.angle, layer->dropShadow.distance, &out[kSlotDropShadow].dx,
                 &out[kSlotDropShadow].dy);
}

int UpdateEffectMasks(Layer* layer)
{
    MaskBlock geometry[kEffectSlotCount];
    int32_t w = layer->pixels ? layer->pixels->width : 0;
    int32_t h = layer->pixels ? layer->pixels->height : 0;
    ComputeEffectGeometry(layer, w, h, geometry);
    int ok = 1;
    for (int slot = 0; slot < kEffectSlotCount; ++slot) {
        MaskBlock* b = LayerMaskBlock(layer, slot);
        AlphaMask* mask = b->mask;
        *b = geometry[slot];
        b->mask = mask;
        bool wanted = SlotEnabled(layer, slot) && layer->pixels;
        if (mask && (!wanted || AlphaMaskWidth(mask) != b->width || AlphaMaskHeight(mask) != b->height)) {
            DeleteAlphaMask(mask);
            b->mask = nullptr;
        }
        if (wanted && !b->mask) {
            b->mask = NewAlphaMask(b->width, b->height, 0);
            if (!b->mask)
                ok = 0;
        }
    }
    return ok;
}

Rect MaskPlacement(const Layer* layer, const MaskBlock& block)
{
    if (!layer->pixels || block.width <= 0 || block.height <= 0)
        return Rect{};
    int32_t mx = (block.width - layer->pixels->width) / 2;
    int32_t my = (block.height - layer->pixels->height) / 2;
    return MakeRect(layer->props.x + block.dx - mx, layer->props.y + block.dy - my, block.width, block.height);
}
