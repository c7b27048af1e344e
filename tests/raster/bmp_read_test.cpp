#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "raster/bmp_file.h"

namespace {

using Bytes = std::vector<uint8_t>;
using Grid = std::vector<std::vector<uint32_t>>;  // rows top-down; colours 0xAARRGGBB or indexes

void Put16(Bytes& b, size_t at, uint32_t v) { b[at] = uint8_t(v); b[at + 1] = uint8_t(v >> 8); }
void Put32(Bytes& b, size_t at, uint32_t v) { Put16(b, at, v); Put16(b, at + 2, v >> 16); }
void Append32(Bytes& b, uint32_t v) { b.resize(b.size() + 4); Put32(b, b.size() - 4, v); }

// What goes into a small DIB.  Pixel values are packed as stored: indexes for 8 bits or fewer,
// the raw pixel for 16 and 32 bits, 0xRRGGBB for 24.
struct Dib {
    uint32_t headerSize = 40;
    int32_t width = 0;
    int32_t height = 0;  // negative: top-down
    uint16_t bits = 24;
    uint32_t compression = 0;
    std::vector<uint32_t> masks;    // after a 40-byte header, or inside a larger one
    std::vector<uint32_t> palette;  // 0xRRGGBB
    uint32_t coloursUsed = 0;
    Bytes pixels;
};

Bytes PackRows(const Grid& grid, int bits, bool topDown)
{
    Bytes out;
    const int h = static_cast<int>(grid.size());
    for (int i = 0; i < h; ++i) {
        const auto& row = grid[topDown ? i : h - 1 - i];
        Bytes r((row.size() * bits + 31) / 32 * 4, 0);
        for (size_t x = 0; x < row.size(); ++x) {
            const uint32_t v = row[x];
            if (bits < 8)
                r[x * bits / 8] |= uint8_t(v << (8 - bits - (x * bits) % 8));
            else
                for (int k = 0; k < bits / 8; ++k)
                    r[x * (bits / 8) + k] = uint8_t(v >> (8 * k));
        }
        out.insert(out.end(), r.begin(), r.end());
    }
    return out;
}

Bytes MakeDib(const Dib& d)
{
    Bytes b(d.headerSize, 0);
    Put32(b, 0, d.headerSize);
    if (d.headerSize == 12) {
        Put16(b, 4, uint32_t(d.width));
        Put16(b, 6, uint32_t(d.height));
        Put16(b, 8, 1);
        Put16(b, 10, d.bits);
    } else {
        Put32(b, 4, uint32_t(d.width));
        Put32(b, 8, uint32_t(d.height));
        Put16(b, 12, 1);
        Put16(b, 14, d.bits);
        Put32(b, 16, d.compression);
        Put32(b, 20, uint32_t(d.pixels.size()));
        Put32(b, 32, d.coloursUsed);
    }
    for (size_t i = 0; i < d.masks.size(); ++i) {
        if (d.headerSize == 40)
            Append32(b, d.masks[i]);
        else
            Put32(b, 40 + 4 * i, d.masks[i]);
    }
    for (uint32_t c : d.palette) {
        b.push_back(uint8_t(c));
        b.push_back(uint8_t(c >> 8));
        b.push_back(uint8_t(c >> 16));
        if (d.headerSize != 12)
            b.push_back(0);
    }
    b.insert(b.end(), d.pixels.begin(), d.pixels.end());
    return b;
}

Bytes MakeBmp(const Dib& d)
{
    const Bytes dib = MakeDib(d);
    Bytes b(14, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, uint32_t(14 + dib.size()));
    Put32(b, 10, uint32_t(14 + dib.size() - d.pixels.size()));
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

class TempFile {
public:
    explicit TempFile(const Bytes& content)
    {
        static int counter = 0;
        path_ = (std::filesystem::temp_directory_path() /
                 ("bmp_read_test_" + std::to_string(counter++) + ".bmp")).string();
        std::FILE* f = std::fopen(path_.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f) {
            if (!content.empty())
                std::fwrite(content.data(), 1, content.size(), f);
            std::fclose(f);
        }
    }
    ~TempFile() { std::remove(path_.c_str()); }
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

Bitmap* Load(const Bytes& file)
{
    TempFile f(file);
    return PT_GetBITMAPFile(f.path());
}

// Compares a bitmap with expected 0xAARRGGBB colours, rows top-down (alpha only for 32 bits).
void ExpectPicture(const Bitmap* b, const Grid& expected, int bits)
{
    ASSERT_NE(b, nullptr);
    ASSERT_EQ(b->bitsPerPixel, bits);
    ASSERT_EQ(b->height, static_cast<int32_t>(expected.size()));
    ASSERT_EQ(b->width, static_cast<int32_t>(expected[0].size()));
    for (int y = 0; y < b->height; ++y)
        for (int x = 0; x < b->width; ++x) {
            const uint8_t* p = PicPixel(b, x, y);
            uint32_t got = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16;
            uint32_t want = expected[y][x];
            if (bits == 32)
                got |= uint32_t(p[3]) << 24;
            else
                want &= 0xFFFFFF;
            EXPECT_EQ(got, want) << "pixel " << x << "," << y;
        }
}

// The picture every depth can hold exactly: red green blue over white black yellow.
const Grid kColours = {{0xFFFF0000, 0xFF00FF00, 0xFF0000FF}, {0xFFFFFFFF, 0xFF000000, 0xFFFFFF00}};
const std::vector<uint32_t> kPalette = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFFFF00};
const Grid kIndexes = {{0, 1, 2}, {3, 4, 5}};

// kColours as 16-bit pixels with 5 bits per channel (red highest), or 5-6-5.
Grid As16(bool sixGreen)
{
    Grid g = kColours;
    for (auto& row : g)
        for (auto& c : row) {
            const uint32_t r = (c >> 16) & 255, gr = (c >> 8) & 255, b = c & 255;
            c = sixGreen ? (r >> 3) << 11 | (gr >> 2) << 5 | b >> 3 : (r >> 3) << 10 | (gr >> 3) << 5 | b >> 3;
        }
    return g;
}

Grid WithAlpha(const Grid& g, uint32_t alpha)
{
    Grid out = g;
    for (auto& row : out)
        for (auto& c : row)
            c = (c & 0xFFFFFF) | alpha << 24;
    return out;
}

struct DepthCase {
    const char* name;
    Dib dib;
    Grid expected;
    int bits;
};

std::vector<DepthCase> DepthCases()
{
    const Grid oneBit = {{1, 0, 1, 1, 0, 0, 1, 0, 1}, {0, 0, 0, 0, 0, 0, 0, 0, 1}};
    Grid oneBitColours = oneBit;
    for (auto& row : oneBitColours)
        for (auto& c : row)
            c = c ? 0xFFAABBCC : 0xFF112233;
    Grid rgb = kColours;
    for (auto& row : rgb)
        for (auto& c : row)
            c &= 0xFFFFFF;
    // 32-bit pixels with red in the low byte and alpha on top, described by masks
    Grid rgba = kColours;
    for (auto& row : rgba)
        for (auto& c : row)
            c = 0x80000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
    const Grid argb1555 = {{0x8000 | 0x7C00, 0x03E0, 0x8000 | 0x001F}, {0x8000 | 0x7FFF, 0x8000, 0x7FE0}};
    const Grid argb1555Colours = {{0xFFFF0000, 0x0000FF00, 0xFF0000FF}, {0xFFFFFFFF, 0xFF000000, 0x00FFFF00}};
    // Some alpha values are 0, some not: alpha is kept exactly as stored.
    const Grid mixed = {{0x00FF0000, 0x4000FF00, 0xFF0000FF}, {0xFFFFFFFF, 0x00000000, 0x80FFFF00}};

    return {
        {"1 bit, 9 wide", {40, 9, 2, 1, 0, {}, {0x112233, 0xAABBCC}, 0, PackRows(oneBit, 1, false)}, oneBitColours, 24},
        {"4 bits", {40, 3, 2, 4, 0, {}, kPalette, 6, PackRows(kIndexes, 4, false)}, kColours, 24},
        {"8 bits, full table", {40, 3, 2, 8, 0, {}, [] { auto p = kPalette; p.resize(256); return p; }(), 0,
                                PackRows(kIndexes, 8, false)}, kColours, 24},
        {"8 bits, oldest header", {12, 3, 2, 8, 0, {}, [] { auto p = kPalette; p.resize(256); return p; }(), 0,
                                   PackRows(kIndexes, 8, false)}, kColours, 24},
        {"16 bits 5-5-5", {40, 3, 2, 16, 0, {}, {}, 0, PackRows(As16(false), 16, false)}, kColours, 24},
        {"16 bits 5-6-5 masks", {40, 3, 2, 16, 3, {0xF800, 0x07E0, 0x001F}, {}, 0, PackRows(As16(true), 16, false)},
         kColours, 24},
        {"16 bits with alpha bit", {108, 3, 2, 16, 3, {0x7C00, 0x03E0, 0x001F, 0x8000}, {}, 0,
                                    PackRows(argb1555, 16, false)}, argb1555Colours, 32},
        {"24 bits bottom-up", {40, 3, 2, 24, 0, {}, {}, 0, PackRows(rgb, 24, false)}, kColours, 24},
        {"24 bits top-down", {40, 3, -2, 24, 0, {}, {}, 0, PackRows(rgb, 24, true)}, kColours, 24},
        {"32 bits, alpha unused", {40, 3, 2, 32, 0, {}, {}, 0, PackRows(rgb, 32, false)}, kColours, 24},
        {"32 bits with alpha", {40, 3, 2, 32, 0, {}, {}, 0, PackRows(mixed, 32, false)}, mixed, 32},
        {"32 bits, masks in a 124-byte header", {124, 3, -2, 32, 3, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, {}, 0,
                                                 PackRows(rgba, 32, true)}, WithAlpha(kColours, 0x80), 32},
        {"32 bits, masks after the header", {40, 3, 2, 32, 3, {0xFF, 0xFF00, 0xFF0000}, {}, 0,
                                             PackRows(rgba, 32, false)}, kColours, 24},
    };
}

}  // namespace

TEST(BmpRead, ReadsEveryDepthAndLayout)
{
    for (const auto& c : DepthCases()) {
        SCOPED_TRACE(c.name);
        Bitmap* b = Load(MakeBmp(c.dib));
        ExpectPicture(b, c.expected, c.bits);
        DeletePic(b);
    }
}

TEST(BmpRead, AlphaFileAlwaysGivesRgba)
{
    Grid rgb = kColours;
    for (auto& row : rgb)
        for (auto& c : row)
            c &= 0xFFFFFF;
    TempFile opaque(MakeBmp({40, 3, 2, 24, 0, {}, {}, 0, PackRows(rgb, 24, false)}));
    Bitmap* b = GetICALPHAFile(opaque.path());
    ExpectPicture(b, kColours, 32);
    DeletePic(b);

    const Grid half = WithAlpha(kColours, 0x7F);
    TempFile alpha(MakeBmp({40, 3, 2, 32, 0, {}, {}, 0, PackRows(half, 32, false)}));
    b = GetICALPHAFile(alpha.path());
    ExpectPicture(b, half, 32);
    DeletePic(b);
}

TEST(BmpRead, ReadsBackWhatItWrites)
{
    for (int bits : {24, 32}) {
        Bitmap* pic = NewPic(5, 3, bits);
        ASSERT_NE(pic, nullptr);
        const size_t rowBytes = size_t(pic->width) * size_t(bits / 8);
        for (int y = 0; y < pic->height; ++y)
            for (size_t i = 0; i < rowBytes; ++i)
                PicRow(pic, y)[i] = uint8_t(i * 7 + y + 1);
        TempFile file({});
        ASSERT_EQ(PT_PutBITMAPFile(pic, file.path()), 1);
        Bitmap* back = PT_GetBITMAPFile(file.path());
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->bitsPerPixel, bits);
        for (int y = 0; y < pic->height; ++y)
            EXPECT_EQ(std::memcmp(PicRow(back, y), PicRow(pic, y), rowBytes), 0) << bits << " bits, row " << y;
        DeletePic(back);
        DeletePic(pic);
    }
}

namespace {

// 4 × 3, 8 bits: bottom row one run; middle row literal indexes then a move up and right; the top row
// gets one pixel from the move and keeps the background elsewhere.
const Bytes kRle8 = {
    0x04, 0x01, 0x00, 0x00,                    // run of four 1s, end of line
    0x00, 0x03, 0x02, 0x03, 0x04, 0x00,        // literal 2 3 4, padded
    0x00, 0x02, 0x00, 0x01,                    // move by (0, 1): to x 3 of the top row
    0x01, 0x05, 0x00, 0x01,                    // one 5, end of picture
};
// 5 × 2, 4 bits: a run reaching past the right edge, literal nibbles, a move right, end of picture.
const Bytes kRle4 = {
    0x06, 0x12, 0x00, 0x00,                    // 1 2 1 2 1 (the sixth is cut), end of line
    0x00, 0x03, 0x34, 0x50,                    // literal 3 4 5
    0x00, 0x02, 0x01, 0x00,                    // move right by one
    0x01, 0x20, 0x00, 0x01,                    // one 2, end of picture
};
const std::vector<uint32_t> kRlePalette = {0x102030, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFFFF00};

Grid Colours(const Grid& indexes)
{
    Grid g = indexes;
    for (auto& row : g)
        for (auto& c : row)
            c = 0xFF000000 | kRlePalette[c];
    return g;
}

Bytes WithTail(Bytes b, const Bytes& tail)
{
    b.resize(b.size() - 2);  // drop the end-of-picture mark
    b.insert(b.end(), tail.begin(), tail.end());
    return b;
}

}  // namespace

TEST(BmpRead, ReadsRunLengthCoding)
{
    Bitmap* b = Load(MakeBmp({40, 4, 3, 8, 1, {}, kRlePalette, 6, kRle8}));
    ExpectPicture(b, Colours({{0, 0, 0, 5}, {2, 3, 4, 0}, {1, 1, 1, 1}}), 24);
    DeletePic(b);

    b = Load(MakeBmp({40, 5, 2, 4, 2, {}, kRlePalette, 6, kRle4}));
    ExpectPicture(b, Colours({{3, 4, 5, 0, 2}, {1, 2, 1, 2, 1}}), 24);
    DeletePic(b);

    // data that ends after the last line without its end mark is complete
    b = Load(MakeBmp({40, 2, 1, 8, 1, {}, kRlePalette, 6, {0x02, 0x04, 0x00, 0x00}}));
    ExpectPicture(b, Colours({{4, 4}}), 24);
    DeletePic(b);
}

TEST(BmpRead, RefusesDamagedFiles)
{
    const Dib good24{40, 3, 2, 24, 0, {}, {}, 0, PackRows(WithAlpha(kColours, 0), 24, false)};
    const Bytes good = MakeBmp(good24);
    auto with = [](Bytes b, size_t at, uint32_t v) { Put32(b, at, v); return b; };
    auto with16 = [](Bytes b, size_t at, uint32_t v) { Put16(b, at, v); return b; };
    auto cut = [](const Bytes& b, size_t n) { return Bytes(b.begin(), b.begin() + static_cast<long>(n)); };
    auto rle8 = [](const Bytes& data, int32_t w = 4, int32_t h = 3) {
        return MakeBmp({40, w, h, 8, 1, {}, kRlePalette, 6, data});
    };
    // offsets into the file: 14 file header, then the info header
    constexpr size_t kWidth = 18, kHeight = 22, kBits = 28, kCompression = 30, kColoursUsed = 46;

    struct Bad { const char* name; Bytes file; } cases[] = {
        {"empty", {}},
        {"file header only", cut(good, 14)},
        {"not BM", with16(good, 0, 0x4142)},
        {"cut in the info header", cut(good, 30)},
        {"cut in the first row", cut(good, 54 + 5)},
        {"cut in the last row", cut(good, good.size() - 4)},
        {"pixels start past the end", with(good, 10, uint32_t(good.size() + 1))},
        {"pixels start inside the header", with(good, 10, 40)},
        {"header size 0", with(good, 14, 0)},
        {"header size 41", with(good, 14, 41)},
        {"header larger than the file", with(good, 14, 124)},
        {"width 0", with(good, kWidth, 0)},
        {"negative width", with(good, kWidth, uint32_t(-3))},
        {"height 0", with(good, kHeight, 0)},
        {"most negative height", with(good, kHeight, uint32_t(INT32_MIN))},
        {"gigantic width", with(good, kWidth, 2000000000)},
        {"30000 square claimed, 18 bytes given", with(with(good, kWidth, 30000), kHeight, 30000)},
        {"7 bits", with16(good, kBits, 7)},
        {"embedded JPEG", with(good, kCompression, 4)},
        {"unknown compression", with(good, kCompression, 99)},
        {"run-length coding with 24 bits", with(good, kCompression, 1)},
        {"bit-fields with 24 bits", with(good, kCompression, 3)},
        {"mask with a gap", MakeBmp({40, 1, 1, 16, 3, {0xF00F, 0x00F0, 0x0F00}, {}, 0, {0, 0, 0, 0}})},
        {"mask wider than the pixel", MakeBmp({40, 1, 1, 16, 3, {0x1F0000, 0x07E0, 0x001F}, {}, 0, {0, 0, 0, 0}})},
        {"no masks at all", MakeBmp({40, 1, 1, 32, 3, {0, 0, 0}, {}, 0, {0, 0, 0, 0}})},
        {"colour table past the end", with(MakeBmp({40, 3, 2, 8, 0, {}, kPalette, 6, PackRows(kIndexes, 8, false)}),
                                           kColoursUsed, 100000)},
        {"run-length coding top-down", with(rle8(kRle8), kHeight, uint32_t(-3))},
        {"run-length picture of 30000 square", rle8(kRle8, 30000, 30000)},
        {"run-length data stops early", rle8(cut(kRle8, 10))},
        {"run-length literal cut", rle8(cut(kRle8, 8))},
        {"run-length move cut", rle8(cut(kRle8, 12))},
        {"run-length rows above the top", rle8(WithTail(kRle8, {0x00, 0x00, 0x02, 0x01, 0x00, 0x01}))},
        {"run-length move above the top", rle8(WithTail(kRle8, {0x00, 0x02, 0x00, 0x05, 0x00, 0x01}))},
        {"run-length end of line past the top", rle8(WithTail(kRle8, {0, 0, 0, 0, 0, 0, 0, 1}))},
    };
    for (const auto& c : cases) {
        Bitmap* b = Load(c.file);
        EXPECT_EQ(b, nullptr) << c.name;
        DeletePic(b);
    }
    EXPECT_EQ(PT_GetBITMAPFile("/no/such/folder/picture.bmp"), nullptr);
    EXPECT_EQ(PT_GetBITMAPFile(nullptr), nullptr);
    EXPECT_EQ(GetICALPHAFile("/no/such/folder/picture.bmp"), nullptr);
}

TEST(PackedDib, ConvertsToRgb)
{
    for (const auto& c : DepthCases()) {
        SCOPED_TRACE(c.name);
        const Bytes dib = MakeDib(c.dib);
        Bitmap* b = DIBHandletoRGBDIB(dib.data(), dib.size());
        ExpectPicture(b, c.expected, 24);
        DeletePic(b);
    }
    const Bytes rle = MakeDib({40, 4, 3, 8, 1, {}, kRlePalette, 6, kRle8});
    Bitmap* b = DIBHandletoRGBDIB(rle.data(), rle.size());
    ExpectPicture(b, Colours({{0, 0, 0, 5}, {2, 3, 4, 0}, {1, 1, 1, 1}}), 24);
    DeletePic(b);
}

TEST(PackedDib, RefusesEveryShortBlock)
{
    // 4 pixels of 24 bits fill their rows exactly, so every byte of the block is needed
    const Grid four = {{1, 2, 3, 4}, {5, 6, 7, 8}};
    const Bytes blocks[] = {
        MakeDib({40, 4, 2, 24, 0, {}, {}, 0, PackRows(four, 24, false)}),
        MakeDib({40, 4, 2, 8, 0, {}, kPalette, 6, PackRows(four, 8, false)}),
        MakeDib({40, 4, 2, 32, 3, {0xFF0000, 0xFF00, 0xFF}, {}, 0, PackRows(four, 32, false)}),
    };
    for (const Bytes& dib : blocks) {
        Bitmap* whole = DIBHandletoRGBDIB(dib.data(), dib.size());
        ASSERT_NE(whole, nullptr);
        DeletePic(whole);
        for (size_t n = 0; n < dib.size(); ++n)
            EXPECT_EQ(DIBHandletoRGBDIB(dib.data(), n), nullptr) << n << " of " << dib.size();
    }
    EXPECT_EQ(DIBHandletoRGBDIB(nullptr, 100), nullptr);
}

TEST(PackedDib, CountsColours)
{
    struct Case { Dib dib; int colours; } cases[] = {
        {{40, 1, 1, 8, 0}, 256}, {{40, 1, 1, 4, 0, {}, {}, 5}, 5}, {{12, 1, 1, 1, 0}, 2},
        {{40, 1, 1, 24, 0}, 0}, {{40, 1, 1, 32, 0, {}, {}, 3}, 3},
    };
    for (const auto& c : cases) {
        const Bytes dib = MakeDib(c.dib);
        EXPECT_EQ(DIBNumColors(dib.data(), dib.size()), c.colours) << c.dib.bits;
    }
    const Bytes dib = MakeDib({40, 1, 1, 8, 0});
    EXPECT_EQ(DIBNumColors(dib.data(), 20), 0);
}
