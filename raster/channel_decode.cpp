// Decoding a coded plane straight into one channel of a 32-bit bitmap (format in channel.h).
//
// Loading a large layer this way touches the layer's bitmap and the coded bytes only: no plane of the
// layer's size is made and no second pass joins planes into pixels.  Tokens run across row ends, so
// each one is cut at the end of the bitmap's row and goes on at the start of the next.
#include <algorithm>
#include <cstring>

#include "raster/channel.h"
#include "raster/channel_coder.h"

namespace {

// Fixed-size groups let the compiler use wide stores for the strided bytes.
constexpr size_t kGroup = 16;

template <size_t N>
void ScatterBytes(const uint8_t* __restrict src, uint8_t* __restrict dst)
{
    for (size_t x = 0; x < N; ++x)
        dst[4 * x] = src[x];
}

template <size_t N>
void FillBytes(uint8_t v, uint8_t* __restrict dst)
{
    for (size_t x = 0; x < N; ++x)
        dst[4 * x] = v;
}

// Where the next plane byte goes: a byte of channel `channel` in row `y` at column `x`.
class ChannelCursor {
public:
    ChannelCursor(Bitmap* b, int channel) : bitmap_(b), width_(static_cast<size_t>(b->width))
    {
        row_ = b->bits + channel;
    }

    // The caller has checked that n bytes are still to come in the plane.
    void Copy(const uint8_t* src, size_t n)
    {
        while (n > 0) {
            const size_t m = std::min(n, width_ - x_);
            uint8_t* dst = row_ + 4 * x_;
            size_t k = 0;
            for (; k + kGroup <= m; k += kGroup)
                ScatterBytes<kGroup>(src + k, dst + 4 * k);
            for (; k < m; ++k)
                dst[4 * k] = src[k];
            src += m;
            n -= m;
            Advance(m);
        }
    }

    void Fill(uint8_t v, size_t n)
    {
        while (n > 0) {
            const size_t m = std::min(n, width_ - x_);
            uint8_t* dst = row_ + 4 * x_;
            size_t k = 0;
            for (; k + kGroup <= m; k += kGroup)
                FillBytes<kGroup>(v, dst + 4 * k);
            for (; k < m; ++k)
                dst[4 * k] = v;
            n -= m;
            Advance(m);
        }
    }

private:
    void Advance(size_t m)
    {
        x_ += m;
        // The cursor never steps past the last row: every token is bounded by the bytes still to come.
        if (x_ == width_ && y_ + 1 < bitmap_->height) {
            x_ = 0;
            ++y_;
            row_ += bitmap_->stride;
        }
    }

    Bitmap* bitmap_;
    size_t width_;
    uint8_t* row_;
    int32_t y_ = 0;
    size_t x_ = 0;
};

}  // namespace

int DecodeBitmapChannel(std::span<const uint8_t> coded, Bitmap* bitmap, int channel)
{
    if (!bitmap || !bitmap->bits || bitmap->bitsPerPixel != 32 || channel < 0 || channel >= kChannelCount ||
        bitmap->width <= 0 || bitmap->height <= 0 || bitmap->width > kMaxBitmapSide ||
        bitmap->height > kMaxBitmapSide || bitmap->stride < 4 * bitmap->width)
        return 0;
    const uint64_t planeBytes = static_cast<uint64_t>(bitmap->width) * static_cast<uint64_t>(bitmap->height);
    ChannelCursor out(bitmap, channel);
    return raster_detail::DecodeChannelTokens(coded, planeBytes, out);
}
