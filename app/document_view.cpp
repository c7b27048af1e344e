#include "app/document_view.h"

#include <algorithm>

namespace app {
namespace {

int32_t Zoomed(int32_t extent, int zoom)
{
    return std::max<int32_t>(1, static_cast<int32_t>(int64_t{extent} * ZoomPercent(zoom) / 100));
}

// One axis of the layout: the visible picture part and where it lands in the client area.
void LayoutAxis(int32_t clientStart, int32_t clientExtent, int32_t canvas, int zoom, int32_t* scroll,
                int32_t* srcStart, int32_t* srcExtent, int32_t* viewStart, int32_t* viewExtent)
{
    const int32_t room = std::max<int32_t>(1, clientExtent - 2 * kCanvasMargin);
    const int32_t zoomed = Zoomed(canvas, zoom);
    if (zoomed <= room) {
        *scroll = 0;
        *srcStart = 0;
        *srcExtent = canvas;
        *viewExtent = zoomed;
        *viewStart = clientStart + kCanvasMargin + (room - zoomed) / 2;
        return;
    }
    // Only part of the picture fits: as many whole picture pixels as the room holds.
    int32_t visible = static_cast<int32_t>(int64_t{room} * 100 / ZoomPercent(zoom));
    visible = std::clamp<int32_t>(visible, 1, canvas);
    *scroll = std::clamp<int32_t>(*scroll, 0, canvas - visible);
    *srcStart = *scroll;
    *srcExtent = visible;
    *viewExtent = std::min(room, Zoomed(visible, zoom));
    *viewStart = clientStart + kCanvasMargin;
}

}  // namespace

platform::Rect DocumentFrameRect(int32_t canvasWidth, int32_t canvasHeight, int zoom, const platform::Rect& workArea,
                                 int cascade, bool maximised)
{
    if (maximised)
        return workArea;
    const int32_t chromeW = 2 + 2 * kCanvasMargin, chromeH = kDocumentTitleHeight + 1 + 2 * kCanvasMargin;
    const int32_t w = std::min(workArea.Width(), Zoomed(canvasWidth, zoom) + chromeW);
    const int32_t h = std::min(workArea.Height(), Zoomed(canvasHeight, zoom) + chromeH);
    int32_t left = workArea.left + (workArea.Width() - w) / 2;
    int32_t top = workArea.top + (workArea.Height() - h) / 2;
    // Cascade from the centre; a step that would push the window off the work area starts over.
    const int32_t roomX = workArea.right - (left + w), roomY = workArea.bottom - (top + h);
    const int32_t steps = std::min(roomX, roomY) / kCascadeStep + 1;
    const int32_t n = cascade > 0 && steps > 0 ? cascade % steps : 0;
    left += n * kCascadeStep;
    top += n * kCascadeStep;
    return {left, top, left + w, top + h};
}

platform::Rect DocumentClientRect(const platform::Rect& frame)
{
    return {frame.left + 1, frame.top + kDocumentTitleHeight, frame.right - 1, frame.bottom - 1};
}

ViewMapping LayoutCanvas(const platform::Rect& client, int32_t canvasWidth, int32_t canvasHeight, DocumentView* view)
{
    ViewMapping m{};
    LayoutAxis(client.left, client.Width(), canvasWidth, view->zoom, &view->scrollX, &m.srcLeft, &m.srcWidth,
               &m.viewLeft, &m.viewWidth);
    LayoutAxis(client.top, client.Height(), canvasHeight, view->zoom, &view->scrollY, &m.srcTop, &m.srcHeight,
               &m.viewTop, &m.viewHeight);
    return m;
}

int StepZoom(int zoom, int delta)
{
    return std::clamp(zoom + (delta > 0 ? 1 : delta < 0 ? -1 : 0), 0, kZoomLevelCount - 1);
}

void CentreView(DocumentView* view, int32_t x, int32_t y, int32_t visibleWidth, int32_t visibleHeight,
                int32_t canvasWidth, int32_t canvasHeight)
{
    view->scrollX = std::clamp<int32_t>(x - visibleWidth / 2, 0, std::max(0, canvasWidth - visibleWidth));
    view->scrollY = std::clamp<int32_t>(y - visibleHeight / 2, 0, std::max(0, canvasHeight - visibleHeight));
}

void ZoomView(DocumentView* view, int newZoom, const platform::Rect& client, int32_t canvasWidth,
              int32_t canvasHeight)
{
    const ViewMapping before = LayoutCanvas(client, canvasWidth, canvasHeight, view);
    const int32_t cx = before.srcLeft + before.srcWidth / 2, cy = before.srcTop + before.srcHeight / 2;
    view->zoom = std::clamp(newZoom, 0, kZoomLevelCount - 1);
    const ViewMapping after = LayoutCanvas(client, canvasWidth, canvasHeight, view);
    CentreView(view, cx, cy, after.srcWidth, after.srcHeight, canvasWidth, canvasHeight);
}

platform::Rect ScreenAreaOf(const ViewMapping& mapping, const Rect& picture, int zoom)
{
    const Rect s = DocumentRectToScreen(mapping, picture);
    if (s.Empty())
        return {};
    const int32_t pad = (ZoomPercent(zoom) + 99) / 100 + 1;
    return platform::Intersect({s.left - pad, s.top - pad, s.right + pad, s.bottom + pad}, ViewRect(mapping));
}

}  // namespace app
