// What the self-drawn interface needs from the window it lives in: repaint requests, the standard
// cursor, timers, the nested message loop of modal boxes, and the screen size.  The main window
// installs the real host; native tests install the headless one and feed it messages.
#pragma once
#include <cstdint>

#include "platform/geometry.h"

namespace platform {

class WindowHost {
public:
    virtual ~WindowHost() = default;
    // The window repaints this screen rectangle from the screen buffer soon.
    virtual void Repaint(const Rect& screen) = 0;
    virtual void RestoreStandardCursor() = 0;
    virtual void StartTimer(unsigned id, unsigned millis) = 0;
    virtual void StopTimer(unsigned id) = 0;
    // Waits for one message and dispatches it; false when the program is quitting (the quit
    // message stays queued for the outer loop).
    virtual bool PumpMessage() = 0;
    virtual Point CursorPosition() = 0;
    virtual int32_t ScreenWidth() = 0;
    virtual int32_t ScreenHeight() = 0;
};

WindowHost* Host();
// Returns the host that was installed before.
WindowHost* SetHost(WindowHost* host);

}  // namespace platform
