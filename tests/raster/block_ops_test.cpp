#include <gtest/gtest.h>

#include "pic_fixture.h"
#include "raster/block_ops.h"
#include "raster/blend_pixel.h"
#include "raster/pic_copy.h"

namespace {

uint32_t Argb(uint32_t a, Colour c) { return (a << 24) | c; }

// Where a block operation may write: the destination pixels whose source pixel lies inside both the
// block and the source picture.
bool Covered(int32_t x, int32_t y, int32_t dx, int32_t dy, int32_t w, int32_t h, int32_t sx, int32_t sy,
             const Bitmap* src)
{
    int64_t u = int64_t(x) - dx, v = int64_t(y) - dy;
    return u >= 0 && v >= 0 && u < w && v < h && u + sx >= 0 && v + sy >= 0 && u + sx < src->width &&
           v + sy < src->height;
}

}  // namespace

TEST(BlockOps, CopiesClipAtEveryEdge)
{
    struct Case {
        int32_t dx, dy, w, h, sx, sy;
    } cases[] = {
        {0, 0, 3, 3, 0, 0},     {-1, -2, 3, 3, 0, 0},  {3, 2, 3, 3, 0, 0},  {1, 1, 9, 9, 1, 1},
        {0, 0, 3, 3, -1, -2},   {2, 1, 3, 3, 2, 2},    {-5, 0, 3, 3, 0, 0}, {0, 0, 3, 3, 3, 0},
        {-1, -1, 7, 6, -1, -1}, {4, 3, 1, 1, 0, 0},    {0, 0, 0, 5, 0, 0},  {0, 0, 3, -1, 0, 0},
        {-2147483647, 0, 2147483647, 3, 0, 0},
    };
    for (int dstBpp : {24, 32})
        for (int srcBpp : {24, 32})
            for (const auto& c : cases) {
                for (int op = 0; op < 3; ++op) {
                    PicPtr dst = MakePic(5, 4, dstBpp, [](int32_t, int32_t) { return 0x80112233u; });
                    // padding bytes of the destination rows must stay untouched too
                    for (int32_t y = 0; y < 4; ++y)
                        for (int32_t i = 5 * dstBpp / 8; i < dst->stride; ++i)
                            PicRow(dst.get(), y)[i] = 0xEE;
                    PicPtr before(BackupDIB(dst.get()));
                    PicPtr src = Numbered(3, 3, srcBpp);
                    int rc = op == 0   ? BlockBlockCopy(dst.get(), c.dx, c.dy, c.w, c.h, src.get(), c.sx, c.sy)
                             : op == 1 ? BlockCopy(dst.get(), c.dx, c.dy, c.w, c.h, src.get(), c.sx, c.sy, 255)
                                       : BlockBlt(dst.get(), c.dx, c.dy, c.w, c.h, src.get(), c.sx, c.sy, 255,
                                                  kBlendNormal);
                    ASSERT_EQ(rc, 1);
                    for (int32_t y = 0; y < 4; ++y) {
                        for (int32_t x = 0; x < 5; ++x) {
                            uint32_t want = Covered(x, y, c.dx, c.dy, c.w, c.h, c.sx, c.sy, src.get())
                                                ? ReadPx(src.get(), x - c.dx + c.sx, y - c.dy + c.sy)
                                                : ReadPx(before.get(), x, y);
                            if (dstBpp == 24)
                                want |= 0xFF000000u;
                            ASSERT_EQ(ReadPx(dst.get(), x, y), want)
                                << "op " << op << " " << dstBpp << "<-" << srcBpp << " case " << c.dx << ","
                                << c.dy << " " << c.w << "x" << c.h << " from " << c.sx << "," << c.sy << " at "
                                << x << "," << y;
                        }
                        for (int32_t i = 5 * dstBpp / 8; i < dst->stride; ++i)
                            ASSERT_EQ(PicRow(dst.get(), y)[i], 0xEE);
                    }
                }
            }
}

TEST(BlockOps, RefusesNullAndWrongDepths)
{
    PicPtr rgb(NewRGBPic(4, 4));
    PicPtr rgba(NewRGBAPic(4, 4));
    AlphaMask* mask = NewAlphaMask(2, 2, 0xFF);
    Bitmap broken = *rgba;
    broken.bitsPerPixel = 16;
    EXPECT_EQ(BlockSet(nullptr, 0, 0, 1, 1, 0), 0);
    EXPECT_EQ(BlockSet(&broken, 0, 0, 1, 1, 0), 0);
    EXPECT_EQ(alphaBlockSet(rgb.get(), 0, 0, 1, 1, 0xFFFFFF, 255), 0);
    EXPECT_EQ(BlockBlockCopy(rgb.get(), 0, 0, 1, 1, nullptr, 0, 0), 0);
    EXPECT_EQ(alphaBlockBlockCopy(rgba.get(), 0, 0, 1, 1, rgb.get(), 0, 0), 0);
    EXPECT_EQ(BlockCopy(nullptr, 0, 0, 1, 1, rgb.get(), 0, 0, 255), 0);
    EXPECT_EQ(BlockBlt(rgb.get(), 0, 0, 1, 1, rgba.get(), 0, 0, 255, 8), 0);
    EXPECT_EQ(BlockBlt(rgb.get(), 0, 0, 1, 1, rgba.get(), 0, 0, 255, -1), 0);
    EXPECT_EQ(BlockalphaBlt(rgb.get(), 0, 0, 1, 1, nullptr, 0, 0, 255, 0), 0);
    EXPECT_EQ(BlockalphaBlt(rgb.get(), 0, 0, 1, 1, mask, 0, 0, 255, 9), 0);
    EXPECT_EQ(BlockTile(rgb.get(), 0, 0, 4, 4, nullptr, 0, 0, 255), 0);
    for (size_t i = 0; i < PicBytes(rgb.get()); ++i)
        ASSERT_EQ(rgb->bits[i], 0);
    DeleteAlphaMask(mask);
}

TEST(BlockOps, SetFillsColourAndAlpha)
{
    PicPtr pic(NewRGBAPic(4, 3));
    ASSERT_EQ(BlockSet(pic.get(), 0, 0, 4, 3, 0xFFFFFFFF), 1);  // -1: opaque white
    EXPECT_EQ(ReadPx(pic.get(), 3, 2), 0xFFFFFFFFu);
    ASSERT_EQ(alphaBlockSet(pic.get(), 2, -1, 5, 2, 0x123456, 0), 1);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x)
            EXPECT_EQ(ReadPx(pic.get(), x, y), (x >= 2 && y == 0) ? 0x00123456u : 0xFFFFFFFFu) << x << "," << y;
    PicPtr rgb(NewRGBPic(3, 2));
    ASSERT_EQ(BlockSet(rgb.get(), 1, 1, 1, 1, 0xAB102030), 1);
    EXPECT_EQ(ReadPx(rgb.get(), 1, 1), 0xFF102030u);
    EXPECT_EQ(ReadPx(rgb.get(), 0, 1), 0xFF000000u);
}

TEST(BlockOps, BlendArithmeticOntoOpaqueAndTransparentBackdrops)
{
    using blend::Div255;
    const Colour under = 0x3060C0, over = 0xF08010;
    auto mixed = [](Colour m, Colour b, int32_t a) {
        Colour out = 0;
        for (int s = 0; s < 24; s += 8)
            out |= Colour(Div255(int32_t((m >> s) & 0xFF) * a + int32_t((b >> s) & 0xFF) * (255 - a))) << s;
        return out;
    };
    struct Case {
        int32_t srcAlpha, opacity, mode;
    } cases[] = {
        {255, 255, kBlendNormal}, {0, 255, kBlendNormal}, {128, 255, kBlendNormal}, {255, 128, kBlendNormal},
        {200, 100, kBlendScreen}, {255, 255, kBlendDifference}, {77, 255, kBlendHue}, {255, 64, kBlendLuminosity},
        {255, 300, kBlendDarken},
    };
    for (const auto& c : cases) {
        const int32_t a = Div255(c.srcAlpha * std::min(c.opacity, 255));
        PicPtr src = MakePic(2, 1, 32, [&](int32_t, int32_t) { return Argb(uint32_t(c.srcAlpha), over); });
        for (int bpp : {24, 32}) {
            PicPtr dst = MakePic(2, 1, bpp, [&](int32_t, int32_t) { return Argb(0xFF, under); });
            ASSERT_EQ(BlockBlt(dst.get(), 0, 0, 2, 1, src.get(), 0, 0, c.opacity, c.mode), 1);
            EXPECT_EQ(ReadPx(dst.get(), 1, 0), Argb(0xFF, mixed(BlendColour(c.mode, under, over), under, a)))
                << "mode " << c.mode << " alpha " << c.srcAlpha << " opacity " << c.opacity << " bpp " << bpp;
        }
        // Nothing underneath: the source colour arrives unmixed, with its coverage as alpha.
        PicPtr clear(NewRGBAPic(2, 1));
        ASSERT_EQ(BlockBlt(clear.get(), 0, 0, 2, 1, src.get(), 0, 0, c.opacity, c.mode), 1);
        EXPECT_EQ(ReadPx(clear.get(), 0, 0), a ? Argb(uint32_t(a), over) : 0u) << "mode " << c.mode;
    }
}

TEST(BlockOps, BlendOntoHalfTransparentBackdropFollowsSourceOver)
{
    // Normal mode: alpha 128 over alpha 128 gives 128 + 128 × 127 / 255 ≈ 192, colour weighted 128 : 64.
    PicPtr dst = MakePic(1, 1, 32, [](int32_t, int32_t) { return 0x80000000u | 0x0000FF; });
    PicPtr src = MakePic(1, 1, 32, [](int32_t, int32_t) { return 0x80000000u | 0xFF0000; });
    ASSERT_EQ(BlockBlt(dst.get(), 0, 0, 1, 1, src.get(), 0, 0, 255, kBlendNormal), 1);
    const uint32_t px = ReadPx(dst.get(), 0, 0);
    EXPECT_EQ(px >> 24, 192u);
    EXPECT_NEAR(int((px >> 16) & 0xFF), 170, 1);  // red: 255 × 128 / 192
    EXPECT_NEAR(int(px & 0xFF), 85, 1);           // blue: 255 × 64 / 192
    // Difference against a half-covered backdrop mixes in half of the source's own colour.
    PicPtr d2 = MakePic(1, 1, 32, [](int32_t, int32_t) { return 0x80FFFFFFu; });
    PicPtr s2 = MakePic(1, 1, 32, [](int32_t, int32_t) { return 0xFFFFFFFFu; });
    ASSERT_EQ(BlockBlt(d2.get(), 0, 0, 1, 1, s2.get(), 0, 0, 255, kBlendDifference), 1);
    EXPECT_EQ(ReadPx(d2.get(), 0, 0), 0xFF7F7F7Fu);
}

TEST(BlockOps, AlphaBltLaysMaskColourByCoverage)
{
    AlphaMask* mask = NewAlphaMask(3, 2, 0xFF0000);
    uint8_t cov[2][3] = {{255, 128, 0}, {64, 255, 255}};
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            AlphaMaskRow(mask, y)[x] = cov[y][x];
    PicPtr dst = MakePic(3, 3, 24, [](int32_t, int32_t) { return 0xFFFFFFFFu; });
    // mask from (1, 0) drawn at (0, 1): the block's first column is mask column 1
    ASSERT_EQ(BlockalphaBlt(dst.get(), 0, 1, 5, 5, mask, 1, 0, 255, kBlendNormal), 1);
    EXPECT_EQ(ReadPx(dst.get(), 0, 0), 0xFFFFFFFFu);
    EXPECT_EQ(ReadPx(dst.get(), 0, 1), 0xFFFF7F7Fu);  // coverage 128
    EXPECT_EQ(ReadPx(dst.get(), 1, 1), 0xFFFFFFFFu);  // coverage 0
    EXPECT_EQ(ReadPx(dst.get(), 0, 2), 0xFFFF0000u);  // coverage 255
    EXPECT_EQ(ReadPx(dst.get(), 1, 2), 0xFFFF0000u);
    EXPECT_EQ(ReadPx(dst.get(), 2, 2), 0xFFFFFFFFu);  // past the mask's right edge
    // opacity scales coverage; darken keeps the darker channel
    ASSERT_EQ(BlockalphaBlt(dst.get(), 2, 2, 1, 1, mask, 2, 1, 0, kBlendNormal), 1);
    EXPECT_EQ(ReadPx(dst.get(), 2, 2), 0xFFFFFFFFu);
    ASSERT_EQ(BlockalphaBlt(dst.get(), 2, 2, 1, 1, mask, 2, 1, 255, kBlendDarken), 1);
    EXPECT_EQ(ReadPx(dst.get(), 2, 2), 0xFFFF0000u);
    DeleteAlphaMask(mask);
}

TEST(BlockOps, CopyMixesEveryChannelAtOpacity)
{
    PicPtr layer(NewRGBAPic(2, 1));  // transparent black
    PicPtr photo = MakePic(2, 1, 24, [](int32_t, int32_t) { return 0xFFFF8000u; });
    ASSERT_EQ(BlockCopy(layer.get(), 0, 0, 1, 1, photo.get(), 0, 0, 255), 1);
    EXPECT_EQ(ReadPx(layer.get(), 0, 0), 0xFFFF8000u);
    ASSERT_EQ(BlockCopy(layer.get(), 1, 0, 1, 1, photo.get(), 0, 0, 128), 1);
    EXPECT_EQ(ReadPx(layer.get(), 1, 0), 0x80804000u);
    PicPtr grey(NewRGBPic(1, 1));
    ASSERT_EQ(BlockCopyInGray(grey.get(), 0, 0, 1, 1, photo.get(), 0, 0, 255), 1);
    EXPECT_EQ(ReadPx(grey.get(), 0, 0), 0xFF989898u);  // 0.30 × 255 + 0.59 × 128 = 152
    PicRect clip{1, 0, 2, 1};
    PicPtr out(NewRGBPic(2, 1));
    ASSERT_EQ(BlockCopyClip(out.get(), 0, 0, 2, 1, photo.get(), 0, 0, 255, &clip), 1);
    EXPECT_EQ(ReadPx(out.get(), 0, 0), 0xFF000000u);
    EXPECT_EQ(ReadPx(out.get(), 1, 0), 0xFFFF8000u);
}

TEST(BlockOps, SameBitmapOverlappingBlocksReadTheOldPixels)
{
    for (int32_t shift : {-1, 1}) {
        PicPtr pic = Numbered(6, 5, 32);
        PicPtr old(BackupDIB(pic.get()));
        PicPtr viaBlt(BackupDIB(pic.get()));
        PicPtr viaCopy(BackupDIB(pic.get()));
        ASSERT_EQ(BlockBlockCopy(pic.get(), 1 + shift, 1 + shift, 4, 3, pic.get(), 1, 1), 1);
        ASSERT_EQ(BlockBlt(viaBlt.get(), 1 + shift, 1 + shift, 4, 3, viaBlt.get(), 1, 1, 255, kBlendNormal), 1);
        ASSERT_EQ(BlockCopy(viaCopy.get(), 1 + shift, 1, 4, 3, viaCopy.get(), 1, 1, 200), 1);
        PicPtr want(BackupDIB(old.get()));
        ASSERT_EQ(BlockBlockCopy(want.get(), 1 + shift, 1 + shift, 4, 3, old.get(), 1, 1), 1);
        EXPECT_TRUE(SameBytes(pic.get(), want.get())) << shift;
        EXPECT_TRUE(SameBytes(viaBlt.get(), want.get())) << shift;
        PicPtr wantMix(BackupDIB(old.get()));
        ASSERT_EQ(BlockCopy(wantMix.get(), 1 + shift, 1, 4, 3, old.get(), 1, 1, 200), 1);
        EXPECT_TRUE(SameBytes(viaCopy.get(), wantMix.get())) << shift;
    }
}

TEST(BlockOps, AlphaBlockCopyMovesOnlyAlpha)
{
    PicPtr dst = MakePic(2, 2, 32, [](int32_t, int32_t) { return 0xFF102030u; });
    PicPtr src = MakePic(2, 2, 32, [](int32_t x, int32_t y) { return uint32_t(x * 100 + y * 10) << 24 | 0xABCDEF; });
    ASSERT_EQ(alphaBlockBlockCopy(dst.get(), 0, 0, 2, 2, src.get(), 0, 0), 1);
    EXPECT_EQ(ReadPx(dst.get(), 1, 1), 0x6E102030u);
    EXPECT_EQ(ReadPx(dst.get(), 0, 0), 0x00102030u);
}

TEST(BlockOps, TileRepeatsFromItsOrigin)
{
    PicPtr tile = Numbered(3, 2, 24);
    for (int32_t ox : {0, 2, -4})
        for (int32_t oy : {0, -1, 5}) {
            PicPtr dst(NewRGBPic(7, 5));
            ASSERT_EQ(BlockTile(dst.get(), -2, 1, 20, 3, tile.get(), ox, oy, 255), 1);
            for (int32_t y = 0; y < 5; ++y)
                for (int32_t x = 0; x < 7; ++x) {
                    uint32_t want = (y >= 1 && y < 4)
                                        ? ReadPx(tile.get(), ((x - ox) % 3 + 3) % 3, ((y - oy) % 2 + 2) % 2)
                                        : 0xFF000000u;
                    ASSERT_EQ(ReadPx(dst.get(), x, y), want) << ox << "," << oy << " at " << x << "," << y;
                }
        }
}

TEST(BlockOps, LongRowsBlendLikeSinglePixels)
{
    // Rows long enough for the four-at-a-time paths, with a tail, every coverage class in every
    // group position, and backdrops opaque, transparent and in between.
    using blend::Div255;
    const int32_t w = 23;
    auto srcPx = [](int32_t x, int32_t y) {
        const uint32_t alphas[] = {0, 255, 128, 255, 1, 254, 0, 0, 255, 255, 255, 255, 77};
        uint32_t a = alphas[(x + y) % 13];
        return a << 24 | uint32_t((x * 37 + y * 11) & 255) << 16 | uint32_t((x * 91) & 255) << 8 | uint32_t((200 - x * 5) & 255);
    };
    auto dstPx = [](int32_t x, int32_t y) {
        const uint32_t alphas[] = {255, 255, 255, 255, 0, 255, 128, 255};
        return alphas[(x / 4 + y) % 8] << 24 | uint32_t((x * 13) & 255) << 16 | uint32_t((255 - x * 9) & 255) << 8 |
               uint32_t((x * y * 7) & 255);
    };
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode)
        for (int32_t opacity : {255, 100})
            for (int bpp : {24, 32}) {
                PicPtr src = MakePic(w, 3, 32, srcPx);
                PicPtr dst = MakePic(w, 3, bpp, dstPx);
                ASSERT_EQ(BlockBlt(dst.get(), 0, 0, w, 3, src.get(), 0, 0, opacity, mode), 1);
                for (int32_t y = 0; y < 3; ++y)
                    for (int32_t x = 0; x < w; ++x) {
                        const uint32_t s = srcPx(x, y), b = dstPx(x, y) | (bpp == 24 ? 0xFF000000u : 0);
                        const int32_t a = Div255(int32_t(s >> 24) * opacity), ab = int32_t(b >> 24);
                        const Colour mixed = BlendColour(mode, b & 0xFFFFFF, s & 0xFFFFFF);
                        const uint32_t got = ReadPx(dst.get(), x, y);
                        if (a == 0) {
                            ASSERT_EQ(got, b) << "untouched under a transparent source";
                        } else if (ab == 255) {
                            uint32_t want = 0xFF000000u;
                            for (int sh = 0; sh < 24; sh += 8)
                                want |= uint32_t(Div255(int32_t((mixed >> sh) & 255) * a +
                                                        int32_t((b >> sh) & 255) * (255 - a))) << sh;
                            ASSERT_EQ(got, want) << "mode " << mode << " op " << opacity << " bpp " << bpp << " at " << x
                                                 << "," << y;
                        } else {
                            // W3C source-over onto a partly covered backdrop, in real numbers
                            const double as = a / 255.0, abd = ab / 255.0, ao = as + abd * (1 - as);
                            ASSERT_NEAR(double(got >> 24), ao * 255, 0.6) << "mode " << mode << " at " << x << "," << y;
                            for (int sh = 0; sh < 24; sh += 8) {
                                const double cs = (s >> sh) & 255, cb = (b >> sh) & 255, m = (mixed >> sh) & 255;
                                const double c = (as * ((1 - abd) * cs + abd * m) + (1 - as) * abd * cb) / ao;
                                ASSERT_NEAR(double((got >> sh) & 255), c, 1.5)
                                    << "mode " << mode << " at " << x << "," << y << " channel " << sh;
                            }
                        }
                    }
            }
}

TEST(BlockOps, EveryKindOfSourceBlendsAlike)
{
    // A mask in one colour is the same as a 32-bit source of that colour with the coverage as alpha,
    // and a 24-bit source the same as an opaque 32-bit one; rows of 19 take every path.
    const int32_t w = 19;
    const Colour colour = 0x3399CC;
    auto cov = [](int32_t x, int32_t y) { return uint8_t(x % 5 == 0 ? 0 : (x + y) % 3 == 0 ? 255 : (x * 29 + y * 7) & 255); };
    AlphaMask* mask = NewAlphaMask(w, 2, colour);
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < w; ++x)
            AlphaMaskRow(mask, y)[x] = cov(x, y);
    // whole groups of four transparent and opaque too
    for (int32_t x = 4; x < 8; ++x)
        AlphaMaskRow(mask, 0)[x] = 0;
    for (int32_t x = 8; x < 12; ++x)
        AlphaMaskRow(mask, 1)[x] = 255;
    PicPtr maskAsPic = MakePic(w, 2, 32, [&](int32_t x, int32_t y) { return uint32_t(AlphaMaskRow(mask, y)[x]) << 24 | colour; });
    auto colours = [](int32_t x, int32_t y) { return 0xFF000000u | (uint32_t(x * 53 + y * 101) * 2654435761u >> 8); };
    PicPtr rgb = MakePic(w, 2, 24, colours);
    PicPtr rgba = MakePic(w, 2, 32, colours);
    auto backdrop = [](int32_t x, int32_t y) { return (x / 4 == 2 ? 0x80000000u : 0xFF000000u) | (uint32_t(x * 7919 + y * 104729) & 0xFFFFFF); };
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode)
        for (int bpp : {24, 32})
            for (int32_t opacity : {255, 90}) {
                PicPtr a = MakePic(w, 2, bpp, backdrop), b = MakePic(w, 2, bpp, backdrop);
                ASSERT_EQ(BlockalphaBlt(a.get(), 0, 0, w, 2, mask, 0, 0, opacity, mode), 1);
                ASSERT_EQ(BlockBlt(b.get(), 0, 0, w, 2, maskAsPic.get(), 0, 0, opacity, mode), 1);
                EXPECT_TRUE(SameBytes(a.get(), b.get())) << "mask, mode " << mode << " bpp " << bpp;
                PicPtr c = MakePic(w, 2, bpp, backdrop), d = MakePic(w, 2, bpp, backdrop);
                ASSERT_EQ(BlockBlt(c.get(), 0, 0, w, 2, rgb.get(), 0, 0, opacity, mode), 1);
                ASSERT_EQ(BlockBlt(d.get(), 0, 0, w, 2, rgba.get(), 0, 0, opacity, mode), 1);
                EXPECT_TRUE(SameBytes(c.get(), d.get())) << "24-bit source, mode " << mode << " bpp " << bpp;
            }
    DeleteAlphaMask(mask);
}

TEST(BlockOps, WholePixelRowsBlendLikeSinglePixels)
{
    // Layers and masks onto 32-bit pictures go sixteen and four pixels at a time; every row length,
    // start and opacity must give what each pixel gives laid on its own.  The source has long
    // transparent and opaque stretches (whole groups skipped or stored) between soft edges, and the
    // backdrop a group that is not opaque.
    auto srcPx = [](int32_t x, int32_t y) {
        const int32_t d = (x + 5 * y) % 48;
        const uint32_t a = d < 17 ? 0 : d < 35 ? 255 : uint32_t(255 - (d - 35) * 19);
        return a << 24 | uint32_t((x * 37 + y * 11) & 255) << 16 | uint32_t((x * 91) & 255) << 8 | uint32_t((200 - x * 5) & 255);
    };
    auto dstPx = [](int32_t x, int32_t y) {
        const uint32_t a = x / 4 == 9 ? 128 : x / 4 == 10 && y == 1 ? 0 : 255;
        return a << 24 | uint32_t((x * 13) & 255) << 16 | uint32_t((255 - x * 9) & 255) << 8 | uint32_t((x * y * 7) & 255);
    };
    const int32_t W = 80, H = 3;
    PicPtr src = MakePic(W, H, 32, srcPx);
    AlphaMask* mask = NewAlphaMask(W, H, 0x3399CC);
    for (int32_t y = 0; y < H; ++y)
        for (int32_t x = 0; x < W; ++x)
            AlphaMaskRow(mask, y)[x] = static_cast<uint8_t>(srcPx(x, y) >> 24);
    struct Span { int32_t x, w; } spans[] = {{0, 80}, {0, 1}, {3, 4}, {1, 15}, {2, 16}, {5, 17}, {7, 33}, {11, 64}};
    for (int32_t mode = 0; mode < kBlendModeCount; ++mode)
        for (int32_t opacity : {255, 254, 128, 1})
            for (const Span& s : spans)
                for (bool fromMask : {false, true}) {
                    PicPtr got = MakePic(W, H, 32, dstPx), want = MakePic(W, H, 32, dstPx);
                    if (fromMask)
                        ASSERT_EQ(BlockalphaBlt(got.get(), s.x, 0, s.w, H, mask, s.x, 0, opacity, mode), 1);
                    else
                        ASSERT_EQ(BlockBlt(got.get(), s.x, 0, s.w, H, src.get(), s.x, 0, opacity, mode), 1);
                    for (int32_t y = 0; y < H; ++y)
                        for (int32_t x = s.x; x < s.x + s.w; ++x) {
                            if (fromMask)
                                BlockalphaBlt(want.get(), x, y, 1, 1, mask, x, y, opacity, mode);
                            else
                                BlockBlt(want.get(), x, y, 1, 1, src.get(), x, y, opacity, mode);
                        }
                    ASSERT_TRUE(SameBytes(got.get(), want.get()))
                        << "mode " << mode << " opacity " << opacity << " from " << s.x << " width " << s.w
                        << (fromMask ? " mask" : " layer");
                }
    DeleteAlphaMask(mask);
}
