// Layered document files: byte layout, what each record carries, versions, and reading back.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/compose.h"
#include "document/layer_commands.h"
#include "document/vkd_file.h"
#include "raster/channel.h"
#include "vkd_test_util.h"

namespace {

uint32_t U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | (b[at + 1] << 8); }
uint32_t U32(const std::vector<uint8_t>& b, size_t at) { return U16(b, at) | (U16(b, at + 2) << 16); }

std::string g_lastMessage;
int RecordMessage(const char* text, const char* caption)
{
    g_lastMessage = std::string(caption) + "|" + text;
    return kAnswerYes;
}

class VkdFileTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        g_documentHooks.readDocument = ReadLayeredDocument;
        g_documentHooks.messageBox = RecordMessage;
        g_lastMessage.clear();
    }
    ScratchDir dir;
};

// Where the pixels of one layer record end: the image header and four counted planes after the
// 50 property bytes at `at`.
size_t SkipPixels(const std::vector<uint8_t>& f, size_t at)
{
    at += 50 + kVkdImageHeaderSize;
    for (int c = 0; c < 4; ++c)
        at += 4 + U32(f, at);
    return at;
}

TEST_F(VkdFileTest, WhiteBackgroundHasTheDocumentedLayout)
{
    Document* doc = Blank(640, 480);
    ASSERT_NE(doc, nullptr);
    doc->storedWord = 0xBEEF;
    const std::string path = dir.File("white.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);
    const std::vector<uint8_t> f = ReadAll(path);

    const std::vector<uint8_t> header = {18, 0, 0x4B, 0x56, 0x80, 0x02, 0xE0, 0x01, 1, 0, 0xEF, 0xBE, 100, 0, 0, 0, 0, 0};
    ASSERT_GE(f.size(), 18u + 50 + 44);
    EXPECT_EQ(std::vector<uint8_t>(f.begin(), f.begin() + 18), header);

    std::vector<uint8_t> props(50, 0);
    std::memcpy(props.data(), "Background", 10);
    props[40] = 255;   // opacity
    props[41] = 1;     // raster
    props[48] = 2;     // visible
    EXPECT_EQ(std::vector<uint8_t>(f.begin() + 18, f.begin() + 68), props);

    const size_t ih = 68;
    EXPECT_EQ(U32(f, ih), 40u);
    EXPECT_EQ(U32(f, ih + 4), 640u);
    EXPECT_EQ(U32(f, ih + 8), 480u);
    EXPECT_EQ(U16(f, ih + 12), 1u);
    EXPECT_EQ(U16(f, ih + 14), 32u);
    EXPECT_EQ(U32(f, ih + 16), 8u);
    EXPECT_EQ(U32(f, ih + 20), 640u * 4 * 480);
    for (size_t i = ih + 24; i < ih + 44; ++i)
        EXPECT_EQ(f[i], 0) << i;

    // Four planes, each decoding to 640 × 480 bytes of 255, and nothing after them.
    size_t at = ih + 44;
    std::vector<uint8_t> plane(640 * 480);
    for (int c = 0; c < 4; ++c) {
        const uint32_t n = U32(f, at);
        ASSERT_LE(at + 4 + n, f.size());
        ASSERT_EQ(RLEDeCompressAChannel(std::span<const uint8_t>(f.data() + at + 4, n), plane.data(), plane.size()), 1);
        EXPECT_EQ(plane, std::vector<uint8_t>(plane.size(), 255)) << "plane " << c;
        at += 4 + n;
    }
    EXPECT_EQ(at, f.size());
    EXPECT_LT(f.size(), 1000u);   // a flat colour codes to almost nothing
}

TEST_F(VkdFileTest, LayerIsStoredTrimmedToItsPixelsAndComesBackInPlace)
{
    Document* doc = Blank(200, 150);
    ASSERT_EQ(NewLayerCommand(doc), 1);
    Layer* square = doc->current;
    square->pixels = NewRGBAPic(200, 150);
    FillArgb(square->pixels, 30, 40, 10, 10, 0xFF112233);
    const std::string path = dir.File("square.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);

    const std::vector<uint8_t> f = ReadAll(path);
    const size_t top = SkipPixels(f, 18);   // the background comes first
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&f[top])), "Layer 1");
    EXPECT_EQ(static_cast<int16_t>(U16(f, top + 44)), 30);
    EXPECT_EQ(static_cast<int16_t>(U16(f, top + 46)), 40);
    EXPECT_EQ(U32(f, top + 50 + 4), 10u);
    EXPECT_EQ(U32(f, top + 50 + 8), 10u);
    // The document itself was trimmed too, and its backup follows the current layer.
    EXPECT_EQ(square->pixels->width, 10);
    ASSERT_NE(doc->backup, nullptr);
    EXPECT_EQ(doc->backup->width, 10);

    Document* back = CreateDocument(path.c_str());
    ASSERT_NE(back, nullptr);
    ExpectSameLayers(doc, back);
    EXPECT_EQ(back->current, back->top);
    EXPECT_EQ(back->modified, 0u);
    EXPECT_EQ(Rgb(back->composite, 35, 45), 0x112233u);
    EXPECT_EQ(Rgb(back->composite, 29, 45), 0xFFFFFFu);
}

TEST_F(VkdFileTest, LayerOrderAndPropertiesSurviveSaveAndLoad)
{
    Document* doc = Blank(120, 90);
    doc->storedWord = 7;
    const char* names[] = {"first", "second", "third"};
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(NewLayerCommand(doc), 1);
        Layer* l = doc->current;
        RenameLayer(doc, doc->currentIndex, names[i]);
        l->pixels = NewRGBAPic(20 + i, 10);
        FillArgb(l->pixels, 0, 0, 20 + i, 10, 0x80000000u | (0x10u << (8 * i)));
        l->props.x = static_cast<int16_t>(-5 + 10 * i);
        l->props.y = static_cast<int16_t>(3 * i);
        l->props.opacity = static_cast<uint8_t>(100 + i);
        l->props.blendMode = static_cast<uint8_t>(i + 4);
    }
    ToggleVisibilityCommand(doc, 1);
    ASSERT_EQ(SetShadowEffect(doc, kSlotDropShadow, g_effectDefaults.dropShadow, true), 1);
    const std::string path = dir.File("order.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);
    ComposeDocument(doc, nullptr);

    Document* back = CreateDocument(path.c_str());
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->storedWord, 7u);
    EXPECT_STREQ(back->top->props.name, "third");
    EXPECT_STREQ(back->bottom->props.name, "Background");
    ExpectSameLayers(doc, back);
    ASSERT_NE(back->top->dropShadowMask.mask, nullptr);   // masks are rendered again on reading
    EXPECT_TRUE(SamePixels(doc->composite, back->composite));
}

TEST_F(VkdFileTest, InnerGlowFlagCarriesTheOuterGlowBlock)
{
    Document* doc = Blank(64, 64);
    GlowParams outer = g_effectDefaults.outerGlow;
    outer.blur = 3;
    outer.colour = 0x00ABCDEF;
    doc->bottom->outerGlow = outer;
    doc->bottom->innerGlow.colour = 0x00123456;
    doc->bottom->props.effectFlags = kEffectInnerGlow;
    const std::string path = dir.File("glow.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);
    const std::vector<uint8_t> f = ReadAll(path);
    const size_t end = SkipPixels(f, 18);
    ASSERT_EQ(f.size(), end + 16);
    EXPECT_EQ(std::memcmp(&f[end], &outer, 16), 0);

    // Reading puts those bytes back into the outer-glow block, with the inner glow taking defaults.
    Document back{};
    g_effectDefaults.outerGlow.blur = 9;
    ASSERT_EQ(ReadLayeredDocument(path.c_str(), &back), 1);
    EXPECT_EQ(std::memcmp(&back.bottom->outerGlow, &outer, 16), 0);
    EXPECT_EQ(back.bottom->innerGlow.colour, g_effectDefaults.innerGlow.colour);
    EXPECT_NE(back.bottom->innerGlowMask.mask, nullptr);
    ReleaseDocumentContents(&back);
}

TEST_F(VkdFileTest, VersionsDecideWhatIsRead)
{
    Document* doc = Blank(32, 16);
    doc->bottom->props.effectFlags = kEffectDropShadow;
    const std::string path = dir.File("v.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);
    const std::vector<uint8_t> v100 = ReadAll(path);

    struct Case {
        uint16_t version;
        bool trailingEffects;   // keep the 20-byte drop-shadow block after the pixels
        int result;
        int layers;
        bool message;
    };
    const Case cases[] = {
        {100, true, 1, 1, false},
        {0, false, 1, 1, false},   // older layout: pixels only
        {0, true, 1, 1, false},    // effect bytes of a version-0 file are left unread
        {50, true, 1, 0, false},   // 1..99 carry no layer records this program reads
        {101, true, 0, 0, true},
        {0xFFFF, true, 0, 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.version);
        std::vector<uint8_t> f = v100;
        f[12] = static_cast<uint8_t>(c.version);
        f[13] = static_cast<uint8_t>(c.version >> 8);
        if (!c.trailingEffects)
            f.resize(f.size() - 20);
        g_lastMessage.clear();
        Document back{};
        EXPECT_EQ(ReadLayeredDocumentBytes(f, &back), c.result);
        EXPECT_EQ(back.layerCount, c.layers);
        EXPECT_EQ(back.composite != nullptr, c.result == 1);
        EXPECT_EQ(g_lastMessage,
                  c.message ? std::string("WARNING|") + kVkdHigherVersionText : std::string());
        ReleaseDocumentContents(&back);
    }
}

TEST_F(VkdFileTest, DamagedFilesAreRefusedAndReleased)
{
    Document* doc = Blank(40, 30);
    ASSERT_EQ(NewLayerCommand(doc), 1);
    doc->current->pixels = NewRGBAPic(8, 8);
    FillArgb(doc->current->pixels, 0, 0, 8, 8, 0xFF00FF00);
    const std::string path = dir.File("d.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);
    const std::vector<uint8_t> good = ReadAll(path);
    const size_t second = SkipPixels(good, 18);

    auto patch = [&](size_t at, uint32_t v, int bytes) {
        std::vector<uint8_t> f = good;
        for (int i = 0; i < bytes; ++i)
            f.at(at + i) = static_cast<uint8_t>(v >> (8 * i));
        return f;
    };
    const struct {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"wrong magic", patch(2, 0x5A4D, 2)},
        {"header size", patch(0, 20, 2)},
        {"zero width", patch(4, 0, 2)},
        {"more layers than stored", patch(8, 3, 2)},
        {"image header size", patch(second + 50, 41, 4)},
        {"bitmap side beyond any bitmap", patch(second + 54, 70000, 4)},
        {"bitmap wider than its planes", patch(second + 54, 20000, 4)},
        {"canvas too large to compose", patch(4, 0x75307530, 4)},   // 30000 x 30000 from a tiny file
        {"plane count past the end", patch(second + 94, 0x7FFFFFFF, 4)},
        {"unknown storage", patch(second + 66, 3, 4)},
        {"raw rows missing", patch(second + 66, 0, 4)},
        {"truncated", std::vector<uint8_t>(good.begin(), good.end() - 3)},
        {"header only", std::vector<uint8_t>(good.begin(), good.begin() + 18)},
        {"empty", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Document back{};
        EXPECT_EQ(ReadLayeredDocumentBytes(c.bytes, &back), 0);
        EXPECT_EQ(back.top, nullptr);
        EXPECT_EQ(back.layerCount, 0);
        EXPECT_EQ(back.composite, nullptr);
    }
    // A damaged file makes document creation fall back to the importer, which finds nothing here.
    WriteAll(path, cases[4].bytes);
    EXPECT_EQ(CreateDocument(path.c_str()), nullptr);
    EXPECT_EQ(CreateDocument(dir.File("missing.vkd").c_str()), nullptr);
}

TEST_F(VkdFileTest, RawStorageIsRead)
{
    // Files may carry uncompressed rows (storage 0); this program only writes planes.
    Bitmap* px = NewRGBAPic(3, 2);
    FillArgb(px, 0, 0, 3, 2, 0xFF0000FF);
    SetArgb(px, 2, 0, 0x80FF0000);
    std::vector<uint8_t> f = {18, 0, 0x4B, 0x56, 5, 0, 4, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    std::vector<uint8_t> props(50, 0);
    std::memcpy(props.data(), "raw", 3);
    props[40] = 255;
    props[41] = 1;
    props[44] = 1;
    props[48] = 2;
    f.insert(f.end(), props.begin(), props.end());
    std::vector<uint8_t> ih(44, 0);
    ih[0] = 40;
    ih[4] = 3;
    ih[8] = 2;
    ih[12] = 1;
    ih[14] = 32;
    ih[20] = 24;
    f.insert(f.end(), ih.begin(), ih.end());
    f.insert(f.end(), px->bits, px->bits + PicBytes(px));
    Document back{};
    ASSERT_EQ(ReadLayeredDocumentBytes(f, &back), 1);
    ASSERT_NE(back.top, nullptr);
    EXPECT_TRUE(SamePixels(back.top->pixels, px));
    EXPECT_EQ(back.top->props.x, 1);
    ReleaseDocumentContents(&back);
    DeletePic(px);
}

TEST_F(VkdFileTest, NeverPaintedLayerIsWrittenAsOneClearPixel)
{
    Document* doc = Blank(50, 50);
    ASSERT_EQ(NewLayerCommand(doc), 1);
    ASSERT_EQ(doc->current->pixels, nullptr);
    const std::string path = dir.File("empty.vkd");
    ASSERT_EQ(WriteLayeredDocument(path.c_str(), doc), 1);
    Document* back = CreateDocument(path.c_str());
    ASSERT_NE(back, nullptr);
    ASSERT_EQ(back->layerCount, 2);
    ASSERT_NE(back->top->pixels, nullptr);
    EXPECT_EQ(Argb(back->top->pixels, 0, 0), 0u);
    EXPECT_STREQ(back->top->props.name, "Layer 1");
}

}  // namespace
