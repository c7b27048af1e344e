// Checks on the pictures handed to the library: a picture is usable when it has pixels, a supported
// depth and a row layout whose total size can be addressed.
#pragma once
#include <cstddef>
#include <cstdint>

#include "octpal/octpal_core.h"

namespace octpic {

// Bytes per row of a DIB: ((width * bits + 31) / 32) * 4.  Fills `stride` and returns true when the
// picture has memory, a positive size and stride * height fits the address space.
bool Geometry(const OctPixels* pic, size_t* stride);

}  // namespace octpic
