// The memory behind a chain.  A chain is a heap area with a small hidden prefix in front of the address
// the caller sees; the prefix remembers how large the area is, so growth needs no state outside the
// chain.  Created and loaded chains are the same kind of area and are released the same way.
#pragma once
#include <cstddef>

namespace chainstore {

// A zero-filled area of `size` bytes, or null.
unsigned char* ChainAllocate(size_t size);
// Resizes to `size` bytes, zero-filling any growth; the result may have moved.  On failure returns null
// and the chain passed in stays as it was.
unsigned char* ChainResize(unsigned char* chain, size_t size);
size_t ChainCapacity(const unsigned char* chain);
void ChainRelease(unsigned char* chain);

}  // namespace chainstore
