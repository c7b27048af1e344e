// The workspace background: the wallpaper picture laid out over the screen behind everything else.
//
// The picture comes from "WALLPAPER" (or the default pattern); an empty path gives a 5 × 5 picture
// of the current foreground colour.  Layouts: centred (clipped to the screen, the rest in the
// backdrop colour), stretched over the work area, or tiled from the screen's top-left corner.
#pragma once
#include "platform/geometry.h"
#include "raster/bitmap.h"

namespace app {

constexpr Colour kDesktopBackdrop = 0x3C4450;

struct Desktop {
    Bitmap* picture = nullptr;    // as loaded
    Bitmap* stretched = nullptr;  // the stretched layout, made once per picture and work area
    int method = 2;
    platform::Rect workArea;
};

// Loads the picture: path, else the default pattern, else none (false).  The old picture goes.
bool LoadDesktopPicture(Desktop* desktop, const char* path, const char* defaultPath, Colour foreground);
void SetDesktopLayout(Desktop* desktop, int method, const platform::Rect& workArea);
void FreeDesktop(Desktop* desktop);
// Draws the background inside clip (screen coordinates) into the screen buffer.
void DrawDesktop(const Desktop& desktop, Bitmap* screen, const platform::Rect& clip);

}  // namespace app
