#include <cstring>
#include <vector>

#include "doc_fixture.h"
#include "document/effect_geometry.h"
#include "document/effect_render.h"

TEST(EffectGeometry, OffsetsAndSizes)
{
    struct Case { int angle, distance; int16_t dx, dy; } offsets[] = {
        {0, 10, -10, 0}, {90, 10, 0, 10}, {180, 10, 10, 0}, {135, 10, 7, 7}, {45, 60, -42, 42},
        {135, 500, 42, 42},   // distance kept within 60
    };
    for (const Case& c : offsets) {
        int16_t dx, dy;
        ShadowOffset(c.angle, c.distance, &dx, &dy);
        EXPECT_EQ(dx, c.dx) << c.angle;
        EXPECT_EQ(dy, c.dy) << c.angle;
    }
    Layer* l = NewLayer("g");
    l->dropShadow.size = 3;
    l->dropShadow.blur = 4;
    l->outerGlow.size = 100;   // from a damaged file: kept to 20
    l->outerGlow.blur = -5;
    MaskBlock b[kEffectSlotCount];
    ComputeEffectGeometry(l, 50, 30, b);
    EXPECT_EQ((std::vector<int>{b[kSlotDropShadow].width, b[kSlotDropShadow].height}), (std::vector<int>{64, 44}));
    EXPECT_EQ((std::vector<int>{b[kSlotOuterGlow].width, b[kSlotOuterGlow].height}), (std::vector<int>{90, 70}));
    EXPECT_EQ((std::vector<int>{b[kSlotOuterGlow].dx, b[kSlotOuterGlow].dy}), (std::vector<int>{0, 0}));
    for (int slot : {kSlotInnerShadow, kSlotInnerGlow, kSlotFifthA})
        EXPECT_EQ((std::vector<int>{b[slot].dx, b[slot].dy, b[slot].width, b[slot].height}),
                  (std::vector<int>{0, 0, 50, 30}));
    FreeLayer(l);
}

TEST(EffectRender, OuterGlowSpreadsSoftensAndScales)
{
    Layer* l = NewLayer("dot");
    l->pixels = NewRGBAPic(5, 5);
    SetArgb(l->pixels, 2, 2, 0xFF000000);
    l->props.effectFlags = kEffectOuterGlow;
    l->outerGlow.size = 1;
    l->outerGlow.blur = 1;
    l->outerGlow.opacity = 128;
    l->outerGlow.colour = 0x00FF00;
    ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);
    const AlphaMask* m = l->outerGlowMask.mask;
    ASSERT_EQ(AlphaMaskWidth(m), 9);
    EXPECT_EQ(AlphaMaskColour(m), 0x00FF00u);
    // Spread: a 3 × 3 block of 255 around layer (2, 2) = mask (4, 4); soften over 3 × 3 squares.
    auto at = [&](int x, int y) { return static_cast<int>(AlphaMaskRow(m, y)[x]); };
    EXPECT_EQ(at(4, 4), (255 * 128) >> 8);
    EXPECT_EQ(at(3, 4), ((255 * 6 + 4) / 9 * 128) >> 8);
    EXPECT_EQ(at(2, 2), ((255 + 4) / 9 * 128) >> 8);
    EXPECT_EQ(at(1, 1), 0);
    FreeLayer(l);
}

TEST(EffectRender, InnerShadowFallsOnTheLitEdgeInsideTheShape)
{
    Layer* l = NewLayer("square");
    l->pixels = NewRGBAPic(20, 20);
    FillArgb(l->pixels, 5, 5, 10, 10, 0xFF000000);
    l->props.effectFlags = kEffectInnerShadow;
    l->innerShadow = ShadowParams{};
    l->innerShadow.angle = 135;
    l->innerShadow.distance = 3;   // offset (2, 2): the shadow shows along the top and left edges
    l->innerShadow.opacity = 255;
    ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);
    auto at = [&](int x, int y) { return static_cast<int>(AlphaMaskRow(l->innerShadowMask.mask, y)[x]); };
    EXPECT_EQ(at(5, 10), 255);
    EXPECT_EQ(at(6, 10), 255);
    EXPECT_EQ(at(7, 10), 0);
    EXPECT_EQ(at(10, 6), 255);
    EXPECT_EQ(at(14, 10), 0) << "the far edge is lit";
    EXPECT_EQ(at(2, 2), 0) << "nothing outside the shape";
    FreeLayer(l);
}

TEST(EffectRender, PartialRenderMatchesAWholeRenderAndWidensTheRectangle)
{
    Layer* l = NewLayer("stroke");
    l->pixels = NewRGBAPic(80, 60);
    FillArgb(l->pixels, 10, 10, 30, 20, 0xFF000000);
    l->props.effectFlags = kEffectDropShadow | kEffectOuterGlow | kEffectInnerShadow | kEffectInnerGlow;
    l->dropShadow = ShadowParams{3, 2, 120, 200, 9, {}, 0x000000, 0};
    l->innerShadow = ShadowParams{2, 1, 30, 255, 5, {}, 0x000000, 0};
    l->outerGlow = GlowParams{4, 3, 255, {}, 0xFFFFFF, 0};
    l->innerGlow = GlowParams{2, 2, 180, {}, 0xFFFF00, 0};
    ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);

    // Paint a dab, render only around it, and compare with a copy rendered whole.
    FillArgb(l->pixels, 50, 35, 6, 6, 0xFF000000);
    Rect r{50, 35, 56, 41};
    ASSERT_EQ(RenderLayerEffects(l, &r), 1);
    Layer* whole = CopyLayer(l);
    ASSERT_EQ(RenderLayerEffects(whole, nullptr), 1);
    for (int slot : {kSlotDropShadow, kSlotOuterGlow, kSlotInnerShadow, kSlotInnerGlow}) {
        const AlphaMask* a = LayerMaskBlock(l, slot)->mask;
        const AlphaMask* b = LayerMaskBlock(whole, slot)->mask;
        ASSERT_EQ(AlphaMaskBytes(a), AlphaMaskBytes(b));
        EXPECT_EQ(std::memcmp(a, b, AlphaMaskBytes(a)), 0) << "slot " << slot;
    }
    // The refresh reaches as far as any effect of the dab: the drop shadow's offset plus its margin.
    int16_t dx, dy;
    ShadowOffset(120, 9, &dx, &dy);
    EXPECT_EQ(r.right, 56 + 5 + dx);
    EXPECT_EQ(r.bottom, 41 + 5 + dy);
    EXPECT_EQ(r.left, 50 - 7);   // outer glow margin
    FreeLayer(whole);
    FreeLayer(l);
}

TEST(EffectRender, ClearedFlagsFreeTheirMasks)
{
    Layer* l = NewLayer("x");
    l->pixels = NewRGBAPic(4, 4);
    l->props.effectFlags = kEffectOuterGlow | kEffectInnerGlow;
    ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);
    EXPECT_NE(l->outerGlowMask.mask, nullptr);
    l->props.effectFlags = kEffectInnerGlow;
    ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);
    EXPECT_EQ(l->outerGlowMask.mask, nullptr);
    EXPECT_NE(l->innerGlowMask.mask, nullptr);
    FreeLayer(l);
}
