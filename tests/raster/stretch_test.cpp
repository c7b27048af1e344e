#include <gtest/gtest.h>

#include "pic_fixture.h"
#include "raster/pic_copy.h"
#include "raster/stretch.h"

TEST(Stretch, NearestPicksThePixelUnderEachCentre)
{
    PicPtr src = Numbered(4, 2, 32);
    // 4 → 8 doubles every pixel; 4 → 2 takes columns 1 and 3 (centres at 1.0 and 3.0)
    PicPtr big(NewRGBAPic(8, 4));
    ASSERT_EQ(BlockRapidStretch(big.get(), 0, 0, 8, 4, src.get(), 0, 0, 4, 2), 1);
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 8; ++x)
            ASSERT_EQ(ReadPx(big.get(), x, y), ReadPx(src.get(), x / 2, y / 2)) << x << "," << y;
    PicPtr small(NewRGBPic(2, 1));
    ASSERT_EQ(BlockRapidStretch(small.get(), 0, 0, 2, 1, src.get(), 0, 0, 4, 2), 1);
    EXPECT_EQ(ReadPx(small.get(), 0, 0), ReadPx(src.get(), 1, 1));
    EXPECT_EQ(ReadPx(small.get(), 1, 0), ReadPx(src.get(), 3, 1));
    // the zoom view at 200 % shows the same as the doubling stretch
    PicPtr zoom(NewRGBAPic(8, 4));
    ASSERT_EQ(BlockStretchSet(zoom.get(), 0, 0, 8, 4, src.get(), 0, 0, 2.0), 1);
    EXPECT_TRUE(SameBytes(zoom.get(), big.get()));
    // at 50 % every second pixel, starting from the given source corner
    PicPtr half(NewRGBAPic(2, 1));
    ASSERT_EQ(BlockStretchSet(half.get(), 0, 0, 2, 1, src.get(), 0, 0, 0.5), 1);
    EXPECT_EQ(ReadPx(half.get(), 1, 0), ReadPx(src.get(), 3, 1));
}

TEST(Stretch, LeavesPixelsWithoutSourceAndClipsToTheDestination)
{
    PicPtr src = Numbered(2, 2, 24);
    for (int kind = 0; kind < 3; ++kind) {
        PicPtr dst = MakePic(5, 5, 24, [](int32_t, int32_t) { return 0xFF0A0B0Cu; });
        // block of 8 × 8 from a 4 × 4 source window starting at (-1, -1): only the middle 4 × 4 of
        // the block has a source, and only the part inside the 5 × 5 destination is written
        int rc = kind == 0   ? BlockRapidStretch(dst.get(), -3, -3, 8, 8, src.get(), -1, -1, 4, 4)
                 : kind == 1 ? BlockStretch(dst.get(), -3, -3, 8, 8, src.get(), -1, -1, 4, 4)
                             : BlockStretchSet(dst.get(), -3, -3, 8, 8, src.get(), -1, -1, 2.0);
        ASSERT_EQ(rc, 1);
        for (int32_t y = 0; y < 5; ++y)
            for (int32_t x = 0; x < 5; ++x) {
                bool inside = x + 3 >= 2 && x + 3 < 6 && y + 3 >= 2 && y + 3 < 6;
                if (!inside) {
                    ASSERT_EQ(ReadPx(dst.get(), x, y), 0xFF0A0B0Cu) << kind << " " << x << "," << y;
                } else if (kind != 1) {
                    ASSERT_EQ(ReadPx(dst.get(), x, y), ReadPx(src.get(), (x + 1) / 2, (y + 1) / 2));
                }
            }
    }
    PicPtr a(NewRGBPic(2, 2));
    EXPECT_EQ(BlockRapidStretch(a.get(), 0, 0, 2, 2, nullptr, 0, 0, 1, 1), 0);
    EXPECT_EQ(BlockRapidStretch(a.get(), 0, 0, 2, 2, src.get(), 0, 0, 0, 1), 0);
    EXPECT_EQ(BlockStretch(a.get(), 0, 0, -2, 2, src.get(), 0, 0, 1, 1), 0);
    EXPECT_EQ(BlockStretch(a.get(), 0, 0, 2, 2, a.get(), 0, 0, 1, 1), 0);
    EXPECT_EQ(BlockStretchSet(a.get(), 0, 0, 2, 2, src.get(), 0, 0, 0.0), 0);
    EXPECT_EQ(BlockStretchSet(a.get(), 0, 0, 2, 2, src.get(), 0, 0, -1.0 / 0.0), 0);
    EXPECT_EQ(BlockOrgStretch(src.get(), PicSize{0, 5}), nullptr);
}

TEST(Stretch, FilteredStretchInterpolatesAndAverages)
{
    // A two-pixel ramp enlarged to four: centres at -0.25, 0.25, 0.75, 1.25 of the source.
    PicPtr ramp = MakePic(2, 1, 24, [](int32_t x, int32_t) { return x ? 0xFFFFFFFFu : 0xFF000000u; });
    PicPtr wide = PicPtr(BlockOrgStretch(ramp.get(), PicSize{4, 1}));
    ASSERT_NE(wide, nullptr);
    EXPECT_EQ(wide->bitsPerPixel, 24);
    const int want[4] = {0, 64, 191, 255};
    for (int32_t x = 0; x < 4; ++x)
        EXPECT_NEAR(int(ReadPx(wide.get(), x, 0) & 0xFF), want[x], 1) << x;
    // Halving averages pairs; a transparent pixel lends no colour, only its missing coverage.
    PicPtr pair = MakePic(2, 1, 32, [](int32_t x, int32_t) { return x ? 0xFF0000FFu : 0x00FF0000u; });
    PicPtr one(NewRGBAPic(1, 1));
    ASSERT_EQ(BlockStretch(one.get(), 0, 0, 1, 1, pair.get(), 0, 0, 2, 1), 1);
    EXPECT_EQ(ReadPx(one.get(), 0, 0), 0x800000FFu);
    // A flat picture stays flat at any scale.
    PicPtr flat = MakePic(7, 5, 32, [](int32_t, int32_t) { return 0xC0336699u; });
    for (PicSize s : {PicSize{3, 2}, PicSize{20, 13}, PicSize{1, 1}}) {
        PicPtr out(BlockOrgStretch(flat.get(), s));
        ASSERT_NE(out, nullptr);
        for (int32_t y = 0; y < s.height; ++y)
            for (int32_t x = 0; x < s.width; ++x)
                ASSERT_EQ(ReadPx(out.get(), x, y), 0xC0336699u) << s.width << " " << x << "," << y;
    }
}

TEST(Stretch, AlphaRapidStretchLaysSourceOver)
{
    PicPtr src = MakePic(2, 1, 32, [](int32_t x, int32_t) { return x ? 0x80FF0000u : 0x00123456u; });
    PicPtr dst = MakePic(4, 1, 24, [](int32_t, int32_t) { return 0xFF0000FFu; });
    ASSERT_EQ(alphaBlockRapidStretch(dst.get(), 0, 0, 4, 1, src.get(), 0, 0, 2, 1), 1);
    EXPECT_EQ(ReadPx(dst.get(), 0, 0), 0xFF0000FFu);
    EXPECT_EQ(ReadPx(dst.get(), 3, 0), 0xFF80007Fu);
}
