// Horizontal and vertical sliders: a label with the value, a step arrow at each end and a groove
// with a thumb between them.  Dragging the thumb or pressing in the groove sets the value from the
// pointer; the arrows move it by one step.
#pragma once
#include <string>

#include "platform/text.h"
#include "widgets/widget.h"

namespace widgets {

// (maximum − minimum) / 10 for a range of 11 or more, else 1.
int SliderStep(int minimum, int maximum);

class Slider : public virtual Widget {
public:
    Slider(const Rect& rect, bool vertical, const char* label, int minimum, int maximum, int value);
    ~Slider() override;

    int LButtonDown(void* window, uintptr_t wParam, intptr_t lParam) override;
    int LButtonUp(void* window, uintptr_t wParam, intptr_t lParam) override;
    int MouseMove(void* window, uintptr_t wParam, intptr_t lParam) override;
    void Draw(Bitmap* screen, const Rect& clip) override;

    int Value() const { return value_; }
    // Clamped to the range; the container hears of a change.
    void SetValue(int value);
    int Step() const { return SliderStep(minimum_, maximum_); }

    // Main-window parts of the control, for drawing and hit tests.
    Rect Groove();
    Rect LowerArrow();
    Rect UpperArrow();
    Rect Thumb();

private:
    int ValueAt(Point p);

    bool vertical_;
    std::string label_;
    int minimum_, maximum_, value_;
    enum class Part { None, Thumb, Lower, Upper } dragging_ = Part::None;
    Bitmap* thumb_ = nullptr;
    Bitmap* arrows_[4] = {};  // lower up, lower down, upper up, upper down
    Bitmap* valueBox_ = nullptr;
    platform::Font* font_ = nullptr;
};

}  // namespace widgets
