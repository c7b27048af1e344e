// Rectangles and sizes the raster operations take.
//
// A PicRect is left, top, right, bottom in pixels with y growing downwards (0 is the top line of a
// picture); right and bottom are exclusive, as in a Windows RECT, so the width is right - left.
#pragma once
#include <cstdint>

struct PicRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
};

struct PicSize {
    int32_t width = 0;
    int32_t height = 0;
};
