// A button drawn from up to three skin images: up, pressed and disabled.  A press takes the capture;
// the command fires when the button is released over itself.
#pragma once
#include <string>

#include "platform/text.h"
#include "widgets/widget.h"

namespace widgets {

class ImageButton : public virtual Widget {
public:
    // Skin names under res\tools\ (null for a state without a picture); the caption is drawn centred.
    ImageButton(const Rect& rect, const char* up, const char* down, const char* disabled, const char* caption,
                int command, const char* hint = nullptr);
    ~ImageButton() override;

    int LButtonDown(void* window, uintptr_t wParam, intptr_t lParam) override;
    int LButtonUp(void* window, uintptr_t wParam, intptr_t lParam) override;
    int MouseMove(void* window, uintptr_t wParam, intptr_t lParam) override;
    void Draw(Bitmap* screen, const Rect& clip) override;
    const char* HintAt(Point p) override;

    bool Pressed() const { return pressed_; }
    int CommandCode() const { return command_; }

private:
    Bitmap* states_[3] = {};
    std::string caption_, hint_;
    int command_;
    bool pressed_ = false;
    platform::Font* font_ = nullptr;
};

}  // namespace widgets
