#include "raster/blend_modes.h"

#include "raster/blend_pixel.h"

namespace {

blend::Rgb Split(Colour c)
{
    return {static_cast<int32_t>((c >> 16) & 0xFF), static_cast<int32_t>((c >> 8) & 0xFF),
            static_cast<int32_t>(c & 0xFF)};
}

Colour Join(const blend::Rgb& c)
{
    return (static_cast<Colour>(c.r) << 16) | (static_cast<Colour>(c.g) << 8) | static_cast<Colour>(c.b);
}

}  // namespace

Colour BlendColour(int32_t mode, Colour backdrop, Colour source)
{
    blend::Rgb cb = Split(backdrop);
    blend::Rgb cs = Split(source);
    switch (mode) {
    case kBlendNormal: return Join(blend::Mix<kBlendNormal>(cb, cs));
    case kBlendHue: return Join(blend::Mix<kBlendHue>(cb, cs));
    case kBlendSaturation: return Join(blend::Mix<kBlendSaturation>(cb, cs));
    case kBlendLuminosity: return Join(blend::Mix<kBlendLuminosity>(cb, cs));
    case kBlendScreen: return Join(blend::Mix<kBlendScreen>(cb, cs));
    case kBlendDarken: return Join(blend::Mix<kBlendDarken>(cb, cs));
    case kBlendLighten: return Join(blend::Mix<kBlendLighten>(cb, cs));
    case kBlendDifference: return Join(blend::Mix<kBlendDifference>(cb, cs));
    default: return 0;
    }
}
