// The desktop wallpapers under pattern\: backg.pcy is the default tile; 800.pcy a full picture;
// wave.pcy, a-08.pcy and a-09.pcy further tiles.  Tiles are drawn with wrap-around so they repeat
// without seams.
#include <cmath>

#include "assets/assets.h"
#include "assets/canvas.h"

namespace assets {
namespace {

constexpr float kPi = 3.14159265f;

bool Write(Canvas& c, const std::string& dir, const char* name)
{
    Bitmap* b = c.ToBitmap();
    bool ok = Save(b, dir, std::string("pattern/") + name);
    DeletePic(b);
    return ok;
}

// Slate blue with a faint woven diagonal texture.
bool Backg(const std::string& dir)
{
    const int n = 128;
    Canvas c(n, n, Hex(0x3C4A5E));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float a = std::sin(2 * kPi * (x + y) / 16.f), b = std::sin(2 * kPi * (x - y) / 16.f);
            float v = 0.018f * a * b;
            RGB p = c.Get(x, y);
            c.Set(x, y, {p.r + v, p.g + v, p.b + v * 1.3f});
        }
    c.Noise(0.02f, 11);
    return Write(c, dir, "backg.pcy");
}

// A calm painted landscape: evening sky, two ranges of hills and a lake.
bool Landscape(const std::string& dir)
{
    const int w = 800, h = 600;
    Canvas c(w, h);
    c.VerticalGradient(Hex(0x23385E), Hex(0xF0B27A));
    c.SoftDab(590, 330, 70, Hex(0xFFE3A3), 0.9f, 0.4f);
    for (int x = 0; x < w; ++x) {
        float far = 330 + 40 * std::sin(x / 90.f) + 18 * std::sin(x / 23.f + 1);
        float near = 410 + 55 * std::sin(x / 140.f + 2) + 12 * std::sin(x / 31.f);
        for (int y = int(far); y < h; ++y)
            c.Blend(x, y, Mix(Hex(0x6A5D86), Hex(0x4A4466), float(y - far) / 200.f), 1.f);
        for (int y = int(near); y < h; ++y)
            c.Blend(x, y, Mix(Hex(0x2F4F4A), Hex(0x1E3330), float(y - near) / 150.f), 1.f);
    }
    for (int y = 500; y < h; ++y)
        for (int x = 0; x < w; ++x)
            c.Blend(x, y, Mix(Hex(0x3D5A80), Hex(0x23385E), float(y - 500) / 100.f),
                    0.85f + 0.1f * std::sin(x / 7.f + y * 1.3f));
    c.Noise(0.025f, 5);
    return Write(c, dir, "800.pcy");
}

// Soft blue waves.
bool Wave(const std::string& dir)
{
    const int n = 256;
    Canvas c(n, n, Hex(0x2B5C8A));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float v = std::sin(2 * kPi * (y / 64.f + 0.15f * std::sin(2 * kPi * x / 128.f)));
            c.Set(x, y, Mix(Hex(0x2B5C8A), Hex(0x5B93C7), 0.5f + 0.5f * v));
        }
    c.SetWrap(true);
    for (int i = 0; i < 4; ++i)
        c.Stroke(0, 32.f + 64 * i, 85, 10.f + 64 * i, 170, 54.f + 64 * i, 256, 32.f + 64 * i, 2, 2,
                 Hex(0xD8ECFA), 0.5f);
    return Write(c, dir, "wave.pcy");
}

// Warm linen canvas.
bool Linen(const std::string& dir)
{
    const int n = 96;
    Canvas c(n, n, Hex(0xD9CBB0));
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) {
            float warp = 0.5f + 0.5f * std::sin(2 * kPi * x / 4.f);
            float weft = 0.5f + 0.5f * std::sin(2 * kPi * y / 4.f);
            RGB p = c.Get(x, y);
            float v = 0.06f * (warp * weft - 0.25f) + 0.02f * std::sin(2 * kPi * (x + 2 * y) / 48.f);
            c.Set(x, y, {p.r + v, p.g + v, p.b + v * 0.8f});
        }
    c.Noise(0.03f, 23);
    return Write(c, dir, "a-08.pcy");
}

// Sage paper with scattered flecks.
bool Flecks(const std::string& dir)
{
    const int n = 160;
    Canvas c(n, n, Hex(0x8FA38A));
    c.Noise(0.03f, 31);
    c.SetWrap(true);
    uint32_t s = 99;
    for (int i = 0; i < 70; ++i) {
        s = s * 1664525u + 1013904223u;
        float x = float(s % n);
        s = s * 1664525u + 1013904223u;
        float y = float(s % n);
        s = s * 1664525u + 1013904223u;
        float r = 1.2f + float(s % 100) / 60.f;
        c.SoftDab(x, y, r, (i % 3) ? Hex(0xE8EFE0) : Hex(0x5E7359), 0.55f, 0.4f);
    }
    return Write(c, dir, "a-09.pcy");
}

}  // namespace

bool DrawWallpapers(const std::string& dir)
{
    bool ok = Backg(dir);
    ok = Landscape(dir) && ok;
    ok = Wave(dir) && ok;
    ok = Linen(dir) && ok;
    ok = Flecks(dir) && ok;
    return ok;
}

}  // namespace assets
