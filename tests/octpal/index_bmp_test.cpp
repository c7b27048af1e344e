#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <unistd.h>

#include "tests/octpal/fixture.h"

namespace fs = std::filesystem;

namespace {

std::vector<uint8_t> ReadAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}

uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | (b[at + 1] << 8)); }

// Golden files are hex text, so a reviewer can read the layout and the diff of a change.
std::vector<uint8_t> ReadHex(const fs::path& p)
{
    std::ifstream in(p);
    std::vector<uint8_t> bytes;
    std::string line;
    while (std::getline(in, line)) {
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string word;
        while (words >> word)
            bytes.push_back(uint8_t(std::stoul(word, nullptr, 16)));
    }
    return bytes;
}

struct SaveTest : testing::Test {
    fs::path dir;
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("octpal-save-" + std::to_string(getpid()) + "-" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        OctRelease();
        fs::remove_all(dir);
    }
    std::vector<std::string> Files() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SaveTest, SmallPictureMatchesGoldenFile)
{
    // Five pixels wide, so each index row is padded from 5 to 8 bytes; three colours, the bottom row
    // (first in memory) red, green, blue, green, red and the top row all white.
    Picture pic(5, 2);
    const Rgb bottom[5] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {0, 255, 0}, {255, 0, 0}};
    for (int x = 0; x < 5; ++x) {
        pic.Set(x, 0, bottom[x]);
        pic.Set(x, 1, {255, 255, 255});
    }
    ASSERT_EQ(OctBuildFromPixels(&pic.px, 256, 8), 1);
    const fs::path out = dir / "small.bmp";
    ASSERT_EQ(OctSaveIndexBmp(&pic.px, out.string().c_str()), 1);
    EXPECT_EQ(ReadAll(out), ReadHex(fs::path(OCTPAL_GOLDEN_DIR) / "five_by_two.hex"));
}

TEST_F(SaveTest, LayoutFollowsPaletteSizeAndWidth)
{
    struct Case {
        int width, height, colours;
        uint32_t rowBytes;
    } cases[] = {{1, 1, 1, 4}, {4, 3, 2, 4}, {5, 2, 7, 8}, {9, 4, 30, 12}, {13, 1, 256, 16}};
    for (const Case& c : cases) {
        Picture pic(c.width, c.height);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const int k = (y * c.width + x) % c.colours;
                pic.Set(x, y, {uint8_t(k * 37), uint8_t(k * 11), uint8_t(255 - k)});
            }
        const int colours = std::min(c.colours, c.width * c.height);
        ASSERT_EQ(OctBuildFromPixels(&pic.px, 256, 8), 1);
        ASSERT_EQ(OctLeafCount(), uint32_t(colours));
        const fs::path out = dir / "layout.bmp";
        ASSERT_EQ(OctSaveIndexBmp(&pic.px, out.string().c_str()), 1);
        const std::vector<uint8_t> f = ReadAll(out);
        const uint32_t n = uint32_t(colours), offset = 54 + 4 * n;
        ASSERT_EQ(f.size(), size_t(offset + c.rowBytes * uint32_t(c.height))) << c.width;
        EXPECT_EQ(U16(f, 0), 0x4D42);
        EXPECT_EQ(U32(f, 2), f.size());
        EXPECT_EQ(U32(f, 10), offset);
        EXPECT_EQ(U32(f, 14), 40u);
        EXPECT_EQ(int32_t(U32(f, 18)), c.width);
        EXPECT_EQ(int32_t(U32(f, 22)), c.height);
        EXPECT_EQ(U16(f, 26), 1);
        EXPECT_EQ(U16(f, 28), 8);
        EXPECT_EQ(U32(f, 34), c.rowBytes * uint32_t(c.height));
        EXPECT_EQ(U32(f, 46), n);
        const std::vector<Rgb> palette = Palette();
        for (uint32_t i = 0; i < n; ++i) {
            EXPECT_EQ((Rgb{f[54 + 4 * i + 2], f[54 + 4 * i + 1], f[54 + 4 * i]}), palette[i]);
            EXPECT_EQ(f[54 + 4 * i + 3], 0);
        }
        for (int y = 0; y < c.height; ++y)
            for (uint32_t x = 0; x < c.rowBytes; ++x) {
                const uint8_t index = f[offset + uint32_t(y) * c.rowBytes + x];
                if (x >= uint32_t(c.width)) {
                    EXPECT_EQ(index, 0) << "padding";
                } else {
                    EXPECT_EQ(palette[index], pic.Get(int(x), y)) << x << "," << y;
                }
            }
    }
}

TEST_F(SaveTest, FailuresWriteNothingAndKeepThePreviousFile)
{
    const fs::path target = dir / "keep.bmp";
    std::ofstream(target, std::ios::binary) << "previous";
    Picture pic = Row({{1, 2, 3}, {4, 5, 6}});
    const std::string path = target.string();

    EXPECT_EQ(OctSaveIndexBmp(&pic.px, path.c_str()), 0) << "no tree";

    Picture many(300, 1);
    for (int x = 0; x < 300; ++x)
        many.Set(x, 0, {uint8_t(x), uint8_t(x >> 8), 7});
    ASSERT_EQ(OctBuildFromPixels(&many.px, 1000, 8), 1);
    ASSERT_EQ(OctLeafCount(), 300u);
    EXPECT_EQ(OctSaveIndexBmp(&many.px, path.c_str()), 0) << "more than 256 colours";

    ASSERT_EQ(OctBuildFromPixels(&pic.px, 256, 8), 1);
    Picture deep(2, 1, 32);
    EXPECT_EQ(OctSaveIndexBmp(&deep.px, path.c_str()), 0) << "32 bits per pixel";
    EXPECT_EQ(OctSaveIndexBmp(nullptr, path.c_str()), 0);
    EXPECT_EQ(OctSaveIndexBmp(&pic.px, nullptr), 0);
    EXPECT_EQ(OctSaveIndexBmp(&pic.px, ""), 0);
    EXPECT_EQ(OctSaveIndexBmp(&pic.px, (dir / "missing" / "x.bmp").string().c_str()), 0);
    fs::create_directory(dir / "folder.bmp");
    EXPECT_EQ(OctSaveIndexBmp(&pic.px, (dir / "folder.bmp").string().c_str()), 0);

    EXPECT_EQ(ReadAll(target), (std::vector<uint8_t>{'p', 'r', 'e', 'v', 'i', 'o', 'u', 's'}));
    EXPECT_EQ(Files(), (std::vector<std::string>{"folder.bmp", "keep.bmp"}));

    ASSERT_EQ(OctSaveIndexBmp(&pic.px, path.c_str()), 1);
    EXPECT_EQ(U32(ReadAll(target), 2), fs::file_size(target));
    EXPECT_EQ(Files(), (std::vector<std::string>{"folder.bmp", "keep.bmp"}));
}

}  // namespace
