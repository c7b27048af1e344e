#include "document/layer_commands.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "document/compose.h"
#include "document/document_hooks.h"
#include "document/effect_geometry.h"
#include "document/effect_render.h"
#include "document/layer_change.h"
#include "document/layer_growth.h"
#include "document/layer_list.h"
#include "document/thumbnail.h"

namespace {

// Opacity at the start of a slider drag (sub-code 103), for the record of the drag's end.
int32_t g_opacityDragStart = -1;

bool Usable(const Document* doc) { return doc && doc->current && doc->top; }

int32_t Relative(const Document* doc, int32_t index) { return index - doc->currentIndex; }

}  // namespace

int NewLayerCommand(Document* doc)
{
    if (!Usable(doc))
        return 0;
    char name[kLayerNameSize];
    std::snprintf(name, sizeof name, "Layer %d", static_cast<int>(doc->layerCount));
    Layer* layer = NewLayer(name);
    if (!layer)
        return 0;
    InsertLayer(doc, layer, doc->current);
    if (!SelectLayer(doc, layer)) {
        UnlinkLayer(doc, layer);
        FreeLayer(layer);
        return 0;
    }
    // The thumbnail is only a picture of an empty layer; the layer box draws without one.
    MakeLayerThumbnail(doc, layer);
    g_tutorialHooks.layerCommand(kTutorNewLayer, 0);
    g_undoHooks.newLayer(doc, doc->currentIndex, layer->props.name);
    FinishLayerChange(doc, Rect{});
    return 1;
}

int DeleteLayerCommand(Document* doc)
{
    if (!Usable(doc) || doc->top == doc->bottom)
        return 0;
    if (g_documentHooks.messageBox("Are you sure to delete the layer?", "WARNING") != kAnswerYes)
        return 0;
    Layer* removed = doc->current;
    const int32_t index = doc->currentIndex;
    Layer* next = removed->below ? removed->below : removed->above;
    if (!SelectLayer(doc, next))
        return 0;
    g_documentHooks.dropFloating(doc, removed);
    UnlinkLayer(doc, removed);
    ReindexCurrent(doc);
    const Rect changed = LayerBoundsWithEffects(removed);
    g_tutorialHooks.layerCommand(kTutorDeleteLayer, 0);
    if (!g_undoHooks.deleteLayer(doc, index, removed))
        FreeLayer(removed);
    FinishLayerChange(doc, changed);
    return 1;
}

int DuplicateLayerCommand(Document* doc)
{
    if (!Usable(doc))
        return 0;
    Layer* source = doc->current;
    Layer* copy = CopyLayer(source);
    if (!copy)
        return 0;
    SetLayerNameWithSuffix(copy, source->props.name, " copy");
    const int32_t sourceIndex = doc->currentIndex;
    InsertLayer(doc, copy, source);
    ReindexCurrent(doc);
    g_tutorialHooks.layerCommand(kTutorDuplicateLayer, 0);
    g_undoHooks.duplicateLayer(doc, sourceIndex, copy);
    FinishLayerChange(doc, LayerBoundsWithEffects(copy));
    return 1;
}

int MergeDownCommand(Document* doc)
{
    if (!Usable(doc) || !doc->current->below)
        return 0;
    Layer* upper = doc->current;
    Layer* lower = upper->below;
    const Rect bounds = Union(LayerBoundsWithEffects(upper), LayerBoundsWithEffects(lower));

    Layer* merged = NewLayer(lower->props.name);
    if (!merged)
        return 0;
    std::memcpy(merged->props.name, lower->props.name, kLayerNameSize);
    merged->props.kind = lower->props.kind;
    merged->props.blendMode = lower->props.blendMode;
    merged->props.effectFlags = lower->props.effectFlags;
    merged->props.stateFlags = lower->props.stateFlags;
    merged->props.opacity = 255;
    merged->dropShadow = lower->dropShadow;
    merged->innerShadow = lower->innerShadow;
    merged->outerGlow = lower->outerGlow;
    merged->innerGlow = lower->innerGlow;
    merged->fifth = lower->fifth;
    if (!bounds.Empty()) {
        int32_t sx, sy;
        // The merged layer starts at the document origin, so its layer coordinates are document ones.
        if (!GrowLayer(nullptr, merged, bounds, &sx, &sy)) {
            FreeLayer(merged);
            return 0;
        }
        const int32_t ox = merged->props.x, oy = merged->props.y;
        // The lower layer's effects stay live on the merged layer; the upper one's are baked in.
        if (lower->pixels) {
            Layer plain = *lower;
            plain.props.effectFlags = 0;
            BlendLayer(merged->pixels, ox, oy, &plain, bounds);
        }
        BlendLayer(merged->pixels, ox, oy, upper, bounds);
    }
    InsertLayer(doc, merged, lower);
    if (!SelectLayer(doc, merged) || !RenderLayerEffects(merged, nullptr)) {
        SelectLayer(doc, upper);
        UnlinkLayer(doc, merged);
        FreeLayer(merged);
        ReindexCurrent(doc);
        return 0;
    }
    UnlinkLayer(doc, upper);
    UnlinkLayer(doc, lower);
    ReindexCurrent(doc);
    MakeLayerThumbnail(doc, merged);
    g_tutorialHooks.layerCommand(kTutorMergeDown, 0);
    if (!g_undoHooks.mergeDown(doc, upper, lower, merged)) {
        FreeLayer(upper);
        FreeLayer(lower);
    }
    FinishLayerChange(doc, Union(bounds, LayerBoundsWithEffects(merged)));
    return 1;
}

int MoveLayerCommand(Document* doc, int32_t from, int32_t to, int32_t after)
{
    if (!Usable(doc) || doc->top == doc->bottom)
        return 0;
    Layer* layer = LayerAt(doc, from);
    // to counts the stack without the moved layer.
    const int32_t remaining = doc->layerCount - 1;
    if (!layer || to < 0 || to >= remaining)
        return 0;
    Layer* oldBelow = layer->below;
    UnlinkLayer(doc, layer);
    Layer* target = LayerAt(doc, to);
    Layer* anchor = after ? target : target->below;
    InsertLayer(doc, layer, anchor);
    if (!SelectLayer(doc, layer)) {
        UnlinkLayer(doc, layer);
        InsertLayer(doc, layer, oldBelow);
        ReindexCurrent(doc);
        return 0;
    }
    g_tutorialHooks.moveLayer(from, to, after);
    g_undoHooks.moveLayer(doc, from, to, after);
    FinishLayerChange(doc, LayerBoundsWithEffects(layer));
    return 1;
}

int SelectLayerCommand(Document* doc, int32_t index)
{
    if (!Usable(doc))
        return 0;
    Layer* layer = LayerAt(doc, index);
    if (!layer)
        return 0;
    const int32_t relative = Relative(doc, index);
    if (!SelectLayer(doc, layer))
        return 0;
    g_tutorialHooks.layerCommand(kTutorSelectLayer, relative);
    g_documentHooks.refreshLayerBox(doc);
    return 1;
}

int ToggleVisibilityCommand(Document* doc, int32_t index)
{
    if (!Usable(doc))
        return 0;
    Layer* layer = LayerAt(doc, index);
    if (!layer)
        return 0;
    layer->props.stateFlags ^= kLayerVisible;
    g_tutorialHooks.layerCommand(kTutorToggleVisibility, Relative(doc, index));
    g_undoHooks.toggleVisibility(doc, index);
    MarkModified(doc);
    RefreshDocumentRect(doc, nullptr);
    g_documentHooks.refreshLayerBox(doc);
    return 1;
}

int SetLayerOpacity(Document* doc, int32_t value)
{
    if (!Usable(doc))
        return 0;
    const auto v = static_cast<uint8_t>(std::clamp(value, 0, 255));
    Layer* layer = doc->current;
    if (layer->props.opacity != v) {
        layer->props.opacity = v;
        RefreshChanged(doc, LayerBoundsWithEffects(layer));
    }
    return 1;
}

int OpacitySliderCommand(Document* doc, int subCode, int32_t value)
{
    if (!Usable(doc))
        return 0;
    Layer* layer = doc->current;
    switch (subCode) {
    case kOpacityRememberStart:
        g_opacityDragStart = layer->props.opacity;
        return 1;
    case kOpacityLive:
    case kOpacityLive2:
        return SetLayerOpacity(doc, value);
    case kOpacityCommitDrag:
    case kOpacityCommitClick: {
        LayerProps before = layer->props;
        if (subCode == kOpacityCommitDrag && g_opacityDragStart >= 0)
            before.opacity = static_cast<uint8_t>(g_opacityDragStart);
        g_opacityDragStart = -1;
        SetLayerOpacity(doc, value);
        if (before.opacity != layer->props.opacity) {
            g_undoHooks.layerProps(doc, doc->currentIndex, before, layer->props);
            MarkModified(doc);
            g_documentHooks.refreshLayerBox(doc);
        }
        return 1;
    }
    default:
        return 0;
    }
}

int RenameLayer(Document* doc, int32_t index, const char* name)
{
    Layer* layer = doc && name ? LayerAt(doc, index) : nullptr;
    if (!layer)
        return 0;
    const LayerProps before = layer->props;
    SetLayerName(layer, name);
    if (std::strcmp(before.name, layer->props.name) != 0) {
        g_undoHooks.layerProps(doc, index, before, layer->props);
        MarkModified(doc);
    }
    g_documentHooks.refreshLayerBox(doc);
    return 1;
}

int RenameLayerCommand(Document* doc, int32_t index)
{
    Layer* layer = doc ? LayerAt(doc, index) : nullptr;
    if (!layer)
        return 0;
    // Room for a longer answer than fits: RenameLayer cuts it on a character boundary.
    char text[kLayerNameSize * 4];
    std::snprintf(text, sizeof text, "%s", layer->props.name);
    if (g_documentHooks.promptText("Rename the Layer", text, static_cast<int>(sizeof text)) != kAnswerYes)
        return 0;
    text[sizeof text - 1] = '\0';
    return RenameLayer(doc, index, text);
}

int SetBlendModeCommand(Document* doc, int32_t mode)
{
    if (!Usable(doc) || mode < 0 || mode >= kBlendModeCount)
        return 0;
    Layer* layer = doc->current;
    const LayerProps before = layer->props;
    layer->props.blendMode = static_cast<uint8_t>(mode);
    g_tutorialHooks.layerCommand(kTutorBlendMode, mode);
    if (before.blendMode == layer->props.blendMode)
        return 1;
    g_undoHooks.layerProps(doc, doc->currentIndex, before, layer->props);
    FinishLayerChange(doc, LayerBoundsWithEffects(layer));
    return 1;
}

namespace {

// Applies an effect change to the current layer, or puts everything back when the masks cannot be made.
template <typename Apply>
int ChangeEffects(Document* doc, Apply apply)
{
    if (!Usable(doc))
        return 0;
    Layer* layer = doc->current;
    const LayerEffectState before = GetLayerEffectState(layer);
    const Rect oldArea = LayerBoundsWithEffects(layer);
    apply(layer);
    if (!RenderLayerEffects(layer, nullptr)) {
        layer->props = before.props;
        layer->dropShadow = before.dropShadow;
        layer->innerShadow = before.innerShadow;
        layer->outerGlow = before.outerGlow;
        layer->innerGlow = before.innerGlow;
        RenderLayerEffects(layer, nullptr);
        return 0;
    }
    g_undoHooks.layerEffects(doc, doc->currentIndex, before, GetLayerEffectState(layer));
    FinishLayerChange(doc, Union(oldArea, LayerBoundsWithEffects(layer)));
    return 1;
}

}  // namespace

int SetShadowEffect(Document* doc, int slot, const ShadowParams& params, bool enabled)
{
    if (slot != kSlotDropShadow && slot != kSlotInnerShadow)
        return 0;
    ShadowParams p = params;
    ClampShadowParams(&p);
    const int ok = ChangeEffects(doc, [&](Layer* layer) {
        const uint8_t flag = EffectSlotFlag(slot);
        (slot == kSlotDropShadow ? layer->dropShadow : layer->innerShadow) = p;
        layer->props.effectFlags = static_cast<uint8_t>(enabled ? layer->props.effectFlags | flag
                                                                : layer->props.effectFlags & ~flag);
    });
    if (ok)
        (slot == kSlotDropShadow ? g_effectDefaults.dropShadow : g_effectDefaults.innerShadow) = p;
    return ok;
}

int SetGlowEffect(Document* doc, int slot, const GlowParams& params, bool enabled)
{
    if (slot != kSlotOuterGlow && slot != kSlotInnerGlow)
        return 0;
    GlowParams p = params;
    ClampGlowParams(&p);
    const int ok = ChangeEffects(doc, [&](Layer* layer) {
        const uint8_t flag = EffectSlotFlag(slot);
        (slot == kSlotOuterGlow ? layer->outerGlow : layer->innerGlow) = p;
        layer->props.effectFlags = static_cast<uint8_t>(enabled ? layer->props.effectFlags | flag
                                                                : layer->props.effectFlags & ~flag);
    });
    if (ok)
        (slot == kSlotOuterGlow ? g_effectDefaults.outerGlow : g_effectDefaults.innerGlow) = p;
    return ok;
}
