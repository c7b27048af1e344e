// The memory behind a chain.  A chain is a heap area with a small hidden prefix in front of the address
// the caller sees; the prefix remembers the chain's size, so growth needs no state outside the chain.
// Created and loaded chains are the same kind of area and are released the same way.
//
// The size follows the chain's own growth rule (about 1 KB at a time), but the heap area behind it is
// reserved in steps of half its size again: where the C library's realloc copies (as on Windows) a long recording
// would otherwise copy the whole chain for every kilobyte it grows.
#pragma once
#include <cstddef>

namespace chainstore {

// A zero-filled area of exactly `size` bytes, or null.
unsigned char* ChainAllocate(size_t size);
// Sets the size to `size` bytes, zero-filling any growth; the result may have moved.  On failure
// returns null and the chain passed in stays as it was.
unsigned char* ChainResize(unsigned char* chain, size_t size);
size_t ChainCapacity(const unsigned char* chain);
void ChainRelease(unsigned char* chain);

}  // namespace chainstore
