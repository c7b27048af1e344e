// Rendering a layer's effect masks from its pixels.
//
// Drop shadow and outer glow: the layer's alpha is spread (each pixel takes the largest alpha within
// size pixels, a square) and then softened (the mean over a square of blur pixels around each place,
// uncovered beyond the spread area), scaled by the effect's opacity, and stored in the mask that covers
// the layer widened by size + blur.  The drop shadow's mask is the same picture, laid at its offset.
// Inner shadow and inner glow work from the uncovered side: the transparent surroundings are spread
// into the shape and softened in the same way, read back at the shadow's offset (none for the glow),
// kept inside the layer's own pixels and scaled by the opacity.
#pragma once

#include "document/layer.h"

// Resizes the flagged masks (effect_geometry.h) and renders them.  Without a rectangle every mask is
// rendered whole.  With one (layer coordinates: the part of the pixels that changed), only the mask
// pixels that change can depend on are rendered, and the rectangle is widened to everything they
// cover, in layer coordinates, so that the caller refreshes all of it.  0 when memory runs out.
int RenderLayerEffects(Layer* layer, Rect* rect);
