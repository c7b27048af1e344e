// Creating, growing, navigating and cutting chains.  Navigation is arithmetic on the stored lengths;
// a block address that does not lie inside the chain is answered with null or 0 instead of being
// followed, so a caller's stale address cannot send the walk outside the chain's memory.
#include <algorithm>
#include <cstdint>
#include <cstring>

#include "chainstore/chain_format.h"
#include "chainstore/chain_memory.h"
#include "chainstore/chainstore.h"

using namespace chainstore;

namespace {

// The block's offset from the chain's start, or 0 when it lies before the first block or past `limit`.
size_t OffsetIn(const unsigned char* chain, const unsigned char* block, size_t limit)
{
    const uintptr_t start = reinterpret_cast<uintptr_t>(chain);
    const uintptr_t at = reinterpret_cast<uintptr_t>(block);
    if (at < start + kHeaderSize || at - start > limit)
        return 0;
    return size_t(at - start);
}

}  // namespace

extern "C" {

unsigned char* PT_CALL PT_AllocBlockLink(int value1, int value2)
{
    unsigned char* chain = ChainAllocate(kInitialSize);
    if (!chain)
        return nullptr;
    Store16(chain + kValue1At, uint32_t(value1));
    Store16(chain + kValue2At, uint32_t(value2));
    Store16(chain + kMagicAt, kMagic);
    return chain;
}

void PT_CALL PT_FreeBlockLink(unsigned char* chain) { ChainRelease(chain); }

unsigned char* PT_CALL PT_AppendBlock(unsigned char* chain, int type, int size)
{
    // Sizes are refused rather than cut to 16 bits: a cut size would reserve fewer bytes than the
    // caller is about to write.
    if (!chain || size < 0 || size_t(size) > kMaxPayload)
        return nullptr;
    const size_t used = BytesInUse(chain);
    if (used > UINT32_MAX)  // the new block's offset must fit the header
        return nullptr;
    const size_t length = size_t(size) + kBlockHeaderSize;
    if (used + length > ChainCapacity(chain)) {
        // At least 1,024 bytes more than in use, or exactly what a larger block needs.
        unsigned char* moved = ChainResize(chain, std::max<size_t>(size_t(size), kInitialSize) + used +
                                                      kBlockHeaderSize);
        if (!moved)
            return nullptr;
        chain = moved;
    }
    const uint32_t last = LastOffset(chain);
    unsigned char* block = chain + used;
    block[kTypeAt] = uint8_t(type);
    block[kBlockReservedAt] = 0;
    Store16(block + kLengthAt, uint32_t(length));
    Store16(block + kPreviousAt, last ? BlockLength(chain + last) : 0);
    Store32(chain + kLastAt, uint32_t(used));
    return chain;
}

int PT_CALL PT_DeleteBlock(unsigned char* chain, unsigned char* block)
{
    if (!chain || !block)
        return 0;
    const uint32_t last = LastOffset(chain);
    const size_t at = last ? OffsetIn(chain, block, last) : 0;
    if (!at)
        return 0;
    const uint16_t previous = PreviousLength(block);
    if (at - kHeaderSize < previous)
        return 0;
    if (at == last) {
        // The predecessor becomes the last block; nothing moves.
        Store32(chain + kLastAt, previous ? uint32_t(at - previous) : 0);
        return 1;
    }
    const size_t length = BlockLength(block);
    if (length < kBlockHeaderSize || at + length > last)
        return 0;  // not on a block boundary of this chain
    const size_t end = BytesInUse(chain);
    std::memmove(block, block + length, end - (at + length));
    Store16(block + kPreviousAt, previous);
    Store32(chain + kLastAt, uint32_t(last - length));
    return 1;
}

unsigned char* PT_CALL PT_GetFstBlk(unsigned char* chain)
{
    return chain && LastOffset(chain) ? chain + kHeaderSize : nullptr;
}

unsigned char* PT_CALL PT_GetLstBlk(unsigned char* chain)
{
    if (!chain)
        return nullptr;
    const uint32_t last = LastOffset(chain);
    return last ? chain + last : nullptr;
}

unsigned char* PT_CALL PT_GetNxtBlk(unsigned char* chain, unsigned char* block)
{
    if (!chain || !block)
        return nullptr;
    const uint32_t last = LastOffset(chain);
    const size_t at = last ? OffsetIn(chain, block, last) : 0;
    if (!at || at == last)
        return nullptr;
    const uint16_t length = BlockLength(block);
    if (length == 0 || at + length > last)
        return nullptr;
    return block + length;
}

unsigned char* PT_CALL PT_GetPreBlk(unsigned char* chain, unsigned char* block)
{
    if (!chain || !block)
        return nullptr;
    const uint32_t last = LastOffset(chain);
    const size_t at = last ? OffsetIn(chain, block, last) : 0;
    if (!at)
        return nullptr;
    const uint16_t previous = PreviousLength(block);
    if (previous == 0 || at - kHeaderSize < previous)
        return nullptr;
    return block - previous;
}

unsigned char* PT_CALL PT_SetLstBlk(unsigned char* chain, unsigned char* block)
{
    if (!chain || !block)
        return chain;
    // Only a block whose header and whole length lie inside the chain's memory is taken, so the bytes
    // in use never reach past the area that later appends and writes rely on.
    const size_t capacity = ChainCapacity(chain);
    if (capacity < kHeaderSize + kBlockHeaderSize)
        return chain;
    const size_t at = OffsetIn(chain, block, capacity - kBlockHeaderSize);
    if (at && BlockLength(block) >= kBlockHeaderSize && at + BlockLength(block) <= capacity &&
        at <= UINT32_MAX)
        Store32(chain + kLastAt, uint32_t(at));
    return chain;
}

unsigned char PT_CALL PT_GetDataTypeFromBlk(unsigned char* block) { return block ? block[kTypeAt] : 0xFF; }

unsigned short PT_CALL PT_GetDataBlockSize(unsigned char* block) { return block ? BlockLength(block) : 0; }

unsigned char* PT_CALL PT_GetDataFromBlk(unsigned char* block)
{
    return block ? block + kBlockHeaderSize : nullptr;
}

}  // extern "C"
