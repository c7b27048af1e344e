// The option groups of TESSEL.INI and OVANTE.SYS, each with its keys and defaults, loaded and saved
// at the moments the shell chooses (start, workspace set-up, Preferences, shutdown).
#pragma once
#include <cstdint>

#include "app/settings.h"
#include "raster/bitmap.h"

namespace app {

// Wallpaper layouts ("PAPERMETHOD").
constexpr int kPaperCentred = 0;
constexpr int kPaperStretched = 1;
constexpr int kPaperTiled = 2;

struct GeneralOptions {
    int sound = 1;
    int paperMethod = kPaperTiled;
    int hint = 1;
    int cursor3d = 1;
    int niceText = 0;  // saved, never read back: every start begins with it off
    int light = 0;     // likewise
    int autoHide = 1;
    char workingDir[256] = ".";
    int dailyHint = 1;
    int constrainProportion = 1;
};
void LoadGeneralOptions(GeneralOptions* options);
void SaveGeneralOptions(const GeneralOptions& options);

struct NewDocumentDefaults {
    int width = 600;
    int height = 400;
    int colorMode = 0;
    char title[kMaxPath] = "Untitled";
    int hAlign = 4;  // 3, 4, 5: first, second, third horizontal anchor of the canvas-size dialog
    int vAlign = 1;  // 0, 1, 2
};
void LoadNewDocumentDefaults(NewDocumentDefaults* defaults);
void SaveNewDocumentDefaults(const NewDocumentDefaults& defaults);

struct TextFont {
    char face[256] = "Arial";
    int size = 12;
    int underline = 0;
    int bold = 0;
    int italic = 0;
};
void LoadTextFont(TextFont* font);
void SaveTextFont(const TextFont& font);

// Foreground and background colours: the three keys hold the colour value's low, second and third
// bytes, each taken modulo 256.
void LoadColours(Colour* foreground, Colour* background);
void SaveColours(Colour foreground, Colour background);

int LoadMdiMaxed();
void SaveMdiMaxed(int maximised);

// "WALLPAPER": the default is the run directory's "pattern\backg.pcy".
std::string DefaultWallpaperPath();
void LoadWallpaperPath(char* path, int size);
void SaveWallpaperPath(const char* path);

// Acquisition devices in OVANTE.SYS; "NONE" until one is chosen.
enum class Device { Scanner, Camera };
void LoadDeviceName(Device device, char* name, int size);
void SaveDeviceName(Device device, const char* name);

}  // namespace app
