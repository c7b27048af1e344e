#include "chainstore/chain_format.h"

namespace chainstore {

bool ChainImageWalkable(const unsigned char* image, size_t size)
{
    if (size < kHeaderSize)
        return false;
    const size_t last = LastOffset(image);
    if (last == 0)
        return true;  // empty: whatever follows the header is free space
    if (last < kHeaderSize || last > size - kBlockHeaderSize)
        return false;
    size_t at = kHeaderSize;
    size_t previous = 0;
    for (;;) {
        const unsigned char* block = image + at;
        const size_t length = BlockLength(block);
        if (length < kBlockHeaderSize || length > size - at || PreviousLength(block) != previous)
            return false;
        if (at == last)
            return true;
        at += length;
        previous = length;
        if (at > last)
            return false;  // the lengths step over the named last block
    }
}

}  // namespace chainstore
