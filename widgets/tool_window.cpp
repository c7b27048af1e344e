#include "widgets/tool_window.h"

#include "widgets/events.h"
#include "widgets/image_button.h"
#include "widgets/messages.h"
#include "widgets/skin.h"

namespace widgets {
namespace {

// Commands of the title bar's own buttons; negative so that they never meet a program command.
constexpr int kCmdCloseWindow = -2;
constexpr int kCmdMinimiseWindow = -3;

}  // namespace

ToolWindow::ToolWindow(const Rect& rect, const char* title)
    : Widget(rect), Container(rect), title_(title ? title : ""), font_(platform::NewFont("Arial", 14, true)),
      fullHeight_(rect.Height())
{
    const char* names[3] = {"barleft.img", "barmid.img", "barrite.img"};
    for (int i = 0; i < 3; ++i)
        bar_[i] = LoadSkin(names[i]);
    int32_t w = rect.Width();
    closeButton_ = new ImageButton({w - 19, 2, w - 3, 18}, "close.img", "closef.img", nullptr, nullptr, kCmdCloseWindow);
    minButton_ = new ImageButton({w - 37, 2, w - 21, 18}, "min.img", "minf.img", nullptr, nullptr, kCmdMinimiseWindow);
    AddChild(minButton_);
    AddChild(closeButton_);
}

ToolWindow::~ToolWindow()
{
    for (Bitmap* b : bar_)
        DeletePic(b);
    platform::DeleteFont(font_);
}

Rect ToolWindow::TitleBar()
{
    Rect a = AbsoluteRect();
    return {a.left, a.top, a.right, a.top + kTitleBarHeight};
}

int ToolWindow::Command(int code, int param)
{
    if (code == kCmdCloseWindow) {
        CloseRequested();
        return 1;
    }
    if (code == kCmdMinimiseWindow) {
        SetMinimised(!minimised_);
        return 1;
    }
    return Container::Command(code, param);
}

void ToolWindow::SetMinimised(bool minimised)
{
    if (minimised == minimised_)
        return;
    Invalidate();
    // the height to come back to is the one the window has when it folds (it may have been resized)
    if (minimised)
        fullHeight_ = rect_.Height();
    minimised_ = minimised;
    rect_.bottom = rect_.top + (minimised ? kTitleBarHeight : fullHeight_);
    for (Widget* child : children_)
        if (child != closeButton_ && child != minButton_)
            child->SetShown(!minimised);
    Invalidate();
}

void ToolWindow::Close()
{
    ReleaseCapture();
    SetShown(false);
    Closed();
    if (parent_)
        parent_->Notify(Id(), kEventClosed, 0);
}

void ToolWindow::CloseRequested() { Close(); }

void ToolWindow::SetTitle(const char* title)
{
    title_ = title ? title : "";
    Invalidate();
}

void ToolWindow::MoveTo(Point p)
{
    Invalidate();
    rect_ = rect_.Offset(p.x - rect_.left, p.y - rect_.top);
    Invalidate();
}

int ToolWindow::LButtonDown(void* window, uintptr_t wParam, intptr_t lParam)
{
    if (!Shown())
        return 0;
    Point p = PointFromParam(lParam);
    // the title bar's buttons come first, then the bar itself, then the body
    if (closeButton_->LButtonDown(window, wParam, lParam) || minButton_->LButtonDown(window, wParam, lParam))
        return 1;
    if (movable_ && TitleBar().Contains(p) && MayAct()) {
        if (!AcquireCapture())
            return 0;
        dragging_ = true;
        Rect a = AbsoluteRect();
        grab_ = {p.x - a.left, p.y - a.top};
        return 1;
    }
    return Container::LButtonDown(window, wParam, lParam);
}

int ToolWindow::MouseMove(void* window, uintptr_t wParam, intptr_t lParam)
{
    if (dragging_ && HoldsCapture()) {
        Point p = PointFromParam(lParam);
        Rect a = AbsoluteRect();
        MoveTo({rect_.left + (p.x - grab_.x - a.left), rect_.top + (p.y - grab_.y - a.top)});
        return 1;
    }
    return Container::MouseMove(window, wParam, lParam);
}

int ToolWindow::LButtonUp(void* window, uintptr_t wParam, intptr_t lParam)
{
    if (dragging_ && HoldsCapture()) {
        dragging_ = false;
        ReleaseCapture();
        return 1;
    }
    return Container::LButtonUp(window, wParam, lParam);
}

void ToolWindow::Draw(Bitmap* screen, const Rect& clip)
{
    if (!Shown())
        return;
    Rect a = AbsoluteRect();
    if (platform::Intersect(clip, a).Empty())
        return;
    Rect body{a.left, a.top + kTitleBarHeight, a.right, a.bottom};
    if (!minimised_) {
        FillBox(screen, clip, body, fill_);
        // a thin frame keeps light panels apart from a light wallpaper
        FillBox(screen, clip, {body.left, body.bottom - 1, body.right, body.bottom}, 0x5A6470);
        FillBox(screen, clip, {body.left, body.top, body.left + 1, body.bottom}, 0x5A6470);
        FillBox(screen, clip, {body.right - 1, body.top, body.right, body.bottom}, 0x5A6470);
    }
    Rect bar = TitleBar();
    int32_t leftWidth = bar_[0] ? bar_[0]->width : 0, rightWidth = bar_[2] ? bar_[2]->width : 0;
    if (bar_[1])
        TilePic(screen, clip, {bar.left + leftWidth, bar.top, bar.right - rightWidth, bar.bottom}, bar_[1]);
    else
        FillBox(screen, clip, bar, 0x34404E);
    DrawPic(screen, clip, bar.left, bar.top, bar_[0]);
    DrawPic(screen, clip, bar.right - rightWidth, bar.top, bar_[2]);
    if (font_)
        platform::PaintText(screen, platform::Intersect(clip, {bar.left, bar.top, bar.right - 40, bar.bottom}),
                           bar.left + 8, bar.top + 3, title_.c_str(), static_cast<int>(title_.size()), font_,
                           0xF4F6F8);
    DrawChildren(screen, clip);
}

}  // namespace widgets
