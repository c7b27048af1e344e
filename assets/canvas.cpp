#include "assets/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>

#include "raster/bmp_file.h"

namespace assets {

RGB Hex(uint32_t v) { return {float((v >> 16) & 255) / 255.f, float((v >> 8) & 255) / 255.f, float(v & 255) / 255.f}; }

RGB Mix(RGB a, RGB b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Canvas::Canvas(int width, int height, RGB fill) : w_(width), h_(height), px_(size_t(width) * height, fill) {}

RGB Canvas::Get(int x, int y) const
{
    x = std::clamp(x, 0, w_ - 1);
    y = std::clamp(y, 0, h_ - 1);
    return px_[size_t(y) * w_ + x];
}

void Canvas::Set(int x, int y, RGB c)
{
    if (x >= 0 && y >= 0 && x < w_ && y < h_)
        px_[size_t(y) * w_ + x] = c;
}

void Canvas::Blend(int x, int y, RGB c, float a)
{
    if (wrap_) {
        x = ((x % w_) + w_) % w_;
        y = ((y % h_) + h_) % h_;
    }
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || a <= 0)
        return;
    a = std::min(a, 1.f);
    RGB& p = px_[size_t(y) * w_ + x];
    p = Mix(p, c, a);
}

void Canvas::VerticalGradient(RGB top, RGB bottom)
{
    for (int y = 0; y < h_; ++y) {
        RGB c = Mix(top, bottom, h_ > 1 ? float(y) / float(h_ - 1) : 0.f);
        for (int x = 0; x < w_; ++x)
            px_[size_t(y) * w_ + x] = c;
    }
}

void Canvas::SoftDab(float cx, float cy, float radius, RGB c, float opacity, float hardness)
{
    int x0 = int(std::floor(cx - radius - 1)), x1 = int(std::ceil(cx + radius + 1));
    int y0 = int(std::floor(cy - radius - 1)), y1 = int(std::ceil(cy + radius + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / std::max(radius, 0.5f);
            if (d >= 1.f)
                continue;
            float edge = d < hardness ? 1.f : 1.f - (d - hardness) / (1.f - hardness);
            Blend(x, y, c, opacity * edge * edge * (3 - 2 * edge));
        }
}

void Canvas::Stroke(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3, float r0,
                    float r1, RGB c, float opacity)
{
    float len = std::hypot(x1 - x0, y1 - y0) + std::hypot(x2 - x1, y2 - y1) + std::hypot(x3 - x2, y3 - y2);
    int steps = std::max(2, int(len / std::max(0.5f, std::min(r0, r1) * 0.25f)));
    for (int i = 0; i <= steps; ++i) {
        float t = float(i) / float(steps), u = 1 - t;
        float x = u * u * u * x0 + 3 * u * u * t * x1 + 3 * u * t * t * x2 + t * t * t * x3;
        float y = u * u * u * y0 + 3 * u * u * t * y1 + 3 * u * t * t * y2 + t * t * t * y3;
        // dabs overlap heavily, so each carries a small share of the stroke's opacity
        SoftDab(x, y, r0 + (r1 - r0) * t, c, opacity * 0.18f, 0.6f);
    }
}

void Canvas::RoundedBox(float x, float y, float w, float h, float radius, RGB c, float opacity)
{
    for (int py = int(y) - 1; py <= int(y + h) + 1; ++py)
        for (int px = int(x) - 1; px <= int(x + w) + 1; ++px) {
            float fx = px + 0.5f, fy = py + 0.5f;
            float dx = std::max({x + radius - fx, 0.f, fx - (x + w - radius)});
            float dy = std::max({y + radius - fy, 0.f, fy - (y + h - radius)});
            float d = std::hypot(dx, dy) - radius;  // signed distance to the rounded edge
            float a = std::clamp(0.5f - d, 0.f, 1.f);
            if (fx < x - 1 || fx > x + w + 1 || fy < y - 1 || fy > y + h + 1)
                a = 0;
            Blend(px, py, c, a * opacity);
        }
}

void Canvas::Noise(float amount, uint32_t seed)
{
    uint32_t s = seed ? seed : 1;
    for (auto& p : px_) {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        float n = (float(s & 0xFFFF) / 65535.f - 0.5f) * amount;
        p = {p.r + n, p.g + n, p.b + n};
    }
}

namespace {

// 5×7 glyphs, one byte per row, bit 4 the left column.
struct Glyph {
    char ch;
    uint8_t rows[7];
};
constexpr Glyph kFont[] = {
    {'A', {0x0E, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}}, {'B', {0x1E, 0x11, 0x11, 0x1E, 0x11, 0x11, 0x1E}},
    {'C', {0x0E, 0x11, 0x10, 0x10, 0x10, 0x11, 0x0E}}, {'D', {0x1E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x1E}},
    {'E', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x1F}}, {'F', {0x1F, 0x10, 0x10, 0x1E, 0x10, 0x10, 0x10}},
    {'G', {0x0E, 0x11, 0x10, 0x17, 0x11, 0x11, 0x0F}}, {'H', {0x11, 0x11, 0x11, 0x1F, 0x11, 0x11, 0x11}},
    {'I', {0x0E, 0x04, 0x04, 0x04, 0x04, 0x04, 0x0E}}, {'J', {0x07, 0x02, 0x02, 0x02, 0x02, 0x12, 0x0C}},
    {'K', {0x11, 0x12, 0x14, 0x18, 0x14, 0x12, 0x11}}, {'L', {0x10, 0x10, 0x10, 0x10, 0x10, 0x10, 0x1F}},
    {'M', {0x11, 0x1B, 0x15, 0x15, 0x11, 0x11, 0x11}}, {'N', {0x11, 0x11, 0x19, 0x15, 0x13, 0x11, 0x11}},
    {'O', {0x0E, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'P', {0x1E, 0x11, 0x11, 0x1E, 0x10, 0x10, 0x10}},
    {'Q', {0x0E, 0x11, 0x11, 0x11, 0x15, 0x12, 0x0D}}, {'R', {0x1E, 0x11, 0x11, 0x1E, 0x14, 0x12, 0x11}},
    {'S', {0x0F, 0x10, 0x10, 0x0E, 0x01, 0x01, 0x1E}}, {'T', {0x1F, 0x04, 0x04, 0x04, 0x04, 0x04, 0x04}},
    {'U', {0x11, 0x11, 0x11, 0x11, 0x11, 0x11, 0x0E}}, {'V', {0x11, 0x11, 0x11, 0x11, 0x11, 0x0A, 0x04}},
    {'W', {0x11, 0x11, 0x11, 0x15, 0x15, 0x15, 0x0A}}, {'X', {0x11, 0x11, 0x0A, 0x04, 0x0A, 0x11, 0x11}},
    {'Y', {0x11, 0x11, 0x0A, 0x04, 0x04, 0x04, 0x04}}, {'Z', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x10, 0x1F}},
    {'0', {0x0E, 0x11, 0x13, 0x15, 0x19, 0x11, 0x0E}}, {'1', {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E}},
    {'2', {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F}}, {'3', {0x1F, 0x02, 0x04, 0x02, 0x01, 0x11, 0x0E}},
    {'4', {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02}}, {'5', {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E}},
    {'6', {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E}}, {'7', {0x1F, 0x01, 0x02, 0x04, 0x08, 0x08, 0x08}},
    {'8', {0x0E, 0x11, 0x11, 0x0E, 0x11, 0x11, 0x0E}}, {'9', {0x0E, 0x11, 0x11, 0x0F, 0x01, 0x02, 0x0C}},
    {'.', {0, 0, 0, 0, 0, 0x0C, 0x0C}},               {',', {0, 0, 0, 0, 0x0C, 0x04, 0x08}},
    {'-', {0, 0, 0, 0x1F, 0, 0, 0}},                  {'!', {0x04, 0x04, 0x04, 0x04, 0x04, 0, 0x04}},
    {'?', {0x0E, 0x11, 0x01, 0x02, 0x04, 0, 0x04}},   {'\'', {0x04, 0x04, 0x08, 0, 0, 0, 0}},
    {':', {0, 0x0C, 0x0C, 0, 0x0C, 0x0C, 0}},         {'/', {0x01, 0x01, 0x02, 0x04, 0x08, 0x10, 0x10}},
    {'(', {0x02, 0x04, 0x08, 0x08, 0x08, 0x04, 0x02}}, {')', {0x08, 0x04, 0x02, 0x02, 0x02, 0x04, 0x08}},
    {'%', {0x18, 0x19, 0x02, 0x04, 0x08, 0x13, 0x03}}, {'+', {0, 0x04, 0x04, 0x1F, 0x04, 0x04, 0}},
};

const Glyph* FindGlyph(char ch)
{
    if (ch >= 'a' && ch <= 'z')
        ch = char(ch - 'a' + 'A');
    for (const auto& g : kFont)
        if (g.ch == ch)
            return &g;
    return nullptr;
}

}  // namespace

float Canvas::TextWidth(const std::string& text, float scale) { return float(text.size()) * 6.f * scale - scale; }

void Canvas::Text(float x, float y, const std::string& text, float scale, RGB c, float opacity)
{
    for (size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = FindGlyph(text[i]);
        if (!g)
            continue;
        float gx = x + float(i) * 6.f * scale;
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < 5; ++col)
                if (g->rows[row] & (0x10 >> col))
                    RoundedBox(gx + col * scale - 0.3f, y + row * scale - 0.3f, scale + 0.6f, scale + 0.6f,
                               scale * 0.12f, c, opacity);
    }
}

Bitmap* Canvas::ToBitmap(const std::vector<float>* mask) const
{
    Bitmap* b = NewRGBPic(w_, h_);
    if (!b)
        return nullptr;
    auto byte = [](float v) { return uint8_t(std::clamp(v, 0.f, 1.f) * 255.f + 0.5f); };
    for (int y = 0; y < h_; ++y) {
        uint8_t* row = PicRow(b, y);
        for (int x = 0; x < w_; ++x) {
            const RGB& p = px_[size_t(y) * w_ + x];
            uint8_t* d = row + x * 3;
            if (mask && (*mask)[size_t(y) * w_ + x] <= 0.f) {
                d[0] = 255, d[1] = 0, d[2] = 255;
                continue;
            }
            d[0] = byte(p.b), d[1] = byte(p.g), d[2] = byte(p.r);
            if (mask && d[0] == 255 && d[1] == 0 && d[2] == 255)
                d[1] = 1;  // keep an opaque pixel from reading as see-through
        }
    }
    return b;
}

bool Save(const Bitmap* bitmap, const std::string& dir, const std::string& name)
{
    std::error_code ec;
    std::filesystem::path path = std::filesystem::path(dir) / name;
    std::filesystem::create_directories(path.parent_path(), ec);
    return bitmap && PT_PutBITMAPFile(bitmap, path.string().c_str()) == 1;
}

}  // namespace assets
