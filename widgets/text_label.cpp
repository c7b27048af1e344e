#include "widgets/text_label.h"

#include <vector>

namespace widgets {

TextLabel::TextLabel(const Rect& rect, const char* text, Colour colour, int height, bool centred)
    : Widget(rect), colour_(colour), centred_(centred), font_(platform::NewFont("Arial", height, false))
{
    SetText(text);
}

TextLabel::~TextLabel() { platform::DeleteFont(font_); }

void TextLabel::SetText(const char* text)
{
    text_ = text ? text : "";
    length_ = static_cast<int>(text_.size());
    Invalidate();
}

std::vector<std::string> WrapText(platform::Font* font, const std::string& text, int32_t width)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        std::string paragraph = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string line;
        size_t i = 0;
        while (i < paragraph.size()) {
            size_t blank = paragraph.find(' ', i);
            std::string word = paragraph.substr(i, blank == std::string::npos ? std::string::npos : blank - i);
            std::string tryLine = line.empty() ? word : line + " " + word;
            if (!line.empty() && platform::TextWidth(font, tryLine.c_str(), static_cast<int>(tryLine.size())) > width) {
                lines.push_back(line);
                line = word;
            } else {
                line = tryLine;
            }
            i = blank == std::string::npos ? paragraph.size() : blank + 1;
        }
        lines.push_back(line);
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

void TextLabel::Draw(Bitmap* screen, const Rect& clip)
{
    if (!Shown() || !font_)
        return;
    Rect area = AbsoluteRect();
    Rect inner = platform::Intersect(clip, area);
    if (inner.Empty())
        return;
    int32_t lineHeight = platform::TextHeight(font_) + 3;
    int32_t y = area.top;
    for (const std::string& line : WrapText(font_, text_, area.Width())) {
        int n = static_cast<int>(line.size());
        int32_t x = centred_ ? area.left + (area.Width() - platform::TextWidth(font_, line.c_str(), n)) / 2 : area.left;
        platform::PaintText(screen, inner, x, y, line.c_str(), n, font_, colour_);
        y += lineHeight;
    }
}

}  // namespace widgets
