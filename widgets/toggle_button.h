// Check boxes and radio buttons: a skin picture for each state with a text beside it.  Clicking
// anywhere on the control (picture or text) toggles it when the button is released over it.
#pragma once
#include <string>

#include "platform/text.h"
#include "widgets/widget.h"

namespace widgets {

class ToggleButton : public virtual Widget {
public:
    ToggleButton(const Rect& rect, const char* offSkin, const char* onSkin, const char* label, bool checked);
    ~ToggleButton() override;

    int LButtonDown(void* window, uintptr_t wParam, intptr_t lParam) override;
    int LButtonUp(void* window, uintptr_t wParam, intptr_t lParam) override;
    int MouseMove(void* window, uintptr_t wParam, intptr_t lParam) override;
    void Draw(Bitmap* screen, const Rect& clip) override;

    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

protected:
    // What a completed click does.
    virtual void Clicked() = 0;

private:
    Bitmap* off_ = nullptr;
    Bitmap* on_ = nullptr;
    std::string label_;
    platform::Font* font_ = nullptr;
    bool checked_;
};

class CheckBox : public ToggleButton {
public:
    CheckBox(const Rect& rect, const char* label, bool checked);

protected:
    void Clicked() override;
};

// Radio buttons of one group inside one container exclude each other.
class RadioButton : public ToggleButton {
public:
    RadioButton(const Rect& rect, const char* label, int group, bool checked);
    int Group() const { return group_; }

protected:
    void Clicked() override;

private:
    int group_;
};

}  // namespace widgets
