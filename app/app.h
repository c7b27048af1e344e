// Process-wide state of the painting program and the entry points between its windows.
//
// One GUI thread owns all of it.  The start-up entry fills it in order (defaults, file types,
// command line, window classes, palettes, splash); the main window's creation, its deferred start
// (message 1034) and its shutdown are in workspace.cpp; the screen buffer and its copy to the window
// in screen.cpp.
#pragma once
#include <windows.h>

#include <string>

#include "app/command_line.h"
#include "app/options.h"
#include "app/recent_files.h"
#include "app/brush_presets.h"
#include "platform/geometry.h"

namespace app {

constexpr const char* kSplashClass = "AVIWClass";
constexpr const char* kMainClass = "990717WClass";

// Private messages of the main window.
constexpr UINT kMsgDeferredStart = WM_USER + 10;    // 1034
constexpr UINT kMsgAcquiredPicture = WM_USER + 100; // 1124
constexpr UINT kMsgRestoreCursor = WM_USER + 101;   // 1125
constexpr UINT kMsgRefreshBoxes = WM_USER + 112;    // 1136

// Timers of the main window.
constexpr UINT_PTR kTimerSplash = 1;
constexpr UINT_PTR kTimerCaret = 10;
constexpr UINT_PTR kTimerHint = 12;
constexpr UINT_PTR kTimerAnimation = 16;
constexpr UINT_PTR kTimerSound = 23;
constexpr UINT_PTR kTimerPaintRepeat = 101;
constexpr UINT_PTR kTimerMarchingAnts = 1032;

extern HINSTANCE instance;
extern HWND mainWindow;
extern StartFiles startFiles;
extern bool tutorialPlaying;
extern DWORD lastMouseMove;
extern POINT startCursor;
extern NewDocumentDefaults newDocumentDefaults;
extern GeneralOptions options;
extern RecentFiles recentFiles;
extern BrushPreset brushPresets[kBrushPresetCount];
extern Colour foregroundColour, backgroundColour;

// The numbered texts of the string table ("" for a number it does not have).
const char* Text(int id);

// The two palettes of the "PAL" resources; the first is realised whenever Windows asks.
bool LoadPalettes();
HPALETTE ProgramPalette();
void DeletePalettes();

bool RegisterSplashClass(HINSTANCE inst);
bool RegisterMainClass(HINSTANCE inst);
HWND CreateSplashWindow();
HWND CreateMainWindow();

// The program directory with a trailing backslash ("C:\Program Files\Brisalo6\").
const std::string& ProgramDir();
std::string SystemDir();

// Main window life: its WM_CREATE steps, the deferred start, the shutdown sequence (false when a
// document's save question was cancelled and the program keeps running).
bool CreateWorkspace(HWND wnd);
void DeferredStart(HWND wnd, bool failed);
bool Shutdown(HWND wnd);
void ReleaseWorkspace();

// The message routing of the main window's procedure.
LRESULT MainWindowMessage(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
void OnTimer(HWND wnd, UINT_PTR id);
// The shared animation timer 16, counted by its users.
void StartAnimationTimer();
void StopAnimationTimer();

// The screen buffer: everything is drawn into it and the window is painted only from it.
bool CreateScreen(int width, int height);
void FreeScreen();
void RedrawScreen(const platform::Rect* area);
// Copies from the screen buffer to the window under the named screen mutex; false when the mutex
// could not be had within 3000 ms and the copy was skipped.
bool CopyToWindow(HDC dc, const platform::Rect* area);
void RefreshScreen(const platform::Rect* area);
void LoadWallpaper();

}  // namespace app
