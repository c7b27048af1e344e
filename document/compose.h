// Compositing: merging a document's layers into its 24-bit composite, and the refresh call that ends
// every editing operation.
#pragma once
#include <cstdint>

#include "document/document.h"

// Size of a transparency checkerboard cell; the cell at the canvas origin is grey.
constexpr int32_t kCheckerCell = 10;
constexpr uint8_t kCheckerGrey = 192;

// Rebuilds the composite inside rect (document coordinates, clipped to the canvas; null for the whole
// canvas): checkerboard, the visible layers from the bottom up with the current layer's place taken by
// the transform preview while a transform is edited, and the overlay right above the current layer.
// Nothing happens when the clipped rectangle is empty.
void ComposeDocument(Document* doc, const Rect* rect);

// Draws one layer with its effects into dst, whose pixel (0, 0) lies at document point (originX,
// originY): drop shadow and outer glow under the pixels, inner shadow and inner glow over them, the
// fifth slot last; all clipped to clip (document coordinates).  dst is the 24-bit composite, or a
// 32-bit layer when layers are merged.
void BlendLayer(Bitmap* dst, int32_t originX, int32_t originY, const Layer* layer, const Rect& clip);

// Fills rect of a 24-bit picture with the checkerboard (cells counted from the picture's origin).
void FillCheckerboard(Bitmap* composite, const Rect& rect);

// Composes the document inside rect (null: whole canvas) and hands the changed part to the screen
// (DocumentHooks::presentRect).  A rectangle entirely outside the canvas changes and shows nothing.
void RefreshDocumentRect(Document* doc, const Rect* rect);
// After painting changed rect of a layer (layer coordinates): renders the layer's effects inside it and
// refreshes everything the change and its effects reach.  0 when the effects could not be rendered
// (the pixels are still shown).
int RefreshLayerChange(Document* doc, Layer* layer, const Rect& rect);
// The same for the current document; does nothing when there is none.
void RefreshCurrentDocument(const Rect* rect);
