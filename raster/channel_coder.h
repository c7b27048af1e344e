// The run-length coder of channel planes (format in channel.h), fed a plane piece by piece, and the
// one token reader behind both decoders.
//
// Saving codes the four planes of a layer straight from its rows, one row at a time, instead of
// splitting the whole layer into planes first; the pieces may end anywhere, even inside a run, and
// the coded bytes are the same as for the whole plane in one piece.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace raster_detail {

constexpr size_t kPlaneHeaderBytes = 4;
// A token length needs at most 6 + 4 × 7 bits for any 32-bit value.
constexpr int kMaxLengthBytes = 5;

// Decodes a coded block of a plane of planeBytes bytes into out, which takes the tokens in order
// through out.Copy(bytes, n) and out.Fill(value, n).  Returns 1 when the block decodes to exactly
// planeBytes bytes; 0 for a wrong stored size, a cut or overlong token or more bytes than the plane
// holds, having written nothing past the plane.
template <class Out>
int DecodeChannelTokens(std::span<const uint8_t> coded, uint64_t planeBytes, Out& out)
{
    if (coded.size() < kPlaneHeaderBytes)
        return 0;
    const uint8_t* in = coded.data();
    const uint8_t* const inEnd = in + coded.size();
    uint32_t stored = 0;
    for (size_t k = 0; k < kPlaneHeaderBytes; ++k)
        stored |= static_cast<uint32_t>(in[k]) << (8 * k);
    if (stored != planeBytes)
        return 0;
    in += kPlaneHeaderBytes;
    uint64_t left = planeBytes;
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
        if (rest >= left)
            return 0;
        const size_t length = static_cast<size_t>(rest) + 1;
        if (kind == 0) {
            if (length > static_cast<size_t>(inEnd - in))
                return 0;
            out.Copy(in, length);
            in += length;
        } else {
            if (in == inEnd)
                return 0;
            out.Fill(*in++, length);
        }
        left -= length;
    }
    return left == 0 ? 1 : 0;
}

class ChannelCoder {
public:
    // out has room for ChannelCodeBound(planeBytes) bytes; the plane byte count goes first.
    ChannelCoder(uint8_t* out, uint32_t planeBytes);
    void Feed(const uint8_t* p, size_t n);
    // Codes what is left; returns the size of the whole coded block.
    size_t Finish();

private:
    // Runs are looked for in windows of this many bytes, counted from the end of the last run.
    static constexpr size_t kWindow = 8;

    uint8_t* LiteralEnd() { return out_ + gap_ + literal_; }
    void AppendLiteral(const uint8_t* p, size_t n);
    // A window of equal bytes v: the literal gives back its trailing v's, is closed, and the run starts.
    void StartRun(uint8_t v);
    void CloseLiteral();
    void CloseRun();
    // Moves on through a run of runValue_ from p; returns how many bytes it took.
    size_t ExtendRun(const uint8_t* p, size_t n);

    uint8_t* const start_;
    uint8_t* out_;               // end of the closed tokens
    // The open literal's bytes wait at out_ + gap_, leaving room for the token that will count them;
    // the room grows with the count, so long literals move only a few times, and rarely far.
    size_t literal_ = 0;
    size_t gap_ = 1;
    uint8_t window_[kWindow];    // a window cut by the end of a piece
    size_t windowBytes_ = 0;
    bool inRun_ = false;
    uint8_t runValue_ = 0;
    size_t runLength_ = 0;
};

}  // namespace raster_detail
