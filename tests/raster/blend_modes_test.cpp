#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "raster/blend_modes.h"

namespace {

// The W3C formulas in real numbers, channels 0..1, as the yardstick for the integer code.
struct F {
    double r, g, b;
};
double Lum(F c) { return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b; }
F Clip(F c)
{
    double l = Lum(c), n = std::min({c.r, c.g, c.b}), x = std::max({c.r, c.g, c.b});
    if (n < 0)
        c = {l + (c.r - l) * l / (l - n), l + (c.g - l) * l / (l - n), l + (c.b - l) * l / (l - n)};
    if (x > 1)
        c = {l + (c.r - l) * (1 - l) / (x - l), l + (c.g - l) * (1 - l) / (x - l), l + (c.b - l) * (1 - l) / (x - l)};
    return c;
}
F SetLum(F c, double l)
{
    double d = l - Lum(c);
    return Clip({c.r + d, c.g + d, c.b + d});
}
double Sat(F c) { return std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}); }
F SetSat(F c, double s)
{
    double* v[3] = {&c.r, &c.g, &c.b};
    std::sort(v, v + 3, [](double* a, double* b) { return *a < *b; });
    if (*v[2] > *v[0]) {
        *v[1] = (*v[1] - *v[0]) * s / (*v[2] - *v[0]);
        *v[2] = s;
    } else {
        *v[1] = *v[2] = 0;
    }
    *v[0] = 0;
    return c;
}
F Reference(int mode, F b, F s)
{
    auto sep = [&](double (*f)(double, double)) { return F{f(b.r, s.r), f(b.g, s.g), f(b.b, s.b)}; };
    switch (mode) {
    case 0: return s;
    case 1: return SetLum(SetSat(s, Sat(b)), Lum(b));
    case 2: return SetLum(SetSat(b, Sat(s)), Lum(b));
    case 3: return SetLum(s, Lum(b));
    case 4: return sep([](double x, double y) { return x + y - x * y; });
    case 5: return sep([](double x, double y) { return std::min(x, y); });
    case 6: return sep([](double x, double y) { return std::max(x, y); });
    default: return sep([](double x, double y) { return std::fabs(x - y); });
    }
}
F ToF(Colour c) { return {((c >> 16) & 0xFF) / 255.0, ((c >> 8) & 0xFF) / 255.0, (c & 0xFF) / 255.0}; }

}  // namespace

TEST(BlendModes, KnownValues)
{
    struct Case {
        int mode;
        Colour backdrop, source, expected;
    } cases[] = {
        {kBlendNormal, 0x102030, 0xA0B0C0, 0xA0B0C0},
        {kBlendScreen, 0x808080, 0x808080, 0xC0C0C0},
        {kBlendScreen, 0x000000, 0x123456, 0x123456},
        {kBlendDarken, 0x10F080, 0x80A0FF, 0x10A080},
        {kBlendLighten, 0x10F080, 0x80A0FF, 0x80F0FF},
        {kBlendDifference, 0x10F080, 0x80A0FF, 0x70507F},
        // a grey backdrop has no saturation to give a hue
        {kBlendHue, 0x808080, 0xFF0000, 0x808080},
        // a grey source takes all saturation away, keeping the backdrop's luminosity
        {kBlendSaturation, 0xC86432, 0x404040, 0x7D7D7D},
        {kBlendLuminosity, 0xFF0000, 0x404040, 0x4D4D4D},
        {kBlendLuminosity, 0xFFFFFF, 0x00FF00, 0xFFFFFF},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BlendColour(c.mode, c.backdrop, c.source), c.expected)
            << "mode " << c.mode << std::hex << " b " << c.backdrop << " s " << c.source;
    EXPECT_EQ(BlendColour(8, 0x111111, 0x222222), 0u);
}

TEST(BlendModes, FollowTheRealNumberFormulasWithinTwoSteps)
{
    const int levels[] = {0, 1, 37, 90, 128, 200, 254, 255};
    for (int mode = 0; mode < kBlendModeCount; ++mode)
        for (int br : levels) for (int bg : {0, 128, 255}) for (int bb : levels)
            for (int sr : {0, 60, 255}) for (int sg : levels) for (int sb : {0, 140, 255}) {
                Colour b = Colour(br << 16 | bg << 8 | bb), s = Colour(sr << 16 | sg << 8 | sb);
                Colour got = BlendColour(mode, b, s);
                F want = Reference(mode, ToF(b), ToF(s));
                double w[3] = {want.r, want.g, want.b};
                for (int ch = 0; ch < 3; ++ch) {
                    int g = static_cast<int>((got >> (16 - 8 * ch)) & 0xFF);
                    ASSERT_LE(std::fabs(g - w[ch] * 255.0), 2.5)
                        << "mode " << mode << std::hex << " b " << b << " s " << s << " got " << got;
                }
            }
}
