// Byte layout of a chain in memory and in files, shared by the block operations, the file code and the
// check that loaded images can be walked.  The in-memory header keeps the last block as an offset, as
// the file does, so a chain means the same in 32- and 64-bit processes and may move freely when it grows.
#pragma once
#include <cstddef>
#include <cstdint>

namespace chainstore {

constexpr size_t kHeaderSize = 12;
constexpr size_t kBlockHeaderSize = 6;
constexpr size_t kInitialSize = 1024;
constexpr size_t kMaxPayload = 0xFFFF - kBlockHeaderSize;  // the block length must fit in 16 bits
constexpr uint16_t kMagic = 0x2888;

// Header fields.
constexpr size_t kValue1At = 0, kValue2At = 2, kMagicAt = 4, kReservedAt = 6, kLastAt = 8;
// Block header fields.
constexpr size_t kTypeAt = 0, kBlockReservedAt = 1, kLengthAt = 2, kPreviousAt = 4;

inline uint16_t Load16(const unsigned char* p) { return uint16_t(p[0] | p[1] << 8); }
inline uint32_t Load32(const unsigned char* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
inline void Store16(unsigned char* p, uint32_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}
inline void Store32(unsigned char* p, uint32_t v)
{
    Store16(p, v);
    Store16(p + 2, v >> 16);
}

inline uint32_t LastOffset(const unsigned char* chain) { return Load32(chain + kLastAt); }
inline uint16_t BlockLength(const unsigned char* block) { return Load16(block + kLengthAt); }
inline uint16_t PreviousLength(const unsigned char* block) { return Load16(block + kPreviousAt); }

// The end of the last block measured from the chain's start; the header alone when empty.
inline size_t BytesInUse(const unsigned char* chain)
{
    const uint32_t last = LastOffset(chain);
    return last ? size_t(last) + BlockLength(chain + last) : kHeaderSize;
}

// True when `image` (the header included) is a chain whose block lengths lead from offset 12 exactly to
// the block the header names as last, each block inside `size` bytes and naming its predecessor's
// length, so that walking it forward and back never leaves it.
bool ChainImageWalkable(const unsigned char* image, size_t size);

}  // namespace chainstore
