// The three ways of building the tree.  Each one starts from an empty library and, on any failure,
// leaves it empty again, so no caller ever sees a tree with a missing node.
#include <bit>

#include "octpal/octree.h"
#include "octpal/picture.h"

namespace {

// How one channel is cut out of a 16- or 32-bit pixel word.
struct Channel {
    uint32_t mask;
    int right;  // position of the mask's lowest bit
    int left;   // 16 bits: moves a short channel to the top of the byte; never negative
    int extra;  // 16 bits: a channel wider than 8 bits keeps its top 8 bits
};

Channel MakeChannel(uint32_t mask, bool scaleToByte)
{
    Channel c{mask, 0, 0, 0};
    if (!mask)
        return c;
    c.right = std::countr_zero(mask);
    if (scaleToByte) {
        const int bits = std::popcount(mask);
        if (bits <= 8)
            c.left = 8 - bits;
        else
            c.extra = bits - 8;
    }
    return c;
}

inline uint8_t Cut(uint32_t word, const Channel& c)
{
    return uint8_t((((word & c.mask) >> c.right) >> c.extra) << c.left);
}

// Inserts one colour and reduces until the tree is back within `maxColors` leaves.
bool Add(uint8_t r, uint8_t g, uint8_t b, uint32_t maxColors)
{
    if (!octree::Insert(r, g, b))
        return false;
    while (octree::LeafCount() > maxColors)
        if (!octree::ReduceOnce())
            return false;
    return true;
}

bool AddPixels(const OctPixels* src, size_t stride, uint32_t maxColors)
{
    const int bpp = src->bitsPerPixel;
    const bool masked = src->bitfields != 0;
    Channel ch[3];
    if (bpp == 16) {
        const uint32_t def[3] = {0x7C00, 0x03E0, 0x001F};
        for (int i = 0; i < 3; ++i)
            ch[i] = MakeChannel(masked ? src->masks[i] : def[i], true);
    } else if (bpp == 32) {
        const uint32_t def[3] = {0xFF0000, 0x00FF00, 0x0000FF};
        for (int i = 0; i < 3; ++i)
            ch[i] = MakeChannel(masked ? src->masks[i] : def[i], false);
    } else if (bpp != 24) {
        return false;
    }
    const auto* rows = static_cast<const uint8_t*>(src->bits);
    for (int32_t y = 0; y < src->height; ++y) {
        const uint8_t* p = rows + size_t(y) * stride;
        for (int32_t x = 0; x < src->width; ++x) {
            uint8_t r, g, b;
            if (bpp == 24) {
                b = p[0];
                g = p[1];
                r = p[2];
                p += 3;
            } else {
                uint32_t word;
                if (bpp == 16) {
                    word = uint32_t(p[0]) | (uint32_t(p[1]) << 8);
                    p += 2;
                } else {
                    word = uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) |
                           (uint32_t(p[3]) << 24);
                    p += 4;
                }
                r = Cut(word, ch[0]);
                g = Cut(word, ch[1]);
                b = Cut(word, ch[2]);
            }
            if (!Add(r, g, b, maxColors))
                return false;
        }
    }
    return true;
}

}  // namespace

extern "C" {

int OctBuildFromPixels(const OctPixels* src, uint32_t maxColors, uint32_t colorBits)
{
    octree::Clear();
    // A depth of 0 would make the root the only leaf and a limit of 0 could never be met: both are
    // refused rather than built into something no caller asked for.
    if (colorBits == 0 || colorBits > 8 || maxColors == 0)
        return 0;
    size_t stride = 0;
    if (!octpic::Geometry(src, &stride))
        return 0;
    octree::Begin(colorBits);
    if (!AddPixels(src, stride, maxColors) || octree::LeafCount() > maxColors) {
        octree::Clear();
        return 0;
    }
    octree::Number(nullptr);
    return 1;
}

int OctBuildBlackWhite(void)
{
    octree::Begin(1);
    if (!octree::Insert(255, 255, 255) || !octree::Insert(0, 0, 0)) {
        octree::Clear();
        return 0;
    }
    octree::Number(nullptr);
    return 1;
}

int OctBuildFromEntries(const OctEntry* entries, uint32_t count)
{
    octree::Begin(8);
    if (!entries || count == 0)
        return 0;
    for (uint32_t i = 0; i < count; ++i) {
        const OctEntry& e = entries[i];
        OctNode* leaf = octree::Insert(e.red, e.green, e.blue);
        if (!leaf) {
            octree::Clear();
            return 0;
        }
        if (leaf->pixelCount == 1) {
            leaf->paletteIndex = int32_t(i);
            leaf->color = octree::ColorRef(e.red, e.green, e.blue);
        }
    }
    return 1;
}

}  // extern "C"
