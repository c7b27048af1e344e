// The main window's life: its creation steps, the deferred start (message 1034) and the shutdown.
#include "app/workspace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/app.h"
#include "app/command_chain.h"
#include "app/desktop_wallpaper.h"
#include "app/document_desk.h"
#include "app/document_window.h"
#include "app/resource.h"
#include "app/settings.h"
#include "app/shell_hooks.h"
#include "app/preferences.h"
#include "app/shell_seams.h"
#include "app/sound.h"
#include "app/tips.h"
#include "document/document_core.h"
#include "document/document_save.h"
#include "document/undo.h"
#include "document/vkd_file.h"
#include "platform/win32/win32_host.h"
#include "raster/bmp_file.h"
#include "widgets/layers.h"
#include "widgets/message_box.h"
#include "widgets/skin.h"

namespace app {

GeneralOptions options;
RecentFiles recentFiles;
BrushPreset brushPresets[kBrushPresetCount];
Colour foregroundColour = 0x000000, backgroundColour = 0xFFFFFF;

namespace {

TextFont textFont;
int documentsMaximised = 0;
std::unique_ptr<platform::Win32Host> host;
std::unique_ptr<widgets::Container> desk;
OwnCursor ownCursor;
int animationUsers = 0;

// The skins without which the interface cannot be drawn; a missing one means a damaged install.
constexpr const char* kEssentialSkins[] = {"msgbox.img", "msgyes.img", "msgyesd.img", "msgno.img", "msgnod.img",
                                           "msgc.img",   "msgcd.img",  "barleft.img", "barmid.img", "barrite.img",
                                           "close.img",  "closef.img", "min.img",     "minf.img"};

bool EssentialSkinsPresent()
{
    for (const char* name : kEssentialSkins) {
        Bitmap* b = widgets::LoadSkin(name);
        if (!b)
            return false;
        DeletePic(b);
    }
    return true;
}

Bitmap* ReadPictureFile(const char* path) { return PT_GetBITMAPFile(path); }

void PostCommand(int code)
{
    if (mainWindow)
        PostMessageA(mainWindow, WM_COMMAND, static_cast<WPARAM>(code & 0xFFFF), 0);
}

void PostCommandWith(int code, intptr_t parameter)
{
    if (mainWindow)
        PostMessageA(mainWindow, WM_COMMAND, static_cast<WPARAM>(code & 0xFFFF), static_cast<LPARAM>(parameter));
}

void RefreshArea(const platform::Rect& area) { RefreshScreen(&area); }

// Open is refused while a tutorial plays.
int OpenCommand(int command, intptr_t parameter)
{
    if (command == kCmdOpen && tutorialPlaying)
        return 1;
    return FileOpenCommand(command, parameter);
}

void ColourPicked(Colour colour, bool background) { (background ? backgroundColour : foregroundColour) = colour; }

// The "Preferences" dialog on the modal dialog layer.  It reports from inside itself, so it is
// only taken off the layer then and destroyed at the next opening or at the end.
widgets::Container* preferences = nullptr;
widgets::Container* retiredDialog = nullptr;

void PreferencesDone(bool confirmed, const PreferenceEffects& effects)
{
    if (!preferences)
        return;  // taking it off the layer reports once more
    retiredDialog = preferences;
    preferences = nullptr;
    widgets::CloseDialog();
    if (!confirmed)
        return;
    if (effects.soundChanged)
        SetSoundOn(options.sound != 0);
    widgets::SetHintsOn(options.hint != 0);
    if (effects.reloadWallpaper)
        LoadWallpaper();
    RefreshScreen(nullptr);
}

void OpenPreferences()
{
    if (preferences || widgets::CurrentDialog())
        return;
    delete retiredDialog;
    retiredDialog = nullptr;
    static const WallpaperChoice wallpaper{[] {
                                               LoadWallpaper();
                                               RefreshScreen(nullptr);
                                           },
                                           ChooseWallpaperFile};
    preferences = NewPreferencesDialog(&options, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                       PreferencesDone, &wallpaper);
    widgets::OpenDialog(preferences);
}

// The current picture becomes the desktop's wallpaper.
void SetDesktopWallpaper()
{
    const std::string path = WriteDesktopWallpaper(RunDir(), GetComposite());
    if (path.empty()) {
        widgets::SkinnedMessageBox(Text(IDS_WARNING), kSaveFailedText, widgets::kBoxOk);
        return;
    }
    SystemParametersInfoA(SPI_SETDESKWALLPAPER, 0, const_cast<char*>(path.c_str()),
                          SPIF_UPDATEINIFILE | SPIF_SENDCHANGE);
}

// The shell's own commands: quit, preferences, wallpaper, then those of the document windows.
int ShellCommand(int command, intptr_t parameter)
{
    switch (command) {
    case kCommandQuit:
        Shutdown(mainWindow);
        return 1;
    case kCommandPreferences:
        OpenPreferences();
        return 1;
    case kCommandDesktopWallpaper:
        SetDesktopWallpaper();
        return 1;
    }
    return RecentFileCommand(command, recentFiles) || DocumentCommand(command, parameter);
}

// Long operations of the document core: the wait cursor and the mouse are ours until they end.
HCURSOR waitRestore = nullptr;
int waitDepth = 0;
void BeginWait()
{
    if (waitDepth++ == 0) {
        if (mainWindow)
            SetCapture(mainWindow);
        waitRestore = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    }
}
void EndWait()
{
    if (waitDepth > 0 && --waitDepth == 0) {
        if (GetCapture() == mainWindow)
            ReleaseCapture();
        SetCursor(waitRestore ? waitRestore : LoadCursor(nullptr, IDC_ARROW));
    }
}

void AddRecent(const char* path)
{
    const char* cut = std::strrchr(path, '\\');
    if (!cut)
        return;
    std::string folder(path, static_cast<size_t>(cut - path));
    AddRecentFile(&recentFiles, folder.c_str(), cut + 1);
}

// The document core's hooks that reach Windows: reading files, the recent files, the wait cursor.
void InstallDocumentHooks(int sw, int sh)
{
    InstallDocumentDesk({0, 0, sw, sh},
                        DeskScreen{RefreshArea, PostCommandWith, SaveDialog, OpenDialog, ColourPicked});
    g_documentHooks.readDocument = ReadLayeredDocument;
    g_documentHooks.addRecentFile = AddRecent;
    g_documentHooks.beginWait = BeginWait;
    g_documentHooks.endWait = EndWait;
    SetSoundPlayer(PlayWaveEffect);
    SetSoundOn(options.sound != 0);
    SetNewDocumentDefaults(newDocumentDefaults.width, newDocumentDefaults.height, newDocumentDefaults.colorMode,
                           newDocumentDefaults.title);
    SetPictureFolder(options.workingDir);
    SetCommandHandler(CommandSlot::FileSave, FileSaveCommand);
    SetCommandHandler(CommandSlot::FileOpen, OpenCommand);
    SetCommandHandler(CommandSlot::Layers, LayerCommand);
}

std::string RunFile(const char* name) { return JoinPath(RunDir(), name); }

class DeskContainer : public widgets::Container {
public:
    explicit DeskContainer(const platform::Rect& r) : Widget(r), Container(r) {}
    // The desk itself is the empty workspace: presses on it belong to the canvas, not to it.
    int LButtonDown(void* w, uintptr_t wp, intptr_t lp) override { return Offer(&Widget::LButtonDown, false, w, wp, lp); }
    int LButtonUp(void* w, uintptr_t wp, intptr_t lp) override { return Offer(&Widget::LButtonUp, false, w, wp, lp); }
    int RButtonDown(void* w, uintptr_t wp, intptr_t lp) override { return Offer(&Widget::RButtonDown, false, w, wp, lp); }
    int RButtonUp(void* w, uintptr_t wp, intptr_t lp) override { return Offer(&Widget::RButtonUp, false, w, wp, lp); }
    void Draw(Bitmap* screen, const platform::Rect& clip) override { DrawChildren(screen, clip); }
};

}  // namespace

const OwnCursor& CurrentOwnCursor() { return ownCursor; }

widgets::Container* Desk() { return desk.get(); }

void DrawToolBoxes(Bitmap* screen, const platform::Rect& clip)
{
    if (desk)
        desk->Draw(screen, clip);
}

void StartAnimationTimer()
{
    if (animationUsers++ == 0 && mainWindow)
        SetTimer(mainWindow, kTimerAnimation, 100, nullptr);
}

void StopAnimationTimer()
{
    if (animationUsers > 0 && --animationUsers == 0 && mainWindow)
        KillTimer(mainWindow, kTimerAnimation);
}

bool CreateWorkspace(HWND wnd)
{
    // 1. The layer-effect defaults belong to the document model, which sets them when it starts.
    // 2. text-tool font
    LoadTextFont(&textFont);
    // 3. scanner and camera input (the codecs need no opening)
    g_shellSeams.openScanner(wnd);
    // 4. a busy start: the mouse is ours and shows the wait cursor
    SetCapture(wnd);
    HCURSOR oldCursor = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    mainWindow = wnd;
    host = std::make_unique<platform::Win32Host>(wnd);
    platform::SetHost(host.get());
    widgets::SetProgramDir(ProgramDir());
    widgets::SetPictureLoader(ReadPictureFile);
    widgets::SetTextSource(Text);
    widgets::SetCommandSink(PostCommand);
    SetCommandHandler(CommandSlot::Shell, ShellCommand);

    // 5. options, screen buffers, wallpaper, interface pictures
    LoadGeneralOptions(&options);
    widgets::SetHintsOn(options.hint != 0);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    bool failed = !CreateScreen(sw, sh);
    widgets::SetInvalidateClip({0, 0, sw, sh});
    foregroundColour = 0x808080;  // the wallpaper of an empty path takes it; set-up restores the stored one
    LoadWallpaper();
    desk = std::make_unique<DeskContainer>(platform::Rect{0, 0, sw, sh});
    failed = !EssentialSkinsPresent() || failed;
    InstallDocumentHooks(sw, sh);
    // 6. (the stereo sound library starts here with timer 23 once it exists)
    // 7. done
    ReleaseCapture();
    SetCursor(oldCursor);
    // 8. the rest once the window is on the screen
    PostMessageA(wnd, kMsgDeferredStart, 0, failed ? 1 : 0);
    return true;
}

void DeferredStart(HWND wnd, bool failed)
{
    RefreshScreen(nullptr);
    if (failed) {
        widgets::SkinnedMessageBox(Text(IDS_WARNING), Text(IDS_DAMAGED), widgets::kBoxOk);
        DestroyWindow(wnd);
        return;
    }
    // the workspace: window state, recent files, presets, colours, then the tools
    documentsMaximised = LoadMdiMaxed();
    LoadRecentFiles(RunFile("MRUSYS.DAT").c_str(), &recentFiles);
    LoadBrushPresets(RunFile("fp0023.sys").c_str(), brushPresets);
    LoadColours(&foregroundColour, &backgroundColour);
    SetDocumentsMaximised(documentsMaximised != 0);
    // the first document: the command line's file, or a blank picture
    if (!CreateFirstDocument(startFiles.document.c_str())) {
        DestroyWindow(wnd);
        return;
    }
    RefreshScreen(nullptr);
    DispatchCommand(kCommandDefaultTool, 0);
    // the stylus tablet: one that is there but cannot be opened is told, the mouse still paints
    if (g_shellSeams.openTablet(wnd) == kTabletUnusable)
        MessageBoxA(wnd, "Failed to initialize tablet!", "Warning", MB_OK | MB_ICONSTOP);
    if (!startFiles.tutorial.empty())
        g_shellSeams.playTutorial(startFiles.tutorial.c_str());
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    // the tip of the day; its check box decides whether the next start shows one
    if (options.dailyHint) {
        bool again = true;
        widgets::SkinnedMessageBox(Text(IDS_TIPS), Tip(static_cast<unsigned>(std::rand())), widgets::kBoxTips,
                                   &again);
        if (!mainWindow)
            return;  // the program was closed while the box was up
        options.dailyHint = again ? 1 : 0;
        SetIniInt(kIniSection, "DAILY_HINT_ON", options.dailyHint);
    }
}

bool Shutdown(HWND wnd)
{
    // Documents close from the newest to the first, each asking to save; a cancelled question
    // returns before anything below has happened, so the program runs on untouched.
    if (!CloseAllDocuments())
        return false;
    SaveMdiMaxed(DocumentsMaximised() ? 1 : 0);
    KillTimer(wnd, kTimerCaret);
    widgets::Container* openDialog = preferences;
    preferences = nullptr;
    widgets::CloseDialog();
    delete openDialog;
    delete retiredDialog;
    retiredDialog = nullptr;
    widgets::ClosePopup();
    widgets::HideHint();
    desk.reset();
    SaveTextFont(textFont);
    DeletePalettes();
    g_shellSeams.closeScanner();
    SaveRecentFiles(RunFile("MRUSYS.DAT").c_str(), recentFiles);
    SaveBrushPresets(RunFile("fp0023.sys").c_str(), brushPresets);
    SaveColours(foregroundColour, backgroundColour);
    SaveGeneralOptions(options);
    DestroyWindow(wnd);
    KillTimer(wnd, kTimerSound);
    return true;
}

void ReleaseWorkspace()
{
    ReleaseDocumentDesk();
    ResetDocumentHooks();
    ResetSaveHooks();
    ResetUndoUiHooks();
    desk.reset();
    FreeScreen();
    platform::SetHost(nullptr);
    ResetCommandChain();
    mainWindow = nullptr;
    // The host itself stays: a message box still up in a nested loop (the tips box, when the program
    // is closed under it) pumps through it once more to see the quit.
}

}  // namespace app
