#include <gtest/gtest.h>

#include "tests/octpal/fixture.h"

namespace {

struct DitherTest : testing::Test {
    void TearDown() override { OctRelease(); }
};

// One channel of a picture, memory row by memory row.
std::vector<std::vector<int>> Channel(Picture& pic, int channel)
{
    std::vector<std::vector<int>> rows;
    for (int y = 0; y < pic.height; ++y) {
        rows.emplace_back();
        for (int x = 0; x < pic.width; ++x)
            rows.back().push_back(pic.At(x, y)[channel]);
    }
    return rows;
}

Rgb InChannel(int channel, uint8_t v)
{
    return channel == 2 ? Rgb{v, 0, 0} : channel == 1 ? Rgb{0, v, 0} : Rgb{0, 0, v};
}

TEST_F(DitherTest, BurkesSharesReachOnlyNeighboursThatExist)
{
    // The palette holds 0, 2, 4 and 8 in one channel; a source of 40 maps to 8 and spreads an error of
    // 32, so every neighbour receives 8, 4 or 2 and lands exactly on a palette colour itself.  The
    // source keeps its value.  The last memory row is the first visited.
    struct Case {
        const char* what;
        int width, height, x, y, channel;  // source position (memory row) and byte in the pixel
        std::vector<std::vector<int>> rows;
    } cases[] = {
        {"middle, red", 5, 2, 2, 1, 2, {{2, 4, 8, 4, 2}, {0, 0, 40, 8, 4}}},
        {"left edge, green", 5, 2, 0, 1, 1, {{8, 4, 2, 0, 0}, {40, 8, 4, 0, 0}}},
        {"right edge, blue", 5, 2, 4, 1, 0, {{0, 0, 2, 4, 8}, {0, 0, 0, 0, 40}}},
        {"rows visited earlier get nothing", 5, 3, 1, 1, 2, {{4, 8, 4, 2, 0}, {0, 40, 8, 4, 0}, {0, 0, 0, 0, 0}}},
        {"one pixel wide", 1, 3, 0, 2, 2, {{0}, {8}, {40}}},
        {"one row", 5, 1, 1, 0, 2, {{0, 40, 8, 4, 0}}},
        {"first memory row has no next row", 3, 2, 0, 0, 2, {{40, 8, 4}, {0, 0, 0}}},
    };
    for (const Case& c : cases) {
        std::vector<OctEntry> entries;
        for (uint8_t v : {0, 2, 4, 8})
            entries.push_back(Entries({InChannel(c.channel, v)})[0]);
        ASSERT_EQ(OctBuildFromEntries(entries.data(), uint32_t(entries.size())), 1);
        OctCollectPalette(nullptr);
        Picture pic(c.width, c.height);
        pic.Set(c.x, c.y, InChannel(c.channel, 40));
        ASSERT_EQ(OctDither(&pic.px), 1) << c.what;
        EXPECT_EQ(Channel(pic, c.channel), c.rows) << c.what;
        const std::vector<std::vector<int>> black(size_t(c.height), std::vector<int>(size_t(c.width), 0));
        for (int other = 0; other < 3; ++other) {
            if (other != c.channel) {
                EXPECT_EQ(Channel(pic, other), black) << c.what;
            }
        }
    }
}

TEST_F(DitherTest, NegativeErrorsRoundDownAndClampAtZero)
{
    // Against a palette of (2,2,2), a 1 errs by -1: each share is -1 (not 0, as a division would give),
    // and the black row below stays black instead of wrapping.
    const std::vector<OctEntry> grey = Entries({{2, 2, 2}});
    ASSERT_EQ(OctBuildFromEntries(grey.data(), 1), 1);
    Picture pic(3, 2);
    pic.Set(0, 1, {1, 1, 1});
    pic.Set(1, 1, {2, 2, 2});
    pic.Set(2, 1, {2, 2, 2});
    ASSERT_EQ(OctDither(&pic.px), 1);
    for (int channel = 0; channel < 3; ++channel)
        EXPECT_EQ(Channel(pic, channel), (std::vector<std::vector<int>>{{0, 0, 0}, {1, 1, 0}}));
}

TEST_F(DitherTest, RefusesWithoutTreeOrTwentyFourBits)
{
    Picture pic = Row({{7, 8, 9}, {200, 100, 50}});
    const std::vector<uint8_t> before = pic.bytes;
    EXPECT_EQ(OctDither(&pic.px), 0);
    EXPECT_EQ(pic.bytes, before);

    ASSERT_EQ(OctBuildBlackWhite(), 1);
    Picture deep(2, 1, 32);
    deep.SetWord(0, 0, 0x00808080);
    const std::vector<uint8_t> deepBefore = deep.bytes;
    EXPECT_EQ(OctDither(&deep.px), 0);
    EXPECT_EQ(deep.bytes, deepBefore);
    EXPECT_EQ(OctDither(nullptr), 0);
}

}  // namespace
