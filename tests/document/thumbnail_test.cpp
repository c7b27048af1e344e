#include "doc_fixture.h"
#include "document/thumbnail.h"

using Thumbnail = DocTest;

TEST_F(Thumbnail, SamplesTheLayerAtItsScaledPlaceOverAChecker)
{
    Document* doc = Blank(400, 200);   // thumbnails of 40 × 20: one thumbnail pixel per 10 × 10
    Layer* l = SolidLayer("dab", 100, 50, 100, 50, 0);
    FillArgb(l->pixels, 0, 0, 100, 50, 0xFFFF0000);
    FillArgb(l->pixels, 50, 0, 50, 50, 0x80FF0000);
    InsertLayer(doc, l, doc->top);
    ASSERT_EQ(MakeLayerThumbnail(doc, l), 1);
    const Bitmap* t = l->thumbnail;
    ASSERT_EQ(t->width * 100 + t->height, 4020);
    EXPECT_EQ(t->bitsPerPixel, 24);
    EXPECT_EQ(Rgb(t, 0, 0), 0xC0C0C0u);     // checker: grey where the 4 × 4 cell parities agree
    EXPECT_EQ(Rgb(t, 4, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(t, 4, 4), 0xC0C0C0u);
    EXPECT_EQ(Rgb(t, 10, 5), 0xFF0000u);    // document (105, 55): the layer's opaque half
    EXPECT_EQ(Rgb(t, 9, 5), 0xFFFFFFu);     // document (95, 55): left of the layer
    EXPECT_EQ(Rgb(t, 19, 5), 0xFF7F7Fu);    // half-opaque red over a white cell
    EXPECT_EQ(Rgb(t, 10, 10), 0xC0C0C0u);   // below the layer: a grey cell
}
