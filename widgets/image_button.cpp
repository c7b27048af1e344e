#include "widgets/image_button.h"

#include "widgets/messages.h"
#include "widgets/skin.h"

namespace widgets {

ImageButton::ImageButton(const Rect& rect, const char* up, const char* down, const char* disabled,
                         const char* caption, int command, const char* hint)
    : Widget(rect), caption_(caption ? caption : ""), hint_(hint ? hint : ""), command_(command)
{
    const char* names[3] = {up, down, disabled};
    for (int i = 0; i < 3; ++i)
        states_[i] = names[i] ? LoadSkin(names[i]) : nullptr;
    if (!caption_.empty())
        font_ = platform::NewFont("Arial", 15, true);
}

ImageButton::~ImageButton()
{
    for (Bitmap* b : states_)
        DeletePic(b);
    platform::DeleteFont(font_);
}

int ImageButton::LButtonDown(void*, uintptr_t, intptr_t lParam)
{
    if (!Shown() || !Enabled() || !Under(lParam) || !MayAct() || !AcquireCapture())
        return 0;
    pressed_ = true;
    Invalidate();
    return 1;
}

int ImageButton::MouseMove(void*, uintptr_t, intptr_t lParam)
{
    if (HoldsCapture()) {
        bool inside = Under(lParam);
        if (inside != pressed_) {
            pressed_ = inside;
            Invalidate();
        }
        return 1;
    }
    return Shown() && MayAct() && Under(lParam) ? 1 : 0;
}

int ImageButton::LButtonUp(void*, uintptr_t, intptr_t lParam)
{
    if (!HoldsCapture())
        return 0;
    ReleaseCapture();
    bool fire = Under(lParam);
    pressed_ = false;
    Invalidate();
    if (fire)
        FireCommand(command_);
    return 1;
}

void ImageButton::Draw(Bitmap* screen, const Rect& clip)
{
    if (!Shown())
        return;
    Rect area = AbsoluteRect();
    int state = !Enabled() ? 2 : pressed_ ? 1 : 0;
    // a missing disabled or pressed picture falls back to the up picture
    const Bitmap* pic = states_[state] ? states_[state] : states_[0];
    DrawPic(screen, clip, area.left, area.top, pic);
    if (font_) {
        int n = static_cast<int>(caption_.size());
        int32_t x = area.left + (area.Width() - platform::TextWidth(font_, caption_.c_str(), n)) / 2;
        int32_t y = area.top + (area.Height() - platform::TextHeight(font_)) / 2 - 1 + (pressed_ ? 1 : 0);
        Colour colour = Enabled() ? 0xFFFFFF : 0xB0B0B0;
        platform::PaintText(screen, platform::Intersect(clip, area), x + (pressed_ ? 1 : 0), y, caption_.c_str(), n,
                           font_, colour);
    }
}

const char* ImageButton::HintAt(Point p)
{
    return Shown() && !hint_.empty() && AbsoluteRect().Contains(p) ? hint_.c_str() : nullptr;
}

}  // namespace widgets
