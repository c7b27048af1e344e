// Rectangles of the document: left, top, right, bottom as signed 32-bit values.  Right and bottom are
// one past the last pixel, so a rectangle is empty when right <= left or bottom <= top.  Positions are
// document pixels unless a caller says otherwise (layer-relative, screen).
#pragma once
#include <algorithm>
#include <cstdint>

struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t Width() const { return right - left; }
    int32_t Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool operator==(const Rect&) const = default;
};

inline Rect MakeRect(int32_t x, int32_t y, int32_t w, int32_t h) { return Rect{x, y, x + w, y + h}; }

inline Rect Intersect(const Rect& a, const Rect& b)
{
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.Empty())
        return Rect{};
    return r;
}

// The smallest rectangle holding both; an empty operand does not count.
inline Rect Union(const Rect& a, const Rect& b)
{
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    return Rect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                std::max(a.bottom, b.bottom)};
}

inline Rect Offset(const Rect& r, int32_t dx, int32_t dy)
{
    return Rect{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

inline Rect Inflate(const Rect& r, int32_t by)
{
    return Rect{r.left - by, r.top - by, r.right + by, r.bottom + by};
}
