// Layer thumbnails for the layer box.
#pragma once

#include "document/document.h"

// (Re)makes the layer's 24-bit thumbnail at the document's thumbnail size: white with a grey 4 × 4
// checkerboard, the layer's pixels sampled by nearest neighbour at the document-to-thumbnail scale
// and laid over it by their alpha.  0 when the bitmap cannot be made (the old thumbnail stays).
int MakeLayerThumbnail(const Document* doc, Layer* layer);
