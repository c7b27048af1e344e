// Mapping between document and screen coordinates in a document window, and its zoom levels.
//
// A document window shows the source rectangle of the document (left, top, width, height) in its view
// rectangle on the screen.  When the extents are equal the mapping is a plain shift; otherwise the
// document offset is scaled by view extent / source extent with integer division, and the inverse
// scales back the other way.
#pragma once
#include <cstdint>

#include "document/rect.h"

struct ViewMapping {
    int32_t srcLeft, srcTop, srcWidth, srcHeight;      // document
    int32_t viewLeft, viewTop, viewWidth, viewHeight;  // screen
};

void DocumentToScreen(const ViewMapping& m, int32_t x, int32_t y, int32_t* sx, int32_t* sy);
void ScreenToDocument(const ViewMapping& m, int32_t sx, int32_t sy, int32_t* x, int32_t* y);

// The screen rectangle to redraw for a changed document rectangle: both corners mapped, right and
// bottom moved out by one pixel so that rounding loses nothing, then limited to the view rectangle.
Rect DocumentRectToScreen(const ViewMapping& m, const Rect& r);

// Zoom levels of a document window: 10, 25, 50, 75, 100, 150, 200, 300 and 400 per cent.
constexpr int kZoomLevelCount = 9;
constexpr int kDefaultZoomIndex = 4;   // 100 %
// The percentage of a level; indices outside 0..8 are clamped.
int32_t ZoomPercent(int index);
// The factor the canvas is drawn with (percentage × 0.01).
double ZoomFactor(int index);
