// startcb.sys: the start picture, a rounded card with a few painted strokes and the program's name,
// shown over the desktop (its magenta corners are see-through).
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/assets.h"
#include "assets/canvas.h"

namespace assets {

bool DrawSplash(const std::string& dir)
{
    const int w = 520, h = 320;
    const float radius = 22;
    Canvas c(w, h);
    c.VerticalGradient(Hex(0xFBF7EE), Hex(0xE9E0CC));
    // paper grain
    c.Noise(0.035f, 7);
    // painted strokes: a warm sweep, a blue wave, a green leaf, a red dot
    c.Stroke(40, 250, 140, 150, 260, 290, 480, 170, 26, 10, Hex(0xE8A33D), 0.85f);
    c.Stroke(30, 120, 170, 40, 300, 190, 500, 70, 16, 6, Hex(0x2F6FB2), 0.8f);
    c.Stroke(350, 270, 390, 230, 430, 250, 470, 215, 12, 3, Hex(0x3E9A5B), 0.9f);
    c.SoftDab(455, 95, 14, Hex(0xC8353A), 0.95f, 0.7f);
    c.SoftDab(455, 95, 6, Hex(0xF2D0C9), 0.5f, 0.3f);
    // title plate
    c.RoundedBox(46, 112, 300, 92, 14, Hex(0xFFFFFF), 0.72f);
    c.Text(68, 128, "BRISALO", 7.f, Hex(0x1F2A3A), 1.f);
    c.Text(68 + Canvas::TextWidth("BRISALO ", 7.f), 128, "6", 7.f, Hex(0xC8353A), 1.f);
    c.Text(70, 186, "NATURAL MEDIA PAINTING", 2.f, Hex(0x5A6474), 1.f);
    // frame
    c.RoundedBox(0, 0, w, h, radius, Hex(0x1F2A3A), 0.0f);
    std::vector<float> mask(size_t(w) * h, 0.f);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            float fx = x + 0.5f, fy = y + 0.5f;
            float dx = std::max({radius - fx, 0.f, fx - (w - radius)});
            float dy = std::max({radius - fy, 0.f, fy - (h - radius)});
            float d = std::hypot(dx, dy) - radius;
            mask[size_t(y) * w + x] = d < 0 ? 1.f : 0.f;
            // a thin dark rim just inside the rounded edge
            if (d < 0 && d > -2.5f)
                c.Blend(x, y, Hex(0x1F2A3A), 0.85f);
        }
    Bitmap* b = c.ToBitmap(&mask);
    bool ok = Save(b, dir, "startcb.sys");
    DeletePic(b);
    return ok;
}

}  // namespace assets
