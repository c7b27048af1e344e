// The uninstaller's resources: the picture that fills its window (the product's artwork with the
// question, leaving the lower right free for the "Yes" and "Cancel" buttons) and its two icons, a
// paint brush on the product's blue tile with a red removal badge.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/canvas.h"
#include "assets/resource_art.h"
#include "assets/resource_files.h"

namespace assets {
namespace {

bool Question(const std::string& path)
{
    const int w = 270, h = 180;
    Canvas c(w, h);
    c.VerticalGradient(Hex(0xFBF7EE), Hex(0xE6DCC6));
    c.Noise(0.03f, 23);
    // painted strokes behind the name, the colours of the start picture
    c.Stroke(150, 62, 190, 10, 230, 70, 268, 18, 14, 5, Hex(0xE8A33D), 0.8f);
    c.Stroke(120, 30, 170, 60, 210, 0, 262, 44, 8, 3, Hex(0x2F6FB2), 0.75f);
    c.SoftDab(246, 58, 7, Hex(0xC8353A), 0.9f, 0.7f);
    c.Text(16, 16, "BRISALO", 3.f, Hex(0x1F2A3A), 1.f);
    c.Text(16 + Canvas::TextWidth("BRISALO ", 3.f), 16, "6", 3.f, Hex(0xC8353A), 1.f);
    c.Text(17, 44, "NATURAL MEDIA PAINTING", 1.f, Hex(0x5A6474), 1.f);
    // the question on a light plate
    c.RoundedBox(10, 70, 250, 66, 10, Hex(0xFFFFFF), 0.75f);
    c.Text(22, 82, "DO YOU WANT TO UNINSTALL", 1.5f, Hex(0x1F2A3A), 1.f);
    c.Text(22, 104, "BRISALO 6 NOW?", 2.f, Hex(0x1F2A3A), 1.f);
    c.Text(22, 124, "ITS PROGRAM FILES WILL BE REMOVED.", 1.f, Hex(0x5A6474), 1.f);
    // a stroke fading out at the lower left, as if being wiped away
    for (int i = 0; i < 6; ++i) {
        const float x = 14 + i * 16.f;
        c.Stroke(x, 166, x + 4, 152, x + 10, 170, x + 14, 156, 4.5f - i * 0.5f, 2.f, Hex(0x3E9A5B),
                 0.85f - i * 0.13f);
    }
    // a thin frame
    for (int x = 0; x < w; ++x)
        c.Blend(x, 0, Hex(0x1F2A3A), 0.6f), c.Blend(x, h - 1, Hex(0x1F2A3A), 0.6f);
    for (int y = 0; y < h; ++y)
        c.Blend(0, y, Hex(0x1F2A3A), 0.6f), c.Blend(w - 1, y, Hex(0x1F2A3A), 0.6f);
    return SaveIndexedBmp(c, path);
}

// Coverage of a rounded rectangle and a circle, sampled 4×4 per pixel for smooth edges.
float Coverage(float px, float py, float size)
{
    const float s = size / 32.f, r = 6.f * s, tile = 28.f * s;
    int inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            const float x = px + (sx + 0.5f) / 4.f, y = py + (sy + 0.5f) / 4.f;
            const float dx = std::max({r - x, 0.f, x - (tile - r)}), dy = std::max({r - y, 0.f, y - (tile - r)});
            const bool inTile = x < tile && y < tile && std::hypot(dx, dy) <= r;
            const bool inBadge = std::hypot(x - 24.f * s, y - 24.f * s) <= 7.5f * s;
            inside += inTile || inBadge;
        }
    return inside / 16.f;
}

bool Icon(int size, const std::string& path)
{
    const float s = size / 32.f;
    Canvas c(size, size);
    std::vector<float> coverage(size_t(size) * size);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            coverage[size_t(y) * size + x] = Coverage(float(x), float(y), float(size));
            c.Set(x, y, Mix(Hex(0x4A8AD0), Hex(0x1F4F8A), (x + y) / (2.f * size)));
        }
    // the brush: handle, ferrule and a loaded tip, lying from upper right to lower left
    c.Stroke(24 * s, 4 * s, 21 * s, 7 * s, 18 * s, 10 * s, 15 * s, 13 * s, 2.2f * s, 1.6f * s, Hex(0xB0753A), 1.f);
    c.Stroke(15 * s, 13 * s, 14 * s, 14 * s, 13 * s, 15 * s, 12 * s, 16 * s, 2.f * s, 2.f * s, Hex(0xD8DCE2), 1.f);
    c.Stroke(12 * s, 16 * s, 10 * s, 18 * s, 7 * s, 20 * s, 5 * s, 23 * s, 2.2f * s, 0.6f * s, Hex(0xE8A33D), 1.f);
    // the removal badge
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const float d = std::hypot(x + 0.5f - 24.f * s, y + 0.5f - 24.f * s);
            if (d <= 7.5f * s)
                c.Set(x, y, Hex(0xC8353A));
            if (std::fabs(y + 0.5f - 24.f * s) <= 1.3f * s + 0.3f && std::fabs(x + 0.5f - 24.f * s) <= 4.5f * s)
                c.Set(x, y, Hex(0xFFFFFF));
        }
    return SaveIcon({{&c, &coverage}}, path);
}

}  // namespace

bool DrawUninstallerArt(const std::string& dir)
{
    return Question(dir + "/question.bmp") && Icon(32, dir + "/uninstaller.ico") &&
           Icon(16, dir + "/uninstaller_small.ico");
}

}  // namespace assets
