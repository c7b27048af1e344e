// The layer stack of a document: a doubly linked list from the top layer (index 0) to the bottom one.
#pragma once
#include <cstdint>

#include "document/document.h"

// Links layer directly above before; with before null, appends it at the bottom.  0 for a null layer
// or document.
int InsertLayer(Document* doc, Layer* layer, Layer* before);
// Takes the layer out of the list (the caller then owns it).  Refused (0) when it is the only layer
// or not in this document.
int UnlinkLayer(Document* doc, Layer* layer);
// The layer i steps from the top; null past either end.
Layer* LayerAt(const Document* doc, int32_t index);
// Position from the top; -1 when absent.
int32_t IndexOfLayer(const Document* doc, const Layer* layer);
// Counted by walking the list.
int32_t CountLayers(const Document* doc);
// Makes the layer current: records its index, replaces the backup with a fresh copy of its pixels and
// asks the overlay's owner to refresh when there is an overlay.  0 when the layer is not in the
// document or the backup cannot be made (nothing changes then).
int SelectLayer(Document* doc, Layer* layer);
