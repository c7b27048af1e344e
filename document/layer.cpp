#include "document/layer.h"

#include <cstring>
#include <new>

#include "document/document_hooks.h"
#include "document/effect_geometry.h"
#include "raster/pic_copy.h"

const char* const kBlendModeNames[kBlendModeCount] = {
    "Normal", "Hue", "Satue", "Luminance", "Screen", "Darken", "Lighten", "Difference",
};

namespace {

// Copies bytes of s into dst (capacity cap including the NUL), never splitting a character.
size_t CopyWhole(char* dst, size_t cap, const char* s)
{
    size_t n = 0;
    while (s[n]) {
        size_t len = static_cast<size_t>(g_documentHooks.charBytes(s + n));
        if (len == 0)
            len = 1;
        if (n + len > cap - 1)
            break;
        n += len;
    }
    std::memcpy(dst, s, n);
    dst[n] = '\0';
    return n;
}

}  // namespace

MaskBlock* LayerMaskBlock(Layer* layer, int slot)
{
    switch (slot) {
    case kSlotDropShadow: return &layer->dropShadowMask;
    case kSlotInnerShadow: return &layer->innerShadowMask;
    case kSlotOuterGlow: return &layer->outerGlowMask;
    case kSlotInnerGlow: return &layer->innerGlowMask;
    case kSlotFifthA: return &layer->fifthMasks[0];
    default: return &layer->fifthMasks[1];
    }
}

const MaskBlock* LayerMaskBlock(const Layer* layer, int slot)
{
    return LayerMaskBlock(const_cast<Layer*>(layer), slot);
}

uint8_t EffectSlotFlag(int slot)
{
    constexpr uint8_t flags[kEffectSlotCount] = {kEffectDropShadow, kEffectInnerShadow, kEffectOuterGlow,
                                                 kEffectInnerGlow, kEffectFifth, kEffectFifth};
    return slot >= 0 && slot < kEffectSlotCount ? flags[slot] : 0;
}

LayerEffectState GetLayerEffectState(const Layer* layer)
{
    return LayerEffectState{layer->props, layer->dropShadow, layer->innerShadow, layer->outerGlow, layer->innerGlow};
}

Layer* NewLayer(const char* name)
{
    Layer* l = new (std::nothrow) Layer{};
    if (!l)
        return nullptr;
    SetLayerName(l, name ? name : "");
    l->props.opacity = 255;
    l->props.kind = kLayerKindRaster;
    l->props.stateFlags = kLayerVisible;
    l->dropShadow = g_effectDefaults.dropShadow;
    l->innerShadow = g_effectDefaults.innerShadow;
    l->outerGlow = g_effectDefaults.outerGlow;
    l->innerGlow = g_effectDefaults.innerGlow;
    return l;
}

void ReleaseLayerContents(Layer* layer)
{
    if (!layer)
        return;
    DeletePic(layer->pixels);
    DeletePic(layer->thumbnail);
    for (int i = 0; i < kEffectSlotCount; ++i)
        DeleteAlphaMask(LayerMaskBlock(layer, i)->mask);
    *layer = Layer{};
}

void FreeLayer(Layer* layer)
{
    if (!layer)
        return;
    ReleaseLayerContents(layer);
    delete layer;
}

Layer* CopyLayer(const Layer* layer)
{
    if (!layer)
        return nullptr;
    Layer* c = new (std::nothrow) Layer(*layer);
    if (!c)
        return nullptr;
    c->below = c->above = nullptr;
    c->pixels = nullptr;
    c->thumbnail = nullptr;
    for (int i = 0; i < kEffectSlotCount; ++i)
        LayerMaskBlock(c, i)->mask = nullptr;
    bool ok = true;
    if (layer->pixels)
        ok = (c->pixels = BackupDIB(layer->pixels)) != nullptr;
    if (ok && layer->thumbnail)
        ok = (c->thumbnail = BackupDIB(layer->thumbnail)) != nullptr;
    for (int i = 0; ok && i < kEffectSlotCount; ++i) {
        const AlphaMask* m = LayerMaskBlock(layer, i)->mask;
        if (m && SlotEnabled(layer, i))
            ok = (LayerMaskBlock(c, i)->mask = BackupAlphaBitmap(m)) != nullptr;
    }
    if (!ok) {
        FreeLayer(c);
        return nullptr;
    }
    return c;
}

void SetLayerName(Layer* layer, const char* name)
{
    std::memset(layer->props.name, 0, sizeof layer->props.name);
    CopyWhole(layer->props.name, sizeof layer->props.name, name);
}

void SetLayerNameWithSuffix(Layer* layer, const char* name, const char* suffix)
{
    char joined[kLayerNameSize * 2 + 1];
    size_t n = CopyWhole(joined, sizeof joined, name);
    CopyWhole(joined + n, sizeof joined - n, suffix);
    // Cut from the name rather than the suffix: "a long name copy" stays recognisable as a copy.
    size_t suffixLen = std::strlen(joined + n);
    if (n + suffixLen > kLayerNameSize - 1 && suffixLen <= kLayerNameSize - 1) {
        char head[kLayerNameSize];
        size_t keep = CopyWhole(head, kLayerNameSize - suffixLen, joined);
        std::memcpy(joined, head, keep);
        std::memmove(joined + keep, joined + n, suffixLen + 1);
    }
    SetLayerName(layer, joined);
}

Rect LayerBounds(const Layer* layer)
{
    if (!layer || !layer->pixels)
        return Rect{};
    return MakeRect(layer->props.x, layer->props.y, layer->pixels->width, layer->pixels->height);
}

Rect LayerBoundsWithEffects(const Layer* layer)
{
    Rect r = LayerBounds(layer);
    for (int i = 0; i < kEffectSlotCount; ++i) {
        if (layer && SlotEnabled(layer, i))
            r = Union(r, MaskPlacement(layer, *LayerMaskBlock(layer, i)));
    }
    return r;
}
