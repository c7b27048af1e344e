#include "widgets/layers.h"

#include <algorithm>
#include <string>

#include "platform/text.h"
#include "platform/window_host.h"
#include "widgets/message_box.h"
#include "widgets/messages.h"
#include "widgets/skin.h"

namespace widgets {
namespace {

Widget* dialog = nullptr;
Widget* popup = nullptr;
bool fullScreenOn = false;
FullScreenMode fullScreen{};

bool hintsOn = true;
std::string hintPending, hintShown;
Point hintAt;
Rect hintRect;

void RestoreCursor()
{
    if (platform::Host())
        platform::Host()->RestoreStandardCursor();
}

void Repaint(const Rect& r)
{
    if (!r.Empty() && platform::Host())
        platform::Host()->Repaint(r);
}

platform::Font* HintFont()
{
    static platform::Font* font = platform::NewFont("Arial", 14, false);
    return font;
}

}  // namespace

void OpenDialog(Widget* d)
{
    dialog = d;
    if (d) {
        d->Opened();
        d->Invalidate();
    }
}

void CloseDialog()
{
    if (!dialog)
        return;
    Widget* d = dialog;
    dialog = nullptr;
    d->Invalidate();
    d->Closed();
    ResetCapture();
}

Widget* CurrentDialog() { return dialog; }

int RouteDialog(void* window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (!dialog)
        return 0;
    Widget* d = dialog;
    switch (message) {
    case kMsgMouseMove:
        if (!d->MouseMove(window, wParam, lParam))
            RestoreCursor();
        return 1;
    case kMsgLButtonDown:
        if (!d->LButtonDown(window, wParam, lParam))
            RestoreCursor();
        return 1;
    case kMsgLButtonUp:
        if (!d->LButtonUp(window, wParam, lParam))
            d->Command(0, 0);
        return 1;
    case kMsgLButtonDblClk:
        d->LButtonDblClk(window, wParam, lParam);
        return 1;
    case kMsgRButtonDown:
        d->RButtonDown(window, wParam, lParam);
        return 1;
    case kMsgRButtonUp:
        d->RButtonUp(window, wParam, lParam);
        return 1;
    case kMsgChar:
        if (wParam == kKeyEnter) {
            d->Command(kCmdConfirm, 0);
            return 1;
        }
        if (wParam == kKeyEscape) {
            d->Command(kCmdCancel, 0);
            return 1;
        }
        return 0;
    }
    // the rest of the mouse (middle button, wheel) must not reach what lies under the dialog either
    return IsMouseMessage(message) ? 1 : 0;
}

void OpenPopup(Widget* p)
{
    ClosePopup();
    popup = p;
    if (p) {
        p->Opened();
        p->Invalidate();
    }
}

void ClosePopup()
{
    if (!popup)
        return;
    Widget* p = popup;
    popup = nullptr;
    p->Invalidate();
    p->Closed();
    p->ReleaseCapture();
    delete p;
}

Widget* CurrentPopup() { return popup; }

int RoutePopup(void* window, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (!popup)
        return 0;
    switch (message) {
    case kMsgMouseMove:
        popup->MouseMove(window, wParam, lParam);
        return 1;
    case kMsgLButtonUp:
        popup->LButtonUp(window, wParam, lParam);
        return 1;
    case kMsgLButtonDown:
        if (!popup->LButtonDown(window, wParam, lParam))
            ClosePopup();
        return 1;
    case kMsgRButtonDown:
        ClosePopup();
        return 1;
    case kMsgRButtonUp:
        return 1;
    }
    return 0;
}

void EnterFullScreen(const FullScreenMode& mode)
{
    fullScreen = mode;
    fullScreenOn = true;
    if (fullScreen.paint)
        fullScreen.paint();
}

void LeaveFullScreen()
{
    if (!fullScreenOn)
        return;
    fullScreenOn = false;
    if (fullScreen.left)
        fullScreen.left();
}

bool FullScreenOn() { return fullScreenOn; }

int RouteFullScreen(void*, unsigned message, uintptr_t wParam, intptr_t lParam)
{
    if (!fullScreenOn)
        return 0;
    switch (message) {
    case kMsgPaint:
        if (fullScreen.paint)
            fullScreen.paint();
        return 1;
    case kMsgKeyDown:
        if (wParam == kKeyEscape)
            LeaveFullScreen();
        return 1;
    case kMsgCommand:
        if (fullScreen.dispatch)
            fullScreen.dispatch(static_cast<int>(wParam & 0xFFFF), lParam);
        return 1;
    case kMsgTimer:
        if (wParam == kHintTimer) {
            HintTimer();
            return 1;
        }
        return 0;
    }
    return IsMouseMessage(message) || message == kMsgKeyUp || message == kMsgChar ? 1 : 0;
}

void SetHintsOn(bool on)
{
    hintsOn = on;
    if (!on)
        HideHint();
}

void HideHint()
{
    if (platform::Host())
        platform::Host()->StopTimer(kHintTimer);
    hintPending.clear();
    if (!hintShown.empty()) {
        hintShown.clear();
        Repaint(hintRect);
    }
}

void HintTrack(const char* text, Point p)
{
    std::string now = hintsOn && text ? text : "";
    if (now == hintPending && (now.empty() || !hintShown.empty()))
        return;
    HideHint();
    if (now.empty())
        return;
    hintPending = now;
    hintAt = p;
    if (platform::Host())
        platform::Host()->StartTimer(kHintTimer, kHintMillis);
}

void HintTimer()
{
    if (platform::Host())
        platform::Host()->StopTimer(kHintTimer);
    if (hintPending.empty() || !hintShown.empty())
        return;
    hintShown = hintPending;
    int32_t w = platform::TextWidth(HintFont(), hintShown.c_str(), static_cast<int>(hintShown.size())) + 12;
    int32_t h = platform::TextHeight(HintFont()) + 8;
    int32_t x = hintAt.x + 4, y = hintAt.y + 22;
    if (platform::Host()) {
        // keep the hint on the screen
        x = std::min(x, platform::Host()->ScreenWidth() - w);
        if (y + h > platform::Host()->ScreenHeight())
            y = hintAt.y - h - 4;
    }
    hintRect = {x, y, x + w, y + h};
    Repaint(hintRect);
}

const char* HintShown() { return hintShown.empty() ? nullptr : hintShown.c_str(); }

void DrawLayers(Bitmap* screen, const Rect& clip)
{
    if (popup && popup->Shown())
        popup->Draw(screen, clip);
    if (dialog && dialog->Shown())
        dialog->Draw(screen, clip);
    DrawMessageBox(screen, clip);
    if (!hintShown.empty() && !platform::Intersect(clip, hintRect).Empty()) {
        FillBox(screen, clip, hintRect, 0x3A3F46);
        FillBox(screen, clip, {hintRect.left + 1, hintRect.top + 1, hintRect.right - 1, hintRect.bottom - 1}, 0xFFF8DC);
        platform::PaintText(screen, platform::Intersect(clip, hintRect), hintRect.left + 6, hintRect.top + 4,
                           hintShown.c_str(), static_cast<int>(hintShown.size()), HintFont(), 0x202020);
    }
}

}  // namespace widgets
