// A small floating-point drawing surface for the data-file generator: gradients, soft dabs, brush
// strokes along curves, rounded boxes, noise and a pixel font, then out to a raster bitmap.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "raster/bitmap.h"

namespace assets {

struct RGB {
    float r = 0, g = 0, b = 0;
};
RGB Hex(uint32_t rrggbb);
RGB Mix(RGB a, RGB b, float t);

class Canvas {
public:
    Canvas(int width, int height, RGB fill = {});
    int width() const { return w_; }
    int height() const { return h_; }

    RGB Get(int x, int y) const;
    void Set(int x, int y, RGB c);
    // Blends colour c over pixel (x, y) with coverage a (0..1); outside the canvas nothing happens.
    void Blend(int x, int y, RGB c, float a);
    // With wrap set, every primitive wraps around the edges, for seamless tiles.
    void SetWrap(bool wrap) { wrap_ = wrap; }

    void VerticalGradient(RGB top, RGB bottom);
    void SoftDab(float cx, float cy, float radius, RGB c, float opacity, float hardness = 0.5f);
    // A brush stroke along a cubic Bézier curve, radius tapering from r0 to r1.
    void Stroke(float x0, float y0, float x1, float y1, float x2, float y2, float x3, float y3, float r0,
                float r1, RGB c, float opacity);
    void RoundedBox(float x, float y, float w, float h, float radius, RGB c, float opacity);
    void Noise(float amount, uint32_t seed);
    // Text in the built-in 5×7 pixel font, each font pixel drawn as a soft square of size scale.
    void Text(float x, float y, const std::string& text, float scale, RGB c, float opacity);
    static float TextWidth(const std::string& text, float scale);

    // 24-bit bitmap; where mask is given, pixels whose mask is 0 become pure magenta (see-through).
    Bitmap* ToBitmap(const std::vector<float>* mask = nullptr) const;

private:
    int w_, h_;
    bool wrap_ = false;
    std::vector<RGB> px_;
};

// Writes a bitmap to dir/name, creating folders; false on failure.
bool Save(const Bitmap* bitmap, const std::string& dir, const std::string& name);

}  // namespace assets
