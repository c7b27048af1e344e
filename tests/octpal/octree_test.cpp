#include <gtest/gtest.h>

#include <functional>

#include "tests/octpal/fixture.h"

namespace {

struct TreeTest : testing::Test {
    void TearDown() override { OctRelease(); }
};

TEST_F(TreeTest, FewColoursGiveExactlyThoseColoursInTreeOrder)
{
    // Slot order: red bit weighs 4, green 2, blue 1, so near black comes first, then blue, green, and
    // the two reds split one level further down; the duplicate adds no colour.
    Picture pic = Row({{255, 0, 0}, {0, 255, 0}, {10, 10, 10}, {0, 0, 255}, {128, 0, 0}, {0, 255, 0}});
    ASSERT_EQ(OctBuildFromPixels(&pic.px, 256, 8), 1);
    const std::vector<Rgb> expected{{10, 10, 10}, {0, 0, 255}, {0, 255, 0}, {128, 0, 0}, {255, 0, 0}};
    EXPECT_EQ(Palette(), expected);
    for (size_t i = 0; i < expected.size(); ++i) {
        uint32_t chosen = 0xDEADBEEF;
        EXPECT_EQ(OctNearestIndex(Ref(expected[i]), &chosen), int32_t(i));
        EXPECT_EQ(chosen, Ref(expected[i]));
    }

    Picture flat(7, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x)
            flat.Set(x, y, {12, 34, 56});
    ASSERT_EQ(OctBuildFromPixels(&flat.px, 256, 8), 1);
    EXPECT_EQ(Palette(), (std::vector<Rgb>{{12, 34, 56}}));
}

TEST_F(TreeTest, ReductionRunsAfterEveryPixelNewestDeepestFirst)
{
    struct Case {
        const char* what;
        std::vector<Rgb> pixels;
        uint32_t maxColors, colorBits;
        std::vector<Rgb> palette;
    } cases[] = {
        // C and D share the newest level-7 node, so they merge (mean truncated) while A and B stay.
        {"newest first", {{0, 0, 0}, {0, 0, 1}, {255, 255, 254}, {255, 255, 255}}, 3, 8,
         {{0, 0, 0}, {0, 0, 1}, {255, 255, 254}}},
        // The third pixel's lone level-7 node is reduced without gain, then A and B merge; the fourth
        // pixel then lands in the leaf the third one became.
        {"leaf absorbs later pixels", {{0, 0, 0}, {0, 0, 1}, {0, 0, 2}, {0, 0, 3}}, 2, 8,
         {{0, 0, 0}, {0, 0, 2}}},
        // Depth 1 keeps one colour per octant: the means of the pixels that fell into it.
        {"depth 1", {{0, 0, 0}, {100, 20, 40}, {200, 200, 200}, {255, 129, 255}}, 256, 1,
         {{50, 10, 20}, {227, 164, 227}}},
        // One colour: everything reduces up to the root.
        {"single colour", {{0, 0, 0}, {255, 255, 255}, {30, 60, 90}}, 1, 8, {{95, 105, 115}}},
    };
    for (const Case& c : cases) {
        Picture pic = Row(c.pixels);
        ASSERT_EQ(OctBuildFromPixels(&pic.px, c.maxColors, c.colorBits), 1) << c.what;
        EXPECT_EQ(Palette(), c.palette) << c.what;
    }
}

TEST_F(TreeTest, ReadsSixteenTwentyFourAndThirtyTwoBitPixels)
{
    struct Case {
        const char* what;
        int bpp;
        bool bitfields;
        uint32_t masks[3];
        uint32_t word;
        Rgb colour;
    } cases[] = {
        {"5-5-5 white", 16, false, {}, 0x7FFF, {248, 248, 248}},
        {"5-5-5 reading a 5-6-5 green", 16, false, {}, 0x07E0, {8, 248, 0}},
        {"5-6-5 green keeps 6 bits", 16, true, {0xF800, 0x07E0, 0x001F}, 0x07E0, {0, 252, 0}},
        {"5-6-5 mixed", 16, true, {0xF800, 0x07E0, 0x001F}, 0x8421, {128, 132, 8}},
        {"16-bit empty mask gives 0", 16, true, {0xF800, 0, 0x001F}, 0xFFFF, {248, 0, 248}},
        {"32-bit default", 32, false, {}, 0xAA112233, {0x11, 0x22, 0x33}},
        {"32-bit swapped masks", 32, true, {0x0000FF, 0x00FF00, 0xFF0000}, 0x00112233, {0x33, 0x22, 0x11}},
        {"24-bit", 24, false, {}, 0x112233, {0x11, 0x22, 0x33}},
    };
    for (const Case& c : cases) {
        Picture pic(3, 2, c.bpp);
        pic.px.bitfields = c.bitfields;
        for (int i = 0; i < 3; ++i)
            pic.px.masks[i] = c.masks[i];
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                pic.SetWord(x, y, c.word);
        ASSERT_EQ(OctBuildFromPixels(&pic.px, 256, 8), 1) << c.what;
        EXPECT_EQ(Palette(), std::vector<Rgb>{c.colour}) << c.what;
    }
}

TEST_F(TreeTest, RefusedBuildsLeaveNoTree)
{
    Picture good = Row({{1, 2, 3}, {4, 5, 6}});
    Picture paletted(4, 4, 8), mono(16, 2, 1), empty(0, 3), flat(3, 0);
    Picture noMemory = Row({{1, 2, 3}});
    noMemory.px.bits = nullptr;
    struct Case {
        const char* what;
        const OctPixels* pic;
        uint32_t maxColors, colorBits;
    } cases[] = {
        {"depth 9", &good.px, 256, 9},       {"depth 0", &good.px, 256, 0},
        {"no colours allowed", &good.px, 0, 8}, {"8 bits per pixel", &paletted.px, 256, 8},
        {"1 bit per pixel", &mono.px, 256, 8},  {"width 0", &empty.px, 256, 8},
        {"height 0", &flat.px, 256, 8},       {"no pixel memory", &noMemory.px, 256, 8},
        {"no picture", nullptr, 256, 8},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(OctBuildFromPixels(&good.px, 256, 8), 1);
        EXPECT_EQ(OctBuildFromPixels(c.pic, c.maxColors, c.colorBits), 0) << c.what;
        EXPECT_EQ(OctLeafCount(), 0u) << c.what;
        uint32_t untouched = 0x123456;
        EXPECT_EQ(OctNearestIndex(0, &untouched), -1) << c.what;
        EXPECT_EQ(untouched, 0x123456u) << c.what;
    }
}

TEST_F(TreeTest, NodeAllocationFailureEmptiesTheLibraryAndLeaksNothing)
{
    Picture pic = Row({{0, 0, 0}, {255, 255, 255}, {0, 0, 1}, {90, 30, 60}});
    const std::vector<OctEntry> entries = Entries({{1, 1, 1}, {200, 100, 0}});
    const std::function<int()> builds[] = {
        [&] { return OctBuildFromPixels(&pic.px, 3, 8); },
        [&] { return OctBuildFromEntries(entries.data(), 2); },
        [] { return OctBuildBlackWhite(); },
    };
    for (const auto& build : builds) {
        long needed = 0;
        {
            CountingHeap plenty;
            ASSERT_EQ(build(), 1);
            needed = CountingHeap::handed;
            OctRelease();
            EXPECT_EQ(CountingHeap::live, 0);
        }
        // Refuse the n-th node request, for every n the build makes.
        for (long budget = 0; budget < needed; ++budget) {
            CountingHeap heap(budget);
            EXPECT_EQ(build(), 0) << budget;
            EXPECT_EQ(OctLeafCount(), 0u) << budget;
            EXPECT_EQ(OctNearestIndex(0, nullptr), -1) << budget;
            EXPECT_EQ(CountingHeap::live, 0) << budget;
        }
    }
}

TEST_F(TreeTest, NodeMemoryStaysBoundedByTheColourLimit)
{
    // A noisy picture with far more colours than the limit: the tree never holds more than one
    // path per allowed leaf at any moment, whatever the picture's size.
    Picture pic(96, 64);
    uint32_t seed = 12345;
    for (int y = 0; y < pic.height; ++y)
        for (int x = 0; x < pic.width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            pic.Set(x, y, {uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(x * 2 + y)});
        }
    for (uint32_t maxColors : {1u, 2u, 16u, 256u}) {
        for (uint32_t depth : {3u, 8u}) {
            CountingHeap heap;
            ASSERT_EQ(OctBuildFromPixels(&pic.px, maxColors, depth), 1);
            const uint32_t n = OctLeafCount();
            EXPECT_GE(n, 1u);
            EXPECT_LE(n, maxColors);
            EXPECT_LE(CountingHeap::peak, long(maxColors + 1) * long(depth + 1)) << maxColors << "/" << depth;
            for (int y = 0; y < pic.height; ++y)
                for (int x = 0; x < pic.width; ++x) {
                    const int32_t i = OctNearestIndex(Ref(pic.Get(x, y)), nullptr);
                    ASSERT_GE(i, 0);
                    ASSERT_LT(uint32_t(i), n);
                }
            OctRelease();
        }
    }
}

TEST_F(TreeTest, BlackWhitePalette)
{
    ASSERT_EQ(OctBuildBlackWhite(), 1);
    EXPECT_EQ(Palette(), (std::vector<Rgb>{{0, 0, 0}, {255, 255, 255}}));
    uint32_t chosen = 0;
    EXPECT_EQ(OctNearestIndex(Ref({200, 200, 200}), &chosen), 1);
    EXPECT_EQ(chosen, 0xFFFFFFu);
    // Its octant is empty: the nearer of the two leaves wins.
    EXPECT_EQ(OctNearestIndex(Ref({100, 200, 50}), &chosen), 0);
    EXPECT_EQ(chosen, 0u);
}

TEST_F(TreeTest, EntriesShareLeavesAndAnswerWithTheirOwnPositionsUntilCollected)
{
    const std::vector<OctEntry> entries = Entries({{255, 0, 0}, {0, 0, 255}, {255, 0, 0}});
    ASSERT_EQ(OctBuildFromEntries(entries.data(), 3), 1);
    EXPECT_EQ(OctLeafCount(), 2u);
    uint32_t chosen = 0;
    EXPECT_EQ(OctNearestIndex(Ref({255, 0, 0}), &chosen), 0);
    EXPECT_EQ(chosen, 0x0000FFu);
    EXPECT_EQ(OctNearestIndex(Ref({0, 0, 255}), &chosen), 1);
    // Collecting numbers the leaves in tree order: blue's octant comes before red's.
    EXPECT_EQ(Palette(), (std::vector<Rgb>{{0, 0, 255}, {255, 0, 0}}));
    EXPECT_EQ(OctNearestIndex(Ref({255, 0, 0}), nullptr), 1);
    EXPECT_EQ(OctNearestIndex(Ref({0, 0, 255}), nullptr), 0);

    EXPECT_EQ(OctBuildFromEntries(entries.data(), 0), 0);
    EXPECT_EQ(OctLeafCount(), 0u);
}

TEST_F(TreeTest, SearchStaysInTheSubtreeWhereThePathEnds)
{
    // (127,127,127) shares the first octant with black only; grey (128,128,128) is far closer but
    // lives under another root slot, and the search never leaves the octant.
    std::vector<OctEntry> entries = Entries({{128, 128, 128}, {0, 0, 0}});
    ASSERT_EQ(OctBuildFromEntries(entries.data(), 2), 1);
    OctCollectPalette(nullptr);
    uint32_t chosen = 0xDEAD;
    EXPECT_EQ(OctNearestIndex(Ref({127, 127, 127}), &chosen), 0);
    EXPECT_EQ(chosen, 0u);

    // (1,2,0) leaves the shared path where (0,0,0) and (2,0,0) part; both lie at distance 5, and the
    // one in the earlier slot wins whatever the insertion order.
    entries = Entries({{2, 0, 0}, {0, 0, 0}});
    ASSERT_EQ(OctBuildFromEntries(entries.data(), 2), 1);
    OctCollectPalette(nullptr);
    EXPECT_EQ(OctNearestIndex(Ref({1, 2, 0}), &chosen), 0);
    EXPECT_EQ(chosen, 0u);
    // Only the query's low 24 bits count.
    EXPECT_EQ(OctNearestIndex(0xFF000002, &chosen), 1);
    EXPECT_EQ(chosen, 2u);
}

}  // namespace
