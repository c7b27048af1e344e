#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "raster/channel.h"
#include "channel_fixture.h"

namespace {

bool Decode(const Bytes& coded, Bytes* plane)
{
    return RLEDeCompressAChannel(coded, plane->data(), plane->size()) == 1;
}

Bytes Random(size_t n, uint32_t seed)
{
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& v : b)
        v = static_cast<uint8_t>(rng());
    return b;
}

// Runs of every length from 1 to `longest`, each a different value from its neighbours.
Bytes RunsUpTo(size_t longest)
{
    Bytes b;
    for (size_t len = 1; len <= longest; ++len)
        b.insert(b.end(), len, static_cast<uint8_t>(len * 37 + 1));
    return b;
}

Bytes Repeat(const Bytes& unit, size_t times)
{
    Bytes b;
    for (size_t i = 0; i < times; ++i)
        b.insert(b.end(), unit.begin(), unit.end());
    return b;
}

}  // namespace

TEST(ChannelCode, RoundTripsEveryKindOfPlane)
{
    struct Case {
        std::string name;
        Bytes plane;
        int32_t width;
    };
    const Bytes runs = RunsUpTo(140);
    std::vector<Case> cases = {
        {"one byte", {7}, 1},
        {"all equal", Bytes(640 * 480, 255), 640},
        {"alternating", Repeat({0, 255}, 5000), 100},
        {"runs 1..140", runs, static_cast<int32_t>(runs.size())},
        {"runs 1..140 width 1", runs, 1},
        // token lengths change size at 64, 8192 and 2^20 bytes
        {"length boundaries", [] {
             Bytes b;
             for (size_t len : {63, 64, 65, 8191, 8192, 8193, (1 << 20) - 1, 1 << 20, (1 << 20) + 1}) {
                 b.insert(b.end(), len, static_cast<uint8_t>(len));
                 Bytes lit = Random(len, static_cast<uint32_t>(len));
                 b.insert(b.end(), lit.begin(), lit.end());
             }
             b.resize((b.size() + 4095) / 4096 * 4096, 3);
             return b;
         }(), 4096},
        {"random", Random(1920 * 7, 1), 1920},
        {"huge width", Random(kMaxBitmapSide, 2), kMaxBitmapSide},
        {"seven-byte runs", Repeat({1, 1, 1, 1, 1, 1, 1, 2}, 999), 8},
        {"runs of 8 between single bytes", Repeat({9, 9, 9, 9, 9, 9, 9, 9, 4}, 999), 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const int32_t height = static_cast<int32_t>(c.plane.size() / static_cast<size_t>(c.width));
        ASSERT_EQ(static_cast<size_t>(c.width) * static_cast<size_t>(height), c.plane.size());
        const Bytes coded = Code(c.plane, c.width, height);
        EXPECT_LE(coded.size(), c.plane.size() + kChannelCodeSlack);
        Bytes back(c.plane.size(), 0xCD);
        ASSERT_TRUE(Decode(coded, &back));
        EXPECT_TRUE(back == c.plane);
    }
}

TEST(ChannelCode, CompressesRunsAndStaysNearRawOnNoise)
{
    EXPECT_LT(Code(Bytes(1920 * 1080, 0), 1920, 1080).size(), 64u);
    const Bytes noise = Random(1 << 20, 3);
    EXPECT_LE(Code(noise, 1024, 1024).size(), noise.size() + 9);
}

TEST(ChannelCode, KeepsItsByteLayout)
{
    // ten 'A's then "xy": plane size, a run token, a literal token
    Bytes plane(10, 'A');
    plane.push_back('x');
    plane.push_back('y');
    const Bytes expected = {12, 0, 0, 0, 0x13, 'A', 0x02, 'x', 'y'};
    EXPECT_EQ(Code(plane, 12, 1), expected);
}

TEST(ChannelCode, RefusesDamagedBlocks)
{
    Bytes plane = RunsUpTo(40);
    plane.insert(plane.end(), 300, 5);
    const int32_t width = static_cast<int32_t>(plane.size());
    const Bytes coded = Code(plane, width, 1);
    Bytes out(plane.size());
    // every block shorter than its counts claim
    for (size_t len = 0; len < coded.size(); ++len)
        EXPECT_FALSE(Decode(Bytes(coded.begin(), coded.begin() + static_cast<long>(len)), &out)) << len;

    Bytes trailing = coded;
    trailing.push_back(0);
    EXPECT_FALSE(Decode(trailing, &out));

    Bytes otherSize(plane.size() + 1);
    EXPECT_FALSE(Decode(coded, &otherSize));

    struct Bad { const char* name; Bytes block; } bad[] = {
        {"run longer than the plane", {4, 0, 0, 0, 0x0B, 1}},         // run of 6 into 4 bytes
        {"literal longer than its bytes", {4, 0, 0, 0, 0x06, 1, 2}},  // literal of 4, 2 given
        {"run without its value", {4, 0, 0, 0, 0x07}},
        {"length that never ends", {4, 0, 0, 0, 0x81, 0x80, 0x80, 0x80, 0x80, 0x01, 1}},
        {"gigantic length", {4, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1}},
        {"no tokens", {4, 0, 0, 0}},
    };
    for (const auto& b : bad) {
        Bytes four(4);
        EXPECT_FALSE(Decode(b.block, &four)) << b.name;
    }
}

TEST(ChannelCode, RefusesImpossibleArguments)
{
    uint8_t byte = 0;
    uint32_t n = 99;
    EXPECT_EQ(RLECompressAChannel(&byte, 0, 1, &n), nullptr);
    EXPECT_EQ(n, 0u);
    EXPECT_EQ(RLECompressAChannel(&byte, 1, -1, &n), nullptr);
    EXPECT_EQ(RLECompressAChannel(&byte, kMaxBitmapSide + 1, 1, &n), nullptr);
    EXPECT_EQ(RLECompressAChannel(nullptr, 1, 1, &n), nullptr);
    EXPECT_EQ(RLEDeCompressAChannel({}, &byte, 1), 0);
}

namespace {

void PutHeader(uint8_t* h, int32_t width, int32_t height, uint16_t bits)
{
    std::memset(h, 0, 44);
    auto put32 = [](uint8_t* p, uint32_t v) { for (int k = 0; k < 4; ++k) p[k] = uint8_t(v >> (8 * k)); };
    put32(h, 40);
    put32(h + 4, static_cast<uint32_t>(width));
    put32(h + 8, static_cast<uint32_t>(height));
    h[12] = 1;
    h[14] = static_cast<uint8_t>(bits);
    put32(h + 16, 8);
}

}  // namespace

TEST(ChannelBlock, SplitsCodesAndRebuildsALayer)
{
    Bitmap* layer = NewRGBAPic(37, 5);
    ASSERT_NE(layer, nullptr);
    std::mt19937 rng(4);
    for (size_t i = 0; i < PicBytes(layer); ++i)
        layer->bits[i] = static_cast<uint8_t>(i % 11 < 6 ? 0 : rng());
    PicPixel(layer, 0, 0)[0] = 0x11;  // blue of the top-left pixel
    PicPixel(layer, 0, 0)[3] = 0x44;  // its alpha

    ChannelBlock planes;
    ASSERT_EQ(GetChannelBlock(layer, &planes), 1);
    // planes follow the bitmap's rows: the top-left pixel is in the last row
    EXPECT_EQ(planes.plane[0][37 * 4], 0x11);
    EXPECT_EQ(planes.plane[3][37 * 4], 0x44);

    ChannelBlock decoded;
    ASSERT_EQ(NewChannelBlock(&decoded, 37, 5), 1);
    for (int c = 0; c < kChannelCount; ++c) {
        uint32_t n = 0;
        uint8_t* coded = RLECompressAChannel(planes.plane[c], 37, 5, &n);
        ASSERT_NE(coded, nullptr);
        EXPECT_EQ(RLEDeCompressAChannel({coded, n}, decoded.plane[c], ChannelPlaneBytes(&decoded)), 1);
        FreeChannelCode(coded);
    }
    uint8_t header[44];
    PutHeader(header, 37, 5, 32);
    Bitmap* back = CreateBitmapfromChannelBlock(&decoded, header, sizeof header);
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->bitsPerPixel, 32);
    EXPECT_EQ(std::memcmp(back->bits, layer->bits, PicBytes(layer)), 0);

    struct Bad { const char* name; int32_t w, h; uint16_t bits; size_t size; } bad[] = {
        {"other width", 36, 5, 32, 44}, {"other height", 37, 4, 32, 44}, {"top-down", 37, -5, 32, 44},
        {"24 bits", 37, 5, 24, 44}, {"short header", 37, 5, 32, 39},
    };
    for (const auto& b : bad) {
        PutHeader(header, b.w, b.h, b.bits);
        EXPECT_EQ(CreateBitmapfromChannelBlock(&decoded, header, b.size), nullptr) << b.name;
    }
    header[0] = 44;
    EXPECT_EQ(CreateBitmapfromChannelBlock(&decoded, header, sizeof header), nullptr);

    FreeChannelBlock(&planes);
    Bitmap* rgb = NewRGBPic(4, 4);
    EXPECT_EQ(GetChannelBlock(rgb, &planes), 0);
    EXPECT_EQ(planes.plane[0], nullptr);
    DeletePic(rgb);
    FreeChannelBlock(&decoded);
    DeletePic(back);
    DeletePic(layer);
}

namespace {

// The coding done the plain way, the whole plane at once: windows of eight bytes from the end of the
// last run, a run taking back the equal bytes before its window.
Bytes ReferenceCode(const Bytes& p)
{
    Bytes out;
    const size_t n = p.size();
    for (int k = 0; k < 4; ++k)
        out.push_back(static_cast<uint8_t>(n >> (8 * k)));
    auto token = [&](unsigned kind, size_t length) {
        uint64_t rest = length - 1;
        out.push_back(static_cast<uint8_t>(kind | (rest & 63) << 1 | (rest >> 6 ? 0x80 : 0)));
        for (rest >>= 6; rest; rest >>= 7)
            out.push_back(static_cast<uint8_t>((rest & 127) | (rest >> 7 ? 0x80 : 0)));
    };
    auto literal = [&](size_t from, size_t to) {
        if (to > from) {
            token(0, to - from);
            out.insert(out.end(), p.begin() + static_cast<long>(from), p.begin() + static_cast<long>(to));
        }
    };
    size_t lit = 0, i = 0;
    while (i + 8 <= n) {
        bool equal = true;
        for (size_t k = 1; k < 8; ++k)
            equal = equal && p[i + k] == p[i];
        if (!equal) {
            i += 8;
            continue;
        }
        const uint8_t v = p[i];
        size_t start = i, end = i + 8;
        while (start > lit && p[start - 1] == v)
            --start;
        while (end < n && p[end] == v)
            ++end;
        literal(lit, start);
        token(1, end - start);
        out.push_back(v);
        lit = i = end;
    }
    literal(lit, n);
    return out;
}

}  // namespace

TEST(ChannelCode, LayerCodedRowByRowMatchesWholePlanes)
{
    // Saving codes each plane in pieces of rows; runs and windows that cross the ends of rows and
    // pieces must come out as for the whole plane.
    auto channel = [](int c, size_t i, uint32_t noise) -> uint8_t {
        switch (c) {
        case 0: return static_cast<uint8_t>(noise);                          // no runs
        case 1: return static_cast<uint8_t>((i / 7 + i / 13) % 3);           // runs of every short length
        case 2: return static_cast<uint8_t>(i / 2500);                        // long runs across rows
        default: return static_cast<uint8_t>(i % 97 < 60 ? 0 : noise % 4 ? 255 : noise);  // alpha-like
        }
    };
    struct Size { int32_t w, h; } sizes[] = {{1, 40}, {3, 11}, {9, 9}, {37, 5}, {2047, 2}, {2049, 3}, {5000, 2}};
    for (const Size& s : sizes) {
        SCOPED_TRACE(std::to_string(s.w) + "x" + std::to_string(s.h));
        Bitmap* layer = NewRGBAPic(s.w, s.h);
        ASSERT_NE(layer, nullptr);
        std::mt19937 rng(static_cast<uint32_t>(s.w));
        Bytes planes[kChannelCount];
        const size_t n = static_cast<size_t>(s.w) * static_cast<size_t>(s.h);
        for (size_t i = 0; i < n; ++i) {
            const uint32_t noise = rng();
            for (int c = 0; c < kChannelCount; ++c) {
                planes[c].push_back(channel(c, i, noise));
                layer->bits[i * 4 + static_cast<size_t>(c)] = planes[c].back();
            }
        }
        Bytes coded(ChannelCodeBound(n));
        for (int c = 0; c < kChannelCount; ++c) {
            const Bytes want = ReferenceCode(planes[c]);
            const size_t size = CodeBitmapChannel(layer, c, coded.data());
            EXPECT_EQ(Bytes(coded.begin(), coded.begin() + static_cast<long>(size)), want) << "channel " << c;
            EXPECT_EQ(Code(planes[c], s.w, s.h), want) << "whole plane, channel " << c;
        }
        EXPECT_EQ(CodeBitmapChannel(layer, 4, coded.data()), 0u);
        DeletePic(layer);
    }
    Bitmap* rgb = NewRGBPic(4, 4);
    uint8_t out[64];
    EXPECT_EQ(CodeBitmapChannel(rgb, 0, out), 0u);
    DeletePic(rgb);
}
