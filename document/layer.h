// Layers: one bitmap with alpha at a signed position in the document, its properties and its effects.
//
// A layer is not canvas-sized: its bitmap covers only where it has been painted and grows in steps of
// 100 pixels (layer_growth.h).  The 50 property bytes from the name to the byte after the state flags
// are the block that layered document files and property undo records store, so LayerProps has
// exactly that layout.  A layer owns its pixels, its thumbnail and its effect masks; a layer list
// (layer_list.h) links layers through below/above.
#pragma once
#include <bit>
#include <cstddef>
#include <cstdint>

#include "document/effect_params.h"
#include "document/rect.h"
#include "raster/alpha_mask.h"
#include "raster/bitmap.h"
#include "raster/blend_modes.h"

constexpr int kLayerNameSize = 40;   // including the terminating NUL

enum : uint8_t {
    kLayerKindText = 0,     // arrives only from files
    kLayerKindRaster = 1,   // every layer the program makes
};

enum : uint8_t { kLayerVisible = 0x02 };   // bit of LayerProps::stateFlags

// Blend modes are raster's BlendMode numbers; these are their menu texts.
extern const char* const kBlendModeNames[kBlendModeCount];

struct LayerProps {
    char name[kLayerNameSize];   // NUL-terminated, at most 39 characters
    uint8_t opacity;             // 0..255
    uint8_t kind;
    uint8_t blendMode;
    uint8_t effectFlags;         // kEffect* bits
    int16_t x, y;                // bitmap's top-left pixel in the document
    uint8_t stateFlags;          // kLayerVisible
    uint8_t reserved;            // always 0
};
static_assert(sizeof(LayerProps) == 50);
// Files and undo records take these bytes as they lie in memory, little-endian.
static_assert(std::endian::native == std::endian::little);
static_assert(offsetof(LayerProps, opacity) == 40 && offsetof(LayerProps, effectFlags) == 43);
static_assert(offsetof(LayerProps, x) == 44 && offsetof(LayerProps, y) == 46);
static_assert(offsetof(LayerProps, stateFlags) == 48);

// Mask sides are 16-bit in the layer's mask blocks.
constexpr int32_t kMaxMaskSide = 32767;

// Where a mask lies: offset from the layer position and size.  dx, dy and the size follow
// effect_geometry.h; the mask itself is made on demand by the renderer.
struct MaskBlock {
    AlphaMask* mask;
    int16_t dx, dy;
    int16_t width, height;
};

struct Layer {
    Layer* below;          // towards the bottom, null for the bottom layer
    Layer* above;          // towards the top, null for the top layer
    Bitmap* thumbnail;     // 24-bit, the document's thumbnail size; made on first use
    Bitmap* pixels;        // 32-bit; null until first painted
    LayerProps props;
    MaskBlock dropShadowMask;
    ShadowParams dropShadow;
    MaskBlock innerShadowMask;
    ShadowParams innerShadow;
    MaskBlock outerGlowMask;
    GlowParams outerGlow;
    MaskBlock innerGlowMask;
    GlowParams innerGlow;
    MaskBlock fifthMasks[2];
    FifthParams fifth;
};

// The six mask blocks by number, for code that treats every slot alike.
enum EffectSlot : int {
    kSlotDropShadow,
    kSlotInnerShadow,
    kSlotOuterGlow,
    kSlotInnerGlow,
    kSlotFifthA,
    kSlotFifthB,
    kEffectSlotCount,
};
MaskBlock* LayerMaskBlock(Layer* layer, int slot);
const MaskBlock* LayerMaskBlock(const Layer* layer, int slot);
// The effect flag that switches a slot on.
uint8_t EffectSlotFlag(int slot);
inline bool SlotEnabled(const Layer* l, int slot) { return (l->props.effectFlags & EffectSlotFlag(slot)) != 0; }

// The property bytes with the four parameter blocks: what an effect edit changes.
struct LayerEffectState {
    LayerProps props;
    ShadowParams dropShadow;
    ShadowParams innerShadow;
    GlowParams outerGlow;
    GlowParams innerGlow;
};
LayerEffectState GetLayerEffectState(const Layer* layer);

// A new raster layer: name (cut to fit), opacity 255, visible, no pixels, no effects switched on,
// effect parameters from the current defaults.  Null when memory runs out.
Layer* NewLayer(const char* name);
// Frees the layer with its pixels, thumbnail and masks.  The links are not touched: unlink first.
void FreeLayer(Layer* layer);
// Frees what the layer holds and leaves it zero-filled (used for the document's transform layer,
// which is embedded rather than allocated).
void ReleaseLayerContents(Layer* layer);
// Deep copy: pixels, thumbnail, every mask whose flag is set (and the fifth slot's masks when its flag
// is set); links cleared.  Null when any allocation fails (nothing is leaked).
Layer* CopyLayer(const Layer* layer);

// Copies a name into the 40-byte field, cutting it on a character boundary when it is longer than 39
// bytes (a lead byte of a double-byte character is never left without its trail byte).
void SetLayerName(Layer* layer, const char* name);
// name + suffix, cut to fit the same way; the name is shortened so that the suffix survives.
void SetLayerNameWithSuffix(Layer* layer, const char* name, const char* suffix);

inline bool LayerVisible(const Layer* l) { return (l->props.stateFlags & kLayerVisible) != 0; }

// The layer bitmap's rectangle in the document; empty when it has no pixels.
Rect LayerBounds(const Layer* layer);
// The same widened by every mask whose flag is set (as the compositor places them).
Rect LayerBoundsWithEffects(const Layer* layer);
