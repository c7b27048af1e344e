#include "document/layer_growth.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "document/effect_geometry.h"
#include "document/effect_render.h"
#include "raster/block_ops.h"
#include "raster/painted_bounds.h"
#include "raster/pic_copy.h"

namespace {

bool FitsPosition(int64_t v)
{
    return v >= std::numeric_limits<int16_t>::min() && v <= std::numeric_limits<int16_t>::max();
}

// New mask of the block's size holding the old one's coverage moved by (ox, oy).
AlphaMask* MovedMask(const AlphaMask* old, const MaskBlock& block, int32_t ox, int32_t oy)
{
    AlphaMask* m = NewAlphaMask(block.width, block.height, AlphaMaskColour(old));
    if (!m || !old)
        return m;
    const int32_t ow = AlphaMaskWidth(old), oh = AlphaMaskHeight(old);
    const int32_t x0 = std::max(0, -ox), x1 = std::min(ow, block.width - ox);
    for (int32_t y = std::max(0, -oy); y < std::min(oh, block.height - oy) && x1 > x0; ++y)
        std::memcpy(AlphaMaskRow(m, y + oy) + x0 + ox, AlphaMaskRow(old, y) + x0, static_cast<size_t>(x1 - x0));
    return m;
}

// Everything a resize replaces, made before anything is touched so that a failure changes nothing.
struct Replacement {
    Bitmap* pixels = nullptr;
    Bitmap* backup = nullptr;
    MaskBlock blocks[kEffectSlotCount] = {};

    void Free()
    {
        DeletePic(pixels);
        DeletePic(backup);
        for (MaskBlock& b : blocks)
            DeleteAlphaMask(b.mask);
    }
};

// Builds the replacement for a layer whose bitmap becomes w × h with the old pixel (0, 0) at (ox, oy).
bool Prepare(const Document* doc, const Layer* layer, int32_t w, int32_t h, int32_t ox, int32_t oy,
             bool copyPixels, Replacement* r)
{
    r->pixels = NewRGBAPic(w, h);
    if (!r->pixels)
        return false;
    if (copyPixels && layer->pixels)
        BlockBlockCopy(r->pixels, ox, oy, layer->pixels->width, layer->pixels->height, layer->pixels, 0, 0);
    if (doc && doc->current == layer) {
        r->backup = NewRGBAPic(w, h);
        if (!r->backup)
            return false;
        if (doc->backup)
            BlockBlockCopy(r->backup, ox, oy, doc->backup->width, doc->backup->height, doc->backup, 0, 0);
    }
    ComputeEffectGeometry(layer, w, h, r->blocks);
    for (int slot = 0; slot < kEffectSlotCount; ++slot) {
        if (!SlotEnabled(layer, slot))
            continue;
        r->blocks[slot].mask = MovedMask(LayerMaskBlock(layer, slot)->mask, r->blocks[slot], ox, oy);
        if (!r->blocks[slot].mask)
            return false;
    }
    return true;
}

void Commit(Document* doc, Layer* layer, Replacement* r, int32_t newX, int32_t newY)
{
    DeletePic(layer->pixels);
    layer->pixels = r->pixels;
    if (doc && doc->current == layer) {
        DeletePic(doc->backup);
        doc->backup = r->backup;
    }
    for (int slot = 0; slot < kEffectSlotCount; ++slot) {
        MaskBlock* b = LayerMaskBlock(layer, slot);
        DeleteAlphaMask(b->mask);
        *b = r->blocks[slot];
    }
    layer->props.x = static_cast<int16_t>(newX);
    layer->props.y = static_cast<int16_t>(newY);
}

// New left (or top) edge for a requested edge lo; the layer's own edge is 0.
int64_t GrownLow(int64_t lo) { return lo >= 0 ? 0 : -kLayerGrowStep - (-lo / kLayerGrowStep) * kLayerGrowStep; }
// New right (or bottom) edge for a requested last pixel hi on a side of n pixels.
int64_t GrownHigh(int64_t hi, int64_t n) { return hi < n ? n : n + ((hi - n) / kLayerGrowStep + 1) * kLayerGrowStep; }

}  // namespace

int GrowLayer(Document* doc, Layer* layer, const Rect& rect, int32_t* shiftX, int32_t* shiftY)
{
    *shiftX = *shiftY = 0;
    if (!layer || rect.Empty())
        return layer != nullptr;
    if (!layer->pixels) {
        int64_t x = int64_t{layer->props.x} + rect.left, y = int64_t{layer->props.y} + rect.top;
        if (!FitsPosition(x) || !FitsPosition(y) || rect.Width() > kMaxBitmapSide || rect.Height() > kMaxBitmapSide)
            return 0;
        Replacement r;
        if (!Prepare(doc, layer, rect.Width(), rect.Height(), 0, 0, false, &r)) {
            r.Free();
            return 0;
        }
        Commit(doc, layer, &r, static_cast<int32_t>(x), static_cast<int32_t>(y));
        *shiftX = rect.left;
        *shiftY = rect.top;
        return 1;
    }
    const int64_t w = layer->pixels->width, h = layer->pixels->height;
    // The layer's own rectangle counts its last pixel, so does the request's.
    const int64_t left = std::min<int64_t>(0, rect.left), top = std::min<int64_t>(0, rect.top);
    const int64_t right = std::max<int64_t>(w - 1, int64_t{rect.right} - 1);
    const int64_t bottom = std::max<int64_t>(h - 1, int64_t{rect.bottom} - 1);
    if (left == 0 && top == 0 && right == w - 1 && bottom == h - 1)
        return 1;
    const int64_t nl = GrownLow(left), nt = GrownLow(top);
    const int64_t nr = GrownHigh(right, w), nb = GrownHigh(bottom, h);
    const int64_t nw = nr - nl + 1, nh = nb - nt + 1;
    const int64_t x = layer->props.x + nl, y = layer->props.y + nt;
    if (nw > kMaxBitmapSide || nh > kMaxBitmapSide || !FitsPosition(x) || !FitsPosition(y))
        return 0;
    Replacement r;
    if (!Prepare(doc, layer, static_cast<int32_t>(nw), static_cast<int32_t>(nh), static_cast<int32_t>(-nl),
                 static_cast<int32_t>(-nt), true, &r)) {
        r.Free();
        return 0;
    }
    Commit(doc, layer, &r, static_cast<int32_t>(x), static_cast<int32_t>(y));
    *shiftX = static_cast<int32_t>(nl);
    *shiftY = static_cast<int32_t>(nt);
    return 1;
}

int TrimLayer(Document* doc, Layer* layer)
{
    if (!layer || !layer->pixels || layer->pixels->bitsPerPixel != 32)
        return 1;
    const Bitmap* p = layer->pixels;
    PicRect box;
    if (!PaintedBounds(p, &box) || (box.left == 0 && box.top == 0 && box.right == p->width && box.bottom == p->height))
        return 1;
    const int32_t x0 = box.left, y0 = box.top, x1 = box.right - 1, y1 = box.bottom - 1;
    Replacement r;
    if (!Prepare(doc, layer, x1 - x0 + 1, y1 - y0 + 1, -x0, -y0, true, &r)) {
        r.Free();
        return 0;
    }
    Commit(doc, layer, &r, layer->props.x + x0, layer->props.y + y0);
    return RenderLayerEffects(layer, nullptr);
}
