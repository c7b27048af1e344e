#include "raster/alpha_mask.h"

#include <cstdlib>
#include <cstring>

namespace {

uint32_t ReadLe(const uint8_t* p, int bytes)
{
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

void WriteLe(uint8_t* p, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; ++i, v >>= 8)
        p[i] = static_cast<uint8_t>(v & 0xFF);
}

}  // namespace

uint8_t* AlphaMaskBlock(AlphaMask* mask) { return reinterpret_cast<uint8_t*>(mask); }
const uint8_t* AlphaMaskBlock(const AlphaMask* mask) { return reinterpret_cast<const uint8_t*>(mask); }

AlphaMask* NewAlphaMask(int32_t width, int32_t height, Colour colour)
{
    if (width <= 0 || height <= 0 || width > kMaxAlphaMaskSide || height > kMaxAlphaMaskSide)
        return nullptr;
    size_t bytes = kAlphaMaskHeaderBytes + static_cast<size_t>(width) * static_cast<size_t>(height);
    auto* block = static_cast<uint8_t*>(std::calloc(bytes, 1));
    if (!block)
        return nullptr;
    WriteLe(block, static_cast<uint32_t>(width), 2);
    WriteLe(block + 2, static_cast<uint32_t>(height), 2);
    WriteLe(block + 4, colour, 4);
    return reinterpret_cast<AlphaMask*>(block);
}

void DeleteAlphaMask(AlphaMask* mask) { std::free(AlphaMaskBlock(mask)); }

int32_t AlphaMaskWidth(const AlphaMask* mask)
{
    return mask ? static_cast<int32_t>(ReadLe(AlphaMaskBlock(mask), 2)) : 0;
}

int32_t AlphaMaskHeight(const AlphaMask* mask)
{
    return mask ? static_cast<int32_t>(ReadLe(AlphaMaskBlock(mask) + 2, 2)) : 0;
}

Colour AlphaMaskColour(const AlphaMask* mask) { return mask ? ReadLe(AlphaMaskBlock(mask) + 4, 4) : 0; }

void SetAlphaMaskColour(AlphaMask* mask, Colour colour)
{
    if (mask)
        WriteLe(AlphaMaskBlock(mask) + 4, colour, 4);
}

size_t AlphaMaskBytes(const AlphaMask* mask)
{
    if (!mask)
        return 0;
    return kAlphaMaskHeaderBytes +
           static_cast<size_t>(AlphaMaskWidth(mask)) * static_cast<size_t>(AlphaMaskHeight(mask));
}

uint8_t* AlphaMaskRow(AlphaMask* mask, int32_t y)
{
    return AlphaMaskBlock(mask) + kAlphaMaskHeaderBytes +
           static_cast<size_t>(y) * static_cast<size_t>(AlphaMaskWidth(mask));
}

const uint8_t* AlphaMaskRow(const AlphaMask* mask, int32_t y)
{
    return AlphaMaskBlock(mask) + kAlphaMaskHeaderBytes +
           static_cast<size_t>(y) * static_cast<size_t>(AlphaMaskWidth(mask));
}

AlphaMask* BackupAlphaBitmap(const AlphaMask* mask)
{
    if (!mask)
        return nullptr;
    AlphaMask* copy = NewAlphaMask(AlphaMaskWidth(mask), AlphaMaskHeight(mask), AlphaMaskColour(mask));
    if (copy)
        std::memcpy(AlphaMaskBlock(copy), AlphaMaskBlock(mask), AlphaMaskBytes(mask));
    return copy;
}
