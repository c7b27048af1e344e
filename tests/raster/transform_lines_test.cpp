#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <set>
#include <utility>

#include "pic_fixture.h"
#include "raster/lines.h"
#include "raster/pic_copy.h"
#include "raster/transform.h"

TEST(Transform, FlipsAndQuarterTurnsMovePixelsWhereExpected)
{
    for (int bpp : {24, 32}) {
        PicPtr src = Numbered(5, 3, bpp);
        PicPtr fh(DIBFlipHorz(src.get())), fv(DIBFlipVert(src.get())), r90(DIBRotate90(src.get())),
            r180(DIBRotate180(src.get()));
        ASSERT_TRUE(fh && fv && r90 && r180);
        ASSERT_EQ(r90->width, 3);
        ASSERT_EQ(r90->height, 5);
        EXPECT_EQ(r90->bitsPerPixel, bpp);
        for (int32_t y = 0; y < 3; ++y)
            for (int32_t x = 0; x < 5; ++x) {
                const uint32_t p = ReadPx(src.get(), x, y);
                EXPECT_EQ(ReadPx(fh.get(), 4 - x, y), p);
                EXPECT_EQ(ReadPx(fv.get(), x, 2 - y), p);
                EXPECT_EQ(ReadPx(r90.get(), 2 - y, x), p);  // clockwise: (x, y) -> (h - 1 - y, x)
                EXPECT_EQ(ReadPx(r180.get(), 4 - x, 2 - y), p);
            }
        // turning by quarter angles gives exactly the quarter turns
        PicPtr q1(DIBRotate(src.get(), std::numbers::pi / 2));
        PicPtr q2(DIBRapidRotate(src.get(), -3 * std::numbers::pi));
        PicPtr q3(DIBRotate(src.get(), -std::numbers::pi / 2));
        PicPtr r270(DIBRotate90(r180.get()));
        ASSERT_TRUE(q1 && q2 && q3);
        EXPECT_TRUE(SameBytes(q1.get(), r90.get()));
        EXPECT_TRUE(SameBytes(q2.get(), r180.get()));
        EXPECT_TRUE(SameBytes(q3.get(), r270.get()));
    }
    EXPECT_EQ(DIBFlipHorz(nullptr), nullptr);
    EXPECT_EQ(DIBRotate(nullptr, 1.0), nullptr);
    PicPtr one(NewRGBPic(1, 1));
    EXPECT_EQ(DIBRotate(one.get(), std::nan("")), nullptr);
}

TEST(Transform, FreeTurnKeepsCentreAndTurnsClockwise)
{
    // A 21 × 11 picture with a marked pixel to the right of the centre.
    PicPtr src = MakePic(21, 11, 32, [](int32_t x, int32_t y) { return x == 15 && y == 5 ? 0xFFFF0000u : 0xFF00FF00u; });
    const double angle = std::numbers::pi / 6;  // 30 degrees
    for (bool smooth : {false, true}) {
        PicPtr out(smooth ? DIBRotate(src.get(), angle) : DIBRapidRotate(src.get(), angle));
        ASSERT_NE(out, nullptr);
        const double bw = 21 * std::cos(angle) + 11 * std::sin(angle), bh = 21 * std::sin(angle) + 11 * std::cos(angle);
        EXPECT_EQ(out->width, int32_t(std::ceil(bw)));
        EXPECT_EQ(out->height, int32_t(std::ceil(bh)));
        // the mark 5 pixels right of the centre goes 5 pixels along 30 degrees below the +x axis
        const double cx = out->width / 2.0 + 5 * std::cos(angle), cy = out->height / 2.0 + 5 * std::sin(angle);
        int32_t best = 0;
        for (int32_t y = 0; y < out->height; ++y)
            for (int32_t x = 0; x < out->width; ++x)
                if (((ReadPx(out.get(), x, y) >> 16) & 0xFF) > 100 && std::hypot(x + 0.5 - cx, y + 0.5 - cy) < 1.5)
                    ++best;
        EXPECT_GE(best, 1) << smooth;
        EXPECT_EQ(ReadPx(out.get(), out->width / 2, out->height / 2), 0xFF00FF00u) << smooth;
        EXPECT_EQ(ReadPx(out.get(), 0, 0) >> 24, 0u) << "corners outside the picture are transparent";
    }
}

TEST(Lines, DrawEveryPixelOnceAndClip)
{
    PicPtr pic(NewRGBPic(10, 8));
    // a steep line, then the same line in XOR twice, restores the line's colour
    ASSERT_EQ(ZeroLine(pic->bits, pic->height, pic->stride, 2, 1, 5, 7, 0x112233, nullptr), 1);
    std::set<std::pair<int, int>> on;
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 10; ++x)
            if (GetMyPixel(pic->bits, pic->height, pic->stride, x, y) == 0x112233)
                on.insert({x, y});
    EXPECT_EQ(on.size(), 7u);  // one pixel per row from y = 1 to 7, both ends included
    EXPECT_TRUE(on.count({2, 1}) && on.count({5, 7}));
    PicPtr before(BackupDIB(pic.get()));
    for (int i = 0; i < 2; ++i) {
        ASSERT_EQ(ZeroLineXor(pic->bits, pic->height, pic->stride, -1000000000, 3, 2000000000, 3, 0xFFFFFF, nullptr), 1);
        ASSERT_EQ(ZeroRectXor(pic->bits, pic->height, pic->stride, 1, 1, 6, 5, 0x808080, nullptr), 1);
    }
    EXPECT_TRUE(SameBytes(pic.get(), before.get()));
    ASSERT_EQ(ZeroRectXor(pic->bits, pic->height, pic->stride, 1, 1, 6, 5, 0xFFFFFF, nullptr), 1);
    int changed = 0;
    for (int32_t y = 0; y < 8; ++y)
        for (int32_t x = 0; x < 10; ++x)
            changed += ReadPx(pic.get(), x, y) != ReadPx(before.get(), x, y);
    EXPECT_EQ(changed, 2 * 6 + 2 * 3);  // the outline of 6 × 5 pixels, corners once
    // a far-away diagonal is clipped to the clip rectangle and to the rows
    PicPtr rgba(NewRGBAPic(6, 6));
    PicRect clip{2, 0, 100, 4};
    ASSERT_EQ(AlphaZeroLine(rgba->bits, rgba->height, rgba->stride, -2000000000, -2000000000, 2000000000, 2000000000,
                            0x0000FF, &clip), 1);
    for (int32_t y = 0; y < 6; ++y)
        for (int32_t x = 0; x < 6; ++x)
            EXPECT_EQ(GetAlphaPixel(rgba->bits, rgba->height, rgba->stride, x, y),
                      (x == y && x >= 2 && y < 4) ? 0xFF0000FFu : 0u) << x << "," << y;
    EXPECT_EQ(GetAlphaPixel(rgba->bits, rgba->height, rgba->stride, 6, 0), 0u);
    EXPECT_EQ(GetMyPixel(nullptr, 1, 4, 0, 0), 0u);
    EXPECT_EQ(ZeroLine(nullptr, 8, 32, 0, 0, 1, 1, 0, nullptr), 0);
}

TEST(Lines, OneBitRows)
{
    uint8_t rows[2 * 4] = {};  // 2 rows of 32 one-bit pixels
    ASSERT_EQ(LineBW(rows, 2, 4, 0, 0, 9, 0, 1, nullptr), 1);   // top row: bottom-up, so the second
    EXPECT_EQ(rows[4], 0xFF);
    EXPECT_EQ(rows[5], 0xC0);
    ASSERT_EQ(SetBWPixel(rows, 2, 4, 1, 0, 0), 1);
    EXPECT_EQ(rows[4], 0xBF);
    ASSERT_EQ(SetBWPixel(rows, 2, 4, 31, 1, 1), 1);
    EXPECT_EQ(rows[3], 0x01);
    ASSERT_EQ(SetBWPixel(rows, 2, 4, 32, 1, 1), 1);  // outside: nothing
    EXPECT_EQ(rows[4], 0xBF);
}
