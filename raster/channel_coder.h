// The run-length coder of channel planes (format in channel.h), fed a plane piece by piece.
//
// Saving codes the four planes of a layer straight from its rows, one row at a time, instead of
// splitting the whole layer into planes first; the pieces may end anywhere, even inside a run, and
// the coded bytes are the same as for the whole plane in one piece.
#pragma once
#include <cstddef>
#include <cstdint>

namespace raster_detail {

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
