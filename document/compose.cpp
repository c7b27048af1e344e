#include "document/compose.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "document/document_hooks.h"
#include "document/effect_geometry.h"
#include "document/effect_render.h"
#include "raster/block_ops.h"

namespace {

// Canvas rectangle to work on; empty when there is nothing to do.
Rect ClipToCanvas(const Document* doc, const Rect* rect)
{
    const Rect canvas{0, 0, doc->width, doc->height};
    return rect ? Intersect(*rect, canvas) : canvas;
}

void DrawMask(Bitmap* dst, int32_t ox, int32_t oy, const Layer* layer, int slot, int32_t opacity, uint32_t mode,
              const Rect& clip)
{
    if (!SlotEnabled(layer, slot))
        return;
    const MaskBlock& b = *LayerMaskBlock(layer, slot);
    if (!b.mask)
        return;
    Rect place = MaskPlacement(layer, b);
    place.right = place.left + std::min<int32_t>(place.Width(), AlphaMaskWidth(b.mask));
    place.bottom = place.top + std::min<int32_t>(place.Height(), AlphaMaskHeight(b.mask));
    const Rect r = Intersect(place, clip);
    if (r.Empty())
        return;
    BlockalphaBlt(dst, r.left - ox, r.top - oy, r.Width(), r.Height(), b.mask, r.left - place.left,
                  r.top - place.top, opacity, static_cast<int32_t>(mode));
}

void DrawPixels(Bitmap* dst, int32_t ox, int32_t oy, const Layer* layer, const Rect& clip)
{
    const Rect r = Intersect(LayerBounds(layer), clip);
    if (r.Empty())
        return;
    BlockBlt(dst, r.left - ox, r.top - oy, r.Width(), r.Height(), layer->pixels, r.left - layer->props.x,
             r.top - layer->props.y, layer->props.opacity, layer->props.blendMode);
}

void BlendVisible(Bitmap* composite, const Layer* layer, const Rect& r)
{
    if (LayerVisible(layer) && layer->pixels)
        BlendLayer(composite, 0, 0, layer, r);
}

// The current layer's place in the walk: the transform preview while one is shown, else the layer.
void BlendCurrentPlace(Document* doc, const Rect& r)
{
    if (doc->transformActive) {
        if (doc->transformLayer.pixels)
            BlendLayer(doc->composite, 0, 0, &doc->transformLayer, r);
        return;
    }
    BlendVisible(doc->composite, doc->current, r);
}

constexpr int32_t kComposeBandBytes = 48 * 1024;

void DrawOverlay(Document* doc, const Rect& r)
{
    if (!doc->overlay)
        return;
    const Rect place = MakeRect(doc->overlayX, doc->overlayY, doc->overlay->width, doc->overlay->height);
    const Rect o = Intersect(place, r);
    if (!o.Empty())
        BlockCopy(doc->composite, o.left, o.top, o.Width(), o.Height(), doc->overlay, o.left - place.left,
                  o.top - place.top, 255);
}

}  // namespace

namespace {

// One band of the composite: checkerboard, the layers below the current one, the current layer's
// place, the overlay, the layers above.
void ComposeBand(Document* doc, const Rect& r)
{
    FillCheckerboard(doc->composite, r);
    const Layer* l = doc->bottom;
    for (; l && l != doc->current; l = l->above)
        BlendVisible(doc->composite, l, r);
    if (!l)
        return;   // no current layer in the stack: everything has been drawn
    BlendCurrentPlace(doc, r);
    DrawOverlay(doc, r);
    for (l = l->above; l; l = l->above)
        BlendVisible(doc->composite, l, r);
}

}  // namespace

void FillCheckerboard(Bitmap* composite, const Rect& rect)
{
    const Rect r = Intersect(rect, Rect{0, 0, composite->width, composite->height});
    if (r.Empty() || composite->bitsPerPixel != 24)
        return;
    // Two row patterns (grey cell first or white cell first); each row copies its part of one.
    std::vector<uint8_t> even(static_cast<size_t>(r.Width()) * 3), odd(even.size());
    for (int32_t x = r.left; x < r.right; ++x) {
        const bool greyFirst = ((x / kCheckerCell) & 1) == 0;
        const size_t i = static_cast<size_t>(x - r.left) * 3;
        std::memset(&even[i], greyFirst ? kCheckerGrey : 255, 3);
        std::memset(&odd[i], greyFirst ? 255 : kCheckerGrey, 3);
    }
    for (int32_t y = r.top; y < r.bottom; ++y) {
        const std::vector<uint8_t>& pattern = ((y / kCheckerCell) & 1) == 0 ? even : odd;
        std::memcpy(PicRow(composite, y) + static_cast<size_t>(r.left) * 3, pattern.data(), pattern.size());
    }
}

void BlendLayer(Bitmap* dst, int32_t originX, int32_t originY, const Layer* layer, const Rect& clip)
{
    if (!dst || !layer || !layer->pixels || clip.Empty())
        return;
    const int32_t opacity = layer->props.opacity;
    DrawMask(dst, originX, originY, layer, kSlotDropShadow, opacity, layer->dropShadow.mode, clip);
    DrawMask(dst, originX, originY, layer, kSlotOuterGlow, opacity, layer->outerGlow.mode, clip);
    DrawPixels(dst, originX, originY, layer, clip);
    DrawMask(dst, originX, originY, layer, kSlotInnerShadow, opacity, layer->innerShadow.mode, clip);
    DrawMask(dst, originX, originY, layer, kSlotInnerGlow, opacity, layer->innerGlow.mode, clip);
    DrawMask(dst, originX, originY, layer, kSlotFifthA, opacity, 0, clip);
    DrawMask(dst, originX, originY, layer, kSlotFifthB, opacity, 0, clip);
}

void ComposeDocument(Document* doc, const Rect* rect)
{
    if (!doc || !doc->composite)
        return;
    const Rect r = ClipToCanvas(doc, rect);
    if (r.Empty())
        return;
    // Work in bands of rows small enough for the composite's part to stay in the cache while every
    // layer is laid on it: the layers are read once, the composite is not streamed once per layer.
    const int32_t rowBytes = std::max<int32_t>(r.Width() * 3, 1);
    const int32_t bandRows = std::clamp<int32_t>(kComposeBandBytes / rowBytes, 4, 256);
    for (int32_t top = r.top; top < r.bottom; top += bandRows)
        ComposeBand(doc, Rect{r.left, top, r.right, std::min(r.bottom, top + bandRows)});
}

void RefreshDocumentRect(Document* doc, const Rect* rect)
{
    if (!doc || !doc->composite)
        return;
    const Rect r = ClipToCanvas(doc, rect);
    if (r.Empty())
        return;
    ComposeDocument(doc, &r);
    g_documentHooks.presentRect(doc, r);
}

int RefreshLayerChange(Document* doc, Layer* layer, const Rect& rect)
{
    if (!doc || !layer)
        return 0;
    Rect widened = rect;
    const int ok = RenderLayerEffects(layer, &widened);
    const Rect changed = Offset(ok ? widened : rect, layer->props.x, layer->props.y);
    if (!changed.Empty())
        RefreshDocumentRect(doc, &changed);
    return ok;
}

void RefreshCurrentDocument(const Rect* rect) { RefreshDocumentRect(CurrentDocument(), rect); }
