// Process-wide state of the painting program and the entry points between its windows.
#pragma once
#include <windows.h>

#include <string>

namespace app {

constexpr const char* kSplashClass = "AVIWClass";
constexpr const char* kMainClass = "990717WClass";
constexpr const char* kTitle = "Brisalo 6";

extern HINSTANCE instance;
extern HWND mainWindow;

bool RegisterSplashClass(HINSTANCE inst);
bool RegisterMainClass(HINSTANCE inst);
HWND CreateSplashWindow();
HWND CreateMainWindow();

// The program directory with a trailing backslash ("C:\Program Files\Brisalo6\").
const std::string& ProgramDir();

}  // namespace app
