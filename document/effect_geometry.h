// Where a layer's effect masks lie and how large they are.
//
// Drop shadow and outer glow masks cover the layer widened by size + blur on every side (the margin);
// the drop shadow is further moved by its angle and distance.  Inner shadow, inner glow and the fifth
// slot are exactly layer-sized.  A mask's pixel (margin, margin) lines up with the layer's pixel
// (0, 0), so the compositor lays a mask at layer position + (dx, dy) − margin.
#pragma once
#include <cstdint>

#include "document/layer.h"

// Shadow offset from angle (degrees) and distance, each truncated toward zero.
void ShadowOffset(int angle, int distance, int16_t* dx, int16_t* dy);

// Margin that a slot's mask adds on every side of the layer (0 for layer-sized slots).
int32_t EffectMargin(const Layer* layer, int slot);

// Offsets and sizes of every slot for a layer bitmap of w × h (masks are not touched).
void ComputeEffectGeometry(const Layer* layer, int32_t w, int32_t h, MaskBlock out[kEffectSlotCount]);

// Recomputes the mask blocks for the layer's bitmap, allocates (zero-filled) every flagged mask whose
// size changed or that is missing, and frees every mask whose flag is clear.  0 when an allocation
// fails: the slots that could not be made keep no mask, the rest is consistent.
int UpdateEffectMasks(Layer* layer);

// The document rectangle a slot's mask covers, as the compositor places it.
Rect MaskPlacement(const Layer* layer, const MaskBlock& block);
