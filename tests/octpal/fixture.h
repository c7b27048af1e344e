// Small pictures in DIB layout for the colour reduction tests, and a node heap that counts and can
// be told to run dry.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <vector>

#include "octpal/octpal_core.h"

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A picture of `bpp` bits per pixel with rows padded to 4 bytes; row 0 is the first in memory.
struct Picture {
    int width, height, bpp;
    size_t stride;
    std::vector<uint8_t> bytes;
    OctPixels px{};

    Picture(int w, int h, int bitsPerPixel = 24)
        : width(w), height(h), bpp(bitsPerPixel), stride(size_t((w * bitsPerPixel + 31) / 32 * 4)),
          bytes(stride * size_t(h) + 1, 0)
    {
        px.bits = bytes.data();
        px.width = w;
        px.height = h;
        px.bitsPerPixel = bitsPerPixel;
    }
    uint8_t* At(int x, int row) { return bytes.data() + size_t(row) * stride + size_t(x) * size_t(bpp / 8); }
    void Set(int x, int row, Rgb c)
    {
        uint8_t* p = At(x, row);
        p[0] = c.b;
        p[1] = c.g;
        p[2] = c.r;
    }
    Rgb Get(int x, int row)
    {
        const uint8_t* p = At(x, row);
        return {p[2], p[1], p[0]};
    }
    void SetWord(int x, int row, uint32_t word)
    {
        uint8_t* p = At(x, row);
        for (int i = 0; i < bpp / 8; ++i)
            p[i] = uint8_t(word >> (8 * i));
    }
};

// A one-row 24-bit picture of the given colours, in order.
inline Picture Row(const std::vector<Rgb>& colours)
{
    Picture p(int(colours.size()), 1);
    for (size_t i = 0; i < colours.size(); ++i)
        p.Set(int(i), 0, colours[i]);
    return p;
}

inline std::vector<Rgb> Palette()
{
    std::vector<OctEntry> entries(OctLeafCount(), OctEntry{0, 0, 0, 0});
    OctCollectPalette(entries.data());
    std::vector<Rgb> out;
    for (const OctEntry& e : entries)
        out.push_back({e.red, e.green, e.blue});
    return out;
}

inline uint32_t Ref(Rgb c) { return c.r | (c.g << 8) | (uint32_t(c.b) << 16); }

inline std::vector<OctEntry> Entries(const std::vector<Rgb>& colours)
{
    std::vector<OctEntry> out;
    for (const Rgb& c : colours)
        out.push_back({c.r, c.g, c.b, 0});
    return out;
}

// Node heap for the tree: counts live blocks and their peak, and fails every request once `budget`
// blocks have been handed out (negative: never).
struct CountingHeap {
    static inline long live = 0, peak = 0, handed = 0, budget = -1;
    static void* Alloc(size_t size)
    {
        if (budget >= 0 && handed >= budget)
            return nullptr;
        ++handed;
        if (++live > peak)
            peak = live;
        return std::malloc(size);
    }
    static void Free(void* block)
    {
        if (block)
            --live;
        std::free(block);
    }
    explicit CountingHeap(long failAfter = -1)
    {
        live = peak = handed = 0;
        budget = failAfter;
        OctSetNodeHeap(Alloc, Free);
    }
    ~CountingHeap() { OctSetNodeHeap(nullptr, nullptr); }
};

inline std::ostream& operator<<(std::ostream& os, const Rgb& c)
{
    return os << "(" << int(c.r) << "," << int(c.g) << "," << int(c.b) << ")";
}
