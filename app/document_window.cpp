#include "app/document_window.h"

#include <algorithm>

#include "app/document_desk.h"
#include "raster/block_ops.h"
#include "raster/stretch.h"
#include "widgets/image_button.h"
#include "widgets/messages.h"
#include "widgets/skin.h"

namespace app {
namespace {

// The maximise button's command; negative like the title bar's other buttons.
constexpr int kCmdMaximiseWindow = -4;

// A bitmap header over the part of the screen buffer inside clip: drawing into it cannot reach past
// the clip, whatever block a scaled copy is asked for.
Bitmap ClipView(Bitmap* screen, const platform::Rect& clip)
{
    Bitmap view = *screen;
    view.width = clip.Width();
    view.height = clip.Height();
    view.bits = screen->bits + static_cast<size_t>(screen->height - clip.bottom) * static_cast<size_t>(screen->stride) +
                static_cast<size_t>(clip.left) * static_cast<size_t>(screen->bitsPerPixel / 8);
    view.native = nullptr;
    return view;
}

}  // namespace

void DrawCanvas(Bitmap* screen, const platform::Rect& clip, const Bitmap* composite, const ViewMapping& m, int zoom)
{
    if (!screen || !composite)
        return;
    const platform::Rect view = ViewRect(m);
    const platform::Rect frame{view.left - 1, view.top - 1, view.right + 1, view.bottom + 1};
    const platform::Rect screenRect{0, 0, screen->width, screen->height};
    const platform::Rect area = platform::Intersect(platform::Intersect(clip, view), screenRect);
    if (!area.Empty()) {
        if (ZoomPercent(zoom) == 100) {
            BlockCopy(screen, area.left, area.top, area.Width(), area.Height(), composite,
                      m.srcLeft + (area.left - view.left), m.srcTop + (area.top - view.top), 255);
        } else {
            Bitmap part = ClipView(screen, area);
            BlockStretchSet(&part, view.left - area.left, view.top - area.top, view.Width(), view.Height(), composite,
                            m.srcLeft, m.srcTop, ZoomFactor(zoom));
        }
    }
    const platform::Rect edges[4] = {{frame.left, frame.top, frame.right, frame.top + 1},
                                     {frame.left, frame.bottom - 1, frame.right, frame.bottom},
                                     {frame.left, frame.top, frame.left + 1, frame.bottom},
                                     {frame.right - 1, frame.top, frame.right, frame.bottom}};
    for (const platform::Rect& e : edges)
        widgets::FillBox(screen, clip, e, 0x000000);
}

DocWindow::DocWindow(Document* doc, const platform::Rect& frame)
    : Widget(frame), ToolWindow(frame, doc ? doc->fileName : ""), doc_(doc), restored_(frame)
{
    fill_ = kDocumentBackdrop;
    const int32_t w = frame.Width();
    maxButton_ = new widgets::ImageButton({w - 55, 2, w - 39, 18}, "max.img", "maxf.img", nullptr, nullptr,
                                          kCmdMaximiseWindow, "Maximise");
    AddChild(maxButton_);
}

ViewMapping DocWindow::Mapping()
{
    if (!doc_)
        return {};
    return LayoutCanvas(DocumentClientRect(AbsoluteRect()), doc_->width, doc_->height, &view_);
}

void DocWindow::SetMaximised(bool maximised, const platform::Rect& frame)
{
    if (maximised && !maximised_)
        restored_ = rect_;
    maximised_ = maximised;
    Reframe(maximised ? frame : restored_);
    SetMovable(!maximised);
}

void DocWindow::Reframe(const platform::Rect& frame)
{
    // a folded window takes its new frame unfolded
    if (Minimised())
        SetMinimised(false);
    Invalidate();
    const int32_t shift = frame.Width() - rect_.Width();
    rect_ = frame;
    for (Widget* child : children_) {
        platform::Rect r = child->GetRect();
        child->SetRect(r.Offset(shift, 0));
    }
    Invalidate();
}

void DocWindow::FitFrame(const platform::Rect& workArea)
{
    if (maximised_ || !doc_)
        return;
    const platform::Rect wanted = DocumentFrameRect(doc_->width, doc_->height, view_.zoom, workArea, 0, false);
    // Along a side where the window filled the work area it had no place of its own: it comes back
    // centred there.  Elsewhere it keeps its corner, as far as the work area allows.
    const int32_t left = rect_.Width() >= workArea.Width()
                             ? wanted.left
                             : std::clamp(rect_.left, workArea.left, workArea.right - wanted.Width());
    const int32_t top = rect_.Height() >= workArea.Height()
                            ? wanted.top
                            : std::clamp(rect_.top, workArea.top, workArea.bottom - wanted.Height());
    Reframe({left, top, left + wanted.Width(), top + wanted.Height()});
    // the scroll position is kept inside the picture for the new size
    Mapping();
}

void DocWindow::SetZoom(int zoom)
{
    if (!doc_)
        return;
    ZoomView(&view_, zoom, DocumentClientRect(AbsoluteRect()), doc_->width, doc_->height);
    Invalidate();
}

void DocWindow::ScrollTo(int32_t x, int32_t y)
{
    view_.scrollX = x;
    view_.scrollY = y;
    Mapping();   // keeps the scroll position inside the picture
    Invalidate();
}

void DocWindow::UpdateTitle() { SetTitle(doc_ ? doc_->fileName : ""); }

int DocWindow::Command(int code, int param)
{
    if (code == kCmdMaximiseWindow) {
        SetDocumentsMaximised(!maximised_);
        return 1;
    }
    return ToolWindow::Command(code, param);
}

void DocWindow::CloseRequested() { RequestCloseDocument(doc_); }

int DocWindow::LButtonDown(void* window, uintptr_t wParam, intptr_t lParam)
{
    if (!Shown() || !HitTest(widgets::PointFromParam(lParam)))
        return 0;
    // A press anywhere on a window makes its document the current one first.
    ActivateDocument(doc_);
    if (maxButton_->LButtonDown(window, wParam, lParam))
        return 1;
    if (TitleBar().Contains(widgets::PointFromParam(lParam)))
        return ToolWindow::LButtonDown(window, wParam, lParam);
    // The body belongs to the canvas input.
    return 0;
}

int DocWindow::LButtonUp(void* window, uintptr_t wParam, intptr_t lParam)
{
    // The end of a title-bar drag or of a button press; a release over the canvas is the canvas's.
    if (HoldsCapture())
        return ToolWindow::LButtonUp(window, wParam, lParam);
    return Offer(&Widget::LButtonUp, false, window, wParam, lParam);
}

void DocWindow::Draw(Bitmap* screen, const platform::Rect& clip)
{
    if (!Shown())
        return;
    ToolWindow::Draw(screen, clip);
    if (!Minimised() && doc_)
        DrawCanvas(screen, platform::Intersect(clip, DocumentClientRect(AbsoluteRect())), doc_->composite, Mapping(),
                   view_.zoom);
}

}  // namespace app
