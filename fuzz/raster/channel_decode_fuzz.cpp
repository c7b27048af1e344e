// Coded channel planes from untrusted bytes.  The plane gets exactly the size the block names (up
// to one row of the widest bitmap), so any write past it is caught; a block that decodes must code back to a block that
// decodes to the same plane.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "raster/channel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 4)
        return 0;
    uint32_t planeBytes = uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24;
    if (planeBytes == 0 || planeBytes > static_cast<uint32_t>(kMaxBitmapSide))
        return 0;
    std::vector<uint8_t> plane(planeBytes);
    if (!RLEDeCompressAChannel({data, size}, plane.data(), plane.size()))
        return 0;

    uint32_t n = 0;
    uint8_t* coded = RLECompressAChannel(plane.data(), static_cast<int32_t>(planeBytes), 1, &n);
    if (!coded || n > ChannelCodeBound(planeBytes))
        std::abort();
    std::vector<uint8_t> again(planeBytes);
    if (!RLEDeCompressAChannel({coded, n}, again.data(), again.size()) || again != plane)
        std::abort();
    FreeChannelCode(coded);
    return 0;
}
