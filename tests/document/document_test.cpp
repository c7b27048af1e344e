#include <cstring>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/compose.h"
#include "raster/block_ops.h"

using DocumentCreate = DocTest;

TEST(ThumbnailSizes, FollowTheLongerSide)
{
    struct Case { int32_t w, h, tw, th, sw, sh; } cases[] = {
        {640, 480, 40, 30, 40, 30},
        {480, 640, 30, 40, 30, 40},
        {1000, 100, 40, 4, 40, 22},
        {100, 100, 40, 40, 40, 40},
        {1, 30000, 0, 40, 0, 40},
    };
    for (const Case& c : cases) {
        int32_t tw, th, sw, sh;
        ComputeThumbnailSizes(c.w, c.h, &tw, &th, &sw, &sh);
        EXPECT_EQ((std::vector<int32_t>{tw, th, sw, sh}), (std::vector<int32_t>{c.tw, c.th, c.sw, c.sh}))
            << c.w << "x" << c.h;
    }
}

TEST_F(DocumentCreate, BlankDocumentFromTheDefaults)
{
    SetPictureFolder("C:\\Pictures");
    SetNewDocumentDefaults(64, 48, 0, "Sketch");
    Document* doc = CreateDocument(nullptr);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(CurrentDocument(), doc);
    EXPECT_STREQ(doc->directory, "C:\\Pictures");
    EXPECT_STREQ(doc->fileName, "Sketch");
    EXPECT_EQ(doc->hasFile, 0u);
    EXPECT_EQ(doc->modified, 0u);
    EXPECT_EQ(doc->width, 64);
    EXPECT_EQ(doc->height, 48);
    EXPECT_EQ((std::vector<int32_t>{doc->thumbWidth, doc->thumbHeight, doc->slotWidth, doc->slotHeight}),
              (std::vector<int32_t>{40, 30, 40, 30}));
    ASSERT_EQ(doc->layerCount, 1);
    Layer* bg = doc->top;
    EXPECT_EQ(bg, doc->bottom);
    EXPECT_EQ(bg, doc->current);
    EXPECT_EQ(doc->currentIndex, 0);
    EXPECT_STREQ(bg->props.name, "Background");
    EXPECT_EQ(bg->props.opacity, 255);
    EXPECT_EQ(bg->props.kind, kLayerKindRaster);
    EXPECT_EQ(bg->props.stateFlags, kLayerVisible);
    ASSERT_NE(bg->pixels, nullptr);
    EXPECT_EQ(Argb(bg->pixels, 63, 47), 0xFFFFFFFFu);
    ASSERT_NE(bg->thumbnail, nullptr);
    EXPECT_EQ(Rgb(bg->thumbnail, 0, 0), 0xFFFFFFu);
    ASSERT_NE(doc->backup, nullptr);
    EXPECT_EQ(std::memcmp(doc->backup->bits, bg->pixels->bits, PicBytes(bg->pixels)), 0);
    EXPECT_EQ(Rgb(doc->composite, 0, 0), 0xFFFFFFu);
    int32_t w, h;
    EXPECT_EQ(GetDocumentSize(&w, &h), 1);
    EXPECT_EQ(w * 1000 + h, 64 * 1000 + 48);
    EXPECT_EQ(GetCurrentLayer(), bg);
    EXPECT_EQ(GetComposite(), doc->composite);
}

TEST_F(DocumentCreate, ImpossibleSizesFailAndKeepTheCurrentDocument)
{
    Document* first = Blank(20, 20);
    ASSERT_NE(first, nullptr);
    for (auto size : {std::pair{0, 10}, {10, -5}, {-1, -1}, {kMaxBitmapSide + 1, 10}, {100000, 100000}}) {
        SetNewDocumentDefaults(size.first, size.second, 0, "Untitled");
        EXPECT_EQ(CreateDocument(nullptr), nullptr) << size.first << "x" << size.second;
        EXPECT_EQ(CurrentDocument(), first);
        EXPECT_EQ(OpenDocumentCount(), 1);
    }
}

TEST_F(DocumentCreate, FromABitmapMakesItOpaque)
{
    Bitmap* rgb = NewRGBPic(5, 3);
    BlockSet(rgb, 0, 0, 5, 3, 0x123456);
    Document* doc = CreateDocumentFromBitmap(rgb);
    DeletePic(rgb);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->width, 5);
    EXPECT_EQ(doc->height, 3);
    EXPECT_STREQ(doc->fileName, "Untitled");
    EXPECT_EQ(doc->top->pixels->bitsPerPixel, 32);
    EXPECT_EQ(Argb(doc->top->pixels, 4, 2), 0xFF123456u);
    EXPECT_EQ(Rgb(doc->composite, 4, 2), 0x123456u);
    EXPECT_EQ(CreateDocumentFromBitmap(nullptr), nullptr);
}

namespace {
std::vector<std::string> g_recent;
int g_readerCalls = 0;
Bitmap* ImportGreen(const char* path)
{
    if (std::strstr(path, "missing"))
        return nullptr;
    Bitmap* b = NewRGBPic(8, 4);
    BlockSet(b, 0, 0, 8, 4, 0x00FF00);
    return b;
}
int FailingReader(const char*, Document* doc)
{
    ++g_readerCalls;
    doc->storedWord = 77;   // a reader that gives up half-way must not leave anything behind
    return 0;
}
}  // namespace

TEST_F(DocumentCreate, FromAPathFallsBackToTheImporterAndClosingRemembersIt)
{
    g_recent.clear();
    g_readerCalls = 0;
    g_documentHooks.readDocument = FailingReader;
    g_documentHooks.importRaster = ImportGreen;
    g_documentHooks.addRecentFile = [](const char* p) { g_recent.emplace_back(p); };

    EXPECT_EQ(CreateDocument("C:\\pics\\missing.bmp"), nullptr);
    EXPECT_EQ(OpenDocumentCount(), 0);

    Document* doc = CreateDocument("C:\\pics\\leaf.bmp");
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(g_readerCalls, 2);
    EXPECT_STREQ(doc->directory, "C:\\pics");
    EXPECT_STREQ(doc->fileName, "leaf.bmp");
    EXPECT_EQ(doc->hasFile, 1u);
    EXPECT_EQ(doc->storedWord, 0u);
    EXPECT_EQ(doc->width, 8);
    EXPECT_EQ(Argb(doc->top->pixels, 0, 0), 0xFF00FF00u);

    Document* blank = Blank(10, 10);
    CloseDocument(blank);   // never saved: not a recent file
    CloseDocument(doc);
    EXPECT_EQ(g_recent, std::vector<std::string>{"C:\\pics\\leaf.bmp"});
    EXPECT_EQ(CurrentDocument(), nullptr);
    EXPECT_EQ(GetComposite(), nullptr);
    EXPECT_EQ(GetCurrentLayer(), nullptr);
}

TEST_F(DocumentCreate, OpenDocumentsKeepTheirOrderAndWindows)
{
    Document* a = Blank(10, 10);
    Document* b = Blank(10, 10);
    Document* c = Blank(10, 10);
    SetDocumentWindow(b, reinterpret_cast<void*>(0x1234));
    std::vector<Document*> order;
    for (OpenDocument* n = FirstOpenDocument(); n; n = n->next)
        order.push_back(n->doc);
    EXPECT_EQ(order, (std::vector<Document*>{a, b, c}));
    EXPECT_EQ(DocumentWindow(b), reinterpret_cast<void*>(0x1234));
    EXPECT_EQ(CurrentDocument(), c);

    CloseDocument(b);
    order.clear();
    for (OpenDocument* n = LastOpenDocument(); n; n = n->prev)
        order.push_back(n->doc);
    EXPECT_EQ(order, (std::vector<Document*>{c, a}));
    SetCurrentDocument(a);
    MarkModified();
    EXPECT_EQ(a->modified, 1u);
    EXPECT_EQ(c->modified, 0u);
}

TEST_F(DocumentCreate, ARefusedWindowFailsCreation)
{
    g_documentHooks.documentCreated = [](Document*) { return 0; };
    EXPECT_EQ(CreateDocument(nullptr), nullptr);
    EXPECT_EQ(OpenDocumentCount(), 0);
    EXPECT_EQ(CurrentDocument(), nullptr);
}

TEST_F(DocumentCreate, ReleaseContentsEmptiesTheDocument)
{
    Document* doc = Blank(30, 20);
    InsertLayer(doc, SolidLayer("top", 0, 0, 4, 4, 0xFF000000), doc->top);
    doc->overlay = NewRGBAPic(3, 3);
    ReleaseDocumentContents(doc);
    EXPECT_EQ(doc->layerCount, 0);
    EXPECT_EQ(doc->top, nullptr);
    EXPECT_EQ(doc->bottom, nullptr);
    EXPECT_EQ(doc->current, nullptr);
    EXPECT_EQ(doc->composite, nullptr);
    EXPECT_EQ(doc->backup, nullptr);
    EXPECT_EQ(doc->overlay, nullptr);
}
