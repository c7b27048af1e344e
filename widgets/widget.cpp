#include "widgets/widget.h"

#include "platform/window_host.h"
#include "widgets/messages.h"

namespace widgets {
namespace {

bool captureHeld = false;
const void* captureHolder = nullptr;
Rect invalidateClip{0, 0, 0x7FFF, 0x7FFF};
CommandSink commandSink = nullptr;

}  // namespace

bool CaptureHeld() { return captureHeld; }
const void* CaptureHolder() { return captureHolder; }
bool CaptureHeldBy(const void* identity) { return captureHeld && captureHolder == identity; }
void SetCommandSink(CommandSink sink) { commandSink = sink; }

void ResetCapture()
{
    captureHeld = false;
    captureHolder = nullptr;
}

void SetInvalidateClip(const Rect& clip) { invalidateClip = clip; }

Widget::Widget(const Rect& rect) : rect_(rect), identity_(this) {}

Widget::~Widget()
{
    // A control that dies while holding the mouse must not leave every other control deaf.
    if (captureHeld && captureHolder == identity_)
        ResetCapture();
}

bool Widget::HitTest(Point p) { return rect_.Contains(p); }

bool Widget::AcquireCapture()
{
    if (captureHeld)
        return captureHolder == identity_;
    captureHeld = true;
    captureHolder = identity_;
    return true;
}

bool Widget::MayAct() { return !captureHeld || captureHolder == identity_; }

void Widget::ReleaseCapture()
{
    if (captureHeld && captureHolder == identity_)
        ResetCapture();
}

void Widget::Invalidate()
{
    Rect r = platform::Intersect(AbsoluteRect(), invalidateClip);
    if (!r.Empty() && platform::Host())
        platform::Host()->Repaint(r);
}

void Widget::RectToLocal(Rect* r)
{
    Rect a = AbsoluteRect(), s = GetRect();
    *r = r->Offset(s.left - a.left, s.top - a.top);
}

void Widget::PointToLocal(Point* p)
{
    Rect a = AbsoluteRect(), s = GetRect();
    p->x += s.left - a.left;
    p->y += s.top - a.top;
}

Rect Widget::AbsoluteRect()
{
    Rect r = GetRect();
    if (parent_) {
        Rect p = parent_->AbsoluteRect();
        r = r.Offset(p.left, p.top);
    }
    return r;
}

Rect Widget::GetRect() { return rect_; }

void Widget::SetRectVirtual(const Rect& r) { rect_ = r; }

void Widget::SetRect(const Rect& r) { rect_ = r; }

int Widget::Notify(int, int, int) { return 0; }

void Widget::Tick(int) {}

int Widget::Command(int, int) { return 0; }

int Widget::Key(int) { return 0; }

int Widget::RButtonDown(void*, uintptr_t, intptr_t) { return 0; }

int Widget::LButtonDown(void*, uintptr_t, intptr_t) { return 0; }

int Widget::LButtonUp(void*, uintptr_t, intptr_t) { return 0; }

int Widget::LButtonDblClk(void*, uintptr_t, intptr_t) { return 0; }

int Widget::RButtonUp(void*, uintptr_t, intptr_t) { return 0; }

int Widget::MouseMove(void*, uintptr_t, intptr_t) { return 0; }

void Widget::SetChildren(Widget**, int) {}

const char* Widget::HintAt(Point) { return nullptr; }

void Widget::Opened() {}

void Widget::Closed() {}

void Widget::SetShown(bool shown)
{
    if ((shown_ != 0) == shown)
        return;
    if (!shown)
        Invalidate();
    shown_ = shown ? 1 : 0;
    if (shown)
        Invalidate();
}

void Widget::SetEnabled(bool enabled)
{
    if ((enabled_ != 0) == enabled)
        return;
    enabled_ = enabled ? 1 : 0;
    Invalidate();
}

bool Widget::Under(intptr_t lParam) { return AbsoluteRect().Contains(PointFromParam(lParam)); }

}  // namespace widgets

namespace widgets {

void Widget::FireCommand(int code)
{
    if (parent_ && parent_->Command(code, Id()))
        return;
    if (commandSink)
        commandSink(code);
}

}  // namespace widgets
