// uninstaller.exe: one picture window asking whether to remove the product, with "Yes" and
// "Cancel".  "Yes" (or Enter) removes it, "Cancel" (or Escape) leaves everything as it was; the
// window closes either way.
#include <windows.h>

#include <string>

#include "uninstaller/program_dir.h"
#include "uninstaller/resource.h"
#include "uninstaller/uninstall.h"

namespace {

const char kClassName[] = "upfwos";
const char kTitle[] = "Uninstall Brisalo";

HBITMAP g_picture;
int g_width, g_height;

// Tells the user why nothing was removed.
void Refuse(HWND window, const char* format, const std::string& path)
{
    std::string text(format);
    const size_t at = text.find("%s");
    if (at != std::string::npos)
        text.replace(at, 2, path);
    MessageBoxA(window, text.c_str(), kTitle, MB_OK | MB_ICONSTOP);
}

void OnYes(HWND window)
{
    // Read the whole path, however long, so that an over-long one is refused rather than cut.
    char module[32768];
    DWORD n = GetModuleFileNameA(nullptr, module, sizeof module);
    if (n == 0 || n >= sizeof module)
        return;
    const std::string exePath(module, n);
    std::string programDir;
    switch (uninst::ProgramDirFromModulePath(exePath, programDir)) {
    case uninst::DirResult::Ok:
        break;
    case uninst::DirResult::TooLong:
        Refuse(window,
               "Brisalo 6 was not removed: the uninstaller's path is longer than 79 characters, "
               "too long for it to find its folder reliably.\n\n%s\n\n"
               "Move the program folder to a shorter path and run the uninstaller from there.",
               exePath);
        return;
    case uninst::DirResult::NoFolder:
    case uninst::DirResult::DriveRoot:
        Refuse(window,
               "Brisalo 6 was not removed: the uninstaller must be run from the program folder, "
               "not from the root of a drive.\n\n%s",
               exePath);
        return;
    }
    uninst::Uninstall(programDir, exePath);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, g_picture);
        BitBlt(dc, 0, 0, g_width, g_height, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_CHAR:
        if (wParam == VK_RETURN)
            SendMessageA(window, WM_COMMAND, IDC_YES, 0);
        else if (wParam == VK_ESCAPE)
            SendMessageA(window, WM_COMMAND, IDC_CANCEL, 0);
        return 0;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_YES:
            OnYes(window);
            DestroyWindow(window);
            return 0;
        case IDC_CANCEL:
            DestroyWindow(window);
            return 0;
        }
        break;
    case WM_DESTROY:
        DeleteObject(g_picture);
        g_picture = nullptr;
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeButton(HWND parent, const char* text, int id, DWORD style, int x, int y)
{
    return CreateWindowA("BUTTON", text, WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | style, x, y, 60, 23,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_UNINSTALLER));
    wc.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_UNINSTALLER_SMALL));
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExA(&wc))
        return 1;

    g_picture = LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_QUESTION));
    BITMAP info{};
    if (!g_picture || !GetObjectA(g_picture, sizeof info, &info))
        return 1;
    g_width = info.bmWidth;
    g_height = info.bmHeight;

    // The window is sized so that its client area is exactly the picture.  (The menu-button height
    // used as the caption's is shorter than the caption on today's systems and cut off the
    // picture's bottom rows.)
    const DWORD style = WS_POPUP | WS_CAPTION;
    RECT outer{0, 0, g_width, g_height};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    const int outerWidth = outer.right - outer.left;
    const int outerHeight = outer.bottom - outer.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2;
    HWND window = CreateWindowA(kClassName, kTitle, style, x, y, outerWidth, outerHeight, nullptr,
                                nullptr, instance, nullptr);
    if (!window) {
        DeleteObject(g_picture);
        return 1;
    }
    MakeButton(window, "Yes", IDC_YES, BS_DEFPUSHBUTTON, g_width - 150, g_height - 30);
    MakeButton(window, "Cancel", IDC_CANCEL, BS_PUSHBUTTON, g_width - 80, g_height - 30);
    ShowWindow(window, show);
    UpdateWindow(window);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
