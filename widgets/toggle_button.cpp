#include "widgets/toggle_button.h"

#include "widgets/events.h"
#include "widgets/skin.h"

namespace widgets {

ToggleButton::ToggleButton(const Rect& rect, const char* offSkin, const char* onSkin, const char* label, bool checked)
    : Widget(rect), off_(LoadSkin(offSkin)), on_(LoadSkin(onSkin)), label_(label ? label : ""),
      font_(platform::NewFont("Arial", 15, false)), checked_(checked)
{
}

ToggleButton::~ToggleButton()
{
    DeletePic(off_);
    DeletePic(on_);
    platform::DeleteFont(font_);
}

void ToggleButton::SetChecked(bool checked)
{
    if (checked_ == checked)
        return;
    checked_ = checked;
    Invalidate();
}

int ToggleButton::LButtonDown(void*, uintptr_t, intptr_t lParam)
{
    if (!Shown() || !Enabled() || !Under(lParam) || !MayAct() || !AcquireCapture())
        return 0;
    return 1;
}

int ToggleButton::MouseMove(void*, uintptr_t, intptr_t lParam)
{
    return HoldsCapture() || (Shown() && MayAct() && Under(lParam)) ? 1 : 0;
}

int ToggleButton::LButtonUp(void*, uintptr_t, intptr_t lParam)
{
    if (!HoldsCapture())
        return 0;
    ReleaseCapture();
    if (Under(lParam))
        Clicked();
    return 1;
}

void ToggleButton::Draw(Bitmap* screen, const Rect& clip)
{
    if (!Shown())
        return;
    Rect area = AbsoluteRect();
    const Bitmap* pic = checked_ ? on_ : off_;
    int32_t picWidth = pic ? pic->width : 14, picHeight = pic ? pic->height : 14;
    DrawPic(screen, clip, area.left, area.top + (area.Height() - picHeight) / 2, pic);
    if (font_ && !label_.empty())
        platform::PaintText(screen, platform::Intersect(clip, area), area.left + picWidth + 6,
                           area.top + (area.Height() - platform::TextHeight(font_)) / 2 - 1, label_.c_str(),
                           static_cast<int>(label_.size()), font_, Enabled() ? 0x202428 : 0x909090);
}

CheckBox::CheckBox(const Rect& rect, const char* label, bool checked)
    : Widget(rect), ToggleButton(rect, "chkbox.img", "chkboxd.img", label, checked)
{
}

void CheckBox::Clicked()
{
    SetChecked(!Checked());
    if (parent_)
        parent_->Notify(Id(), kEventChanged, Checked() ? 1 : 0);
}

RadioButton::RadioButton(const Rect& rect, const char* label, int group, bool checked)
    : Widget(rect), ToggleButton(rect, "radio.img", "radioc.img", label, checked), group_(group)
{
}

void RadioButton::Clicked()
{
    if (Checked())
        return;
    SetChecked(true);
    if (parent_) {
        parent_->Notify(Id(), kEventRadio, group_);
        parent_->Notify(Id(), kEventChanged, 1);
    }
}

}  // namespace widgets
