// The 8-bit index-colour BMP: file header, 40-byte information header, the palette as blue, green,
// red, 0 and one index byte per pixel, rows padded to 4 bytes.  The pixel rows keep the source's memory
// order under a positive height, exactly as a bottom-up source is laid out.
#include <cstdlib>
#include <cstring>

#include "octpal/octree.h"
#include "octpal/picture.h"
#include "octpal/replace_file.h"

namespace {

constexpr uint32_t kHeadersSize = 14 + 40;

inline void Put16(uint8_t* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

inline void Put32(uint8_t* p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

}  // namespace

extern "C" int OctSaveIndexBmp(const OctPixels* pic, const char* path)
{
    size_t stride24 = 0;
    if (!pic || pic->bitsPerPixel != 24 || !octpic::Geometry(pic, &stride24) || !path || !*path ||
        !octree::HasTree())
        return 0;
    // An 8-bit file cannot name more than 256 colours; storing only the low byte of larger indices
    // would write a picture that is silently wrong.
    const uint32_t n = octree::LeafCount();
    if (n == 0 || n > 256)
        return 0;
    const uint64_t w = uint64_t(pic->width), h = uint64_t(pic->height);
    const uint64_t stride8 = (8 * w + 31) / 32 * 4;
    const uint64_t pixelBytes = stride8 * h;
    const uint64_t offset = kHeadersSize + 4ull * n;
    const uint64_t fileSize = offset + pixelBytes;
    if (fileSize > 0xFFFFFFFFull || fileSize > uint64_t(SIZE_MAX))
        return 0;

    auto* file = static_cast<uint8_t*>(std::calloc(size_t(fileSize), 1));
    auto* palette = static_cast<OctEntry*>(std::calloc(n, sizeof(OctEntry)));
    if (!file || !palette) {
        std::free(file);
        std::free(palette);
        return 0;
    }
    octree::Number(palette);

    uint8_t* hdr = file;
    Put16(hdr + 0, 0x4D42);
    Put32(hdr + 2, uint32_t(fileSize));
    Put32(hdr + 10, uint32_t(offset));
    uint8_t* info = file + 14;
    Put32(info + 0, 40);
    Put32(info + 4, uint32_t(w));
    Put32(info + 8, uint32_t(h));
    Put16(info + 12, 1);
    Put16(info + 14, 8);
    Put32(info + 20, uint32_t(pixelBytes));
    Put32(info + 32, n);
    uint8_t* table = file + kHeadersSize;
    for (uint32_t i = 0; i < n; ++i) {
        table[4 * i + 0] = palette[i].blue;
        table[4 * i + 1] = palette[i].green;
        table[4 * i + 2] = palette[i].red;
    }
    std::free(palette);

    const auto* src = static_cast<const uint8_t*>(pic->bits);
    uint8_t* dst = file + offset;
    for (uint64_t y = 0; y < h; ++y) {
        const uint8_t* s = src + size_t(y) * stride24;
        uint8_t* d = dst + size_t(y * stride8);
        for (uint64_t x = 0; x < w; ++x, s += 3)
            d[x] = uint8_t(octree::Nearest(s[2], s[1], s[0], nullptr));
    }

    const bool written = octfile::WriteReplacing(path, file, size_t(fileSize));
    std::free(file);
    return written ? 1 : 0;
}
