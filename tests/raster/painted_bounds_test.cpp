#include <gtest/gtest.h>

#include <random>
#include <string>

#include "pic_fixture.h"
#include "raster/painted_bounds.h"

TEST(PaintedBounds, FindsTheBoxOfEveryPaintedPixel)
{
    // A few painted pixels scattered at random over layers of widths around the four-pixel steps,
    // checked against reading every pixel.
    std::mt19937 rng(5);
    for (int32_t w : {1, 2, 3, 4, 5, 7, 8, 9, 33}) {
        for (int trial = 0; trial < 40; ++trial) {
            const int32_t h = 1 + static_cast<int32_t>(rng() % 9);
            PicPtr pic(NewRGBAPic(w, h));
            const int dots = static_cast<int>(rng() % 4);
            for (int k = 0; k < dots; ++k)
                WritePx(pic.get(), static_cast<int32_t>(rng() % uint32_t(w)), static_cast<int32_t>(rng() % uint32_t(h)),
                        (1 + rng() % 255) << 24);
            // colour without alpha is not paint
            WritePx(pic.get(), static_cast<int32_t>(rng() % uint32_t(w)), static_cast<int32_t>(rng() % uint32_t(h)),
                    0x00FFFFFF);
            PicRect want{w, h, -1, -1};
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 0; x < w; ++x)
                    if (ReadPx(pic.get(), x, y) >> 24) {
                        want = {std::min(want.left, x), std::min(want.top, y), std::max(want.right, x + 1),
                                std::max(want.bottom, y + 1)};
                    }
            PicRect got;
            const std::string where = std::to_string(w) + "x" + std::to_string(h) + " trial " + std::to_string(trial);
            if (want.right < 0) {
                EXPECT_EQ(PaintedBounds(pic.get(), &got), 0) << where;
                continue;
            }
            ASSERT_EQ(PaintedBounds(pic.get(), &got), 1) << where;
            EXPECT_EQ(got.left, want.left) << where;
            EXPECT_EQ(got.top, want.top) << where;
            EXPECT_EQ(got.right, want.right) << where;
            EXPECT_EQ(got.bottom, want.bottom) << where;
        }
    }
    PicPtr rgb(NewRGBPic(4, 4));
    PicRect box;
    EXPECT_EQ(PaintedBounds(rgb.get(), &box), 0);
}
