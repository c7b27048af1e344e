// The run-length coding of channel planes (format in channel.h).
//
// Both directions are on the save and load path of large documents, so they work on whole spans:
// the coder looks for runs eight bytes at a time and copies everything between them with memcpy, the
// decoder emits each token with one memcpy or memset.
#include <cstdlib>
#include <cstring>

#include "raster/channel.h"

namespace {

constexpr size_t kMinRun = 8;
constexpr size_t kPlaneHeaderBytes = 4;
// A token length needs at most 6 + 4 × 7 bits for any 32-bit value.
constexpr int kMaxLengthBytes = 5;

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

uint8_t* PutLiteral(uint8_t* out, const uint8_t* from, size_t length)
{
    if (length == 0)
        return out;
    out = PutToken(out, 0, length);
    std::memcpy(out, from, length);
    return out + length;
}

// Codes n bytes; out has room for ChannelCodeBound(n) bytes.  Returns the end of the coded bytes.
uint8_t* CodePlane(const uint8_t* p, size_t n, uint8_t* out)
{
    size_t literal = 0;  // start of the bytes not yet coded
    size_t i = 0;
    // Every run of 15 or more bytes covers one of the 8-byte windows tested here, so the long runs
    // that matter are all found; shorter ones are found only when they happen to cover a window.
    while (n >= kMinRun && i <= n - kMinRun) {
        const uint64_t w = Load64(p + i);
        if ((w ^ (w >> 8)) & 0x00FFFFFFFFFFFFFFull) {
            i += kMinRun;
            continue;
        }
        const uint8_t v = p[i];
        size_t start = i;
        while (start > literal && p[start - 1] == v)
            --start;
        size_t end = i + kMinRun;
        while (end <= n - kMinRun && Load64(p + end) == w)
            end += kMinRun;
        while (end < n && p[end] == v)
            ++end;
        out = PutLiteral(out, p + literal, start - literal);
        out = PutToken(out, 1, end - start);
        *out++ = v;
        literal = i = end;
    }
    return PutLiteral(out, p + literal, n - literal);
}

bool PlaneSize(int32_t width, int32_t height, size_t* bytes)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        return false;
    *bytes = static_cast<size_t>(width) * static_cast<size_t>(height);
    return true;
}

}  // namespace

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
    const uint32_t n32 = static_cast<uint32_t>(n);
    for (size_t k = 0; k < kPlaneHeaderBytes; ++k)
        coded[k] = static_cast<uint8_t>(n32 >> (8 * k));
    const size_t size = static_cast<size_t>(CodePlane(plane, n, coded + kPlaneHeaderBytes) - coded);
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
    if (!plane || coded.size() < kPlaneHeaderBytes)
        return 0;
    const uint8_t* in = coded.data();
    const uint8_t* const inEnd = in + coded.size();
    uint32_t stored = 0;
    for (size_t k = 0; k < kPlaneHeaderBytes; ++k)
        stored |= static_cast<uint32_t>(in[k]) << (8 * k);
    if (stored != planeBytes)
        return 0;
    in += kPlaneHeaderBytes;
    uint8_t* out = plane;
    const uint8_t* const outEnd = plane + planeBytes;
    while (in < inEnd) {
        uint8_t b = *in++;
        const unsigned kind = b & 1;
        uint64_t rest = (b >> 1) & 63;
        for (int shift = 6, k = 1; b & 0x80; shift += 7, ++k) {
            if (in == inEnd || k == kMaxLengthBytes)
                return 0;
            b = *in++;
            rest |= static_cast<uint64_t>(b & 127) << shift;
        }
        if (rest >= static_cast<uint64_t>(outEnd - out))
            return 0;
        const size_t length = static_cast<size_t>(rest) + 1;
        if (kind == 0) {
            if (length > static_cast<size_t>(inEnd - in))
                return 0;
            std::memcpy(out, in, length);
            in += length;
        } else {
            if (in == inEnd)
                return 0;
            std::memset(out, *in++, length);
        }
        out += length;
    }
    return out == outEnd ? 1 : 0;
}
