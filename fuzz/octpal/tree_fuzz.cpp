// Arbitrary pictures through the tree: any depth, any bit-field masks, any colour limit.  Whatever
// the input, a build either fails leaving no tree or keeps within its limit, every lookup lands in the
// palette, and diffusion stays inside the picture.
//
// Input: width, height (1 byte each), bits per pixel selector, bit-field flag, three 32-bit masks,
// colour limit, depth, then pixel bytes (repeated to fill the picture).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "octpal/octpal_core.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 19)
        return 0;
    auto u32 = [data](size_t at) {
        return uint32_t(data[at]) | (uint32_t(data[at + 1]) << 8) | (uint32_t(data[at + 2]) << 16) |
               (uint32_t(data[at + 3]) << 24);
    };
    const int width = data[0] % 64, height = data[1] % 64;
    static const int depths[] = {1, 4, 8, 16, 24, 32, 24, 16};
    const int bpp = depths[data[2] % 8];
    OctPixels px{};
    px.width = width;
    px.height = height;
    px.bitsPerPixel = bpp;
    px.bitfields = data[3] & 1;
    for (int i = 0; i < 3; ++i)
        px.masks[i] = u32(4 + 4 * size_t(i));
    const uint32_t maxColors = data[16] == 255 ? 100000u : data[16];
    const uint32_t colorBits = data[17] % 10;
    const uint8_t* pixels = data + 18;
    const size_t available = size - 18;

    const size_t stride = size_t((width * bpp + 31) / 32 * 4);
    std::vector<uint8_t> bytes(stride * size_t(height) + 1);
    for (size_t i = 0; i + 1 < bytes.size(); ++i)
        bytes[i] = pixels[i % available];
    px.bits = bytes.data();

    const int built = OctBuildFromPixels(&px, maxColors, colorBits);
    const uint32_t n = OctLeafCount();
    if (!built) {
        if (n != 0 || OctNearestIndex(0, nullptr) != -1)
            std::abort();
        return 0;
    }
    if (n == 0 || n > maxColors)
        std::abort();
    std::vector<OctEntry> palette(n);
    OctCollectPalette(palette.data());
    for (size_t i = 0; i < available; i += 3) {
        uint32_t colour = 0;
        const uint32_t query = pixels[i] | (pixels[(i + 1) % available] << 8) |
                               (uint32_t(pixels[(i + 2) % available]) << 16);
        const int32_t index = OctNearestIndex(query, &colour);
        if (index < 0 || uint32_t(index) >= n)
            std::abort();
        const OctEntry& e = palette[size_t(index)];
        if (colour != (e.red | (e.green << 8) | (uint32_t(e.blue) << 16)))
            std::abort();
    }
    if (bpp == 24) {
        const uint8_t guard = bytes.back();
        if (!OctDither(&px) || bytes.back() != guard)
            std::abort();
    }
    OctRelease();
    return 0;
}
