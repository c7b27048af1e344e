// The run-length coding of channel planes (format in channel.h).
//
// Both directions are on the save and load path of large documents, so they work on whole spans:
// the coder looks for runs eight bytes at a time and copies everything between them with memcpy, the
// decoder emits each token with one memcpy or memset.  The coder takes a plane in pieces (see
// channel_coder.h); a whole plane is one piece.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "raster/channel.h"
#include "raster/channel_coder.h"

namespace {

using raster_detail::kMaxLengthBytes;
using raster_detail::kPlaneHeaderBytes;

uint64_t Load64(const uint8_t* p)
{
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

uint8_t* PutToken(uint8_t* out, unsigned kind, size_t length)
{
    uint64_t rest = length - 1;
    uint8_t first = static_cast<uint8_t>(kind | ((rest & 63) << 1));
    rest >>= 6;
    if (rest)
        first |= 0x80;
    *out++ = first;
    while (rest) {
        uint8_t b = rest & 127;
        rest >>= 7;
        *out++ = static_cast<uint8_t>(rest ? b | 0x80 : b);
    }
    return out;
}

// Size of the token for a length.
size_t TokenBytes(size_t length)
{
    size_t bytes = 1;
    for (uint64_t rest = (length - 1) >> 6; rest; rest >>= 7)
        ++bytes;
    return bytes;
}

// Eight equal bytes.
bool Uniform(uint64_t w) { return ((w ^ (w >> 8)) & 0x00FFFFFFFFFFFFFFull) == 0; }

bool PlaneSize(int32_t width, int32_t height, size_t* bytes)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return false;
    *bytes = static_cast<size_t>(width) * static_cast<size_t>(height);
    return true;
}

}  // namespace

namespace raster_detail {

ChannelCoder::ChannelCoder(uint8_t* out, uint32_t planeBytes) : start_(out), out_(out + kPlaneHeaderBytes)
{
    for (size_t k = 0; k < kPlaneHeaderBytes; ++k)
        out[k] = static_cast<uint8_t>(planeBytes >> (8 * k));
}

void ChannelCoder::AppendLiteral(const uint8_t* p, size_t n)
{
    if (n == 0)
        return;
    const size_t room = TokenBytes(literal_ + n);
    if (room != gap_) {
        std::memmove(out_ + room, out_ + gap_, literal_);
        gap_ = room;
    }
    std::memcpy(LiteralEnd(), p, n);
    literal_ += n;
}

void ChannelCoder::CloseLiteral()
{
    if (literal_ == 0) {
        gap_ = 1;
        return;
    }
    // A run may have taken back a few bytes and with them a byte of the count.
    uint8_t head[kMaxLengthBytes];
    const size_t h = static_cast<size_t>(PutToken(head, 0, literal_) - head);
    if (h != gap_)
        std::memmove(out_ + h, out_ + gap_, literal_);
    std::memcpy(out_, head, h);
    out_ += h + literal_;
    literal_ = 0;
    gap_ = 1;
}

void ChannelCoder::StartRun(uint8_t v)
{
    // A window that is not all equal lies before this one, so at most seven bytes come back.
    size_t back = 0;
    while (literal_ > 0 && out_[gap_ + literal_ - 1] == v) {
        --literal_;
        ++back;
    }
    CloseLiteral();
    inRun_ = true;
    runValue_ = v;
    runLength_ = back + kWindow;
}

void ChannelCoder::CloseRun()
{
    out_ = PutToken(out_, 1, runLength_);
    *out_++ = runValue_;
    inRun_ = false;
}

size_t ChannelCoder::ExtendRun(const uint8_t* p, size_t n)
{
    const uint64_t w = 0x0101010101010101ull * runValue_;
    size_t k = 0;
    while (k + kWindow <= n && Load64(p + k) == w)
        k += kWindow;
    while (k < n && p[k] == runValue_)
        ++k;
    runLength_ += k;
    return k;
}

void ChannelCoder::Feed(const uint8_t* p, size_t n)
{
    size_t k = 0;
    while (k < n) {
        if (inRun_) {
            k += ExtendRun(p + k, n - k);
            if (k == n)
                return;
            CloseRun();
        }
        if (windowBytes_ > 0) {
            // complete the window the last piece began
            const size_t take = std::min(kWindow - windowBytes_, n - k);
            std::memcpy(window_ + windowBytes_, p + k, take);
            windowBytes_ += take;
            k += take;
            if (windowBytes_ < kWindow)
                return;
            windowBytes_ = 0;
            if (Uniform(Load64(window_))) {
                StartRun(window_[0]);
                continue;
            }
            AppendLiteral(window_, kWindow);
        }
        const size_t literal = k;
        while (k + kWindow <= n && !Uniform(Load64(p + k)))
            k += kWindow;
        AppendLiteral(p + literal, k - literal);
        if (k + kWindow > n) {
            std::memcpy(window_, p + k, n - k);
            windowBytes_ = n - k;
            return;
        }
        StartRun(p[k]);
        k += kWindow;
    }
}

size_t ChannelCoder::Finish()
{
    if (inRun_)
        CloseRun();
    AppendLiteral(window_, windowBytes_);
    windowBytes_ = 0;
    CloseLiteral();
    return static_cast<size_t>(out_ - start_);
}

}  // namespace raster_detail

uint8_t* RLECompressAChannel(const uint8_t* plane, int32_t width, int32_t height, uint32_t* codedBytes)
{
    if (codedBytes)
        *codedBytes = 0;
    size_t n = 0;
    if (!plane || !codedBytes || !PlaneSize(width, height, &n))
        return nullptr;
    uint8_t* coded = static_cast<uint8_t*>(std::malloc(ChannelCodeBound(n)));
    if (!coded)
        return nullptr;
    raster_detail::ChannelCoder coder(coded, static_cast<uint32_t>(n));
    coder.Feed(plane, n);
    const size_t size = coder.Finish();
    // Photo-like planes barely shrink; only give memory back when it is worth a copy.
    if (size < ChannelCodeBound(n) / 2) {
        if (uint8_t* smaller = static_cast<uint8_t*>(std::realloc(coded, size)))
            coded = smaller;
    }
    *codedBytes = static_cast<uint32_t>(size);
    return coded;
}

void FreeChannelCode(uint8_t* coded) { std::free(coded); }

int RLEDeCompressAChannel(std::span<const uint8_t> coded, uint8_t* plane, size_t planeBytes)
{
    if (!plane)
        return 0;
    struct PlaneOut {
        uint8_t* at;
        void Copy(const uint8_t* p, size_t n)
        {
            std::memcpy(at, p, n);
            at += n;
        }
        void Fill(uint8_t v, size_t n)
        {
            std::memset(at, v, n);
            at += n;
        }
    } out{plane};
    return raster_detail::DecodeChannelTokens(coded, planeBytes, out);
}
