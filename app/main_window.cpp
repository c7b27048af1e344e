// The full-screen main window and the order in which its messages are offered: the program's
// message box while it is up, then the toolkit's modal dialog, pop-up and full-screen layers, and
// only then the window's own table.
#include "app/app.h"
#include "app/shell_seams.h"
#include "app/command_chain.h"
#include "app/document_desk.h"
#include "app/resource.h"
#include "app/workspace.h"
#include "widgets/layers.h"
#include "widgets/message_box.h"
#include "widgets/messages.h"

namespace app {
namespace {

platform::Rect FromRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

void Paint(HWND wnd)
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(wnd, &ps);
    RECT area = ps.rcPaint;
    if (IsRectEmpty(&area))
        GetClientRect(wnd, &area);
    platform::Rect r = FromRect(area);
    RedrawScreen(&r);
    CopyToWindow(dc, &r);
    EndPaint(wnd, &ps);
}

// The palette is realised whenever Windows asks; a change repaints everything.
LRESULT RealisePalette(HWND wnd)
{
    if (!ProgramPalette())
        return 0;
    HDC dc = GetDC(wnd);
    HPALETTE old = SelectPalette(dc, ProgramPalette(), FALSE);
    UINT changed = RealizePalette(dc);
    SelectPalette(dc, old, FALSE);
    ReleaseDC(wnd, dc);
    if (changed > 0)
        InvalidateRect(wnd, nullptr, FALSE);
    return static_cast<LRESULT>(changed);
}

// Mouse input that no layer took: the tool boxes first, then the document windows, then (once it
// exists) the canvas.
void MouseInput(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    widgets::Container* desk = Desk();
    if (!desk)
        return;
    int taken = 0;
    switch (msg) {
    case WM_MOUSEMOVE:
        taken = desk->MouseMove(wnd, wp, lp);
        widgets::HintTrack(desk->HintAt(widgets::PointFromParam(lp)), widgets::PointFromParam(lp));
        break;
    case WM_LBUTTONDOWN:
        taken = desk->LButtonDown(wnd, wp, lp);
        break;
    case WM_LBUTTONUP:
        taken = desk->LButtonUp(wnd, wp, lp);
        break;
    case WM_RBUTTONDOWN:
        taken = desk->RButtonDown(wnd, wp, lp);
        break;
    case WM_RBUTTONUP:
        taken = desk->RButtonUp(wnd, wp, lp);
        break;
    }
    if (!taken)
        taken = DocumentWindowsMouse(msg, wnd, wp, lp);
    if (ColourPicker())
        SetCursor(LoadCursor(nullptr, IDC_CROSS));
    else if (HandScroll())
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
    else if (!taken)
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
}

// The document windows' shortcuts, on the key's release: Ctrl+Z undoes and Ctrl+Shift+Z redoes,
// Ctrl with +, - and 0 zooms, Ctrl+N, O, S (with Shift: save as) and W make, open, save and close
// pictures.
bool DocumentShortcut(WPARAM key)
{
    if (!(GetKeyState(VK_CONTROL) & 0x8000))
        return false;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    int command = 0;
    switch (key) {
    case 'Z': command = shift ? kCmdRedo : kCmdUndo; break;
    case VK_ADD:
    case VK_OEM_PLUS: command = kCmdZoomIn; break;
    case VK_SUBTRACT:
    case VK_OEM_MINUS: command = kCmdZoomOut; break;
    case '0':
    case VK_NUMPAD0: command = kCmdZoomActual; break;
    case 'N': command = kCmdNewDocument; break;
    case 'O': command = kCmdOpen; break;
    case 'S': command = shift ? kCmdSaveAs : kCmdSave; break;
    case 'W': command = kCmdCloseDocument; break;
    default: return false;
    }
    return DispatchCommand(command, 0) != 0;
}

// A picture from the scanner or camera: a packed DIB in global memory, which is ours to free.
void AcquiredPicture(HGLOBAL memory)
{
    if (!memory)
        return;
    if (const void* dib = GlobalLock(memory)) {
        DocumentFromPackedDib(dib, GlobalSize(memory));
        GlobalUnlock(memory);
    }
    GlobalFree(memory);
}

LRESULT CALLBACK MainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_CREATE) {
        CreateWorkspace(wnd);
        return 0;
    }
    return MainWindowMessage(wnd, msg, wp, lp);
}

}  // namespace

void OnTimer(HWND, UINT_PTR id)
{
    switch (id) {
    case kTimerHint:
        widgets::HintTimer();
        break;
    case kTimerAnimation:
        if (Desk())
            Desk()->Tick(static_cast<int>(id));
        break;
    default:
        // sound 23, paint repeat 101, marching ants 1032 and the caret 10 belong to the painting
        // parts; a tick nobody owns any more stops its timer instead of firing for ever
        if (!g_shellSeams.paintTimer(static_cast<unsigned>(id)))
            KillTimer(mainWindow, id);
        break;
    }
}

LRESULT MainWindowMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_ACTIVATE) {
        if (LOWORD(wp) != WA_INACTIVE)
            InvalidateRect(wnd, nullptr, FALSE);
        return DefWindowProcA(wnd, msg, wp, lp);
    }
    if (msg == WM_MOUSEMOVE) {
        if (IsIconic(wnd) || tutorialPlaying)
            return 0;
        lastMouseMove = GetTickCount();
    }
    if (widgets::MessageBoxActive() && widgets::RouteMessageBox(wnd, msg, wp, lp))
        return 0;
    if (widgets::RouteDialog(wnd, msg, wp, lp) || widgets::RoutePopup(wnd, msg, wp, lp) ||
        widgets::RouteFullScreen(wnd, msg, wp, lp))
        return 0;

    switch (msg) {
    case WM_DESTROY:
        ReleaseWorkspace();
        PostQuitMessage(0);
        return 0;
    case WM_PAINT:
        Paint(wnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;  // the screen buffer covers everything
    case WM_CLOSE:
        DispatchCommand(kCommandQuit, 0);
        return 0;
    case WM_KEYUP:
        if (wp == VK_SPACE) {
            // the temporary hand ends with the key
            SetHandScroll(false);
            SetCursor(LoadCursor(nullptr, IDC_ARROW));
        } else if (!DocumentShortcut(wp) && Desk()) {
            Desk()->Key(static_cast<int>(wp));
        }
        return 0;
    case WM_KEYDOWN:
        // Space held: the hand moves the picture, unless a tutorial plays
        if (wp == VK_SPACE && !tutorialPlaying && !HandScroll()) {
            SetHandScroll(true);
            SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        }
        return 0;
    case WM_CHAR:
        return 0;
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        // Alt held: the eyedropper, unless a tutorial plays.  Alt is ours, so it never opens the
        // system menu; other system keys (Alt+F4) work as ever.
        if (wp != VK_MENU)
            break;
        if (!tutorialPlaying)
            SetColourPicker(msg == WM_SYSKEYDOWN);
        SetCursor(LoadCursor(nullptr, ColourPicker() ? IDC_CROSS : IDC_ARROW));
        return 0;
    case WM_COMMAND:
        DispatchCommand(LOWORD(wp), lp);
        return 0;
    case WM_TIMER:
        OnTimer(wnd, wp);
        return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        MouseInput(wnd, msg, wp, lp);
        return 0;
    case WM_QUERYNEWPALETTE:
        return RealisePalette(wnd);
    case WM_PALETTECHANGED:
        return reinterpret_cast<HWND>(wp) == wnd ? 0 : RealisePalette(wnd);
    case MM_MCINOTIFY:
        return 0;
    case kMsgDeferredStart:
        DeferredStart(wnd, lp != 0);
        return 0;
    case kMsgAcquiredPicture:
        AcquiredPicture(reinterpret_cast<HGLOBAL>(wp));
        return 0;
    case kMsgRestoreCursor:
        SetCursor(LoadCursor(nullptr, IDC_ARROW));
        return 0;
    case kMsgRefreshBoxes: {
        // the first parameter names a screen rectangle (a RECT, sent), or nothing for the whole screen
        const RECT* r = reinterpret_cast<const RECT*>(wp);
        platform::Rect area = r ? FromRect(*r) : platform::Rect{0, 0, 0x7FFF, 0x7FFF};
        RefreshScreen(&area);
        return 0;
    }
    }
    return DefWindowProcA(wnd, msg, wp, lp);
}

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
    HWND wnd = CreateWindowExA(0, kMainClass, Text(IDS_TITLE), WS_POPUP | WS_BORDER | WS_SYSMENU, 0, 0,
                               GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                               instance, nullptr);
    if (!wnd)
        return nullptr;
    ShowWindow(wnd, SW_SHOWMAXIMIZED);
    UpdateWindow(wnd);
    return wnd;
}

}  // namespace app
