// Where a document window lies on the screen and which part of its picture it shows.
//
// A document window is a title bar over a client area; the canvas sits in the client area, framed by
// a one-pixel black line, centred while it fits and otherwise filling the client area with a
// scrolled part of the picture.  The picture is shown at one of the nine zoom levels of
// view_mapping.h.  Everything here is arithmetic on rectangles so the window, the refresh path and
// the canvas input all agree on one mapping.
#pragma once
#include <cstdint>

#include "document/view_mapping.h"
#include "platform/geometry.h"

namespace app {

// Space between the client area's edge and the canvas frame, and the step between the windows of
// successive documents.
constexpr int32_t kCanvasMargin = 8;
constexpr int32_t kCascadeStep = 24;
// Title bar height of a document window (that of every tool window).
constexpr int32_t kDocumentTitleHeight = 20;

struct DocumentView {
    int zoom = kDefaultZoomIndex;
    int32_t scrollX = 0;   // picture point shown at the top-left of the view when it is scrolled
    int32_t scrollY = 0;
};

// The window of a canvas: maximised, the whole work area; otherwise large enough for the zoomed
// canvas with its margin, never larger than the work area, centred in it and moved down and right by
// one cascade step per window already open (starting over when that would leave the work area).
platform::Rect DocumentFrameRect(int32_t canvasWidth, int32_t canvasHeight, int zoom, const platform::Rect& workArea,
                                 int cascade, bool maximised);
// The client area of a window: inside a one-pixel border, below the title bar.
platform::Rect DocumentClientRect(const platform::Rect& frame);

// The mapping of a canvas shown in a client area at the view's zoom.  The scroll position is kept
// inside the picture (and reset when the whole picture fits), so the view never shows past an edge.
ViewMapping LayoutCanvas(const platform::Rect& client, int32_t canvasWidth, int32_t canvasHeight, DocumentView* view);

// One zoom step in (delta > 0) or out (delta < 0), stopping at the ends.
int StepZoom(int zoom, int delta);
// Scrolls so that picture point (x, y) is in the middle of a visible part of the given size, kept
// inside the picture.
void CentreView(DocumentView* view, int32_t x, int32_t y, int32_t visibleWidth, int32_t visibleHeight,
                int32_t canvasWidth, int32_t canvasHeight);
// Changes the zoom keeping the picture point at the middle of the view where it is.
void ZoomView(DocumentView* view, int newZoom, const platform::Rect& client, int32_t canvasWidth,
              int32_t canvasHeight);

// The screen rectangle to redraw for a changed picture rectangle: mapped, widened by the pixels a
// zoomed picture pixel covers (so rounding never leaves a stale edge) and kept inside the view.
platform::Rect ScreenAreaOf(const ViewMapping& mapping, const Rect& picture, int zoom);

inline platform::Rect ViewRect(const ViewMapping& m)
{
    return {m.viewLeft, m.viewTop, m.viewLeft + m.viewWidth, m.viewTop + m.viewHeight};
}

}  // namespace app
