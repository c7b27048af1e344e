#include "widgets/skin.h"

namespace widgets {
namespace {

PictureLoader loader = nullptr;
std::string programDir;

void Put(Bitmap* b, int32_t x, int32_t y, Colour c)
{
    uint8_t* p = PicPixel(b, x, y);
    p[0] = c & 255;
    p[1] = (c >> 8) & 255;
    p[2] = (c >> 16) & 255;
    if (b->bitsPerPixel == 32)
        p[3] = 255;
}

platform::Rect Area(const Bitmap* b) { return {0, 0, b->width, b->height}; }

}  // namespace

void SetPictureLoader(PictureLoader l) { loader = l; }
void SetProgramDir(const std::string& dir) { programDir = dir; }
const std::string& ProgramDir() { return programDir; }

std::string SkinPath(const char* name)
{
    std::string path = programDir;
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path + "res\\tools\\" + name;
}

Bitmap* LoadSkin(const char* name) { return loader ? loader(SkinPath(name).c_str()) : nullptr; }

Colour PixelAt(const Bitmap* b, int32_t x, int32_t y)
{
    if (!b || !b->bits || x < 0 || y < 0 || x >= b->width || y >= b->height)
        return 0;
    const uint8_t* p = PicPixel(b, x, y);
    return p[0] | (p[1] << 8) | (p[2] << 16);
}

void DrawPic(Bitmap* dst, const platform::Rect& clip, int32_t x, int32_t y, const Bitmap* src)
{
    if (!dst || !src || !dst->bits || !src->bits)
        return;
    platform::Rect r = platform::Intersect(platform::Intersect(clip, Area(dst)), {x, y, x + src->width, y + src->height});
    for (int32_t py = r.top; py < r.bottom; ++py)
        for (int32_t px = r.left; px < r.right; ++px) {
            Colour c = PixelAt(src, px - x, py - y);
            if (c != kSeeThrough)
                Put(dst, px, py, c);
        }
}

void TilePic(Bitmap* dst, const platform::Rect& clip, const platform::Rect& area, const Bitmap* src)
{
    if (!dst || !src || src->width <= 0 || src->height <= 0)
        return;
    platform::Rect inner = platform::Intersect(clip, area);
    if (inner.Empty())
        return;
    for (int32_t y = area.top; y < area.bottom; y += src->height)
        for (int32_t x = area.left; x < area.right; x += src->width)
            if (!platform::Intersect(inner, {x, y, x + src->width, y + src->height}).Empty())
                DrawPic(dst, inner, x, y, src);
}

void FillBox(Bitmap* dst, const platform::Rect& clip, const platform::Rect& area, Colour colour)
{
    if (!dst || !dst->bits)
        return;
    platform::Rect r = platform::Intersect(platform::Intersect(clip, area), Area(dst));
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x)
            Put(dst, x, y, colour);
}

void ShadeBox(Bitmap* dst, const platform::Rect& clip, const platform::Rect& area, Colour colour, int opacity)
{
    if (!dst || !dst->bits)
        return;
    platform::Rect r = platform::Intersect(platform::Intersect(clip, area), Area(dst));
    for (int32_t y = r.top; y < r.bottom; ++y)
        for (int32_t x = r.left; x < r.right; ++x) {
            uint8_t* p = PicPixel(dst, x, y);
            for (int i = 0; i < 3; ++i) {
                int c = (colour >> (8 * i)) & 255;
                p[i] = static_cast<uint8_t>(p[i] + (c - p[i]) * opacity / 255);
            }
        }
}

}  // namespace widgets
