// The full-screen main window.  Everything the user sees is drawn into it by the program itself.
#include "app/app.h"

namespace app {
namespace {

HBITMAP wallpaper = nullptr;

void PaintDesktop(HDC dc, const RECT& area)
{
    if (!wallpaper) {
        std::string path = ProgramDir() + "pattern\\backg.pcy";
        wallpaper = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                    LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    }
    HBRUSH brush = wallpaper ? CreatePatternBrush(wallpaper) : CreateSolidBrush(RGB(64, 72, 88));
    FillRect(dc, &area, brush);
    DeleteObject(brush);
}

LRESULT CALLBACK MainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE:
        mainWindow = wnd;
        return 0;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        RECT area = ps.rcPaint;
        if (IsRectEmpty(&area))
            GetClientRect(wnd, &area);
        PaintDesktop(dc, area);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_CLOSE:
        DestroyWindow(wnd);
        return 0;
    case WM_DESTROY:
        if (wallpaper)
            DeleteObject(wallpaper);
        wallpaper = nullptr;
        mainWindow = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace

bool RegisterMainClass(HINSTANCE inst)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = inst;
    wc.hIcon = LoadIconA(inst, "icon256");
    wc.hCursor = nullptr;  // the program sets its cursors itself
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kMainClass;
    return RegisterClassA(&wc) != 0;
}

HWND CreateMainWindow()
{
    HWND wnd = CreateWindowExA(0, kMainClass, kTitle, WS_POPUP | WS_BORDER | WS_SYSMENU, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                               instance, nullptr);
    if (!wnd)
        return nullptr;
    ShowWindow(wnd, SW_SHOWMAXIMIZED);
    UpdateWindow(wnd);
    return wnd;
}

}  // namespace app
