#include "widgets/slider.h"

#include <algorithm>
#include <cstdio>

#include "widgets/events.h"
#include "widgets/messages.h"
#include "widgets/skin.h"

namespace widgets {
namespace {

constexpr int32_t kArrow = 14;     // arrow button size along the slider
constexpr int32_t kLabelRow = 18;  // the label line above a horizontal slider
constexpr int32_t kThumb = 11;     // the thumb's size along the groove

}  // namespace

int SliderStep(int minimum, int maximum)
{
    int range = maximum - minimum;
    return range >= 11 ? range / 10 : 1;
}

Slider::Slider(const Rect& rect, bool vertical, const char* label, int minimum, int maximum, int value)
    : Widget(rect), vertical_(vertical), label_(label ? label : ""), minimum_(std::min(minimum, maximum)),
      maximum_(std::max(minimum, maximum)), value_(std::clamp(value, minimum_, maximum_))
{
    thumb_ = LoadSkin(vertical ? "vslider.img" : "hslider.img");
    const char* arrowNames[4] = {"leftu.img", "leftd.img", "rightu.img", "rightd.img"};
    for (int i = 0; i < 4; ++i)
        arrows_[i] = LoadSkin(arrowNames[i]);
    valueBox_ = LoadSkin("slider.img");
    font_ = platform::NewFont("Arial", 14, false);
}

Slider::~Slider()
{
    DeletePic(thumb_);
    for (Bitmap* b : arrows_)
        DeletePic(b);
    DeletePic(valueBox_);
    platform::DeleteFont(font_);
}

Rect Slider::LowerArrow()
{
    Rect a = AbsoluteRect();
    if (vertical_)
        return {a.left, a.bottom - kArrow, a.right, a.bottom};
    return {a.left, a.top + kLabelRow, a.left + kArrow, a.bottom};
}

Rect Slider::UpperArrow()
{
    Rect a = AbsoluteRect();
    if (vertical_)
        return {a.left, a.top, a.right, a.top + kArrow};
    return {a.right - kArrow, a.top + kLabelRow, a.right, a.bottom};
}

Rect Slider::Groove()
{
    Rect a = AbsoluteRect();
    if (vertical_)
        return {a.left, a.top + kArrow + 2, a.right, a.bottom - kArrow - 2};
    return {a.left + kArrow + 2, a.top + kLabelRow, a.right - kArrow - 2, a.bottom};
}

Rect Slider::Thumb()
{
    Rect g = Groove();
    int range = std::max(1, maximum_ - minimum_);
    if (vertical_) {
        // the maximum is at the top
        int32_t travel = std::max(0, g.Height() - kThumb);
        int32_t y = g.top + static_cast<int32_t>(int64_t(maximum_ - value_) * travel / range);
        return {g.left, y, g.right, y + kThumb};
    }
    int32_t travel = std::max(0, g.Width() - kThumb);
    int32_t x = g.left + static_cast<int32_t>(int64_t(value_ - minimum_) * travel / range);
    return {x, g.top, x + kThumb, g.bottom};
}

int Slider::ValueAt(Point p)
{
    Rect g = Groove();
    int range = maximum_ - minimum_;
    if (vertical_) {
        int32_t travel = std::max(1, g.Height() - kThumb);
        int32_t along = std::clamp(p.y - g.top - kThumb / 2, 0, travel);
        return maximum_ - static_cast<int>((int64_t(along) * range + travel / 2) / travel);
    }
    int32_t travel = std::max(1, g.Width() - kThumb);
    int32_t along = std::clamp(p.x - g.left - kThumb / 2, 0, travel);
    return minimum_ + static_cast<int>((int64_t(along) * range + travel / 2) / travel);
}

void Slider::SetValue(int value)
{
    value = std::clamp(value, minimum_, maximum_);
    if (value == value_)
        return;
    value_ = value;
    Invalidate();
    if (parent_)
        parent_->Notify(Id(), kEventChanged, value_);
}

int Slider::LButtonDown(void*, uintptr_t, intptr_t lParam)
{
    if (!Shown() || !Enabled() || !Under(lParam) || !MayAct())
        return 0;
    Point p = PointFromParam(lParam);
    if (LowerArrow().Contains(p))
        dragging_ = Part::Lower;
    else if (UpperArrow().Contains(p))
        dragging_ = Part::Upper;
    else if (Groove().Contains(p))
        dragging_ = Part::Thumb;
    else
        return 1;  // the label: taken, nothing to do
    if (!AcquireCapture()) {
        dragging_ = Part::None;
        return 0;
    }
    if (dragging_ == Part::Thumb)
        SetValue(ValueAt(p));
    else
        SetValue(value_ + (dragging_ == Part::Upper ? Step() : -Step()));
    Invalidate();
    return 1;
}

int Slider::MouseMove(void*, uintptr_t, intptr_t lParam)
{
    if (HoldsCapture()) {
        if (dragging_ == Part::Thumb)
            SetValue(ValueAt(PointFromParam(lParam)));
        return 1;
    }
    return Shown() && MayAct() && Under(lParam) ? 1 : 0;
}

int Slider::LButtonUp(void*, uintptr_t, intptr_t)
{
    if (!HoldsCapture())
        return 0;
    ReleaseCapture();
    dragging_ = Part::None;
    Invalidate();
    return 1;
}

void Slider::Draw(Bitmap* screen, const Rect& clip)
{
    if (!Shown())
        return;
    Rect a = AbsoluteRect();
    Rect inner = platform::Intersect(clip, a);
    if (inner.Empty())
        return;
    if (!vertical_ && font_) {
        char number[16];
        int n = std::snprintf(number, sizeof number, "%d", value_);
        platform::PaintText(screen, inner, a.left + 2, a.top + 1, label_.c_str(), static_cast<int>(label_.size()),
                           font_, 0x202428);
        int32_t boxLeft = a.right - (valueBox_ ? valueBox_->width : 34);
        DrawPic(screen, inner, boxLeft, a.top, valueBox_);
        int32_t boxWidth = valueBox_ ? valueBox_->width : 34;
        platform::PaintText(screen, inner, boxLeft + (boxWidth - platform::TextWidth(font_, number, n)) / 2,
                           a.top + 1, number, n, font_, 0x202428);
    }
    // The groove: three one-pixel lines, grey, black and white.
    Rect g = Groove();
    if (vertical_) {
        int32_t cx = (g.left + g.right) / 2 - 1;
        FillBox(screen, inner, {cx, g.top, cx + 1, g.bottom}, 0x808080);
        FillBox(screen, inner, {cx + 1, g.top, cx + 2, g.bottom}, 0x000000);
        FillBox(screen, inner, {cx + 2, g.top, cx + 3, g.bottom}, 0xFFFFFF);
    } else {
        int32_t cy = (g.top + g.bottom) / 2 - 1;
        FillBox(screen, inner, {g.left, cy, g.right, cy + 1}, 0x808080);
        FillBox(screen, inner, {g.left, cy + 1, g.right, cy + 2}, 0x000000);
        FillBox(screen, inner, {g.left, cy + 2, g.right, cy + 3}, 0xFFFFFF);
    }
    Rect lower = LowerArrow(), upper = UpperArrow();
    DrawPic(screen, inner, lower.left, lower.top + (lower.Height() - (arrows_[0] ? arrows_[0]->height : 0)) / 2,
            arrows_[dragging_ == Part::Lower ? 1 : 0]);
    DrawPic(screen, inner, upper.left, upper.top + (upper.Height() - (arrows_[2] ? arrows_[2]->height : 0)) / 2,
            arrows_[dragging_ == Part::Upper ? 3 : 2]);
    Rect t = Thumb();
    if (thumb_)
        DrawPic(screen, inner, t.left + (t.Width() - thumb_->width) / 2, t.top + (t.Height() - thumb_->height) / 2,
                thumb_);
}

}  // namespace widgets
