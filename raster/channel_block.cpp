// Splitting a 32-bit bitmap into its four channel planes and joining decoded planes back into one.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "raster/channel.h"
#include "raster/channel_coder.h"

namespace {

// Fixed-size inner loops: the compiler turns these into vector shuffles without being asked for
// costlier optimisation, which makes splitting and joining run near memory speed.
constexpr size_t kGroup = 16;

template <size_t N>
void SplitPixels(const uint8_t* __restrict src, uint8_t* __restrict b, uint8_t* __restrict g,
                 uint8_t* __restrict r, uint8_t* __restrict a)
{
    for (size_t x = 0; x < N; ++x) {
        uint32_t v;
        std::memcpy(&v, src + 4 * x, 4);
        b[x] = static_cast<uint8_t>(v);
        g[x] = static_cast<uint8_t>(v >> 8);
        r[x] = static_cast<uint8_t>(v >> 16);
        a[x] = static_cast<uint8_t>(v >> 24);
    }
}

template <size_t N>
void PickChannel(const uint8_t* __restrict src, unsigned shift, uint8_t* __restrict out)
{
    for (size_t x = 0; x < N; ++x) {
        uint32_t v;
        std::memcpy(&v, src + 4 * x, 4);
        out[x] = static_cast<uint8_t>(v >> shift);
    }
}

template <size_t N>
void JoinPixels(uint8_t* __restrict dst, const uint8_t* __restrict b, const uint8_t* __restrict g,
                const uint8_t* __restrict r, const uint8_t* __restrict a)
{
    for (size_t x = 0; x < N; ++x) {
        const uint32_t v = uint32_t(b[x]) | uint32_t(g[x]) << 8 | uint32_t(r[x]) << 16 | uint32_t(a[x]) << 24;
        std::memcpy(dst + 4 * x, &v, 4);
    }
}

uint32_t Get32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

}  // namespace

int NewChannelBlock(ChannelBlock* block, int32_t width, int32_t height)
{
    if (!block)
        return 0;
    *block = ChannelBlock{};
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return 0;
    block->width = width;
    block->height = height;
    for (auto& plane : block->plane) {
        plane = static_cast<uint8_t*>(std::malloc(ChannelPlaneBytes(block)));
        if (!plane) {
            FreeChannelBlock(block);
            return 0;
        }
    }
    return 1;
}

void FreeChannelBlock(ChannelBlock* block)
{
    if (!block)
        return;
    for (auto& plane : block->plane)
        std::free(plane);
    *block = ChannelBlock{};
}

int GetChannelBlock(const Bitmap* bitmap, ChannelBlock* block)
{
    if (block)
        *block = ChannelBlock{};
    if (!bitmap || !bitmap->bits || bitmap->bitsPerPixel != 32)
        return 0;
    if (!NewChannelBlock(block, bitmap->width, bitmap->height))
        return 0;
    const size_t w = static_cast<size_t>(bitmap->width);
    uint8_t* b = block->plane[0];
    uint8_t* g = block->plane[1];
    uint8_t* r = block->plane[2];
    uint8_t* a = block->plane[3];
    for (int32_t y = 0; y < bitmap->height; ++y) {
        const uint8_t* src = bitmap->bits + static_cast<size_t>(y) * static_cast<size_t>(bitmap->stride);
        size_t x = 0;
        for (; x + kGroup <= w; x += kGroup)
            SplitPixels<kGroup>(src + 4 * x, b + x, g + x, r + x, a + x);
        for (; x < w; ++x)
            SplitPixels<1>(src + 4 * x, b + x, g + x, r + x, a + x);
        b += w;
        g += w;
        r += w;
        a += w;
    }
    return 1;
}

size_t CodeBitmapChannel(const Bitmap* bitmap, int channel, uint8_t* out)
{
    if (!bitmap || !bitmap->bits || !out || bitmap->bitsPerPixel != 32 || channel < 0 || channel >= kChannelCount ||
        bitmap->width <= 0 || bitmap->height <= 0 || bitmap->width > kMaxBitmapSide || bitmap->height > kMaxBitmapSide)
        return 0;
    const size_t w = static_cast<size_t>(bitmap->width);
    raster_detail::ChannelCoder coder(out, static_cast<uint32_t>(w * static_cast<size_t>(bitmap->height)));
    // Each piece of a row goes through a small plane that stays in the cache, so no plane of the
    // layer's size is ever written.
    constexpr size_t kPiece = 2048;
    uint8_t piece[kPiece];
    const unsigned shift = 8u * static_cast<unsigned>(channel);
    for (int32_t y = 0; y < bitmap->height; ++y) {
        const uint8_t* src = bitmap->bits + static_cast<size_t>(y) * static_cast<size_t>(bitmap->stride);
        for (size_t x0 = 0; x0 < w; x0 += kPiece) {
            const size_t m = std::min(kPiece, w - x0);
            size_t x = 0;
            for (; x + kGroup <= m; x += kGroup)
                PickChannel<kGroup>(src + 4 * (x0 + x), shift, piece + x);
            for (; x < m; ++x)
                PickChannel<1>(src + 4 * (x0 + x), shift, piece + x);
            coder.Feed(piece, m);
        }
    }
    return coder.Finish();
}

Bitmap* CreateBitmapfromChannelBlock(const ChannelBlock* block, const uint8_t* imageHeader,
                                     size_t headerBytes)
{
    if (!block || !imageHeader || headerBytes < 40)
        return nullptr;
    for (const uint8_t* plane : block->plane)
        if (!plane)
            return nullptr;
    const int32_t width = static_cast<int32_t>(Get32(imageHeader + 4));
    const int32_t height = static_cast<int32_t>(Get32(imageHeader + 8));
    const uint32_t planesAndDepth = Get32(imageHeader + 12);
    if (Get32(imageHeader) != 40 || planesAndDepth != (1u | 32u << 16) || width != block->width ||
        height != block->height)
        return nullptr;
    Bitmap* bitmap = NewRGBAPic(width, height);
    if (!bitmap)
        return nullptr;
    const size_t w = static_cast<size_t>(width);
    const uint8_t* b = block->plane[0];
    const uint8_t* g = block->plane[1];
    const uint8_t* r = block->plane[2];
    const uint8_t* a = block->plane[3];
    for (int32_t y = 0; y < height; ++y) {
        uint8_t* dst = bitmap->bits + static_cast<size_t>(y) * static_cast<size_t>(bitmap->stride);
        size_t x = 0;
        for (; x + kGroup <= w; x += kGroup)
            JoinPixels<kGroup>(dst + 4 * x, b + x, g + x, r + x, a + x);
        for (; x < w; ++x)
            JoinPixels<1>(dst + 4 * x, b + x, g + x, r + x, a + x);
        b += w;
        g += w;
        r += w;
        a += w;
    }
    return bitmap;
}
