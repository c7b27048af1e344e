// The real window host: the program's main window.
#pragma once
#include <windows.h>

#include "platform/window_host.h"

namespace platform {

class Win32Host : public WindowHost {
public:
    explicit Win32Host(HWND window) : window_(window) {}
    void Repaint(const Rect& screen) override;
    void RestoreStandardCursor() override;
    void StartTimer(unsigned id, unsigned millis) override;
    void StopTimer(unsigned id) override;
    bool PumpMessage() override;
    Point CursorPosition() override;
    int32_t ScreenWidth() override;
    int32_t ScreenHeight() override;

private:
    HWND window_;
};

}  // namespace platform
