// Growing layers as painting reaches past their edges, and trimming them before saving.
#pragma once
#include <cstdint>

#include "document/document.h"

// Step by which a layer edge moves when it grows.
constexpr int32_t kLayerGrowStep = 100;

// Makes the layer cover rect (layer coordinates, right and bottom exclusive).  A layer without pixels
// gets a transparent bitmap exactly the size of rect, placed at its top-left.  Otherwise each edge that
// the rectangle passes moves out by whole steps of 100 pixels (at least one); the bitmap then comes
// out one pixel wider and taller than the distance between the new edges, which is how layers have
// always grown.  The old pixels keep their document place, the layer position moves, the document
// backup follows when the layer is current, and every flagged effect mask is resized keeping its
// content where it was.  *shiftX, *shiftY receive how far the layer origin moved (<= 0, or the
// rectangle's corner for a layer that had no pixels): callers subtract it from their layer
// coordinates.  0 (nothing changed) when the result would be larger than a bitmap may be, its position
// would not fit the layer's 16-bit coordinates, or memory runs out.
int GrowLayer(Document* doc, Layer* layer, const Rect& rect, int32_t* shiftX, int32_t* shiftY);

// Shrinks the bitmap to the bounding box of its pixels with alpha other than 0 and moves the layer
// position by the box's corner; the effect masks are resized and rendered again.  A layer with no
// visible pixel at all is left as it is.  0 when memory runs out (nothing changed).
int TrimLayer(Document* doc, Layer* layer);
