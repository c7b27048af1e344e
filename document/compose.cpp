#include "document/compose.h"

#include <algorithm>
#include <cstdlib>
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

void BlendVisible(Bitmap* dst, int32_t ox, int32_t oy, const Layer* layer, const Rect& r)
{
    if (LayerVisible(layer) && layer->pixels)
        BlendLayer(dst, ox, oy, layer, r);
}

// The current layer's place in the walk: the transform preview while one is shown, else the layer.
void BlendCurrentPlace(Document* doc, Bitmap* dst, int32_t ox, int32_t oy, const Rect& r)
{
    if (doc->transformActive) {
        if (doc->transformLayer.pixels)
            BlendLayer(dst, ox, oy, &doc->transformLayer, r);
        return;
    }
    BlendVisible(dst, ox, oy, doc->current, r);
}

void DrawOverlay(Document* doc, Bitmap* dst, int32_t ox, int32_t oy, const Rect& r)
{
    if (!doc->overlay)
        return;
    const Rect place = MakeRect(doc->overlayX, doc->overlayY, doc->overlay->width, doc->overlay->height);
    const Rect o = Intersect(place, r);
    if (o.Empty())
        return;
    BlockCopy(dst, o.left - ox, o.top - oy, o.Width(), o.Height(), doc->overlay, o.left - place.left,
              o.top - place.top, 255);
    // The composite has no alpha: what the overlay leaves there is opaque for the layers above it.
    if (dst->bitsPerPixel == 32)
        for (int32_t y = o.top; y < o.bottom; ++y) {
            uint8_t* p = PicPixel(dst, o.left - ox, y - oy);
            for (int32_t x = 0; x < o.Width(); ++x)
                p[x * 4 + 3] = 255;
        }
}

// The layer walk over r (document coordinates) into dst, whose pixel (0, 0) is document point
// (ox, oy): the layers below the current one, the current layer's place, the overlay, the layers
// above.
void ComposeLayers(Document* doc, Bitmap* dst, int32_t ox, int32_t oy, const Rect& r)
{
    const Layer* l = doc->bottom;
    for (; l && l != doc->current; l = l->above)
        BlendVisible(dst, ox, oy, l, r);
    if (!l)
        return;   // no current layer in the stack: everything has been drawn
    BlendCurrentPlace(doc, dst, ox, oy, r);
    DrawOverlay(doc, dst, ox, oy, r);
    for (l = l->above; l; l = l->above)
        BlendVisible(dst, ox, oy, l, r);
}

// The checkerboard over a whole 32-bit band whose pixel (0, 0) is document point (ox, oy).
void FillBandCheckerboard(Bitmap* band, int32_t ox, int32_t oy, uint32_t* even, uint32_t* odd)
{
    const uint32_t grey = 0xFF000000u | kCheckerGrey * 0x010101u, white = 0xFFFFFFFFu;
    for (int32_t x = 0; x < band->width; ++x) {
        const bool greyFirst = (((ox + x) / kCheckerCell) & 1) == 0;
        even[x] = greyFirst ? grey : white;
        odd[x] = greyFirst ? white : grey;
    }
    const size_t bytes = static_cast<size_t>(band->width) * 4;
    for (int32_t y = 0; y < band->height; ++y)
        std::memcpy(PicRow(band, y), (((oy + y) / kCheckerCell) & 1) == 0 ? even : odd, bytes);
}

// Layers are laid in bands of rows small enough to stay in the cache while every layer passes over
// them, so each layer is read once and the composite is not streamed once per layer.  The band is
// 32-bit and opaque, which the blend loops handle four whole pixels at a time; it goes to the 24-bit
// composite once, when every layer is in.
constexpr int32_t kComposeBandBytes = 96 * 1024;

// Asks for the composite's part of a band before the layers are laid, so that storing the band
// at the end finds it in the cache instead of waiting on every line.
void PrefetchComposite(const Bitmap* composite, const Rect& band)
{
    const Rect r = Intersect(band, Rect{0, 0, composite->width, composite->height});
    const int32_t bytes = r.Width() * 3;
    for (int32_t y = r.top; y < r.bottom; ++y) {
        const uint8_t* p = PicPixel(composite, r.left, y);
        for (int32_t k = 0; k < bytes; k += 64)
            __builtin_prefetch(p + k, 1);
    }
}

// Without memory for a band the layers are laid straight onto the composite, band by band.
void ComposeInPlace(Document* doc, const Rect& r, int32_t bandRows)
{
    for (int32_t top = r.top; top < r.bottom; top += bandRows) {
        const Rect band{r.left, top, r.right, std::min(r.bottom, top + bandRows)};
        FillCheckerboard(doc->composite, band);
        ComposeLayers(doc, doc->composite, 0, 0, band);
    }
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
    const int32_t width = r.Width();
    const int32_t bandRows = std::clamp<int32_t>(kComposeBandBytes / (width * 4), 4, 256);
    const size_t bandPixels = static_cast<size_t>(width) * static_cast<size_t>(bandRows);
    // the band, then two rows of checkerboard pattern
    uint32_t* memory = static_cast<uint32_t*>(std::malloc((bandPixels + 2 * static_cast<size_t>(width)) * 4));
    if (!memory || doc->composite->bitsPerPixel != 24) {
        std::free(memory);
        ComposeInPlace(doc, r, bandRows);
        return;
    }
    uint32_t* even = memory + bandPixels;
    uint32_t* odd = even + width;
    // From the bottom band up: bitmaps keep their bottom line first, so the layers are read in one
    // direction through memory.
    const int32_t bands = (r.Height() + bandRows - 1) / bandRows;
    for (int32_t k = bands - 1; k >= 0; --k) {
        const int32_t top = r.top + k * bandRows;
        const int32_t rows = std::min(r.bottom - top, bandRows);
        Bitmap band{width, rows, 32, width * 4, reinterpret_cast<uint8_t*>(memory), nullptr};
        PrefetchComposite(doc->composite, Rect{r.left, top, r.right, top + rows});
        FillBandCheckerboard(&band, r.left, top, even, odd);
        ComposeLayers(doc, &band, r.left, top, Rect{r.left, top, r.right, top + rows});
        BlockBlockCopy(doc->composite, r.left, top, width, rows, &band, 0, 0);
    }
    std::free(memory);
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
