// The splash: the start picture composed over the captured screen, shown for two seconds or until a
// key or click, then the main window takes over.
#include "app/app.h"

namespace app {
namespace {

constexpr UINT_PTR kSplashTimer = 1;
constexpr UINT kSplashMillis = 2000;
HBITMAP splashImage = nullptr;

// Captures the screen and draws the start picture centred over it.
HBITMAP ComposeSplash()
{
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP image = CreateCompatibleBitmap(screen, sw, sh);
    if (!image) {
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        return nullptr;
    }
    HGDIOBJ old = SelectObject(dc, image);
    BitBlt(dc, 0, 0, sw, sh, screen, 0, 0, SRCCOPY);
    std::string path = ProgramDir() + "startcb.sys";
    HBITMAP art = static_cast<HBITMAP>(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                  LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    if (art) {
        BITMAP bm;
        GetObjectA(art, sizeof bm, &bm);
        HDC artDc = CreateCompatibleDC(screen);
        HGDIOBJ oldArt = SelectObject(artDc, art);
        // Pure magenta in the start picture is see-through, so its rounded corners show the desktop.
        TransparentBlt(dc, (sw - bm.bmWidth) / 2, (sh - bm.bmHeight) / 2, bm.bmWidth, bm.bmHeight, artDc,
                       0, 0, bm.bmWidth, bm.bmHeight, RGB(255, 0, 255));
        SelectObject(artDc, oldArt);
        DeleteDC(artDc);
        DeleteObject(art);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return image;
}

void EndSplash(HWND wnd)
{
    KillTimer(wnd, kSplashTimer);
    if (!CreateMainWindow()) {
        DestroyWindow(wnd);
        PostQuitMessage(0);
        return;
    }
    DestroyWindow(wnd);
}

LRESULT CALLBACK SplashProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_CREATE: {
        SetCapture(wnd);
        HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
        splashImage = ComposeSplash();
        SetTimer(wnd, kSplashTimer, kSplashMillis, nullptr);
        ReleaseCapture();
        SetCursor(old);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        if (splashImage) {
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, splashImage);
            BitBlt(dc, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
        }
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_TIMER:
        if (wp != kSplashTimer)
            break;
        [[fallthrough]];
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        EndSplash(wnd);
        return 0;
    case WM_CLOSE:
        KillTimer(wnd, kSplashTimer);
        DestroyWindow(wnd);
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        if (splashImage)
            DeleteObject(splashImage);
        splashImage = nullptr;
        return 0;
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

}  // namespace

bool RegisterSplashClass(HINSTANCE inst)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = SplashProc;
    wc.hInstance = inst;
    wc.hIcon = LoadIconA(inst, "icon256");
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    wc.lpszClassName = kSplashClass;
    return RegisterClassA(&wc) != 0;
}

HWND CreateSplashWindow()
{
    HWND wnd = CreateWindowExA(0, kSplashClass, kTitle, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    if (!wnd)
        return nullptr;
    ShowWindow(wnd, SW_SHOWMAXIMIZED);
    UpdateWindow(wnd);
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return wnd;
}

}  // namespace app
