// A control made of controls: dialogs, tool boxes and panels.  It owns its children, draws its
// background then the children in order, and offers mouse input to the children from the topmost
// down; a press on its own body is taken so that it never falls through to what lies beneath.
#pragma once
#include <vector>

#include "widgets/widget.h"

namespace widgets {

class Container : public virtual Widget {
public:
    // background: a skin name under res\tools\, or null for a plain panel of colour fill.
    Container(const Rect& rect, const char* background = nullptr, Colour fill = 0xE8ECF1);
    ~Container() override;

    void SetChildren(Widget** children, int count) override;
    void AddChild(Widget* child);
    const std::vector<Widget*>& Children() const { return children_; }

    int Notify(int id, int event, int value) override;
    int Command(int code, int param) override;
    int Key(int character) override;
    int LButtonDown(void* window, uintptr_t wParam, intptr_t lParam) override;
    int LButtonUp(void* window, uintptr_t wParam, intptr_t lParam) override;
    int LButtonDblClk(void* window, uintptr_t wParam, intptr_t lParam) override;
    int RButtonDown(void* window, uintptr_t wParam, intptr_t lParam) override;
    int RButtonUp(void* window, uintptr_t wParam, intptr_t lParam) override;
    int MouseMove(void* window, uintptr_t wParam, intptr_t lParam) override;
    void Draw(Bitmap* screen, const Rect& clip) override;
    const char* HintAt(Point p) override;

protected:
    using MouseSlot = int (Widget::*)(void*, uintptr_t, intptr_t);
    int Offer(MouseSlot slot, bool takeOwnBody, void* window, uintptr_t wParam, intptr_t lParam);
    void DrawChildren(Bitmap* screen, const Rect& clip);
    void DestroyChildren();

    std::vector<Widget*> children_;
    Bitmap* background_ = nullptr;
    Colour fill_;
};

}  // namespace widgets
