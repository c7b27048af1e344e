#include "document/view_mapping.h"

#include <algorithm>

namespace {

constexpr int32_t kZoomPercents[kZoomLevelCount] = {10, 25, 50, 75, 100, 150, 200, 300, 400};

// One axis: from an origin and extent to another origin and extent.
int32_t MapAxis(int32_t v, int32_t fromOrigin, int32_t fromExtent, int32_t toOrigin, int32_t toExtent)
{
    if (fromExtent == toExtent || fromExtent == 0)
        return v - fromOrigin + toOrigin;
    return static_cast<int32_t>((int64_t{v} - fromOrigin) * toExtent / fromExtent + toOrigin);
}

}  // namespace

void DocumentToScreen(const ViewMapping& m, int32_t x, int32_t y, int32_t* sx, int32_t* sy)
{
    *sx = MapAxis(x, m.srcLeft, m.srcWidth, m.viewLeft, m.viewWidth);
    *sy = MapAxis(y, m.srcTop, m.srcHeight, m.viewTop, m.viewHeight);
}

void ScreenToDocument(const ViewMapping& m, int32_t sx, int32_t sy, int32_t* x, int32_t* y)
{
    *x = MapAxis(sx, m.viewLeft, m.viewWidth, m.srcLeft, m.srcWidth);
    *y = MapAxis(sy, m.viewTop, m.viewHeight, m.srcTop, m.srcHeight);
}

Rect DocumentRectToScreen(const ViewMapping& m, const Rect& r)
{
    Rect s;
    DocumentToScreen(m, r.left, r.top, &s.left, &s.top);
    DocumentToScreen(m, r.right, r.bottom, &s.right, &s.bottom);
    s.right += 1;
    s.bottom += 1;
    return Intersect(s, MakeRect(m.viewLeft, m.viewTop, m.viewWidth, m.viewHeight));
}

int32_t ZoomPercent(int index) { return kZoomPercents[std::clamp(index, 0, kZoomLevelCount - 1)]; }

double ZoomFactor(int index) { return ZoomPercent(index) * 0.01; }
