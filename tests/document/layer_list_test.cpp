#include <string>
#include <vector>

#include "doc_fixture.h"

namespace {

std::vector<std::string> Names(const Document* doc)
{
    std::vector<std::string> names;
    for (const Layer* l = doc->top; l; l = l->below)
        names.emplace_back(l->props.name);
    std::vector<std::string> upwards;
    for (const Layer* l = doc->bottom; l; l = l->above)
        upwards.insert(upwards.begin(), l->props.name);
    EXPECT_EQ(names, upwards) << "below and above links disagree";
    return names;
}

}  // namespace

using LayerList = DocTest;

TEST_F(LayerList, InsertUnlinkAndWalk)
{
    Document doc{};
    Layer* a = NewLayer("a");
    Layer* b = NewLayer("b");
    Layer* c = NewLayer("c");
    Layer* d = NewLayer("d");
    EXPECT_EQ(InsertLayer(&doc, nullptr, nullptr), 0);
    EXPECT_EQ(InsertLayer(nullptr, a, nullptr), 0);
    ASSERT_EQ(InsertLayer(&doc, a, nullptr), 1);       // first layer: top and bottom
    ASSERT_EQ(InsertLayer(&doc, b, nullptr), 1);       // appended at the bottom
    ASSERT_EQ(InsertLayer(&doc, c, a), 1);             // above the top: new top
    ASSERT_EQ(InsertLayer(&doc, d, b), 1);             // between a and b
    EXPECT_EQ(Names(&doc), (std::vector<std::string>{"c", "a", "d", "b"}));
    EXPECT_EQ(doc.layerCount, 4);
    EXPECT_EQ(CountLayers(&doc), 4);
    EXPECT_EQ(LayerAt(&doc, 2), d);
    EXPECT_EQ(LayerAt(&doc, 4), nullptr);
    EXPECT_EQ(LayerAt(&doc, -1), nullptr);
    EXPECT_EQ(IndexOfLayer(&doc, b), 3);

    Layer stranger{};
    EXPECT_EQ(IndexOfLayer(&doc, &stranger), -1);
    EXPECT_EQ(UnlinkLayer(&doc, &stranger), 0);
    EXPECT_EQ(UnlinkLayer(&doc, c), 1);   // the top
    EXPECT_EQ(UnlinkLayer(&doc, b), 1);   // the bottom
    EXPECT_EQ(UnlinkLayer(&doc, d), 1);
    EXPECT_EQ(Names(&doc), (std::vector<std::string>{"a"}));
    EXPECT_EQ(UnlinkLayer(&doc, a), 0) << "the last layer stays";
    EXPECT_EQ(doc.layerCount, 1);
    EXPECT_EQ(doc.top, a);
    EXPECT_EQ(doc.bottom, a);
    for (Layer* l : {b, c, d})
        FreeLayer(l);
    ReleaseDocumentContents(&doc);
}

TEST_F(LayerList, SelectTakesAFreshBackup)
{
    Document* doc = Blank(20, 20);
    Layer* top = SolidLayer("top", 2, 3, 5, 4, 0x80112233);
    InsertLayer(doc, top, doc->top);
    static int overlayCalls;
    overlayCalls = 0;
    g_documentHooks.refreshOverlay = [](Document*, Layer*) { ++overlayCalls; };

    ASSERT_EQ(SelectLayer(doc, top), 1);
    EXPECT_EQ(doc->current, top);
    EXPECT_EQ(doc->currentIndex, 0);
    ASSERT_NE(doc->backup, nullptr);
    EXPECT_NE(doc->backup, top->pixels);
    EXPECT_EQ(doc->backup->width * 100 + doc->backup->height, 504);
    EXPECT_EQ(Argb(doc->backup, 4, 3), 0x80112233u);
    EXPECT_EQ(overlayCalls, 0);

    doc->overlay = NewRGBAPic(2, 2);
    ASSERT_EQ(SelectLayer(doc, doc->bottom), 1);
    EXPECT_EQ(doc->currentIndex, 1);
    EXPECT_EQ(overlayCalls, 1);

    Layer stranger{};
    EXPECT_EQ(SelectLayer(doc, &stranger), 0);
    EXPECT_EQ(doc->current, doc->bottom);
}
