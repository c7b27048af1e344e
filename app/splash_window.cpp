// The splash: the start picture composed over the captured screen, shown for two seconds or until a
// key or click, then the main window takes over.
#include "app/app.h"
#include "app/resource.h"
#include "app/settings.h"
#include "raster/block_ops.h"
#include "raster/bmp_file.h"
#include "widgets/skin.h"

namespace app {
namespace {

constexpr UINT kSplashMillis = 2000;
Bitmap* desktopShot = nullptr;  // the screen as it was
Bitmap* composed = nullptr;     // the start picture over it

// Copies what the screen shows into a bitmap of the screen's size.
bool CaptureScreen(Bitmap* into)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, static_cast<HBITMAP>(into->native));
    BOOL ok = BitBlt(dc, 0, 0, into->width, into->height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return ok != 0;
}

void BuildSplash()
{
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    std::string name = std::string(Text(IDS_SPLASH_NAME)) + ".sys";
    Bitmap* art = PT_GetBITMAPFile(JoinPath(ProgramDir(), name.c_str()).c_str());
    desktopShot = NewRGBPic(sw, sh);
    composed = NewRGBPic(sw, sh);
    if (desktopShot && composed) {
        if (!CaptureScreen(desktopShot))
            BlockSet(desktopShot, 0, 0, sw, sh, 0x000000);
        BlockBlockCopy(composed, 0, 0, sw, sh, desktopShot, 0, 0);
        // Pure magenta in the start picture is see-through, so its rounded corners show the desktop.
        if (art)
            widgets::DrawPic(composed, {0, 0, sw, sh}, (sw - art->width) / 2, (sh - art->height) / 2, art);
    }
    DeletePic(art);
}

void ReleaseSplash()
{
    DeletePic(desktopShot);
    DeletePic(composed);
    desktopShot = composed = nullptr;
}

void EndSplash(HWND wnd)
{
    KillTimer(wnd, kTimerSplash);
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
        BuildSplash();
        SetTimer(wnd, kTimerSplash, kSplashMillis, nullptr);
        ReleaseCapture();
        SetCursor(old);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        if (composed) {
            HPALETTE oldPalette = ProgramPalette() ? SelectPalette(dc, ProgramPalette(), FALSE) : nullptr;
            if (oldPalette)
                RealizePalette(dc);
            HDC mem = CreateCompatibleDC(dc);
            HGDIOBJ old = SelectObject(mem, static_cast<HBITMAP>(composed->native));
            BitBlt(dc, 0, 0, composed->width, composed->height, mem, 0, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
            if (oldPalette)
                SelectPalette(dc, oldPalette, FALSE);
        }
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_TIMER:
        if (wp != kTimerSplash)
            break;
        [[fallthrough]];
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
        EndSplash(wnd);
        return 0;
    case WM_CLOSE:
        KillTimer(wnd, kTimerSplash);
        DestroyWindow(wnd);
        PostQuitMessage(0);
        return 0;
    case WM_DESTROY:
        ReleaseSplash();
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
    // Created over the whole screen and then maximised, so it covers the screen whatever the
    // window manager makes of a maximised pop-up.
    HWND wnd = CreateWindowExA(0, kSplashClass, Text(IDS_TITLE), WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                               GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
    if (!wnd)
        return nullptr;
    ShowWindow(wnd, SW_SHOWMAXIMIZED);
    UpdateWindow(wnd);
    SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    return wnd;
}

}  // namespace app
