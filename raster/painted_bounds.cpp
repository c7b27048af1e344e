// Scanning for the painted box.  Only what can still widen the box is read: every row must be read
// until its first painted pixel, but once a box is known a row is read only left of it and right of
// it, so a layer painted edge to edge costs a few pixels per row.  Pixels are tested four at a time,
// two 64-bit words against the alpha bytes.
#include "raster/painted_bounds.h"

#include <cstring>

namespace {

constexpr uint64_t kAlphas = 0xFF000000FF000000ull;

bool AnyPainted4(const uint8_t* p)
{
    uint64_t a, b;
    std::memcpy(&a, p, 8);
    std::memcpy(&b, p + 8, 8);
    return ((a | b) & kAlphas) != 0;
}

// First painted x in [from, to) of a row, or to.
int32_t FirstPainted(const uint8_t* row, int32_t from, int32_t to)
{
    int32_t x = from;
    while (x + 4 <= to && !AnyPainted4(row + 4 * x))
        x += 4;
    while (x < to && row[4 * x + 3] == 0)
        ++x;
    return x;
}

// Last painted x in [from, to) of a row, or from - 1.
int32_t LastPainted(const uint8_t* row, int32_t from, int32_t to)
{
    int32_t x = to;
    while (x - 4 >= from && !AnyPainted4(row + 4 * (x - 4)))
        x -= 4;
    while (x > from && row[4 * (x - 1) + 3] == 0)
        --x;
    return x - 1;
}

}  // namespace

int PaintedBounds(const Bitmap* bitmap, PicRect* box)
{
    if (!bitmap || !bitmap->bits || bitmap->bitsPerPixel != 32 || !box || bitmap->width <= 0 || bitmap->height <= 0)
        return 0;
    const int32_t w = bitmap->width, h = bitmap->height;
    int32_t top = 0;
    while (top < h && FirstPainted(PicRow(bitmap, top), 0, w) == w)
        ++top;
    if (top == h)
        return 0;
    int32_t bottom = h - 1;
    while (FirstPainted(PicRow(bitmap, bottom), 0, w) == w)
        --bottom;
    // The top row holds a painted pixel, so after it left <= right.
    int32_t left = w, right = -1;
    for (int32_t y = top; y <= bottom; ++y) {
        const uint8_t* row = PicRow(bitmap, y);
        const int32_t first = FirstPainted(row, 0, left);
        if (first < left)
            left = first;
        const int32_t last = LastPainted(row, right + 1 > left ? right + 1 : left, w);
        if (last > right)
            right = last;
    }
    *box = PicRect{left, top, right + 1, bottom + 1};
    return 1;
}
