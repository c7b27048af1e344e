#include "platform/win32/win32_host.h"

namespace platform {

void Win32Host::Repaint(const Rect& screen)
{
    RECT r{screen.left, screen.top, screen.right, screen.bottom};
    InvalidateRect(window_, &r, FALSE);
}

void Win32Host::RestoreStandardCursor() { SetCursor(LoadCursor(nullptr, IDC_ARROW)); }

void Win32Host::StartTimer(unsigned id, unsigned millis) { SetTimer(window_, id, millis, nullptr); }

void Win32Host::StopTimer(unsigned id) { KillTimer(window_, id); }

bool Win32Host::PumpMessage()
{
    MSG msg;
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
        // The outer loop must see the quit too.
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

Point Win32Host::CursorPosition()
{
    POINT p{};
    GetCursorPos(&p);
    ScreenToClient(window_, &p);
    return {p.x, p.y};
}

int32_t Win32Host::ScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }

int32_t Win32Host::ScreenHeight() { return GetSystemMetrics(SM_CYSCREEN); }

}  // namespace platform
