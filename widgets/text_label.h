// A line of text, or several lines wrapped to the label's width.
#pragma once
#include <string>
#include <vector>

#include "platform/text.h"
#include "widgets/widget.h"

namespace widgets {

class TextLabel : public virtual Widget {
public:
    TextLabel(const Rect& rect, const char* text, Colour colour = 0x202020, int height = 18, bool centred = false);
    ~TextLabel() override;
    void Draw(Bitmap* screen, const Rect& clip) override;
    void SetText(const char* text);
    const std::string& Text() const { return text_; }
    int Length() const { return length_; }

private:
    std::string text_;
    int length_ = 0;
    Colour colour_;
    bool centred_;
    platform::Font* font_;
};

// Breaks text into lines no wider than width (at blanks where possible, and at every line break).
std::vector<std::string> WrapText(platform::Font* font, const std::string& text, int32_t width);

}  // namespace widgets
