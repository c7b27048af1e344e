#include <cstring>
#include <vector>

#include "doc_fixture.h"
#include "document/compose.h"
#include "document/effect_render.h"
#include "raster/block_ops.h"
#include "raster/pic_copy.h"

namespace {

constexpr uint32_t kGreyPixel = 0xC0C0C0;

int g_presents = 0;
Rect g_presented;

class Compose : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        g_presents = 0;
        g_documentHooks.presentRect = [](Document*, const Rect& r) {
            ++g_presents;
            g_presented = r;
        };
    }
};

}  // namespace

TEST_F(Compose, AHiddenOnlyLayerShowsTheCheckerboard)
{
    Document* doc = Blank(35, 25);
    doc->top->props.stateFlags = 0;
    RefreshDocumentRect(doc, nullptr);
    struct Case { int32_t x, y; uint32_t rgb; } cases[] = {
        {0, 0, kGreyPixel}, {10, 0, 0xFFFFFF}, {10, 10, kGreyPixel}, {9, 9, kGreyPixel},
        {0, 10, 0xFFFFFF}, {34, 24, 0xFFFFFF}, {20, 0, kGreyPixel}, {29, 19, 0xFFFFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Rgb(doc->composite, c.x, c.y), c.rgb) << c.x << "," << c.y;
    EXPECT_EQ(g_presents, 1);
    EXPECT_EQ(g_presented, (Rect{0, 0, 35, 25}));
}

TEST_F(Compose, ARectangleOutsideTheCanvasChangesNothing)
{
    Document* doc = Blank(30, 20);
    doc->top->props.stateFlags = 0;   // a compose would now draw the checkerboard
    const Rect outside[] = {{30, 0, 40, 10}, {-10, -10, 0, 5}, {5, 20, 6, 30}, {10, 10, 10, 15}, {8, 8, 4, 4}};
    for (const Rect& r : outside) {
        RefreshDocumentRect(doc, &r);
        EXPECT_EQ(Rgb(doc->composite, 0, 0), 0xFFFFFFu);
    }
    EXPECT_EQ(g_presents, 0);
    // Partly inside: only the inside part is composed and shown.
    const Rect partly{-5, 15, 12, 40};
    RefreshDocumentRect(doc, &partly);
    EXPECT_EQ(g_presented, (Rect{0, 15, 12, 20}));
    EXPECT_EQ(Rgb(doc->composite, 0, 15), 0xFFFFFFu);   // (0, 15): cell column 0, row 1
    EXPECT_EQ(Rgb(doc->composite, 11, 19), kGreyPixel);
    EXPECT_EQ(Rgb(doc->composite, 12, 19), 0xFFFFFFu) << "outside the rectangle stays";
}

TEST_F(Compose, LayersBlendFromTheBottomWithModesAndOpacity)
{
    Document* doc = Blank(8, 4);
    // White background; a half-opaque red layer at 100 % and a difference-mode layer over part of it.
    InsertLayer(doc, SolidLayer("red", 0, 0, 8, 4, 0x80FF0000), doc->top);
    Layer* diff = SolidLayer("diff", 4, 0, 4, 4, 0xFFFFFFFF);
    diff->props.blendMode = kBlendDifference;
    InsertLayer(doc, diff, doc->top);
    Layer* faint = SolidLayer("faint", 0, 2, 2, 2, 0xFF0000FF);
    faint->props.opacity = 0;
    InsertLayer(doc, faint, doc->top);
    ComposeDocument(doc, nullptr);
    const uint32_t pink = Rgb(doc->composite, 0, 0);
    EXPECT_EQ(pink >> 16, 0xFFu);
    EXPECT_NEAR(static_cast<int>(pink & 0xFF), 127, 1);
    // Difference with white inverts: red stays 0, green and blue come out as 255 − 127.
    const uint32_t inverted = Rgb(doc->composite, 5, 1);
    EXPECT_EQ(inverted >> 16, 0u);
    EXPECT_NEAR(static_cast<int>(inverted & 0xFF), 128, 1);
    EXPECT_EQ(Rgb(doc->composite, 0, 3), pink) << "opacity 0 draws nothing";
}

TEST_F(Compose, OverlayAndTransformPreviewTakeTheCurrentLayersPlace)
{
    Document* doc = Blank(10, 10);
    Layer* middle = SolidLayer("middle", 0, 0, 10, 10, 0xFF00FF00);
    InsertLayer(doc, middle, doc->top);
    Layer* top = SolidLayer("top", 0, 0, 2, 2, 0xFF0000FF);
    InsertLayer(doc, top, doc->top);
    ASSERT_EQ(SelectLayer(doc, middle), 1);

    doc->overlay = NewRGBAPic(4, 4);
    FillArgb(doc->overlay, 0, 0, 4, 4, 0x00FF0000);   // alpha 0, still copied opaquely
    doc->overlayX = 1;
    doc->overlayY = 1;
    ComposeDocument(doc, nullptr);
    EXPECT_EQ(Rgb(doc->composite, 0, 0), 0x0000FFu) << "layers above cover the overlay";
    EXPECT_EQ(Rgb(doc->composite, 1, 1), 0x0000FFu);
    EXPECT_EQ(Rgb(doc->composite, 2, 2), 0xFF0000u);
    EXPECT_EQ(Rgb(doc->composite, 5, 5), 0x00FF00u);

    DeletePic(doc->overlay);
    doc->overlay = nullptr;
    doc->transformActive = 1;
    ComposeDocument(doc, nullptr);
    EXPECT_EQ(Rgb(doc->composite, 5, 5), 0xFFFFFFu) << "no preview yet: the current layer is not drawn";
    doc->transformLayer.pixels = NewRGBAPic(3, 3);
    FillArgb(doc->transformLayer.pixels, 0, 0, 3, 3, 0xFFFF00FF);
    doc->transformLayer.props.opacity = 255;
    doc->transformLayer.props.x = 5;
    doc->transformLayer.props.y = 5;
    middle->props.stateFlags = 0;   // the preview is drawn whatever the layer's eye says
    ComposeDocument(doc, nullptr);
    EXPECT_EQ(Rgb(doc->composite, 6, 6), 0xFF00FFu);
    EXPECT_EQ(Rgb(doc->composite, 4, 4), 0xFFFFFFu);
}

TEST_F(Compose, EffectsLieUnderAndOverThePixels)
{
    Document* doc = Blank(60, 60);
    Layer* l = SolidLayer("square", 20, 20, 20, 20, 0xFF0000FF);   // opaque blue
    l->props.effectFlags = kEffectDropShadow | kEffectInnerGlow;
    l->dropShadow.blur = 0;
    l->dropShadow.size = 0;
    l->dropShadow.opacity = 255;
    l->dropShadow.distance = 10;
    l->dropShadow.angle = 90;       // straight down
    l->dropShadow.colour = 0x000000;
    l->innerGlow.blur = 0;
    l->innerGlow.size = 2;
    l->innerGlow.opacity = 255;
    l->innerGlow.colour = 0xFFFF00;
    InsertLayer(doc, l, doc->top);
    ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);
    ComposeDocument(doc, nullptr);
    EXPECT_EQ(Rgb(doc->composite, 30, 45), 0x000000u) << "shadow below the square";
    EXPECT_EQ(Rgb(doc->composite, 30, 51), 0xFFFFFFu) << "shadow ends 10 below the square";
    EXPECT_EQ(Rgb(doc->composite, 45, 30), 0xFFFFFFu) << "nothing to the side";
    EXPECT_EQ(Rgb(doc->composite, 30, 30), 0x0000FFu) << "the square covers its shadow";
    EXPECT_EQ(Rgb(doc->composite, 20, 30), 0xFFFF00u) << "inner glow over the edge pixels";
    EXPECT_EQ(Rgb(doc->composite, 22, 30), 0x0000FFu) << "inner glow two pixels deep";
    EXPECT_EQ(Rgb(doc->composite, 19, 30), 0xFFFFFFu) << "inner glow stays inside the shape";
}

TEST_F(Compose, APaintedChangeRefreshesAsFarAsItsEffectsReach)
{
    Document* doc = Blank(100, 100);
    Layer* l = SolidLayer("paint", 10, 20, 50, 50, 0);
    l->props.effectFlags = kEffectOuterGlow;
    l->outerGlow = GlowParams{3, 2, 255, {}, 0xFF0000, 0};
    InsertLayer(doc, l, doc->top);
    ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);
    FillArgb(l->pixels, 20, 20, 4, 4, 0xFF000000);
    ASSERT_EQ(RefreshLayerChange(doc, l, Rect{20, 20, 24, 24}), 1);
    EXPECT_EQ(g_presented, (Rect{25, 35, 39, 49})) << "the dab at (30, 40) widened by size + blur";
    EXPECT_EQ(Rgb(doc->composite, 31, 41), 0x000000u);
    EXPECT_EQ(Rgb(doc->composite, 28, 41) >> 16, 0xFFu) << "glow red next to the dab";
}

TEST_F(Compose, BandsComposeLikeLayingEveryLayerOnTheComposite)
{
    // The layers are laid on an opaque band that goes to the composite when all are in; the result
    // must be what laying each one on the composite itself gives: every mode, opacities, a drop
    // shadow and outer glow, and a half-transparent overlay with half-transparent paint above it.
    // Wide enough for several bands, the last one short.
    const int32_t W = 700, H = 90;
    Document* doc = Blank(W, H);
    auto paint = [](Layer* l, int seed) {
        Bitmap* b = l->pixels;
        for (int32_t y = 0; y < b->height; ++y)
            for (int32_t x = 0; x < b->width; ++x) {
                const int32_t d = (x + (2 + seed) * y + seed * 31) % 90;
                const uint32_t a = d < 30 ? 0 : d < 60 ? 255 : uint32_t(255 - (d - 60) * 8);
                SetArgb(b, x, y, a << 24 | uint32_t(x * 7 + seed * 50) % 256 << 16 | uint32_t(y * 3 + seed) % 256 << 8 |
                                     uint32_t(x + y) % 256);
            }
    };
    std::vector<Layer*> layers;
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode) {
        Layer* l = SolidLayer("paint", -7 + mode * 60, -5 + mode * 4, 350, 80, 0);
        paint(l, mode);
        l->props.blendMode = static_cast<uint8_t>(mode);
        l->props.opacity = static_cast<uint8_t>(255 - mode * 30);
        if (mode == 2) {
            l->props.effectFlags = kEffectDropShadow | kEffectOuterGlow;
            ASSERT_EQ(RenderLayerEffects(l, nullptr), 1);
        }
        InsertLayer(doc, l, doc->top);
        layers.push_back(l);
    }
    ASSERT_EQ(SelectLayer(doc, layers[4]), 1);
    doc->overlay = NewRGBAPic(300, 40);
    FillArgb(doc->overlay, 0, 0, 300, 40, 0x40FF8000);
    doc->overlayX = 200;
    doc->overlayY = 30;

    Bitmap* want = NewRGBPic(W, H);
    ASSERT_NE(want, nullptr);
    for (const Rect& r : {Rect{0, 0, W, H}, Rect{333, 17, 397, 81}, Rect{0, 41, W, 42}}) {
        FillCheckerboard(want, r);
        for (const Layer* l = doc->bottom; l; l = l->above) {
            BlendLayer(want, 0, 0, l, r);
            if (l == doc->current) {
                const Rect o = Intersect(MakeRect(200, 30, 300, 40), r);
                BlockCopy(want, o.left, o.top, o.Width(), o.Height(), doc->overlay, o.left - 200, o.top - 30, 255);
            }
        }
        ComposeDocument(doc, &r);
        for (int32_t y = 0; y < H; ++y)
            ASSERT_EQ(std::memcmp(PicRow(doc->composite, y), PicRow(want, y), static_cast<size_t>(W) * 3), 0)
                << "row " << y << " after composing " << r.left << "," << r.top << " - " << r.right << "," << r.bottom;
    }
    DeletePic(want);
}
