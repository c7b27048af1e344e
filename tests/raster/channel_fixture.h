// Coding a plane for the channel tests: the coder's output as a byte vector.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "raster/channel.h"

using Bytes = std::vector<uint8_t>;

inline Bytes Code(const Bytes& plane, int32_t width, int32_t height)
{
    uint32_t n = 0;
    uint8_t* coded = RLECompressAChannel(plane.data(), width, height, &n);
    EXPECT_NE(coded, nullptr);
    if (!coded)
        return {};
    Bytes out(coded, coded + n);
    FreeChannelCode(coded);
    return out;
}
