// Skin images and the few drawing steps controls need to put them on the screen buffer.
//
// Skins are picture files under the program directory's "res\tools\".  The program decides how a
// picture file is read (SetPictureLoader); a skin that cannot be loaded stays null and the control
// then draws nothing for that state.  Pure magenta (255, 0, 255) in a skin is see-through, which
// gives controls their rounded corners.
#pragma once
#include <string>

#include "platform/geometry.h"
#include "raster/bitmap.h"

namespace widgets {

using PictureLoader = Bitmap* (*)(const char* path);
void SetPictureLoader(PictureLoader loader);
void SetProgramDir(const std::string& dir);
const std::string& ProgramDir();

// program directory + "res\tools\" + name, with a backslash added to the directory when missing.
std::string SkinPath(const char* name);
// Null when there is no loader or the file cannot be read.  The caller owns the bitmap.
Bitmap* LoadSkin(const char* name);

constexpr Colour kSeeThrough = 0xFF00FF;

// Copies src with its top-left at (x, y), clipped to clip and dst; see-through pixels are skipped.
void DrawPic(Bitmap* dst, const platform::Rect& clip, int32_t x, int32_t y, const Bitmap* src);
// Repeats src across area (left to right, top to bottom), clipped.
void TilePic(Bitmap* dst, const platform::Rect& clip, const platform::Rect& area, const Bitmap* src);
void FillBox(Bitmap* dst, const platform::Rect& clip, const platform::Rect& area, Colour colour);
// Blends colour over area with opacity 0..255.
void ShadeBox(Bitmap* dst, const platform::Rect& clip, const platform::Rect& area, Colour colour, int opacity);
// Reads one pixel as a colour value; 0 outside the bitmap.
Colour PixelAt(const Bitmap* b, int32_t x, int32_t y);

}  // namespace widgets
