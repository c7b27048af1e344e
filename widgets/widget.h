// The base of every self-drawn control.
//
// The program's interface (tool boxes, panels, dialogs, message boxes) is a tree of these controls
// drawn into the screen buffer, not system child windows.  The virtual operations keep a fixed order
// because every control class overrides a different subset of them; concrete classes derive
// virtually from Widget, and whoever keeps a control keeps a pointer to its Widget part.
//
// Ownership: a container owns the children handed to it (SetChildren) and destroys them with
// itself; the owner of a top-level control (a panel, a dialog, the message box) destroys it.
#pragma once
#include <cstdint>

#include "platform/geometry.h"
#include "raster/bitmap.h"

namespace widgets {

using platform::Point;
using platform::Rect;

bool CaptureHeldBy(const void* identity);

class Widget {
public:
    explicit Widget(const Rect& rect);
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    virtual bool HitTest(Point p);                // 1: p relative to the parent
    virtual bool AcquireCapture();                // 2
    virtual bool MayAct();                        // 3
    virtual void ReleaseCapture();                // 4
    virtual void Invalidate();                    // 5
    virtual void RectToLocal(Rect* r);            // 6
    virtual void PointToLocal(Point* p);          // 7
    virtual Rect AbsoluteRect();                  // 8: in main-window coordinates
    virtual Rect GetRect();                       // 9
    virtual void SetRectVirtual(const Rect& r);   // 10
    virtual ~Widget();                            // 11
    virtual void SetRect(const Rect& r);          // 12
    // 13: a child reports a change: (child's id, what happened, new value).
    virtual int Notify(int id, int event, int value);
    // 14: a tick of timer id (hints and animations).
    virtual void Tick(int id);
    // 15: dialogs receive kCmdConfirm and kCmdCancel here.
    virtual int Command(int code, int param);
    virtual int Key(int character);               // 16
    virtual int RButtonDown(void* window, uintptr_t wParam, intptr_t lParam);     // 17
    virtual int LButtonDown(void* window, uintptr_t wParam, intptr_t lParam);     // 18
    virtual int LButtonUp(void* window, uintptr_t wParam, intptr_t lParam);       // 19
    virtual int LButtonDblClk(void* window, uintptr_t wParam, intptr_t lParam);   // 20
    virtual int RButtonUp(void* window, uintptr_t wParam, intptr_t lParam);       // 21
    virtual int MouseMove(void* window, uintptr_t wParam, intptr_t lParam);       // 22
    // 23: draws the part of the control inside clip (main-window coordinates) into the screen buffer.
    virtual void Draw(Bitmap* screen, const Rect& clip) = 0;
    virtual void SetChildren(Widget** children, int count);  // 24
    // 25: the hint text for a main-window point over this control, or null.
    virtual const char* HintAt(Point p);
    virtual void Opened();                        // 26
    virtual void Closed();                        // 27

    Widget* Parent() const { return parent_; }
    void SetParent(Widget* parent) { parent_ = parent; }
    bool Shown() const { return shown_ != 0; }
    // Shows or hides the control and repaints where it is.
    void SetShown(bool shown);
    bool Enabled() const { return enabled_ != 0; }
    void SetEnabled(bool enabled);
    const void* Identity() const { return identity_; }
    int Id() const { return static_cast<int>(extra_[0]); }
    void SetId(int id) { extra_[0] = id; }

protected:
    // True when the main-window point lies on this control.
    bool Under(intptr_t lParam);
    bool HoldsCapture() const { return CaptureHeldBy(identity_); }
    // Hands a command to the parent; without a parent, or when the parent does not take it, to the
    // program's command sink.
    void FireCommand(int code);

    Rect rect_;
    int32_t reserved0_ = 0;
    int32_t shown_ = 1;
    int32_t enabled_ = 1;
    int32_t border_ = 2;
    int32_t reserved1_ = 0;
    int32_t opacity_ = 255;
    const void* identity_;
    intptr_t extra_[2] = {0, 0};  // the control's id for its container, and a spare word
    Widget* parent_ = nullptr;
};

// The capture rule: one control at a time may own the mouse, so a drag that began in one control is
// never taken over by another.  Reset when the owner of a modal layer closes.
bool CaptureHeld();
const void* CaptureHolder();
void ResetCapture();

// Where commands of controls without a taker go: the main window's command dispatcher.
using CommandSink = void (*)(int code);
void SetCommandSink(CommandSink sink);

// Repaints of controls are clipped to this main-window rectangle (the screen by default).
void SetInvalidateClip(const Rect& clip);

}  // namespace widgets
