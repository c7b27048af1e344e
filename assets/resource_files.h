// Files that resource compilers take in: 256-colour BMP files for BITMAP resources and icon files
// for ICON resources, written from the generator's canvases.
#pragma once
#include <string>
#include <vector>

#include "assets/canvas.h"

namespace assets {

// An 8-bit BMP with a palette made for the picture (median cut) and error diffusion.  The file
// is replaced only once completely written; false on failure.
bool SaveIndexedBmp(const Canvas& canvas, const std::string& path);

// One picture of an icon file: its colours and coverage (0..1 per pixel, row by row from the top).
struct IconImage {
    const Canvas* canvas;
    const std::vector<float>* coverage;
};
// An icon file holding the images given (32-bit with alpha, each at most 256 pixels square).
bool SaveIcon(const std::vector<IconImage>& images, const std::string& path);

}  // namespace assets
