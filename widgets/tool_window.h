// A tool window: a container under a skinned title bar with its title, a minimise and a close
// button.  Dragging the title bar moves the window; minimising folds it to the bar; closing hides it
// and tells the owner through Closed (slot 27), which is where tool boxes store their place.
#pragma once
#include <string>

#include "platform/text.h"
#include "widgets/container.h"

namespace widgets {

constexpr int32_t kTitleBarHeight = 20;

class ToolWindow : public Container {
public:
    ToolWindow(const Rect& rect, const char* title);
    ~ToolWindow() override;

    int Command(int code, int param) override;
    int LButtonDown(void* window, uintptr_t wParam, intptr_t lParam) override;
    int LButtonUp(void* window, uintptr_t wParam, intptr_t lParam) override;
    int MouseMove(void* window, uintptr_t wParam, intptr_t lParam) override;
    void Draw(Bitmap* screen, const Rect& clip) override;

    bool Minimised() const { return minimised_; }
    void SetMinimised(bool minimised);
    void Close();
    // The close button was pressed.  A plain tool window closes; a window whose content may need
    // saving first asks its owner instead.
    virtual void CloseRequested();
    // Moves the window so that its top-left is at p (parent coordinates).
    void MoveTo(Point p);
    void SetTitle(const char* title);
    const std::string& Title() const { return title_; }
    // A window that fills its area (a maximised document) is not dragged by its title bar.
    void SetMovable(bool movable) { movable_ = movable; }

protected:
    Rect TitleBar();

private:

    std::string title_;
    platform::Font* font_ = nullptr;
    Bitmap* bar_[3] = {};
    Widget* closeButton_ = nullptr;
    Widget* minButton_ = nullptr;
    bool minimised_ = false;
    int32_t fullHeight_;
    bool dragging_ = false;
    bool movable_ = true;
    Point grab_;
};

}  // namespace widgets
