#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/compose.h"
#include "document/effect_render.h"
#include "document/layer_commands.h"
#include "raster/pic_copy.h"

namespace {

std::vector<std::string> Names(const Document* doc)
{
    std::vector<std::string> names;
    for (const Layer* l = doc->top; l; l = l->below)
        names.emplace_back(l->props.name);
    return names;
}

// What the hooks saw.
struct Seen {
    std::vector<std::pair<int, int>> tutor;   // code, value
    std::vector<Layer*> kept;                 // layers the "history" took over
    std::vector<std::string> undo;
    LayerProps propsBefore{}, propsAfter{};
    int boxRefreshes = 0;
    int answer = kAnswerYes;
};
Seen g_seen;

class LayerCommands : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        g_seen = Seen{};
        g_tutorialHooks.layerCommand = [](int code, int value) { g_seen.tutor.emplace_back(code, value); };
        g_documentHooks.messageBox = [](const char*, const char*) { return g_seen.answer; };
        g_documentHooks.refreshLayerBox = [](Document*) { ++g_seen.boxRefreshes; };
        g_undoHooks.newLayer = [](Document*, int index, const char* name) {
            g_seen.undo.push_back("new " + std::to_string(index) + " " + name);
        };
        g_undoHooks.layerProps = [](Document*, int index, const LayerProps& before, const LayerProps& after) {
            g_seen.undo.push_back("props " + std::to_string(index));
            g_seen.propsBefore = before;
            g_seen.propsAfter = after;
        };
    }
    void TearDown() override
    {
        DocTest::TearDown();
        for (Layer* l : g_seen.kept)
            FreeLayer(l);
    }
};

}  // namespace

TEST_F(LayerCommands, NewLayersAreNamedFromTheCountBeforeInsertion)
{
    Document* doc = Blank(40, 30);
    ASSERT_EQ(NewLayerCommand(doc), 1);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Layer 1", "Background"}));
    EXPECT_EQ(doc->currentIndex, 0);
    EXPECT_EQ(doc->current->pixels, nullptr) << "no pixels until painted";
    ASSERT_EQ(NewLayerCommand(doc), 1);
    ASSERT_EQ(DeleteLayerCommand(doc), 1);
    ASSERT_EQ(NewLayerCommand(doc), 1);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Layer 2", "Layer 1", "Background"}));
    ASSERT_EQ(SelectLayerCommand(doc, 2), 1);
    ASSERT_EQ(NewLayerCommand(doc), 1);   // above the current layer, not at the top
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Layer 2", "Layer 1", "Layer 3", "Background"}));
    EXPECT_EQ(doc->currentIndex, 2);
    EXPECT_EQ(g_seen.undo.back(), "new 2 Layer 3");
    EXPECT_EQ(g_seen.tutor.back(), (std::pair<int, int>{kTutorNewLayer, 0}));
    EXPECT_EQ(doc->modified, 1u);
}

TEST_F(LayerCommands, DeleteSelectsBelowOrAboveForTheBottom)
{
    struct Case {
        int32_t select;
        std::vector<std::string> after;
        std::string current;
    } cases[] = {
        {0, {"b", "Background"}, "b"},
        {1, {"a", "Background"}, "Background"},
        {2, {"a", "b"}, "b"},   // the bottom: the one that was above it
    };
    for (const Case& c : cases) {
        Document* doc = Blank(20, 20);
        InsertLayer(doc, SolidLayer("b", 0, 0, 4, 4, 0xFF00FF00), doc->top);
        InsertLayer(doc, SolidLayer("a", 0, 0, 4, 4, 0xFFFF0000), doc->top);
        ASSERT_EQ(SelectLayerCommand(doc, c.select), 1);
        Layer* removed = doc->current;
        g_undoHooks.deleteLayer = [](Document*, int, Layer* l) {
            g_seen.kept.push_back(l);
            return 1;
        };
        ASSERT_EQ(DeleteLayerCommand(doc), 1);
        EXPECT_EQ(Names(doc), c.after);
        EXPECT_EQ(doc->current->props.name, c.current);
        EXPECT_EQ(doc->currentIndex, IndexOfLayer(doc, doc->current));
        EXPECT_EQ(g_seen.kept.back(), removed) << "the history owns the removed layer";
        EXPECT_EQ(removed->above, nullptr);
        EXPECT_EQ(removed->below, nullptr);
        CloseDocument(doc);
    }
}

TEST_F(LayerCommands, DeleteIsRefusedForTheLastLayerOrWithoutYes)
{
    Document* doc = Blank(20, 20);
    EXPECT_EQ(DeleteLayerCommand(doc), 0);
    EXPECT_EQ(doc->layerCount, 1);
    EXPECT_EQ(doc->modified, 0u);

    ASSERT_EQ(NewLayerCommand(doc), 1);
    doc->modified = 0;
    for (int answer : {kAnswerNo, kAnswerCancel}) {
        g_seen.answer = answer;
        EXPECT_EQ(DeleteLayerCommand(doc), 0);
        EXPECT_EQ(doc->layerCount, 2);
    }
    EXPECT_EQ(doc->modified, 0u);
}

TEST_F(LayerCommands, DuplicateGoesAboveAndTheSourceStaysCurrent)
{
    Document* doc = Blank(30, 30);
    Layer* source = SolidLayer("Leaves", 3, 4, 5, 6, 0x80FF0000);
    source->props.effectFlags = kEffectOuterGlow;
    source->props.blendMode = kBlendScreen;
    InsertLayer(doc, source, doc->top);
    ASSERT_EQ(SelectLayer(doc, source), 1);
    ASSERT_EQ(NewLayerCommand(doc), 1);   // something above, to see the copy land between
    ASSERT_EQ(SelectLayerCommand(doc, 1), 1);

    ASSERT_EQ(DuplicateLayerCommand(doc), 1);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"Layer 2", "Leaves copy", "Leaves", "Background"}));
    EXPECT_EQ(doc->current, source);
    EXPECT_EQ(doc->currentIndex, 2);
    Layer* copy = LayerAt(doc, 1);
    ASSERT_NE(copy->pixels, nullptr);
    EXPECT_NE(copy->pixels, source->pixels);
    EXPECT_EQ(std::memcmp(copy->pixels->bits, source->pixels->bits, PicBytes(source->pixels)), 0);
    EXPECT_EQ(copy->props.x, 3);
    EXPECT_EQ(copy->props.blendMode, kBlendScreen);
    EXPECT_EQ(copy->props.effectFlags, kEffectOuterGlow);
}

TEST_F(LayerCommands, LongNamesAreCutOnACharacterBoundary)
{
    Document* doc = Blank(10, 10);
    const std::string e = "\xC3\xA9";   // a two-byte character
    struct Case {
        std::string name;
        std::string renamed;     // RenameLayer result
        std::string duplicated;  // name of a duplicate
    } cases[] = {
        {"short", "short", "short copy"},
        {std::string(39, 'x'), std::string(39, 'x'), std::string(34, 'x') + " copy"},
        {std::string(45, 'y'), std::string(39, 'y'), std::string(34, 'y') + " copy"},
        {std::string(38, 'z') + e, std::string(38, 'z'), std::string(34, 'z') + " copy"},
        {std::string(33, 'w') + e + "w", std::string(33, 'w') + e + "w", std::string(33, 'w') + " copy"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(RenameLayer(doc, 0, c.name.c_str()), 1);
        EXPECT_EQ(doc->top->props.name, c.renamed);
        ASSERT_EQ(DuplicateLayerCommand(doc), 1);
        EXPECT_EQ(LayerAt(doc, 0)->props.name, c.duplicated);
        ASSERT_EQ(SelectLayerCommand(doc, 0), 1);
    }
}

TEST_F(LayerCommands, RenameAsksAndKeepsTheOldNameOnCancel)
{
    Document* doc = Blank(10, 10);
    g_documentHooks.promptText = [](const char* title, char* text, int capacity) {
        EXPECT_STREQ(title, "Rename the Layer");
        EXPECT_STREQ(text, "Background");
        std::snprintf(text, static_cast<size_t>(capacity), "%s", "Sky and hills");
        return g_seen.answer;
    };
    g_seen.answer = kAnswerNo;
    EXPECT_EQ(RenameLayerCommand(doc, 0), 0);
    EXPECT_STREQ(doc->top->props.name, "Background");
    g_seen.answer = kAnswerYes;
    EXPECT_EQ(RenameLayerCommand(doc, 0), 1);
    EXPECT_STREQ(doc->top->props.name, "Sky and hills");
    EXPECT_STREQ(g_seen.propsBefore.name, "Background");
    EXPECT_STREQ(g_seen.propsAfter.name, "Sky and hills");
    EXPECT_EQ(RenameLayerCommand(doc, 5), 0);
}

TEST_F(LayerCommands, MoveLayer)
{
    struct Case {
        int32_t from, to, after;
        std::vector<std::string> order;
    } cases[] = {
        {0, 2, 1, {"b", "c", "a", "d"}},
        {0, 2, 0, {"b", "c", "d", "a"}},
        {3, 0, 1, {"d", "a", "b", "c"}},
        {3, 0, 0, {"a", "d", "b", "c"}},
        {1, 1, 1, {"a", "b", "c", "d"}},   // back where it was
        {1, 1, 0, {"a", "c", "b", "d"}},
    };
    for (const Case& c : cases) {
        Document* doc = Blank(10, 10);
        doc->top->props.name[0] = 'd';
        doc->top->props.name[1] = '\0';
        for (const char* n : {"c", "b", "a"})
            InsertLayer(doc, NewLayer(n), doc->top);
        Layer* moved = LayerAt(doc, c.from);
        ASSERT_EQ(MoveLayerCommand(doc, c.from, c.to, c.after), 1);
        EXPECT_EQ(Names(doc), c.order) << c.from << " " << c.to << " " << c.after;
        EXPECT_EQ(doc->current, moved);
        EXPECT_EQ(doc->currentIndex, IndexOfLayer(doc, moved));
        EXPECT_EQ(CountLayers(doc), 4);
        EXPECT_EQ(MoveLayerCommand(doc, 4, 0, 1), 0);
        EXPECT_EQ(MoveLayerCommand(doc, 0, 3, 1), 0) << "only three layers remain to place it against";
        CloseDocument(doc);
    }
}

TEST_F(LayerCommands, ToggleVisibilityAndTheTutorialSeesRelativeIndices)
{
    Document* doc = Blank(10, 10);
    ASSERT_EQ(NewLayerCommand(doc), 1);
    ASSERT_EQ(ToggleVisibilityCommand(doc, 1), 1);
    EXPECT_FALSE(LayerVisible(doc->bottom));
    EXPECT_EQ(Rgb(doc->composite, 0, 0), uint32_t{kCheckerGrey} * 0x010101u);
    ASSERT_EQ(ToggleVisibilityCommand(doc, 1), 1);
    EXPECT_TRUE(LayerVisible(doc->bottom));
    EXPECT_EQ(Rgb(doc->composite, 0, 0), 0xFFFFFFu);
    ASSERT_EQ(SelectLayerCommand(doc, 1), 1);
    ASSERT_EQ(SelectLayerCommand(doc, 0), 1);
    EXPECT_EQ(ToggleVisibilityCommand(doc, 9), 0);
    EXPECT_EQ(g_seen.tutor, (std::vector<std::pair<int, int>>{{kTutorNewLayer, 0},
                                                             {kTutorToggleVisibility, 1},
                                                             {kTutorToggleVisibility, 1},
                                                             {kTutorSelectLayer, 1},
                                                             {kTutorSelectLayer, -1}}));
}

TEST_F(LayerCommands, OpacitySliderRecordsTheDragFromItsStart)
{
    Document* doc = Blank(10, 10);
    static int presents;
    presents = 0;
    g_documentHooks.presentRect = [](Document*, const Rect&) { ++presents; };
    ASSERT_EQ(OpacitySliderCommand(doc, kOpacityRememberStart, 0), 1);
    ASSERT_EQ(OpacitySliderCommand(doc, kOpacityLive, 200), 1);
    ASSERT_EQ(OpacitySliderCommand(doc, kOpacityLive2, 150), 1);
    ASSERT_EQ(OpacitySliderCommand(doc, kOpacityLive2, 150), 1);   // unchanged: no refresh
    EXPECT_EQ(presents, 2);
    EXPECT_TRUE(g_seen.undo.empty()) << "live values make no records";
    EXPECT_EQ(doc->modified, 0u);
    ASSERT_EQ(OpacitySliderCommand(doc, kOpacityCommitDrag, 100), 1);
    EXPECT_EQ(g_seen.undo, std::vector<std::string>{"props 0"});
    EXPECT_EQ(g_seen.propsBefore.opacity, 255);
    EXPECT_EQ(g_seen.propsAfter.opacity, 100);
    EXPECT_EQ(doc->top->props.opacity, 100);
    EXPECT_EQ(doc->modified, 1u);

    ASSERT_EQ(OpacitySliderCommand(doc, kOpacityCommitClick, 300), 1);   // clamped
    EXPECT_EQ(g_seen.propsBefore.opacity, 100);
    EXPECT_EQ(g_seen.propsAfter.opacity, 255);
    EXPECT_EQ(OpacitySliderCommand(doc, 99, 0), 0);
}

TEST_F(LayerCommands, BlendModeIsCheckedAndRecorded)
{
    Document* doc = Blank(10, 10);
    for (int32_t bad : {-1, 8, 255})
        EXPECT_EQ(SetBlendModeCommand(doc, bad), 0);
    EXPECT_EQ(doc->top->props.blendMode, kBlendNormal);
    ASSERT_EQ(SetBlendModeCommand(doc, kBlendDifference), 1);
    EXPECT_EQ(doc->top->props.blendMode, kBlendDifference);
    EXPECT_EQ(g_seen.propsBefore.blendMode, kBlendNormal);
    EXPECT_EQ(g_seen.propsAfter.blendMode, kBlendDifference);
    EXPECT_EQ(g_seen.tutor.back(), (std::pair<int, int>{kTutorBlendMode, kBlendDifference}));
}

TEST_F(LayerCommands, MergeDownEqualsComposingTheTwoLayers)
{
    Document* doc = Blank(60, 40);
    Layer* lower = SolidLayer("lower", 5, 5, 30, 20, 0xC02060A0);
    lower->props.opacity = 200;
    Layer* upper = SolidLayer("upper", 20, 10, 30, 25, 0x80F0C010);
    upper->props.opacity = 180;
    upper->props.effectFlags = kEffectDropShadow;
    FillArgb(upper->pixels, 0, 0, 10, 25, 0);   // a transparent strip lets the lower layer through
    InsertLayer(doc, lower, doc->top);
    InsertLayer(doc, upper, doc->top);
    ASSERT_EQ(RenderLayerEffects(upper, nullptr), 1);
    ASSERT_EQ(SelectLayer(doc, upper), 1);
    ComposeDocument(doc, nullptr);
    Bitmap* before = BackupDIB(doc->composite);

    g_undoHooks.mergeDown = [](Document*, Layer* a, Layer* b, Layer*) {
        g_seen.kept.push_back(a);
        g_seen.kept.push_back(b);
        return 1;
    };
    ASSERT_EQ(MergeDownCommand(doc), 1);
    EXPECT_EQ(Names(doc), (std::vector<std::string>{"lower", "Background"}));
    Layer* merged = doc->top;
    EXPECT_EQ(doc->current, merged);
    EXPECT_EQ(doc->currentIndex, 0);
    EXPECT_EQ(merged->props.opacity, 255);
    EXPECT_EQ(merged->props.effectFlags, 0);
    // The merged bitmap covers both layers and the upper one's shadow.
    const Rect shadow = LayerBoundsWithEffects(upper);
    EXPECT_EQ(LayerBounds(merged), Union(Rect{5, 5, 50, 35}, shadow));

    ComposeDocument(doc, nullptr);
    int worst = 0;
    for (int32_t y = 0; y < doc->height; ++y)
        for (int32_t x = 0; x < doc->width; ++x)
            for (int c = 0; c < 3; ++c)
                worst = std::max(worst, std::abs(PicPixel(doc->composite, x, y)[c] - PicPixel(before, x, y)[c]));
    EXPECT_LE(worst, 2) << "merging must not change the picture";
    DeletePic(before);

    ASSERT_EQ(SelectLayerCommand(doc, 1), 1);
    EXPECT_EQ(MergeDownCommand(doc), 0) << "the bottom layer has nothing below it";
}

TEST_F(LayerCommands, EffectEditsSwitchRenderRecordAndBecomeDefaults)
{
    Document* doc = Blank(40, 40);
    static LayerEffectState before, after;
    g_undoHooks.layerEffects = [](Document*, int, const LayerEffectState& b, const LayerEffectState& a) {
        before = b;
        after = a;
    };
    ShadowParams p{2, 1, 90, 300, 99, {}, 0x112233, 0};   // opacity and distance beyond their ranges
    ASSERT_EQ(SetShadowEffect(doc, kSlotDropShadow, p, true), 1);
    Layer* l = doc->top;
    EXPECT_EQ(l->props.effectFlags, kEffectDropShadow);
    EXPECT_EQ(l->dropShadow.opacity, 255);
    EXPECT_EQ(l->dropShadow.distance, kEffectMaxDistance);
    ASSERT_NE(l->dropShadowMask.mask, nullptr);
    EXPECT_EQ(AlphaMaskColour(l->dropShadowMask.mask), 0x112233u);
    EXPECT_EQ(before.props.effectFlags, 0);
    EXPECT_EQ(after.dropShadow.distance, kEffectMaxDistance);
    EXPECT_EQ(g_effectDefaults.dropShadow.colour, 0x112233u);
    Layer* next = NewLayer("next");
    EXPECT_EQ(next->dropShadow.colour, 0x112233u) << "new layers take the confirmed values";
    FreeLayer(next);

    GlowParams g{3, 2, 200, {}, 0xFFFFFF, 0};
    EXPECT_EQ(SetGlowEffect(doc, kSlotDropShadow, g, true), 0) << "a glow is not a shadow";
    EXPECT_EQ(SetShadowEffect(doc, kSlotOuterGlow, p, true), 0);
    ASSERT_EQ(SetGlowEffect(doc, kSlotInnerGlow, g, true), 1);
    ASSERT_EQ(SetShadowEffect(doc, kSlotDropShadow, p, false), 1);
    EXPECT_EQ(l->props.effectFlags, kEffectInnerGlow);
    EXPECT_EQ(l->dropShadowMask.mask, nullptr);
    EXPECT_NE(l->innerGlowMask.mask, nullptr);
}
