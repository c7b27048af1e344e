#include "chainstore/chain_memory.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace chainstore {
namespace {

// The chain's size and the size of the area reserved for it; 16 bytes also keep the chain as aligned
// as malloc's own result.
struct Prefix {
    uint64_t size;
    uint64_t reserved;
};
constexpr size_t kPrefix = 16;
static_assert(sizeof(Prefix) == kPrefix);

unsigned char* BaseOf(const unsigned char* chain) { return const_cast<unsigned char*>(chain) - kPrefix; }

Prefix PrefixOf(const unsigned char* chain)
{
    Prefix p;
    std::memcpy(&p, BaseOf(chain), sizeof p);
    return p;
}

unsigned char* Publish(unsigned char* base, size_t size, size_t reserved)
{
    const Prefix p{size, reserved};
    std::memcpy(base, &p, sizeof p);
    return base + kPrefix;
}

}  // namespace

unsigned char* ChainAllocate(size_t size)
{
    if (size > SIZE_MAX - kPrefix)
        return nullptr;
    auto* base = static_cast<unsigned char*>(std::calloc(1, kPrefix + size));
    return base ? Publish(base, size, size) : nullptr;
}

unsigned char* ChainResize(unsigned char* chain, size_t size)
{
    if (size > SIZE_MAX - kPrefix)
        return nullptr;
    const Prefix now = PrefixOf(chain);
    unsigned char* base = BaseOf(chain);
    size_t reserved = size_t(now.reserved);
    if (size > reserved) {
        // Half as much again when possible (gentle on a 32-bit address space, still amortised constant);
        // exactly what is asked when that cannot be had.
        const size_t wider = reserved <= (SIZE_MAX - kPrefix) / 3 * 2 ? reserved + reserved / 2 : 0;
        reserved = wider > size ? wider : size;
        auto* moved = static_cast<unsigned char*>(std::realloc(base, kPrefix + reserved));
        if (!moved && reserved != size) {
            reserved = size;
            moved = static_cast<unsigned char*>(std::realloc(base, kPrefix + reserved));
        }
        if (!moved)
            return nullptr;
        base = moved;
    }
    if (size > now.size)
        std::memset(base + kPrefix + now.size, 0, size - size_t(now.size));
    return Publish(base, size, reserved);
}

size_t ChainCapacity(const unsigned char* chain) { return size_t(PrefixOf(chain).size); }

void ChainRelease(unsigned char* chain)
{
    if (chain)
        std::free(BaseOf(chain));
}

}  // namespace chainstore
