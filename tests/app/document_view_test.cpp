// Where a document window goes and which part of the picture it shows at each zoom.
#include "app/document_view.h"

#include <gtest/gtest.h>

using namespace app;

namespace {

const platform::Rect kScreen{0, 0, 1024, 768};

TEST(DocumentViewTest, WindowIsSizedForTheZoomedCanvasCentredCascadedAndKeptOnTheScreen)
{
    // 600 × 400 at 100 %: canvas + margins + border + title bar, centred
    platform::Rect f = DocumentFrameRect(600, 400, kDefaultZoomIndex, kScreen, 0, false);
    EXPECT_EQ(f.Width(), 600 + 2 * kCanvasMargin + 2);
    EXPECT_EQ(f.Height(), 400 + 2 * kCanvasMargin + kDocumentTitleHeight + 1);
    EXPECT_EQ(f.left, (1024 - f.Width()) / 2);
    EXPECT_EQ(f.top, (768 - f.Height()) / 2);
    // the next window one step down and right; far enough on, the cascade starts over
    platform::Rect g = DocumentFrameRect(600, 400, kDefaultZoomIndex, kScreen, 1, false);
    EXPECT_EQ(g.left, f.left + kCascadeStep);
    EXPECT_EQ(g.top, f.top + kCascadeStep);
    for (int n = 0; n < 40; ++n) {
        platform::Rect r = DocumentFrameRect(600, 400, kDefaultZoomIndex, kScreen, n, false);
        EXPECT_GE(r.left, 0);
        EXPECT_LE(r.right, 1024);
        EXPECT_LE(r.bottom, 768);
    }
    // larger than the screen: the screen; maximised: the screen
    EXPECT_EQ(DocumentFrameRect(4000, 3000, kDefaultZoomIndex, kScreen, 3, false), kScreen);
    EXPECT_EQ(DocumentFrameRect(10, 10, kDefaultZoomIndex, kScreen, 0, true), kScreen);
}

TEST(DocumentViewTest, CanvasThatFitsIsCentredWholeAtEveryZoom)
{
    const platform::Rect client{100, 100, 900, 700};
    struct {
        int zoom;
        int32_t viewW, viewH;
    } cases[] = {{0, 20, 10}, {1, 50, 25}, {2, 100, 50}, {3, 150, 75}, {4, 200, 100}, {5, 300, 150},
                 {6, 400, 200}, {7, 600, 300}};
    for (const auto& c : cases) {
        DocumentView v;
        v.zoom = c.zoom;
        v.scrollX = 50;   // meaningless while everything fits
        const ViewMapping m = LayoutCanvas(client, 200, 100, &v);
        EXPECT_EQ(m.viewWidth, c.viewW) << "zoom " << c.zoom;
        EXPECT_EQ(m.viewHeight, c.viewH) << "zoom " << c.zoom;
        EXPECT_EQ(m.srcLeft, 0);
        EXPECT_EQ(m.srcWidth, 200);
        EXPECT_EQ(v.scrollX, 0);
        EXPECT_EQ(m.viewLeft, 100 + kCanvasMargin + (800 - 2 * kCanvasMargin - c.viewW) / 2);
    }
}

TEST(DocumentViewTest, LargeCanvasShowsAScrolledPartKeptInsideThePicture)
{
    const platform::Rect client{0, 20, 400, 320};   // room: 384 × 284
    DocumentView v;
    v.zoom = 6;   // 200 %
    v.scrollX = 5000;
    v.scrollY = -7;
    const ViewMapping m = LayoutCanvas(client, 1000, 1000, &v);
    EXPECT_EQ(m.srcWidth, 192);
    EXPECT_EQ(m.viewWidth, 384);
    EXPECT_EQ(m.srcLeft, 1000 - 192);
    EXPECT_EQ(v.scrollX, 1000 - 192);
    EXPECT_EQ(m.srcTop, 0);
    // a window point maps back to the picture point it shows (two screen pixels per picture pixel)
    int32_t x = 0, y = 0;
    ScreenToDocument(m, m.viewLeft + 101, m.viewTop + 11, &x, &y);
    EXPECT_EQ(x, m.srcLeft + 50);
    EXPECT_EQ(y, 5);
}

TEST(DocumentViewTest, ZoomStepsStopAtTheEndsAndKeepTheMiddleOfTheView)
{
    EXPECT_EQ(StepZoom(kDefaultZoomIndex, 1), kDefaultZoomIndex + 1);
    EXPECT_EQ(StepZoom(kDefaultZoomIndex, -1), kDefaultZoomIndex - 1);
    EXPECT_EQ(StepZoom(kZoomLevelCount - 1, 1), kZoomLevelCount - 1);
    EXPECT_EQ(StepZoom(0, -1), 0);

    const platform::Rect client{0, 0, 416, 316};   // room: 400 × 300
    DocumentView v;
    v.scrollX = 300;
    v.scrollY = 200;
    ViewMapping m = LayoutCanvas(client, 2000, 2000, &v);
    const int32_t cx = m.srcLeft + m.srcWidth / 2, cy = m.srcTop + m.srcHeight / 2;
    ZoomView(&v, 8, client, 2000, 2000);   // 400 %
    m = LayoutCanvas(client, 2000, 2000, &v);
    EXPECT_NEAR(m.srcLeft + m.srcWidth / 2, cx, 1);
    EXPECT_NEAR(m.srcTop + m.srcHeight / 2, cy, 1);
    // centring near an edge stays inside the picture
    CentreView(&v, 5, 1995, 100, 75, 2000, 2000);
    EXPECT_EQ(v.scrollX, 0);
    EXPECT_EQ(v.scrollY, 2000 - 75);
}

TEST(DocumentViewTest, ScreenAreaOfAChangeCoversItsZoomedPixelsWithinTheView)
{
    DocumentView v;
    v.zoom = 7;   // 300 %
    const ViewMapping m = LayoutCanvas({0, 0, 1000, 1000}, 100, 100, &v);
    const platform::Rect r = ScreenAreaOf(m, Rect{10, 10, 11, 11}, v.zoom);
    EXPECT_LE(r.left, m.viewLeft + 30);
    EXPECT_GE(r.right, m.viewLeft + 33);
    EXPECT_LE(r.top, m.viewTop + 30);
    EXPECT_GE(r.bottom, m.viewTop + 33);
    // a change at the picture's corner never reaches outside the view
    const platform::Rect corner = ScreenAreaOf(m, Rect{0, 0, 100, 100}, v.zoom);
    EXPECT_EQ(corner, ViewRect(m));
    EXPECT_TRUE(ScreenAreaOf(m, Rect{200, 200, 210, 210}, v.zoom).Empty());
}

}  // namespace
