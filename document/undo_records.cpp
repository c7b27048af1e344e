// Making, applying and freeing the undo records of each operation type, and the hooks that connect
// the layer commands to the history.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "document/compose.h"
#include "document/document_hooks.h"
#include "document/effect_render.h"
#include "document/layer_commands.h"
#include "document/layer_change.h"
#include "document/layer_growth.h"
#include "document/layer_list.h"
#include "document/thumbnail.h"
#include "document/undo_record.h"
#include "document/vkd_file.h"
#include "raster/block_ops.h"
#include "raster/pic_copy.h"

namespace {

std::string g_undoFolder;

// Puts the layer into the stack so that it stands at index (above the layer now there, or at the
// bottom when there is none).
void InsertAt(Document* doc, Layer* layer, int32_t index)
{
    InsertLayer(doc, layer, LayerAt(doc, index));
    ReindexCurrent(doc);
}

// Takes the layer out of the stack; when it was current, the one below it (above it for the bottom)
// becomes current, as after a deletion.
bool TakeOut(Document* doc, Layer* layer)
{
    if (!layer || doc->top == doc->bottom)
        return false;
    if (layer == doc->current && !SelectLayer(doc, layer->below ? layer->below : layer->above))
        return false;
    g_documentHooks.dropFloating(doc, layer);
    if (!UnlinkLayer(doc, layer))
        return false;
    ReindexCurrent(doc);
    return true;
}

// The properties and effect settings of a record, keeping the layer where it is now: later strokes
// may have grown it, and its pixels have to stay in place.
void PutEffectState(Layer* layer, const LayerEffectState& s)
{
    const int16_t x = layer->props.x, y = layer->props.y;
    layer->props = s.props;
    layer->props.x = x;
    layer->props.y = y;
    layer->dropShadow = s.dropShadow;
    layer->innerShadow = s.innerShadow;
    layer->outerGlow = s.outerGlow;
    layer->innerGlow = s.innerGlow;
}

bool ApplyPaint(Document* doc, UndoRecord* r, bool undo)
{
    Layer* layer = LayerAt(doc, r->index);
    const Bitmap* src = undo ? r->before : r->after;
    if (!layer || !src)
        return false;
    int32_t sx = 0, sy = 0;
    const Rect inLayer = Offset(r->rect, -layer->props.x, -layer->props.y);
    if (!GrowLayer(doc, layer, inLayer, &sx, &sy))
        return false;
    const int32_t lx = r->rect.left - layer->props.x, ly = r->rect.top - layer->props.y;
    BlockBlockCopy(layer->pixels, lx, ly, src->width, src->height, src, 0, 0);
    // The backup mirrors the current layer, or the next stroke's record would start from stale pixels.
    if (layer == doc->current && doc->backup && doc->backup->width == layer->pixels->width &&
        doc->backup->height == layer->pixels->height)
        BlockBlockCopy(doc->backup, lx, ly, src->width, src->height, src, 0, 0);
    MakeLayerThumbnail(doc, layer);
    MarkModified(doc);
    RefreshLayerChange(doc, layer, MakeRect(lx, ly, src->width, src->height));
    g_documentHooks.refreshLayerBox(doc);
    return true;
}

bool ApplyDelete(Document* doc, UndoRecord* r, bool undo)
{
    if (undo) {
        InsertAt(doc, r->layer, r->index);
        if (!SelectLayer(doc, r->layer)) {
            UnlinkLayer(doc, r->layer);
            ReindexCurrent(doc);
            return false;
        }
    } else if (!TakeOut(doc, r->layer)) {
        return false;
    }
    FinishLayerChange(doc, LayerBoundsWithEffects(r->layer));
    return true;
}

bool ApplyNewLayer(Document* doc, UndoRecord* r, bool undo)
{
    if (undo) {
        Layer* layer = LayerAt(doc, r->index);
        if (!TakeOut(doc, layer))
            return false;
        Layer* now = LayerAt(doc, r->index);
        SelectLayer(doc, now ? now : doc->bottom);
        const Rect bounds = LayerBoundsWithEffects(layer);
        FreeLayer(layer);
        FinishLayerChange(doc, bounds);
        return true;
    }
    Layer* layer = NewLayer(r->name);
    if (!layer)
        return false;
    InsertAt(doc, layer, r->index);
    if (!SelectLayer(doc, layer)) {
        UnlinkLayer(doc, layer);
        FreeLayer(layer);
        ReindexCurrent(doc);
        return false;
    }
    MakeLayerThumbnail(doc, layer);
    FinishLayerChange(doc, Rect{});
    return true;
}

bool ApplyMerge(Document* doc, UndoRecord* r, bool undo)
{
    const Rect bounds = Union(Union(LayerBoundsWithEffects(r->upper), LayerBoundsWithEffects(r->lower)),
                              LayerBoundsWithEffects(r->merged));
    if (undo) {
        InsertLayer(doc, r->lower, r->merged);
        InsertLayer(doc, r->upper, r->lower);
        if (!SelectLayer(doc, r->upper)) {
            UnlinkLayer(doc, r->upper);
            UnlinkLayer(doc, r->lower);
            ReindexCurrent(doc);
            return false;
        }
        UnlinkLayer(doc, r->merged);
    } else {
        InsertLayer(doc, r->merged, r->lower);
        if (!SelectLayer(doc, r->merged)) {
            UnlinkLayer(doc, r->merged);
            ReindexCurrent(doc);
            return false;
        }
        UnlinkLayer(doc, r->upper);
        UnlinkLayer(doc, r->lower);
    }
    ReindexCurrent(doc);
    FinishLayerChange(doc, bounds);
    return true;
}

bool ApplyProps(Document* doc, UndoRecord* r, bool undo)
{
    Layer* layer = LayerAt(doc, r->index);
    if (!layer)
        return false;
    const Rect oldArea = LayerBoundsWithEffects(layer);
    const LayerEffectState keep = GetLayerEffectState(layer);
    PutEffectState(layer, undo ? r->propsBefore : r->propsAfter);
    if (!RenderLayerEffects(layer, nullptr)) {
        PutEffectState(layer, keep);
        RenderLayerEffects(layer, nullptr);
        return false;
    }
    FinishLayerChange(doc, Union(oldArea, LayerBoundsWithEffects(layer)));
    return true;
}

// Reads a whole-document file into the document.  The file is read into a scratch record first, so
// a file that cannot be read leaves the document as it is instead of empty.
bool ApplyWhole(Document* doc, UndoRecord* r, bool undo)
{
    Document scratch{};
    if (!ReadLayeredDocument(undo ? r->pathBefore : r->pathAfter, &scratch) || !scratch.top)
        return ReleaseDocumentContents(&scratch), false;
    ReleaseDocumentContents(doc);
    doc->width = scratch.width;
    doc->height = scratch.height;
    doc->storedWord = scratch.storedWord;
    doc->top = scratch.top;
    doc->bottom = scratch.bottom;
    doc->layerCount = scratch.layerCount;
    doc->composite = scratch.composite;
    doc->thumbWidth = scratch.thumbWidth;
    doc->thumbHeight = scratch.thumbHeight;
    doc->slotWidth = scratch.slotWidth;
    doc->slotHeight = scratch.slotHeight;
    Layer* select = LayerAt(doc, r->index);
    if (!SelectLayer(doc, select ? select : doc->top))
        doc->current = select ? select : doc->top;   // pixels too large to back up: still usable
    ReindexCurrent(doc);
    MarkModified(doc);
    RefreshDocumentRect(doc, nullptr);
    g_documentHooks.refreshLayerBox(doc);
    return true;
}

bool ApplyMove(Document* doc, UndoRecord* r, bool undo)
{
    if (!undo)
        return MoveLayerCommand(doc, r->from, r->to, r->placeAfter) != 0;
    // Where the move put the layer, and how to put it back at its old index.
    const int32_t movedTo = r->placeAfter ? r->to : r->to + 1;
    const int32_t last = doc->layerCount - 1;
    return r->from < last ? MoveLayerCommand(doc, movedTo, r->from, 1) != 0
                          : MoveLayerCommand(doc, movedTo, last - 1, 0) != 0;
}

bool ApplyOffset(Document* doc, UndoRecord* r, bool undo)
{
    Layer* layer = LayerAt(doc, r->index);
    const int32_t dx = undo ? -r->dx : r->dx, dy = undo ? -r->dy : r->dy;
    if (!layer)
        return false;
    const int32_t x = layer->props.x + dx, y = layer->props.y + dy;
    if (x < INT16_MIN || x > INT16_MAX || y < INT16_MIN || y > INT16_MAX || !SelectLayer(doc, layer))
        return false;
    const Rect oldArea = LayerBoundsWithEffects(layer);
    layer->props.x = static_cast<int16_t>(x);
    layer->props.y = static_cast<int16_t>(y);
    FinishLayerChange(doc, Union(oldArea, LayerBoundsWithEffects(layer)));
    return true;
}

bool ApplyTransform(Document* doc, UndoRecord* r, bool undo)
{
    Layer* layer = LayerAt(doc, r->index);
    Bitmap* copy = layer ? BackupDIB(undo ? r->before : r->after) : nullptr;
    if (!copy)
        return false;
    const Rect oldArea = LayerBoundsWithEffects(layer);
    Bitmap* old = layer->pixels;
    const int16_t oldX = layer->props.x, oldY = layer->props.y;
    layer->pixels = copy;
    layer->props.x = undo ? r->beforeX : r->afterX;
    layer->props.y = undo ? r->beforeY : r->afterY;
    if (!SelectLayer(doc, layer) || !RenderLayerEffects(layer, nullptr)) {
        layer->pixels = old;
        layer->props.x = oldX;
        layer->props.y = oldY;
        DeletePic(copy);
        RenderLayerEffects(layer, nullptr);
        return false;
    }
    DeletePic(old);
    MakeLayerThumbnail(doc, layer);
    FinishLayerChange(doc, Union(oldArea, LayerBoundsWithEffects(layer)));
    return true;
}

bool ApplySelection(Document* doc, UndoRecord* r, bool undo)
{
    g_undoUiHooks.restoreSelection(doc, undo ? r->selBefore : r->selAfter, undo ? r->selBeforeSize : r->selAfterSize);
    g_undoUiHooks.startTimer(kSelectionTimerId, kSelectionTimerMs);
    return true;
}

bool ApplyDuplicate(Document* doc, UndoRecord* r, bool undo)
{
    if (undo) {
        if (!TakeOut(doc, r->layer))
            return false;
    } else {
        Layer* source = LayerAt(doc, r->index);
        if (!source)
            return false;
        InsertLayer(doc, r->layer, source);
        ReindexCurrent(doc);
    }
    FinishLayerChange(doc, LayerBoundsWithEffects(r->layer));
    return true;
}

// ---- the layer commands' records --------------------------------------------------------------

int KeepDeleted(Document* doc, int index, Layer* removed)
{
    UndoRecord* r = BeginPush(doc, kUndoDeleteLayer);
    if (!r)
        return 0;
    r->index = index;
    r->layer = removed;
    CommitPush(doc);
    return 1;
}

void RecordNewLayer(Document* doc, int index, const char* name)
{
    if (UndoRecord* r = BeginPush(doc, kUndoNewLayer)) {
        r->index = index;
        std::memcpy(r->name, name, kLayerNameSize);
        CommitPush(doc);
    }
}

int KeepMerged(Document* doc, Layer* upper, Layer* lower, Layer* merged)
{
    UndoRecord* r = BeginPush(doc, kUndoMergeDown);
    if (!r)
        return 0;
    r->upper = upper;
    r->lower = lower;
    r->merged = merged;
    CommitPush(doc);
    return 1;
}

void RecordEffects(Document* doc, int index, const LayerEffectState& before, const LayerEffectState& after)
{
    if (UndoRecord* r = BeginPush(doc, kUndoLayerProps)) {
        r->index = index;
        r->propsBefore = before;
        r->propsAfter = after;
        CommitPush(doc);
    }
}

void RecordProps(Document* doc, int index, const LayerProps& before, const LayerProps& after)
{
    // Only the property bytes changed: the parameter blocks are the layer's own on both sides.
    const Layer* layer = LayerAt(doc, index);
    if (!layer)
        return;
    LayerEffectState b = GetLayerEffectState(layer), a = b;
    b.props = before;
    a.props = after;
    RecordEffects(doc, index, b, a);
}

void RecordMove(Document* doc, int from, int to, int after)
{
    if (UndoRecord* r = BeginPush(doc, kUndoMoveLayer)) {
        r->from = from;
        r->to = to;
        r->placeAfter = after;
        CommitPush(doc);
    }
}

void RecordVisibility(Document* doc, int index)
{
    if (UndoRecord* r = BeginPush(doc, kUndoVisibility)) {
        r->index = index;
        CommitPush(doc);
    }
}

void RecordDuplicate(Document* doc, int sourceIndex, Layer* copy)
{
    if (UndoRecord* r = BeginPush(doc, kUndoDuplicateLayer)) {
        r->index = sourceIndex;
        r->layer = copy;
        CommitPush(doc);
    }
}

int CreateWithHistory(Document* doc) { return CreateUndoHistory(doc, kUndoCapacity); }

bool MakeTempPath(char path[kPathSize])
{
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    const std::filesystem::path folder =
        g_undoFolder.empty() ? std::filesystem::temp_directory_path(ec) : std::filesystem::path(g_undoFolder);
    for (int attempt = 0; attempt < 100; ++attempt) {
        char name[64];
        std::snprintf(name, sizeof name, "brisalo_undo_%p_%u.vkd", static_cast<void*>(path), counter++);
        const std::string full = (folder / name).string();
        if (full.size() >= kPathSize)
            return false;
        if (!std::filesystem::exists(full, ec)) {
            std::memcpy(path, full.c_str(), full.size() + 1);
            return true;
        }
    }
    return false;
}

}  // namespace

void FreeUndoRecord(UndoType type, UndoRecord* r)
{
    switch (type) {
    case kUndoPaint:
    case kUndoTransform:
        DeletePic(r->before);
        DeletePic(r->after);
        break;
    case kUndoDeleteLayer:
        // An undone deletion put the layer back into the document, which owns it again.
        if (!r->undone)
            FreeLayer(r->layer);
        break;
    case kUndoMergeDown:
        if (r->undone) {
            FreeLayer(r->merged);
        } else {
            FreeLayer(r->upper);
            FreeLayer(r->lower);
        }
        break;
    case kUndoWholeDocument:
        std::remove(r->pathBefore);
        std::remove(r->pathAfter);
        break;
    case kUndoSelection:
        std::free(r->selBefore);
        std::free(r->selAfter);
        break;
    case kUndoDuplicateLayer:
        if (r->undone)
            FreeLayer(r->layer);
        break;
    default:
        break;
    }
    delete r;
}

bool ApplyUndoRecord(Document* doc, UndoType type, UndoRecord* r, bool undo)
{
    switch (type) {
    case kUndoPaint: return ApplyPaint(doc, r, undo);
    case kUndoDeleteLayer: return ApplyDelete(doc, r, undo);
    case kUndoNewLayer: return ApplyNewLayer(doc, r, undo);
    case kUndoMergeDown: return ApplyMerge(doc, r, undo);
    case kUndoLayerProps: return ApplyProps(doc, r, undo);
    case kUndoWholeDocument: return ApplyWhole(doc, r, undo);
    case kUndoMoveLayer: return ApplyMove(doc, r, undo);
    case kUndoVisibility: return ToggleVisibilityCommand(doc, r->index) != 0;
    case kUndoLayerOffset: return ApplyOffset(doc, r, undo);
    case kUndoTransform: return ApplyTransform(doc, r, undo);
    case kUndoSelection: return ApplySelection(doc, r, undo);
    case kUndoDuplicateLayer: return ApplyDuplicate(doc, r, undo);
    default: return false;
    }
}

void InstallUndoHistory()
{
    g_documentHooks.createHistory = CreateWithHistory;
    g_documentHooks.discardHistory = DiscardUndoHistory;
    g_undoHooks.deleteLayer = KeepDeleted;
    g_undoHooks.newLayer = RecordNewLayer;
    g_undoHooks.mergeDown = KeepMerged;
    g_undoHooks.layerProps = RecordProps;
    g_undoHooks.layerEffects = RecordEffects;
    g_undoHooks.moveLayer = RecordMove;
    g_undoHooks.toggleVisibility = RecordVisibility;
    g_undoHooks.duplicateLayer = RecordDuplicate;
}

void SetUndoFolder(const char* folder) { g_undoFolder = folder ? folder : ""; }

int PushPaintUndo(Document* doc, const Rect& rect)
{
    Layer* layer = doc ? doc->current : nullptr;
    if (!layer || !layer->pixels || !doc->backup)
        return 0;
    const Bitmap* px = layer->pixels;
    if (doc->backup->width != px->width || doc->backup->height != px->height)
        return 0;
    // The rectangle in layer coordinates, limited to the bitmap.
    const Rect r = Intersect(Offset(rect, -layer->props.x, -layer->props.y), Rect{0, 0, px->width, px->height});
    if (r.Empty())
        return 0;
    Bitmap* before = CopyPicBlock(doc->backup, r.left, r.top, r.Width(), r.Height());
    Bitmap* after = before ? CopyPicBlock(px, r.left, r.top, r.Width(), r.Height()) : nullptr;
    UndoRecord* rec = after ? BeginPush(doc, kUndoPaint) : nullptr;
    if (!rec) {
        // Without both pictures the stroke could not be undone; better no record than a dead one.
        DeletePic(before);
        DeletePic(after);
        return 0;
    }
    rec->index = doc->currentIndex;
    rec->rect = Offset(r, layer->props.x, layer->props.y);
    rec->before = before;
    rec->after = after;
    CommitPush(doc);
    return 1;
}

int SaveUndoSnapshot(Document* doc, char path[kPathSize])
{
    path[0] = '\0';
    if (!doc || !MakeTempPath(path))
        return 0;
    if (!WriteLayeredDocument(path, doc)) {
        path[0] = '\0';
        return 0;
    }
    return 1;
}

int PushWholeDocumentUndo(Document* doc, const char* beforePath)
{
    char after[kPathSize];
    if (!beforePath || !*beforePath || std::strlen(beforePath) >= kPathSize)
        return 0;
    if (!SaveUndoSnapshot(doc, after)) {
        std::remove(beforePath);
        return 0;
    }
    UndoRecord* r = BeginPush(doc, kUndoWholeDocument);
    if (!r) {
        std::remove(beforePath);
        std::remove(after);
        return 0;
    }
    r->index = doc->currentIndex;
    std::memcpy(r->pathBefore, beforePath, std::strlen(beforePath) + 1);
    std::memcpy(r->pathAfter, after, sizeof after);
    CommitPush(doc);
    return 1;
}

int PushLayerOffsetUndo(Document* doc, int32_t index, int32_t dx, int32_t dy)
{
    if ((dx == 0 && dy == 0) || !doc || !LayerAt(doc, index))
        return 0;
    UndoRecord* r = BeginPush(doc, kUndoLayerOffset);
    if (!r)
        return 0;
    r->index = index;
    r->dx = dx;
    r->dy = dy;
    CommitPush(doc);
    return 1;
}

int PushTransformUndo(Document* doc, int32_t index, Bitmap* before, int16_t beforeX, int16_t beforeY,
                      Bitmap* after, int16_t afterX, int16_t afterY)
{
    UndoRecord* r = before && after && doc && LayerAt(doc, index) ? BeginPush(doc, kUndoTransform) : nullptr;
    if (!r) {
        DeletePic(before);
        DeletePic(after);
        return 0;
    }
    r->index = index;
    r->before = before;
    r->after = after;
    r->beforeX = beforeX;
    r->beforeY = beforeY;
    r->afterX = afterX;
    r->afterY = afterY;
    CommitPush(doc);
    return 1;
}

int PushSelectionUndo(Document* doc, const void* before, size_t beforeSize, const void* after, size_t afterSize)
{
    void* b = beforeSize ? std::malloc(beforeSize) : nullptr;
    void* a = afterSize ? std::malloc(afterSize) : nullptr;
    UndoRecord* r = (b || !beforeSize) && (a || !afterSize) ? BeginPush(doc, kUndoSelection) : nullptr;
    if (!r) {
        std::free(b);
        std::free(a);
        return 0;
    }
    if (b)
        std::memcpy(b, before, beforeSize);
    if (a)
        std::memcpy(a, after, afterSize);
    r->selBefore = b;
    r->selBeforeSize = beforeSize;
    r->selAfter = a;
    r->selAfterSize = afterSize;
    CommitPush(doc);
    return 1;
}
