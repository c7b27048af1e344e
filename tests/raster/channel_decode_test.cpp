// Decoding straight into a bitmap's channel must agree with decoding into a plane: the same verdict
// on every block, good or damaged, and the same bytes whenever the block is good.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "raster/channel.h"
#include "channel_fixture.h"
#include "pic_fixture.h"

namespace {


// A plane with noise, runs that cross row ends and a long flat stretch, so every token kind lands
// at every column.
Bytes MixedPlane(size_t n, uint32_t seed)
{
    std::mt19937 rng(seed);
    Bytes b;
    while (b.size() < n) {
        const size_t len = std::min<size_t>(n - b.size(), 1 + rng() % 70);
        const auto v = static_cast<uint8_t>(rng());
        if (rng() % 3 == 0)
            b.insert(b.end(), len, v);
        else
            for (size_t k = 0; k < len; ++k)
                b.push_back(static_cast<uint8_t>(rng()));
    }
    return b;
}

// The channel's bytes of a bitmap, as a plane.
Bytes ChannelOf(const Bitmap* b, int channel)
{
    Bytes plane;
    for (int32_t y = 0; y < b->height; ++y)
        for (int32_t x = 0; x < b->width; ++x)
            plane.push_back(b->bits[static_cast<size_t>(y) * static_cast<size_t>(b->stride) + 4 * static_cast<size_t>(x) + static_cast<size_t>(channel)]);
    return plane;
}

// Every byte of the bitmap's memory set to a pattern, so stray writes show.
void Paint(Bitmap* b, std::vector<uint8_t>* pattern)
{
    pattern->resize(PicBytes(b));
    for (size_t i = 0; i < pattern->size(); ++i)
        (*pattern)[i] = static_cast<uint8_t>(i * 7 + 3);
    std::copy(pattern->begin(), pattern->end(), b->bits);
}

// Decodes with both decoders; expects the same verdict, and on success the same plane in the channel
// and every other byte of the bitmap untouched.
void ExpectSameDecoding(const Bytes& coded, int32_t width, int32_t height, int channel, const char* what)
{
    SCOPED_TRACE(testing::Message() << what << " " << width << "x" << height << " channel " << channel);
    Bytes plane(static_cast<size_t>(width) * static_cast<size_t>(height));
    const int expected = RLEDeCompressAChannel(coded, plane.data(), plane.size());
    PicPtr pic(NewRGBAPic(width, height));
    ASSERT_NE(pic, nullptr);
    std::vector<uint8_t> before;
    Paint(pic.get(), &before);
    ASSERT_EQ(DecodeBitmapChannel(coded, pic.get(), channel), expected);
    if (expected != 1)
        return;
    EXPECT_EQ(ChannelOf(pic.get(), channel), plane);
    for (size_t i = 0; i < before.size(); ++i) {
        if (i % 4 != static_cast<size_t>(channel)) {
            ASSERT_EQ(pic->bits[i], before[i]) << "byte " << i;
        }
    }
}

}  // namespace

TEST(DecodeBitmapChannel, AgreesWithThePlaneDecoderOnGoodAndDamagedBlocks)
{
    const struct { int32_t width, height; } sizes[] = {
        {1, 1}, {1, 37}, {37, 1}, {5, 3}, {16, 4}, {17, 9}, {64, 64}, {300, 7}, {1000, 3},
    };
    std::mt19937 rng(11);
    int channel = 0;
    for (const auto& s : sizes) {
        const size_t n = static_cast<size_t>(s.width) * static_cast<size_t>(s.height);
        const Bytes planes[] = {MixedPlane(n, static_cast<uint32_t>(n)), Bytes(n, 200)};
        for (const Bytes& plane : planes) {
            const Bytes coded = Code(plane, s.width, s.height);
            channel = (channel + 1) % kChannelCount;
            ExpectSameDecoding(coded, s.width, s.height, channel, "whole");

            // cut short anywhere, and one byte too many
            for (size_t len = 0; len < coded.size(); len += 1 + len / 8)
                ExpectSameDecoding(Bytes(coded.begin(), coded.begin() + static_cast<long>(len)), s.width, s.height,
                                   channel, "cut");
            Bytes trailing = coded;
            trailing.push_back(0);
            ExpectSameDecoding(trailing, s.width, s.height, channel, "trailing");

            // a block of the right plane size, but with any byte changed
            for (int k = 0; k < 40 && coded.size() > 4; ++k) {
                Bytes damaged = coded;
                damaged[4 + rng() % (coded.size() - 4)] = static_cast<uint8_t>(rng());
                ExpectSameDecoding(damaged, s.width, s.height, channel, "damaged");
            }
        }
    }
}

TEST(DecodeBitmapChannel, RefusesABitmapOfAnotherSizeAndImpossibleArguments)
{
    const Bytes plane = MixedPlane(12, 5);
    const Bytes coded = Code(plane, 4, 3);
    // only the plane byte count is stored, so a 3 x 4 bitmap would take it like the plane decoder
    const struct { int32_t width, height; } others[] = {{4, 4}, {5, 3}, {1, 1}};
    for (const auto& o : others) {
        PicPtr pic(NewRGBAPic(o.width, o.height));
        ASSERT_NE(pic, nullptr);
        EXPECT_EQ(DecodeBitmapChannel(coded, pic.get(), 0), 0) << o.width << "x" << o.height;
    }
    PicPtr rgba(NewRGBAPic(4, 3));
    PicPtr rgb(NewRGBPic(4, 3));
    ASSERT_TRUE(rgba && rgb);
    EXPECT_EQ(DecodeBitmapChannel(coded, rgb.get(), 0), 0);
    EXPECT_EQ(DecodeBitmapChannel(coded, rgba.get(), -1), 0);
    EXPECT_EQ(DecodeBitmapChannel(coded, rgba.get(), kChannelCount), 0);
    EXPECT_EQ(DecodeBitmapChannel(coded, nullptr, 0), 0);
    EXPECT_EQ(DecodeBitmapChannel(coded, rgba.get(), 3), 1);
    EXPECT_EQ(ChannelOf(rgba.get(), 3), plane);
}

TEST(DecodeBitmapChannel, RebuildsTheLayerTheCoderSplit)
{
    // Row by row coding of a real layer and channel by channel decoding give back every pixel.
    const int32_t w = 37, h = 23;
    PicPtr layer(NewRGBAPic(w, h));
    ASSERT_NE(layer, nullptr);
    const Bytes content = MixedPlane(PicBytes(layer.get()), 9);
    std::copy(content.begin(), content.end(), layer->bits);
    PicPtr back(NewRGBAPic(w, h));
    ASSERT_NE(back, nullptr);
    for (int c = 0; c < kChannelCount; ++c) {
        Bytes coded(ChannelCodeBound(static_cast<size_t>(w) * h));
        coded.resize(CodeBitmapChannel(layer.get(), c, coded.data()));
        ASSERT_EQ(DecodeBitmapChannel(coded, back.get(), c), 1) << c;
    }
    EXPECT_TRUE(std::equal(layer->bits, layer->bits + PicBytes(layer.get()), back->bits));
}
