// wintool: a tiny helper of the end-to-end tests, run under Wine beside the program under test.
//   wintool wait CLASS [TIMEOUT_MS]        wait for a visible top-level window of CLASS; print its
//                                          handle and rectangle: "HWND LEFT TOP RIGHT BOTTOM"
//   wintool gone CLASS [TIMEOUT_MS]        wait until no window of CLASS exists
//   wintool send CLASS MSG WPARAM LPARAM   SendMessage to it; print the result
//   wintool post CLASS MSG WPARAM LPARAM   PostMessage to it
//   wintool title CLASS                    print the window text
//   wintool desktop                        create and destroy a hidden top-level window: exit status 0
//                                          when Wine's desktop and display driver work
//   wintool list                           every top-level window: "HWND PID VISIBLE CLASS TITLE"
//   wintool item CLASS ID                  one control of a dialog: print "ENABLED LEFT TOP RIGHT
//                                          BOTTOM TEXT" (screen rectangle, ENABLED 1 or 0)
// CLASS may also be "title=TEXT" for the top-level window with that title (dialogs share a class).
// Numbers may be decimal or 0x-prefixed hex.  Exit status 0 on success, 1 on timeout or no window.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static HWND FindAny(const char* cls)
{
    if (!std::strncmp(cls, "title=", 6))
        return FindWindowA(nullptr, cls + 6);
    return FindWindowA(cls, nullptr);
}

static HWND Find(const char* cls)
{
    HWND w = FindAny(cls);
    return (w && IsWindowVisible(w)) ? w : nullptr;
}

static BOOL CALLBACK ListOne(HWND w, LPARAM)
{
    char cls[256] = {}, text[256] = {};
    DWORD pid = 0;
    GetClassNameA(w, cls, sizeof cls);
    GetWindowTextA(w, text, sizeof text);
    GetWindowThreadProcessId(w, &pid);
    std::printf("%p %lu %d %s %s\n", static_cast<void*>(w), pid, IsWindowVisible(w) ? 1 : 0, cls, text);
    return TRUE;
}

static unsigned long Num(const char* s) { return std::strtoul(s, nullptr, 0); }

int main(int argc, char** argv)
{
    if (argc == 2 && !std::strcmp(argv[1], "desktop")) {
        HWND w = CreateWindowExA(0, "STATIC", "wintool", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr, nullptr, nullptr);
        if (!w)
            return 1;
        DestroyWindow(w);
        return 0;
    }
    if (argc == 2 && !std::strcmp(argv[1], "list"))
        return EnumWindows(ListOne, 0) ? 0 : 1;
    if (argc < 3) {
        std::fprintf(stderr, "usage: wintool list | wait|gone|send|post|title|item CLASS ...\n");
        return 2;
    }
    const char* cmd = argv[1];
    const char* cls = argv[2];
    DWORD timeout = argc > 3 ? Num(argv[3]) : 10000;
    DWORD start = GetTickCount();
    if (!std::strcmp(cmd, "wait")) {
        for (;;) {
            if (HWND w = Find(cls)) {
                RECT r;
                GetWindowRect(w, &r);
                std::printf("%p %ld %ld %ld %ld\n", static_cast<void*>(w), r.left, r.top, r.right, r.bottom);
                return 0;
            }
            if (GetTickCount() - start > timeout)
                return 1;
            Sleep(50);
        }
    }
    if (!std::strcmp(cmd, "gone")) {
        while (FindAny(cls)) {
            if (GetTickCount() - start > timeout)
                return 1;
            Sleep(50);
        }
        return 0;
    }
    HWND w = FindAny(cls);
    if (!w)
        return 1;
    if (!std::strcmp(cmd, "item") && argc > 3) {
        HWND item = GetDlgItem(w, static_cast<int>(Num(argv[3])));
        if (!item)
            return 1;
        RECT r;
        GetWindowRect(item, &r);
        char text[512] = {};
        GetWindowTextA(item, text, sizeof text);
        std::printf("%d %ld %ld %ld %ld %s\n", IsWindowEnabled(item) ? 1 : 0, r.left, r.top, r.right, r.bottom, text);
        return 0;
    }
    if (!std::strcmp(cmd, "title")) {
        char text[512] = {};
        GetWindowTextA(w, text, sizeof text);
        std::printf("%s\n", text);
        return 0;
    }
    if (argc < 6)
        return 2;
    UINT msg = Num(argv[3]);
    WPARAM wp = Num(argv[4]);
    LPARAM lp = static_cast<LPARAM>(Num(argv[5]));
    if (!std::strcmp(cmd, "send")) {
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(w, msg, wp, lp, SMTO_ABORTIFHUNG, 10000, &result))
            return 1;
        std::printf("%lu\n", static_cast<unsigned long>(result));
        return 0;
    }
    if (!std::strcmp(cmd, "post"))
        return PostMessageA(w, msg, wp, lp) ? 0 : 1;
    return 2;
}
