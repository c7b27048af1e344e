// The command that makes the current picture the system's desktop wallpaper: the composed picture
// is written as "layout\wallpaper.bmp" in the run directory (the folder is made when missing), and
// the platform is then asked to show that file.
#pragma once
#include <string>

#include "raster/bitmap.h"

namespace app {

// Writes the picture; the file's path, or "" when it could not be written (a previous file stays).
std::string WriteDesktopWallpaper(const std::string& runDir, const Bitmap* composite);

}  // namespace app
