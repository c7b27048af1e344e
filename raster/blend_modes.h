// Layer blend modes and their arithmetic.
//
// The numbers are those stored with every layer and offered in the layer box, in this order.  Each
// mode gives the mixed colour B(backdrop, source) of the W3C Compositing and Blending Level 1
// formulas; the result is then laid source-over with the source alpha times the opacity (see
// BlockBlt in block_ops.h).  The separable modes are exact integer
// arithmetic; hue, saturation and luminosity are computed in single-precision floats with
// luminosity weights 0.30, 0.59 and 0.11, then rounded.
#pragma once
#include <cstdint>

#include "raster/bitmap.h"

enum BlendMode : int32_t {
    kBlendNormal = 0,
    kBlendHue = 1,
    kBlendSaturation = 2,
    kBlendLuminosity = 3,
    kBlendScreen = 4,
    kBlendDarken = 5,
    kBlendLighten = 6,
    kBlendDifference = 7,
};
constexpr int32_t kBlendModeCount = 8;

// The mixed colour of one backdrop and one source colour in a mode (0 for an unknown mode), before
// any alpha is applied.  Colours are 0x00RRGGBB.
Colour BlendColour(int32_t mode, Colour backdrop, Colour source);
