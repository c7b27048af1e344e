// The layers that see the main window's messages before the window itself: the modal dialog layer,
// the pop-up layer and the full-screen layer (the message box has its own, in message_box.h), and
// the hint shown under the mouse.  Each Route function returns 1 when it consumed the message.
#pragma once
#include <cstdint>

#include "widgets/widget.h"

namespace widgets {

// Modal dialog: while one is open every mouse message goes to it.  The opener keeps ownership.
void OpenDialog(Widget* dialog);
void CloseDialog();
Widget* CurrentDialog();
int RouteDialog(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

// Pop-up (a menu or a drop-down panel): the layer owns it and destroys it when it closes, which a
// press outside it or a right press does.
void OpenPopup(Widget* popup);
void ClosePopup();
Widget* CurrentPopup();
int RoutePopup(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

// Full-screen mode: the program shows the picture alone; the owner paints, commands still reach
// the dispatcher, Escape leaves.
struct FullScreenMode {
    void (*paint)();
    void (*dispatch)(int command, intptr_t parameter);
    void (*left)();  // called once the mode is off
};
void EnterFullScreen(const FullScreenMode& mode);
void LeaveFullScreen();
bool FullScreenOn();
int RouteFullScreen(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

// Hints: after the mouse rests for 800 ms over a control with a hint, the hint shows beside it.
void SetHintsOn(bool on);
// Called on every mouse move with the hint under the pointer (null for none).
void HintTrack(const char* text, Point p);
// The hint timer's tick.
void HintTimer();
const char* HintShown();
void HideHint();

// Draws the layers over the rest of the interface, in stacking order.
void DrawLayers(Bitmap* screen, const Rect& clip);

}  // namespace widgets
