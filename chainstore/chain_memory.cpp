#include "chainstore/chain_memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace chainstore {
namespace {

// Large enough to keep the chain as aligned as malloc's own result.
constexpr size_t kPrefix = 16;
static_assert(kPrefix >= sizeof(uint64_t));

unsigned char* BaseOf(const unsigned char* chain) { return const_cast<unsigned char*>(chain) - kPrefix; }

unsigned char* Publish(unsigned char* base, size_t size)
{
    const uint64_t stored = size;
    std::memcpy(base, &stored, sizeof stored);
    return base + kPrefix;
}

}  // namespace

unsigned char* ChainAllocate(size_t size)
{
    if (size > SIZE_MAX - kPrefix)
        return nullptr;
    auto* base = static_cast<unsigned char*>(std::calloc(1, kPrefix + size));
    return base ? Publish(base, size) : nullptr;
}

unsigned char* ChainResize(unsigned char* chain, size_t size)
{
    if (size > SIZE_MAX - kPrefix)
        return nullptr;
    const size_t old = ChainCapacity(chain);
    auto* base = static_cast<unsigned char*>(std::realloc(BaseOf(chain), kPrefix + size));
    if (!base)
        return nullptr;
    if (size > old)
        std::memset(base + kPrefix + old, 0, size - old);
    return Publish(base, size);
}

size_t ChainCapacity(const unsigned char* chain)
{
    uint64_t stored;
    std::memcpy(&stored, BaseOf(chain), sizeof stored);
    return size_t(stored);
}

void ChainRelease(unsigned char* chain)
{
    if (chain)
        std::free(BaseOf(chain));
}

}  // namespace chainstore
