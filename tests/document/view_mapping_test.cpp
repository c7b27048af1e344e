#include <gtest/gtest.h>

#include "document/document_core.h"

TEST(ViewMapping, BothWays)
{
    struct Case {
        ViewMapping m;
        int32_t x, y, sx, sy;    // document point and its screen point
        int32_t bx, by;          // the screen point mapped back
    } cases[] = {
        {{0, 0, 100, 80, 10, 20, 100, 80}, 5, 7, 15, 27, 5, 7},            // 100 %
        {{10, 0, 100, 80, 0, 0, 200, 160}, 15, 3, 10, 6, 15, 3},           // 200 %
        {{0, 0, 400, 300, 50, 50, 100, 75}, 7, 9, 51, 52, 4, 8},           // 25 %: integer steps
        {{0, 0, 100, 100, 0, 0, 100, 100}, -5, 120, -5, 120, -5, 120},     // outside the view still maps
    };
    for (const Case& c : cases) {
        int32_t sx, sy, x, y;
        DocumentToScreen(c.m, c.x, c.y, &sx, &sy);
        EXPECT_EQ(sx, c.sx);
        EXPECT_EQ(sy, c.sy);
        ScreenToDocument(c.m, sx, sy, &x, &y);
        EXPECT_EQ(x, c.bx);
        EXPECT_EQ(y, c.by);
    }
}

TEST(ViewMapping, DocumentRectangleOnScreen)
{
    const ViewMapping m{0, 0, 100, 100, 10, 10, 200, 200};
    EXPECT_EQ(DocumentRectToScreen(m, Rect{5, 5, 10, 10}), (Rect{20, 20, 31, 31}));
    EXPECT_EQ(DocumentRectToScreen(m, Rect{90, 90, 150, 150}), (Rect{190, 190, 210, 210}));
    EXPECT_TRUE(DocumentRectToScreen(m, Rect{200, 200, 300, 300}).Empty());
}

TEST(ViewMapping, ZoomLevels)
{
    const int32_t expected[] = {10, 25, 50, 75, 100, 150, 200, 300, 400};
    for (int i = 0; i < kZoomLevelCount; ++i)
        EXPECT_EQ(ZoomPercent(i), expected[i]);
    EXPECT_EQ(ZoomPercent(kDefaultZoomIndex), 100);
    EXPECT_EQ(ZoomPercent(-3), 10);
    EXPECT_EQ(ZoomPercent(12), 400);
    EXPECT_DOUBLE_EQ(ZoomFactor(6), 2.0);
}
