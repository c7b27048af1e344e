#include <gtest/gtest.h>

#include "raster/bitmap.h"

TEST(Bitmap, StrideAndLayout)
{
    struct Case { int w, bpp, stride; } cases[] = {
        {1, 24, 4}, {2, 24, 8}, {3, 24, 12}, {5, 24, 16}, {1, 32, 4}, {7, 32, 28},
    };
    for (const auto& c : cases) {
        Bitmap* b = NewPic(c.w, 3, c.bpp);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->stride, c.stride) << c.w << "x" << c.bpp;
        // top row lives at the end of the buffer (bottom-up rows)
        EXPECT_EQ(PicRow(b, 0), b->bits + 2 * c.stride);
        for (size_t i = 0; i < PicBytes(b); ++i)
            ASSERT_EQ(b->bits[i], 0);
        DeletePic(b);
    }
}

TEST(Bitmap, RefusesImpossibleSizes)
{
    EXPECT_EQ(NewRGBPic(0, 10), nullptr);
    EXPECT_EQ(NewRGBPic(10, -1), nullptr);
    EXPECT_EQ(NewRGBAPic(kMaxBitmapSide + 1, 1), nullptr);
    EXPECT_EQ(NewPic(4, 4, 16), nullptr);
    DeletePic(nullptr);
}
