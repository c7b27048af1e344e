#include <cstring>

#include "doc_fixture.h"
#include "document/effect_geometry.h"
#include "document/effect_render.h"
#include "document/layer_growth.h"

using LayerGrowth = DocTest;

TEST_F(LayerGrowth, EdgesMoveInStepsOfOneHundred)
{
    struct Case {
        Rect paint;                 // layer coordinates
        int32_t x, y, w, h;         // layer afterwards
        int32_t shiftX, shiftY;
    } cases[] = {
        {MakeRect(-1, -1, 1, 1), -100, -100, 301, 301, -100, -100},
        {MakeRect(250, 10, 1, 1), 0, 0, 301, 201, 0, 0},
        {MakeRect(0, 0, 200, 200), 0, 0, 200, 200, 0, 0},       // inside: nothing changes
        {MakeRect(199, 199, 1, 1), 0, 0, 200, 200, 0, 0},
        {MakeRect(200, 5, 1, 1), 0, 0, 301, 201, 0, 0},          // one past the edge: one step
        {MakeRect(-100, 5, 1, 1), -200, 0, 401, 201, -200, 0},
        {MakeRect(-250, -20, 600, 1), -300, -100, 701, 301, -300, -100},
    };
    for (const Case& c : cases) {
        Document* doc = Blank(200, 200);
        Layer* layer = doc->current;
        SetArgb(layer->pixels, 7, 9, 0xFF102030);
        int32_t sx = 1, sy = 1;
        ASSERT_EQ(GrowLayer(doc, layer, c.paint, &sx, &sy), 1);
        EXPECT_EQ(layer->props.x, c.x);
        EXPECT_EQ(layer->props.y, c.y);
        EXPECT_EQ(layer->pixels->width, c.w);
        EXPECT_EQ(layer->pixels->height, c.h);
        EXPECT_EQ(sx, c.shiftX);
        EXPECT_EQ(sy, c.shiftY);
        // The old pixels keep their place in the document, and the backup follows the current layer.
        EXPECT_EQ(Argb(layer->pixels, 7 - c.x, 9 - c.y), 0xFF102030u);
        EXPECT_EQ(doc->backup->width, c.w);
        EXPECT_EQ(Argb(doc->backup, 6 - c.x, 9 - c.y), 0xFFFFFFFFu);
        CloseDocument(doc);
    }
}

TEST_F(LayerGrowth, AnEmptyLayerGetsExactlyTheRectangle)
{
    Document* doc = Blank(50, 50);
    Layer* layer = NewLayer("fresh");
    InsertLayer(doc, layer, doc->current);
    ASSERT_EQ(SelectLayer(doc, layer), 1);
    EXPECT_EQ(doc->backup, nullptr);
    int32_t sx, sy;
    ASSERT_EQ(GrowLayer(doc, layer, Rect{-5, 10, 15, 13}, &sx, &sy), 1);
    EXPECT_EQ((Rect{layer->props.x, layer->props.y, layer->pixels->width, layer->pixels->height}),
              (Rect{-5, 10, 20, 3}));
    EXPECT_EQ(sx, -5);
    EXPECT_EQ(sy, 10);
    EXPECT_EQ(Argb(layer->pixels, 0, 0), 0u);
    ASSERT_NE(doc->backup, nullptr);
    EXPECT_EQ(doc->backup->width * 100 + doc->backup->height, 2003);
}

TEST_F(LayerGrowth, RefusesWhatCannotBeHeld)
{
    Document* doc = Blank(100, 100);
    Layer* layer = doc->current;
    Bitmap* before = layer->pixels;
    int32_t sx, sy;
    const Rect cases[] = {
        MakeRect(kMaxBitmapSide + 10, 0, 1, 1),    // wider than a bitmap may be
        MakeRect(-40000, 0, 1, 1),                 // position beyond 16 bits
        MakeRect(0, 40000, 1, 1),
    };
    for (const Rect& r : cases) {
        EXPECT_EQ(GrowLayer(doc, layer, r, &sx, &sy), 0);
        EXPECT_EQ(layer->pixels, before);
        EXPECT_EQ(layer->props.x, 0);
        EXPECT_EQ(layer->props.y, 0);
    }
}

TEST_F(LayerGrowth, EffectMasksKeepTheirContent)
{
    Document* doc = Blank(100, 100);
    Layer* layer = SolidLayer("dot", 20, 30, 40, 40, 0);
    FillArgb(layer->pixels, 10, 10, 5, 5, 0xFF0000FF);
    layer->props.effectFlags = kEffectDropShadow | kEffectOuterGlow | kEffectInnerGlow;
    InsertLayer(doc, layer, doc->current);
    ASSERT_EQ(SelectLayer(doc, layer), 1);
    ASSERT_EQ(RenderLayerEffects(layer, nullptr), 1);
    const AlphaMask* shadowBefore = BackupAlphaBitmap(layer->dropShadowMask.mask);
    const AlphaMask* innerBefore = BackupAlphaBitmap(layer->innerGlowMask.mask);
    const int32_t m = EffectMargin(layer, kSlotDropShadow);

    int32_t sx, sy;
    ASSERT_EQ(GrowLayer(doc, layer, MakeRect(-3, 45, 1, 1), &sx, &sy), 1);
    ASSERT_EQ(sx, -100);
    ASSERT_EQ(sy, 0);
    // Sizes follow the new bitmap...
    EXPECT_EQ(layer->dropShadowMask.width, layer->pixels->width + 2 * m);
    EXPECT_EQ(AlphaMaskWidth(layer->dropShadowMask.mask), layer->pixels->width + 2 * m);
    EXPECT_EQ(AlphaMaskWidth(layer->innerGlowMask.mask), layer->pixels->width);
    // ...and every coverage byte stays where it was in the document.
    for (int32_t y = 0; y < AlphaMaskHeight(shadowBefore); ++y) {
        ASSERT_EQ(std::memcmp(AlphaMaskRow(layer->dropShadowMask.mask, y) + 100, AlphaMaskRow(shadowBefore, y),
                              static_cast<size_t>(AlphaMaskWidth(shadowBefore))), 0) << "row " << y;
    }
    for (int32_t y = 0; y < AlphaMaskHeight(innerBefore); ++y) {
        ASSERT_EQ(std::memcmp(AlphaMaskRow(layer->innerGlowMask.mask, y) + 100, AlphaMaskRow(innerBefore, y),
                              static_cast<size_t>(AlphaMaskWidth(innerBefore))), 0) << "row " << y;
    }
    EXPECT_EQ(AlphaMaskColour(layer->dropShadowMask.mask), AlphaMaskColour(shadowBefore));
    DeleteAlphaMask(const_cast<AlphaMask*>(shadowBefore));
    DeleteAlphaMask(const_cast<AlphaMask*>(innerBefore));
    // Rendering again now gives the same picture: the grown masks were already right.
    const AlphaMask* kept = BackupAlphaBitmap(layer->outerGlowMask.mask);
    ASSERT_EQ(RenderLayerEffects(layer, nullptr), 1);
    EXPECT_EQ(std::memcmp(kept, layer->outerGlowMask.mask, AlphaMaskBytes(kept)), 0);
    DeleteAlphaMask(const_cast<AlphaMask*>(kept));
}

TEST_F(LayerGrowth, TrimKeepsOnlyThePaintedBox)
{
    Document* doc = Blank(100, 100);
    Layer* layer = SolidLayer("square", -100, -100, 301, 301, 0);
    FillArgb(layer->pixels, 150, 120, 10, 10, 0x40FF0000);
    InsertLayer(doc, layer, doc->current);
    ASSERT_EQ(TrimLayer(doc, layer), 1);
    EXPECT_EQ((Rect{layer->props.x, layer->props.y, layer->pixels->width, layer->pixels->height}),
              (Rect{50, 20, 10, 10}));
    EXPECT_EQ(Argb(layer->pixels, 9, 9), 0x40FF0000u);

    Layer* empty = SolidLayer("clear", 0, 0, 30, 30, 0);
    InsertLayer(doc, empty, doc->current);
    ASSERT_EQ(TrimLayer(doc, empty), 1);
    EXPECT_EQ(empty->pixels->width, 30) << "nothing painted: left alone";
}
