// The pictures compiled into our programs' resources (as opposed to the data files beside them):
// each function writes one program's resource pictures into a folder of the build tree, where its
// .rc file finds them.
#pragma once
#include <string>

namespace assets {

// question.bmp (bitmap 129), uninstaller.ico and uninstaller_small.ico (icons 107 and 108).
bool DrawUninstallerArt(const std::string& dir);
// pintara.ico (icon "icon256") and document.ico (the document types' icon).
bool DrawPintaraArt(const std::string& dir);

}  // namespace assets
