#include "document/effect_params.h"

#include <algorithm>

namespace {

ShadowParams Shadow(int blur, int size, int angle, int opacity, int distance, uint32_t colour)
{
    ShadowParams p{};
    p.blur = static_cast<int16_t>(blur);
    p.size = static_cast<int16_t>(size);
    p.angle = static_cast<int16_t>(angle);
    p.opacity = static_cast<int16_t>(opacity);
    p.distance = static_cast<int16_t>(distance);
    p.colour = colour;
    return p;
}

GlowParams Glow(int blur, int size, int opacity, uint32_t colour)
{
    GlowParams p{};
    p.blur = static_cast<int16_t>(blur);
    p.size = static_cast<int16_t>(size);
    p.opacity = static_cast<int16_t>(opacity);
    p.colour = colour;
    return p;
}

int16_t Clamp16(int16_t v, int lo, int hi) { return static_cast<int16_t>(std::clamp<int>(v, lo, hi)); }

}  // namespace

EffectDefaults g_effectDefaults = {
    Shadow(4, 0, 135, 128, 10, 0x000000),
    Shadow(4, 4, 135, 128, 4, 0x000000),
    Glow(6, 0, 255, 0xFFFFFF),
    Glow(4, 2, 255, 0xFFFFFF),
};

void SetDefaultEffectParams()
{
    g_effectDefaults.dropShadow = Shadow(4, 0, 135, 128, 10, 0x000000);
    g_effectDefaults.innerShadow = Shadow(4, 4, 135, 128, 4, 0x000000);
    g_effectDefaults.outerGlow = Glow(6, 0, 255, 0xFFFFFF);
    g_effectDefaults.innerGlow = Glow(4, 2, 255, 0xFFFFFF);
}

void ClampShadowParams(ShadowParams* p)
{
    p->blur = Clamp16(p->blur, 0, kEffectMaxBlur);
    p->size = Clamp16(p->size, 0, kEffectMaxSize);
    p->opacity = Clamp16(p->opacity, 0, 255);
    p->distance = Clamp16(p->distance, 0, kEffectMaxDistance);
}

void ClampGlowParams(GlowParams* p)
{
    p->blur = Clamp16(p->blur, 0, kEffectMaxBlur);
    p->size = Clamp16(p->size, 0, kEffectMaxSize);
    p->opacity = Clamp16(p->opacity, 0, 255);
}
