// Process entry of the painting program: registers the window classes, shows the splash and runs
// the one message loop until the quit message.
#include "app/app.h"

namespace app {
HINSTANCE instance = nullptr;
HWND mainWindow = nullptr;
}  // namespace app

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR, int)
{
    srand(GetTickCount());
    if (!prev && (!app::RegisterSplashClass(inst) || !app::RegisterMainClass(inst)))
        return 0;
    app::instance = inst;
    if (!app::CreateSplashWindow())
        return 0;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
