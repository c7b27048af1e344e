#include "app/desktop_wallpaper.h"

#include "app/settings.h"
#include "platform/files.h"
#include "raster/bmp_file.h"

namespace app {

std::string WriteDesktopWallpaper(const std::string& runDir, const Bitmap* composite)
{
    if (!composite)
        return {};
    const std::string folder = JoinPath(runDir, "layout");
    if (folder.empty() || !platform::MakeFolder(folder.c_str()))
        return {};
    const std::string path = JoinPath(folder, "wallpaper.bmp");
    if (path.empty() || !PT_PutBITMAPFile(composite, platform::HostPath(path).c_str()))
        return {};
    return path;
}

}  // namespace app
