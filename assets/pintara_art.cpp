// The painting program's icons: "icon256", a rounded tile of warm paper with a blue and an amber
// stroke and a red dab, the start picture's colours; and the document icon (a page with the same
// strokes, folded corner) that the file types name as the program's second icon.
#include <algorithm>
#include <cmath>
#include <vector>

#include "assets/canvas.h"
#include "assets/resource_art.h"
#include "assets/resource_files.h"

namespace assets {
namespace {

float TileCoverage(float x, float y, float size)
{
    const float r = size * 0.22f, inset = size * 0.03f, w = size - 2 * inset;
    float inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            float px = x + (sx + 0.5f) / 4 - inset, py = y + (sy + 0.5f) / 4 - inset;
            float dx = std::max({r - px, 0.f, px - (w - r)}), dy = std::max({r - py, 0.f, py - (w - r)});
            inside += px >= 0 && py >= 0 && px < w && py < w && std::hypot(dx, dy) <= r;
        }
    return inside / 16.f;
}

float PageCoverage(float x, float y, float size)
{
    const float left = size * 0.16f, right = size * 0.84f, top = size * 0.06f, bottom = size * 0.94f;
    const float fold = size * 0.22f;
    float inside = 0;
    for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
            float px = x + (sx + 0.5f) / 4, py = y + (sy + 0.5f) / 4;
            bool in = px >= left && px < right && py >= top && py < bottom && (px - (right - fold)) <= (py - top);
            inside += in;
        }
    return inside / 16.f;
}

void Strokes(Canvas& c, float s, float ox, float oy, float scale)
{
    auto X = [&](float v) { return ox + v * s * scale; };
    auto Y = [&](float v) { return oy + v * s * scale; };
    float width = std::max(1.f, s * scale);
    c.Stroke(X(4), Y(22), X(10), Y(12), X(18), Y(26), X(28), Y(12), 3.2f * width, 1.4f * width, Hex(0xE8A33D), 1.f);
    c.Stroke(X(4), Y(12), X(11), Y(4), X(18), Y(16), X(28), Y(6), 2.4f * width, 1.0f * width, Hex(0x2F6FB2), 1.f);
    c.SoftDab(X(24), Y(23), 3.4f * width, Hex(0xC8353A), 1.f, 0.75f);
}

bool ProgramIcon(const std::string& path)
{
    std::vector<Canvas> canvases;
    std::vector<std::vector<float>> coverages;
    const int sizes[] = {16, 32, 48, 256};
    canvases.reserve(4);
    coverages.reserve(4);
    for (int size : sizes) {
        const float s = size / 32.f;
        Canvas c(size, size);
        c.VerticalGradient(Hex(0xFBF7EE), Hex(0xE3D8C0));
        if (size >= 48)
            c.Noise(0.03f, 11);
        Strokes(c, s, 0, 0, 1.f);
        std::vector<float> coverage(size_t(size) * size);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                float a = TileCoverage(float(x), float(y), float(size));
                float rim = TileCoverage(float(x), float(y), float(size)) -
                            TileCoverage(float(x) - s * 0.8f, float(y) - s * 0.8f, float(size) - 1.6f * s);
                coverage[size_t(y) * size + x] = a;
                c.Blend(x, y, Hex(0x1F2A3A), std::clamp(rim, 0.f, 1.f) * 0.85f);
            }
        canvases.push_back(std::move(c));
        coverages.push_back(std::move(coverage));
    }
    std::vector<IconImage> images;
    for (size_t i = 0; i < canvases.size(); ++i)
        images.push_back({&canvases[i], &coverages[i]});
    return SaveIcon(images, path);
}

bool DocumentIcon(const std::string& path)
{
    std::vector<Canvas> canvases;
    std::vector<std::vector<float>> coverages;
    const int sizes[] = {16, 32, 48};
    canvases.reserve(3);
    coverages.reserve(3);
    for (int size : sizes) {
        const float s = size / 32.f;
        Canvas c(size, size, Hex(0xFFFFFF));
        Strokes(c, s, size * 0.18f, size * 0.28f, 0.64f);
        std::vector<float> coverage(size_t(size) * size);
        const float right = size * 0.84f, top = size * 0.06f, fold = size * 0.22f;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                float a = PageCoverage(float(x), float(y), float(size));
                coverage[size_t(y) * size + x] = a;
                float inner = PageCoverage(float(x) - s, float(y) - s, float(size) - 2 * s);
                c.Blend(x, y, Hex(0x5A6474), std::clamp(a - inner, 0.f, 1.f));
                // the folded corner
                float fx = x + 0.5f, fy = y + 0.5f;
                if (fx > right - fold && fy < top + fold && (fx - (right - fold)) <= (fy - top))
                    c.Set(x, y, Hex(0xD6DCE4));
            }
        canvases.push_back(std::move(c));
        coverages.push_back(std::move(coverage));
    }
    std::vector<IconImage> images;
    for (size_t i = 0; i < canvases.size(); ++i)
        images.push_back({&canvases[i], &coverages[i]});
    return SaveIcon(images, path);
}

}  // namespace

bool DrawPintaraArt(const std::string& dir)
{
    return ProgramIcon(dir + "/pintara.ico") && DocumentIcon(dir + "/document.ico");
}

}  // namespace assets
