// Channel planes and their run-length coding: how a layer's pixels are stored in a layered document.
//
// A 32-bit bitmap is split into four planes of width × height bytes each, in the order blue, green,
// red, alpha (the byte order of a pixel), rows bottom-up like the bitmap, without row padding.  Each
// plane is coded on its own by RLECompressAChannel; the document file keeps a u32 byte count before
// every coded plane, and RLEDeCompressAChannel turns the bytes back into the plane.
//
// Ownership: GetChannelBlock and NewChannelBlock allocate the planes, FreeChannelBlock releases
// them; RLECompressAChannel returns a block that the caller releases with FreeChannelCode.
//
// The coded form is a u32 plane byte count (little-endian) followed by tokens.  A token starts with a
// length: its first byte holds the token kind in bit 0, the low six bits of (length - 1) in bits 1-6
// and a continuation flag in bit 7; further bytes carry seven more bits each, low bits first.  A
// literal token (kind 0) is followed by `length` plane bytes, a run token (kind 1) by the one byte it
// repeats.  Runs are only coded from 8 equal bytes on, so a run never costs more than it saves and a
// plane never codes to more than kChannelCodeSlack bytes above its raw size.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "raster/bitmap.h"

constexpr int kChannelCount = 4;
constexpr size_t kChannelCodeSlack = 16;

struct ChannelBlock {
    int32_t width = 0;
    int32_t height = 0;
    uint8_t* plane[kChannelCount] = {};  // blue, green, red, alpha
};

inline size_t ChannelPlaneBytes(const ChannelBlock* block)
{
    return static_cast<size_t>(block->width) * static_cast<size_t>(block->height);
}

// Splits a 32-bit bitmap into newly allocated planes; 1 on success, 0 (block left empty) when the
// bitmap is not 32-bit or memory runs out.
int GetChannelBlock(const Bitmap* bitmap, ChannelBlock* block);
// Allocates four planes for a width × height picture, for decoding into; 1 or 0 as above.
int NewChannelBlock(ChannelBlock* block, int32_t width, int32_t height);
void FreeChannelBlock(ChannelBlock* block);

// Codes one plane of width × height bytes.  Returns a new block and stores its size in *codedBytes,
// or null (and 0) when an argument is impossible or memory runs out.
uint8_t* RLECompressAChannel(const uint8_t* plane, int32_t width, int32_t height, uint32_t* codedBytes);
void FreeChannelCode(uint8_t* coded);
// Largest block RLECompressAChannel can produce for a plane of planeBytes bytes.
inline size_t ChannelCodeBound(size_t planeBytes) { return planeBytes + kChannelCodeSlack; }

// Decodes a coded block into a plane of planeBytes bytes.  1 when the block decodes to exactly that
// many bytes; 0 when it is shorter than its counts claim, carries trailing bytes, was coded from a
// plane of another size or is otherwise damaged (the plane may then hold part of the output).
int RLEDeCompressAChannel(std::span<const uint8_t> coded, uint8_t* plane, size_t planeBytes);

// Codes one plane (0 blue .. 3 alpha) of a 32-bit bitmap straight from its rows into out, which has
// room for ChannelCodeBound(width × height) bytes: the bytes RLECompressAChannel gives for that plane
// of GetChannelBlock, without the plane ever being made (the save path, which reuses one block for
// every plane).  Returns the coded size; 0 when the bitmap is not 32-bit or the channel is not 0..3.
size_t CodeBitmapChannel(const Bitmap* bitmap, int channel, uint8_t* out);

// Decodes a coded block into one channel (0 blue .. 3 alpha) of a 32-bit bitmap, straight into its
// rows: the bitmap's bytes of that channel become the plane RLEDeCompressAChannel would give for
// width × height bytes, and its other channels are left alone (the load path, which never makes the
// planes).  1 on success; 0 under the same conditions as RLEDeCompressAChannel, or when the bitmap is
// not 32-bit or the channel is not 0..3 (the channel may then hold part of the output).
int DecodeBitmapChannel(std::span<const uint8_t> coded, Bitmap* bitmap, int channel);

// Builds a 32-bit bitmap from decoded planes and the 40-byte image header that was stored with them
// (header bytes beyond the first 40 are ignored).  Null when the header is not a 40-byte bottom-up
// 32-bit header of the block's size, or the bitmap cannot be allocated.
Bitmap* CreateBitmapfromChannelBlock(const ChannelBlock* block, const uint8_t* imageHeader,
                                     size_t headerBytes);
