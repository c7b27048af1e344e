#include "widgets/container.h"

#include "widgets/events.h"
#include "widgets/skin.h"
#include "widgets/toggle_button.h"

namespace widgets {

Container::Container(const Rect& rect, const char* background, Colour fill) : Widget(rect), fill_(fill)
{
    if (background)
        background_ = LoadSkin(background);
}

Container::~Container()
{
    DestroyChildren();
    DeletePic(background_);
}

void Container::DestroyChildren()
{
    for (Widget* child : children_)
        delete child;
    children_.clear();
}

void Container::SetChildren(Widget** children, int count)
{
    DestroyChildren();
    for (int i = 0; i < count; ++i)
        AddChild(children[i]);
    Invalidate();
}

void Container::AddChild(Widget* child)
{
    if (!child)
        return;
    child->SetParent(this);
    children_.push_back(child);
}

int Container::Notify(int id, int event, int value)
{
    if (event == kEventRadio)
        for (Widget* child : children_)
            if (auto* radio = dynamic_cast<RadioButton*>(child); radio && radio->Group() == value && radio->Id() != id)
                radio->SetChecked(false);
    return parent_ ? parent_->Notify(id, event, value) : 0;
}

int Container::Command(int code, int param) { return parent_ ? parent_->Command(code, param) : 0; }

int Container::Key(int character)
{
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if ((*it)->Shown() && (*it)->Key(character))
            return 1;
    return 0;
}

// Mouse input goes to the children from the topmost down: the capture holder answers wherever the
// pointer is, the others only when it is over them and nobody else holds the mouse.  A press or
// release on the container's own body is taken, a move is not (the main window sets its cursor).
int Container::Offer(MouseSlot slot, bool takeOwnBody, void* window, uintptr_t wParam, intptr_t lParam)
{
    if (!Shown())
        return 0;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if ((*it)->Shown() && ((*it)->*slot)(window, wParam, lParam))
            return 1;
    return takeOwnBody && Under(lParam) && MayAct() ? 1 : 0;
}

int Container::LButtonDown(void* w, uintptr_t wp, intptr_t lp) { return Offer(&Widget::LButtonDown, true, w, wp, lp); }
int Container::LButtonUp(void* w, uintptr_t wp, intptr_t lp) { return Offer(&Widget::LButtonUp, true, w, wp, lp); }
int Container::LButtonDblClk(void* w, uintptr_t wp, intptr_t lp) { return Offer(&Widget::LButtonDblClk, true, w, wp, lp); }
int Container::RButtonDown(void* w, uintptr_t wp, intptr_t lp) { return Offer(&Widget::RButtonDown, true, w, wp, lp); }
int Container::RButtonUp(void* w, uintptr_t wp, intptr_t lp) { return Offer(&Widget::RButtonUp, true, w, wp, lp); }
int Container::MouseMove(void* w, uintptr_t wp, intptr_t lp) { return Offer(&Widget::MouseMove, false, w, wp, lp); }

void Container::Draw(Bitmap* screen, const Rect& clip)
{
    if (!Shown())
        return;
    Rect area = AbsoluteRect();
    if (platform::Intersect(clip, area).Empty())
        return;
    if (background_)
        DrawPic(screen, clip, area.left, area.top, background_);
    else
        FillBox(screen, clip, area, fill_);
    DrawChildren(screen, clip);
}

void Container::DrawChildren(Bitmap* screen, const Rect& clip)
{
    for (Widget* child : children_)
        if (child->Shown())
            child->Draw(screen, clip);
}

const char* Container::HintAt(Point p)
{
    if (!Shown())
        return nullptr;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if ((*it)->Shown())
            if (const char* hint = (*it)->HintAt(p))
                return hint;
    return nullptr;
}

}  // namespace widgets
