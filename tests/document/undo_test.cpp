// The undo history: the ring's limits, dropping undone records, and every record type reversed and
// repeated.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "doc_fixture.h"
#include "document/compose.h"
#include "document/layer_commands.h"
#include "document/layer_growth.h"
#include "document/undo.h"
#include "raster/pic_copy.h"
#include "vkd_test_util.h"

namespace {

std::vector<int> g_sounds;
int g_undoButton = -1, g_redoButton = -1;
std::vector<std::string> g_restoredSelections;
std::vector<std::pair<uint32_t, uint32_t>> g_winds;
uint32_t g_tutorA = 0, g_tutorB = 0;

class UndoTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        ResetUndoUiHooks();
        InstallUndoHistory();
        SetUndoFolder(dir.Path().string().c_str());
        g_sounds.clear();
        g_restoredSelections.clear();
        g_winds.clear();
        g_tutorA = g_tutorB = 0;
        g_undoUiHooks.playSound = [](int e) { g_sounds.push_back(e); };
        g_undoUiHooks.setButtons = [](int u, int r) {
            g_undoButton = u;
            g_redoButton = r;
        };
        g_undoUiHooks.restoreSelection = [](Document*, const void* b, size_t n) {
            g_restoredSelections.emplace_back(static_cast<const char*>(b), n);
        };
        g_undoUiHooks.tutorialPositions = [](uint32_t* a, uint32_t* b) {
            *a = g_tutorA;
            *b = g_tutorB;
        };
        g_undoUiHooks.windTutorial = [](uint32_t a, uint32_t b) { g_winds.emplace_back(a, b); };
    }
    void TearDown() override
    {
        DocTest::TearDown();
        ResetUndoUiHooks();
        SetUndoFolder(nullptr);
    }

    // One stroke as the painting engine makes it: paint, record against the backup, refresh the backup.
    static void Stroke(Document* doc, int32_t x, int32_t y, uint32_t argb)
    {
        Layer* l = doc->current;
        SetArgb(l->pixels, x - l->props.x, y - l->props.y, argb);
        ASSERT_EQ(PushPaintUndo(doc, MakeRect(x, y, 1, 1)), 1);
        SelectLayer(doc, l);
    }

    // Background plus two small opaque layers, so that saving trims nothing.
    static Document* ThreeLayers()
    {
        Document* doc = Blank(60, 40);
        for (int i = 0; i < 2; ++i) {
            NewLayerCommand(doc);
            doc->current->pixels = NewRGBAPic(10, 8);
            FillArgb(doc->current->pixels, 0, 0, 10, 8, i ? 0xFF0000FFu : 0xC000FF00u);
            doc->current->props.x = static_cast<int16_t>(5 + 20 * i);
            doc->current->props.y = 4;
            SelectLayer(doc, doc->current);
        }
        RefreshDocumentRect(doc, nullptr);
        return doc;
    }

    ScratchDir dir;
};

// Everything an undo has to put back: each layer's properties, parameters, position and pixels, the
// current layer and the composed picture.
struct Snapshot {
    std::vector<std::vector<uint8_t>> layers;
    int32_t current = -1;
    std::vector<uint8_t> composite;
    bool operator==(const Snapshot&) const = default;
};

void PrintTo(const Snapshot& s, std::ostream* os)
{
    *os << "current " << s.current << ", layers";
    for (const auto& l : s.layers) {
        uint32_t h = 2166136261u;
        for (uint8_t b : l)
            h = (h ^ b) * 16777619u;
        *os << " [" << reinterpret_cast<const char*>(l.data()) << " " << l.size() << " #" << std::hex << h << std::dec << "]";
    }
    uint32_t h = 2166136261u;
    for (uint8_t b : s.composite)
        h = (h ^ b) * 16777619u;
    *os << " composite #" << std::hex << h << std::dec;
}

template <typename T>
void Append(std::vector<uint8_t>* out, const T& v)
{
    const auto* p = reinterpret_cast<const uint8_t*>(&v);
    out->insert(out->end(), p, p + sizeof v);
}

// Layers compare by what they show, not by the bitmap that holds it: undoing a stroke leaves a grown
// layer grown.  Recorded: properties without the position, parameter blocks, the document rectangle
// of the pixels with alpha and those pixels.  Only the flagged parameter blocks count.
Snapshot Take(Document* doc)
{
    Snapshot s;
    RefreshDocumentRect(doc, nullptr);
    for (const Layer* l = doc->top; l; l = l->below) {
        std::vector<uint8_t> bytes;
        LayerProps props = l->props;
        props.x = props.y = 0;
        Append(&bytes, props);
        // Settings of effects that are off are not part of the picture (files do not keep them).
        const uint8_t f = l->props.effectFlags;
        if (f & kEffectDropShadow)
            Append(&bytes, l->dropShadow);
        if (f & kEffectInnerShadow)
            Append(&bytes, l->innerShadow);
        if (f & kEffectOuterGlow)
            Append(&bytes, l->outerGlow);
        if (f & kEffectInnerGlow)
            Append(&bytes, l->innerGlow);
        if (const Bitmap* p = l->pixels) {
            int32_t x0 = p->width, y0 = p->height, x1 = -1, y1 = -1;
            for (int32_t y = 0; y < p->height; ++y)
                for (int32_t x = 0; x < p->width; ++x)
                    if (PicPixel(p, x, y)[3]) {
                        x0 = std::min(x0, x), x1 = std::max(x1, x);
                        y0 = std::min(y0, y), y1 = std::max(y1, y);
                    }
            Append(&bytes, Rect{x0 + l->props.x, y0 + l->props.y, x1 + l->props.x, y1 + l->props.y});
            for (int32_t y = y0; y <= y1; ++y)
                bytes.insert(bytes.end(), PicPixel(p, x0, y), PicPixel(p, x0, y) + 4 * (x1 - x0 + 1));
        }
        s.layers.push_back(std::move(bytes));
    }
    s.current = IndexOfLayer(doc, doc->current);
    EXPECT_EQ(s.current, doc->currentIndex);
    s.composite.assign(doc->composite->bits, doc->composite->bits + PicBytes(doc->composite));
    return s;
}

TEST_F(UndoTest, RingKeepsThirtyNineUndoableRecords)
{
    Document* doc = Blank(64, 8);
    for (int i = 1; i <= 41; ++i)
        Stroke(doc, i, 0, 0xFF000000u | static_cast<uint32_t>(i));
    EXPECT_EQ(g_undoButton, 1);
    EXPECT_EQ(g_redoButton, 0);
    for (int i = 0; i < 39; ++i)
        EXPECT_EQ(Undo(doc), 1) << i;
    EXPECT_TRUE(g_sounds.empty());
    EXPECT_EQ(Undo(doc), 0);
    EXPECT_EQ(g_sounds, std::vector<int>{kUndoEmptySoundEffect});
    EXPECT_EQ(g_undoButton, 0);
    EXPECT_EQ(g_redoButton, 1);
    // Strokes 41 back to 3 are reversed; 1 and 2 stay.
    const Bitmap* px = doc->bottom->pixels;
    EXPECT_EQ(Argb(px, 1, 0), 0xFF000001u);
    EXPECT_EQ(Argb(px, 2, 0), 0xFF000002u);
    for (int i = 3; i <= 41; ++i)
        EXPECT_EQ(Argb(px, i, 0), 0xFFFFFFFFu) << i;
    // All 39 come back again.
    for (int i = 0; i < 39; ++i)
        EXPECT_EQ(Redo(doc), 1) << i;
    EXPECT_EQ(Redo(doc), 0);
    EXPECT_EQ(Argb(px, 41, 0), 0xFF000029u);
    EXPECT_EQ(g_redoButton, 0);
}

TEST_F(UndoTest, NewRecordAfterUndoDropsRedoAndFreesWhatTheUndoneRecordsOwned)
{
    Document* doc = ThreeLayers();
    char before[kPathSize];
    ASSERT_EQ(SaveUndoSnapshot(doc, before), 1);
    ASSERT_EQ(PushWholeDocumentUndo(doc, before), 1);
    EXPECT_EQ(dir.EntryCount(), 2u);   // before and after
    ASSERT_EQ(DuplicateLayerCommand(doc), 1);
    ASSERT_EQ(Undo(doc), 1);
    ASSERT_EQ(Undo(doc), 1);
    EXPECT_EQ(g_redoButton, 1);
    SelectLayerCommand(doc, 2);
    Stroke(doc, 1, 1, 0xFF123456);
    EXPECT_EQ(CanRedo(doc), 0);
    EXPECT_EQ(g_redoButton, 0);
    EXPECT_EQ(Redo(doc), 0);
    EXPECT_EQ(dir.EntryCount(), 0u);   // the dropped record's files are gone
    EXPECT_EQ(CountLayers(doc), 3);
}

TEST_F(UndoTest, DeleteAndDuplicateComeBackInPlace)
{
    Document* doc = ThreeLayers();
    SelectLayerCommand(doc, 1);
    Layer* middle = doc->current;
    const Snapshot start = Take(doc);

    ASSERT_EQ(DeleteLayerCommand(doc), 1);
    EXPECT_EQ(doc->current, doc->bottom);
    ASSERT_EQ(Undo(doc), 1);
    EXPECT_EQ(LayerAt(doc, 1), middle);
    EXPECT_EQ(doc->current, middle);
    EXPECT_EQ(Take(doc), start);
    ASSERT_EQ(Redo(doc), 1);
    EXPECT_EQ(CountLayers(doc), 2);
    ASSERT_EQ(Undo(doc), 1);

    ASSERT_EQ(DuplicateLayerCommand(doc), 1);
    Layer* copy = LayerAt(doc, 1);
    EXPECT_STREQ(copy->props.name, "Layer 1 copy");
    ASSERT_EQ(Undo(doc), 1);
    EXPECT_EQ(Take(doc), start);
    ASSERT_EQ(Redo(doc), 1);
    EXPECT_EQ(LayerAt(doc, 1), copy);
    EXPECT_EQ(LayerAt(doc, 2), middle);
    EXPECT_EQ(doc->current, middle);
}

TEST_F(UndoTest, EveryRecordTypeRoundTrips)
{
    Document* doc = ThreeLayers();
    // The composite shows the layers (green at 5..14, blue at 25..34, on white).
    EXPECT_EQ(Rgb(doc->composite, 30, 6), 0x0000FFu);
    EXPECT_EQ(Rgb(doc->composite, 50, 6), 0xFFFFFFu);
    const struct {
        const char* what;
        std::function<void(Document*)> op;
        // The layer made current before the snapshot: undoing a move or an offset selects the moved
        // layer, a deletion the restored one.
        int32_t current = 0;
    } cases[] = {
        {"paint past the edge",
         [](Document* d) {
             Layer* l = d->current;
             int32_t sx, sy;
             ASSERT_EQ(GrowLayer(d, l, MakeRect(-3, -3, 2, 2), &sx, &sy), 1);
             SetArgb(l->pixels, -3 - sx, -3 - sy, 0xFFFF0000);
             ASSERT_EQ(PushPaintUndo(d, MakeRect(l->props.x, l->props.y, 120, 120)), 1);
             SelectLayer(d, l);
         }},
        {"delete", [](Document* d) { ASSERT_EQ(DeleteLayerCommand(d), 1); }},
        {"delete bottom", [](Document* d) { ASSERT_EQ(DeleteLayerCommand(d), 1); }, 2},
        {"new layer", [](Document* d) { ASSERT_EQ(NewLayerCommand(d), 1); }, 1},
        {"merge down", [](Document* d) { ASSERT_EQ(MergeDownCommand(d), 1); }},
        {"opacity",
         [](Document* d) {
             OpacitySliderCommand(d, kOpacityRememberStart, 0);
             OpacitySliderCommand(d, kOpacityLive, 30);
             ASSERT_EQ(OpacitySliderCommand(d, kOpacityCommitDrag, 60), 1);
         }},
        {"blend mode", [](Document* d) { ASSERT_EQ(SetBlendModeCommand(d, 7), 1); }},
        {"rename", [](Document* d) { ASSERT_EQ(RenameLayer(d, 2, "paper"), 1); }, 1},
        {"effect",
         [](Document* d) {
             GlowParams p = g_effectDefaults.outerGlow;
             p.size = 3;
             ASSERT_EQ(SetGlowEffect(d, kSlotOuterGlow, p, true), 1);
         }},
        {"whole document",
         [](Document* d) {
             char before[kPathSize];
             ASSERT_EQ(SaveUndoSnapshot(d, before), 1);
             FillArgb(d->bottom->pixels, 0, 0, 30, 40, 0xFF000000);
             d->storedWord = 99;
             ASSERT_EQ(PushWholeDocumentUndo(d, before), 1);
         }},
        {"move up", [](Document* d) { ASSERT_EQ(MoveLayerCommand(d, 2, 0, 1), 1); }, 2},
        {"move down", [](Document* d) { ASSERT_EQ(MoveLayerCommand(d, 0, 1, 0), 1); }},
        {"move to the middle", [](Document* d) { ASSERT_EQ(MoveLayerCommand(d, 0, 0, 0), 1); }},
        {"visibility", [](Document* d) { ASSERT_EQ(ToggleVisibilityCommand(d, 1), 1); }},
        {"offset",
         [](Document* d) {
             Layer* l = LayerAt(d, 1);
             l->props.x = static_cast<int16_t>(l->props.x + 7);
             l->props.y = static_cast<int16_t>(l->props.y - 2);
             ASSERT_EQ(PushLayerOffsetUndo(d, 1, 7, -2), 1);
         },
         1},
        {"transform",
         [](Document* d) {
             Layer* l = d->current;
             Bitmap* turned = NewRGBAPic(l->pixels->height, l->pixels->width);
             FillArgb(turned, 0, 0, turned->width, turned->height, 0xFF00FFFF);
             Bitmap* before = BackupDIB(l->pixels);
             const int16_t bx = l->props.x, by = l->props.y;
             DeletePic(l->pixels);
             l->pixels = turned;
             l->props.x = 2;
             ASSERT_EQ(PushTransformUndo(d, d->currentIndex, before, bx, by, BackupDIB(turned), 2, by), 1);
         }},
        {"duplicate", [](Document* d) { ASSERT_EQ(DuplicateLayerCommand(d), 1); }, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_EQ(SelectLayerCommand(doc, c.current), 1);
        const Snapshot before = Take(doc);
        c.op(doc);
        const Snapshot after = Take(doc);
        ASSERT_NE(after, before);
        ASSERT_EQ(Undo(doc), 1);
        EXPECT_EQ(Take(doc), before);
        ASSERT_EQ(Redo(doc), 1);
        EXPECT_EQ(Take(doc), after);
        ASSERT_EQ(Undo(doc), 1);
        EXPECT_EQ(Take(doc), before);
    }
}

TEST_F(UndoTest, SelectionRecordsHandTheirBytesBackAndTutorialIsWoundBack)
{
    Document* doc = Blank(20, 20);
    g_tutorA = 5;
    g_tutorB = 9;
    ASSERT_EQ(PushSelectionUndo(doc, "old", 3, "new!", 4), 1);
    g_tutorA = g_tutorB = 0;
    Stroke(doc, 1, 1, 0xFF000000);
    ASSERT_EQ(Undo(doc), 1);
    EXPECT_TRUE(g_winds.empty());   // recorded without a tutorial
    ASSERT_EQ(Undo(doc), 1);
    ASSERT_EQ(Redo(doc), 1);
    EXPECT_EQ(g_restoredSelections, (std::vector<std::string>{"old", "new!"}));
    EXPECT_EQ(g_winds, (std::vector<std::pair<uint32_t, uint32_t>>{{5u, 9u}}));
}

}  // namespace
