// The screen buffer and its copy to the main window.
//
// Everything the user sees is drawn into one screen-sized bitmap: the wallpaper, the document
// windows, the tool boxes and the toolkit's layers (pop-ups, dialogs, the message box, hints).  The
// window is only ever painted by copying from it.  The tutorial player draws from its own thread,
// so every copy holds the named mutex "refresh_screen_event", waiting at most 3000 ms; a copy that
// cannot have it is skipped rather than freezing the interface.
#include "app/app.h"
#include "app/desktop.h"
#include "app/document_desk.h"
#include "app/workspace.h"
#include "raster/block_ops.h"
#include "widgets/layers.h"
#include "widgets/skin.h"

namespace app {
namespace {

constexpr DWORD kScreenLockMillis = 3000;
Bitmap* screen = nullptr;
Bitmap* scratch = nullptr;  // the screen with the program's own cursor drawn in
HANDLE screenLock = nullptr;
Desktop desktop;

platform::Rect WholeScreen() { return screen ? platform::Rect{0, 0, screen->width, screen->height} : platform::Rect{}; }

}  // namespace

bool CreateScreen(int width, int height)
{
    FreeScreen();
    screen = NewRGBPic(width, height);
    scratch = NewRGBPic(width, height);
    if (!screenLock)
        screenLock = CreateMutexA(nullptr, FALSE, "refresh_screen_event");
    if (!screen || !scratch) {
        FreeScreen();
        return false;
    }
    return true;
}

void FreeScreen()
{
    DeletePic(screen);
    DeletePic(scratch);
    screen = scratch = nullptr;
    FreeDesktop(&desktop);
}

void LoadWallpaper()
{
    char path[kMaxPath];
    LoadWallpaperPath(path, sizeof path);
    LoadDesktopPicture(&desktop, path, DefaultWallpaperPath().c_str(), foregroundColour);
    SetDesktopLayout(&desktop, options.paperMethod, WholeScreen());
}

void RedrawScreen(const platform::Rect* area)
{
    if (!screen)
        return;
    platform::Rect r = area ? platform::Intersect(*area, WholeScreen()) : WholeScreen();
    if (r.Empty())
        return;
    DrawDesktop(desktop, screen, r);
    DrawDocumentWindows(screen, r);
    DrawToolBoxes(screen, r);
    widgets::DrawLayers(screen, r);
}

bool CopyToWindow(HDC dc, const platform::Rect* area)
{
    if (!screen || !dc)
        return false;
    platform::Rect r = area ? platform::Intersect(*area, WholeScreen()) : WholeScreen();
    if (r.Empty())
        return true;
    DWORD wait = screenLock ? WaitForSingleObject(screenLock, kScreenLockMillis) : WAIT_OBJECT_0;
    if (wait != WAIT_OBJECT_0 && wait != WAIT_ABANDONED)
        return false;
    const Bitmap* source = screen;
    const OwnCursor& cursor = CurrentOwnCursor();
    if (options.cursor3d && cursor.image && scratch) {
        // the cursor goes into a copy, so the screen buffer never holds it
        BlockBlockCopy(scratch, r.left, r.top, r.Width(), r.Height(), screen, r.left, r.top);
        widgets::DrawPic(scratch, r, cursor.position.x - cursor.hotSpot.x, cursor.position.y - cursor.hotSpot.y,
                         cursor.image);
        source = scratch;
    }
    HPALETTE oldPalette = ProgramPalette() ? SelectPalette(dc, ProgramPalette(), FALSE) : nullptr;
    if (oldPalette)
        RealizePalette(dc);
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, static_cast<HBITMAP>(source->native));
    BitBlt(dc, r.left, r.top, r.Width(), r.Height(), mem, r.left, r.top, SRCCOPY);
    SelectObject(mem, old);
    DeleteDC(mem);
    if (oldPalette)
        SelectPalette(dc, oldPalette, FALSE);
    if (screenLock)
        ReleaseMutex(screenLock);
    return true;
}

void RefreshScreen(const platform::Rect* area)
{
    RedrawScreen(area);
    if (!mainWindow)
        return;
    HDC dc = GetDC(mainWindow);
    CopyToWindow(dc, area);
    ReleaseDC(mainWindow, dc);
}

}  // namespace app
