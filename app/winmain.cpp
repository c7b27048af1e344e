// Process entry of the painting program: the start-up order, the one message loop and the end.
#include <objbase.h>

#include <cstdlib>

#include "app/app.h"
#include "app/file_types.h"
#include "app/settings.h"
#include "app/shell_seams.h"
#include "platform/files.h"

namespace app {

HINSTANCE instance = nullptr;
HWND mainWindow = nullptr;
StartFiles startFiles;
bool tutorialPlaying = false;
DWORD lastMouseMove = 0;
POINT startCursor{};
NewDocumentDefaults newDocumentDefaults;

std::string SystemDir()
{
    char dir[MAX_PATH] = {};
    UINT n = GetSystemDirectoryA(dir, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(dir, n) : std::string(".");
}

const char* Text(int id)
{
    // Texts are loaded once each; the table is small and never changes while the program runs.
    struct Entry {
        int id;
        char text[256];
    };
    static Entry cache[64];
    static int used = 0;
    for (int i = 0; i < used; ++i)
        if (cache[i].id == id)
            return cache[i].text;
    static char scratch[256];
    Entry* e = used < 64 ? &cache[used] : nullptr;
    char* out = e ? e->text : scratch;
    if (LoadStringA(instance, static_cast<UINT>(id), out, 256) <= 0)
        out[0] = 0;
    if (e) {
        e->id = id;
        ++used;
    }
    return out;
}

}  // namespace app

int WINAPI WinMain(HINSTANCE inst, HINSTANCE prev, LPSTR commandLine, int)
{
    using namespace app;
    instance = inst;
    SetSettingsFolders(ProgramDir(), SystemDir());
    // 1. new-document defaults
    LoadNewDocumentDefaults(&newDocumentDefaults);
    // 2. random seed, 3. cursor position
    std::srand(GetTickCount());
    GetCursorPos(&startCursor);
    // 4. file types: this copy of the program opens double-clicked pictures and tutorials.  A
    // registry that refuses both the machine's and the user's classes does not stop the program.
    if (SUCCEEDED(CoInitialize(nullptr))) {
        RegisterFileTypes(ProgramDir() + "pintara6.exe");
        CoUninitialize();
    }
    // 5. command line: a named file that does not exist ends the program at once, silently
    if (!ParseCommandLine(commandLine, platform::FileExists, &startFiles))
        return 0;
    // 6. window classes
    if (!prev && (!RegisterSplashClass(inst) || !RegisterMainClass(inst)))
        return 0;
    // 7. palettes, title, splash
    LoadPalettes();
    if (!CreateSplashWindow()) {
        DeletePalettes();
        return 0;
    }
    // 8. the message loop; the scanner sees every message first
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (g_shellSeams.offerMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    // 9. new-document defaults back to their file, the tablet closed
    SaveNewDocumentDefaults(newDocumentDefaults);
    g_shellSeams.closeTablet();
    DeletePalettes();
    return static_cast<int>(msg.wParam);
}
