// Layer effect settings: the flag bits, the parameter blocks and the current defaults.
//
// The parameter blocks are stored byte for byte in layered document files and in undo records, so
// their layouts are fixed (little-endian integers, the same on 32- and 64-bit builds).  The effect
// dialogs edit them; a new layer takes a copy of the current defaults, which are the values last
// confirmed in each dialog.
#pragma once
#include <cstddef>
#include <cstdint>

// Bits of Layer::props.effectFlags.
enum : uint8_t {
    kEffectInnerShadow = 0x01,
    kEffectDropShadow = 0x02,
    kEffectInnerGlow = 0x04,
    kEffectOuterGlow = 0x08,
    kEffectFifth = 0x10,
};

// Drop shadow and inner shadow, 20 bytes.
struct ShadowParams {
    int16_t blur;       // 0..20
    int16_t size;       // 0..20, how far the shape is spread before softening
    int16_t angle;      // degrees, direction the light comes from
    int16_t opacity;    // 0..255
    int16_t distance;   // 0..60
    uint8_t zero[2];
    uint32_t colour;    // colour value 0x00RRGGBB
    uint32_t mode;      // handed with the mask to the compositor
};
static_assert(sizeof(ShadowParams) == 20);
static_assert(offsetof(ShadowParams, colour) == 12 && offsetof(ShadowParams, mode) == 16);

// Outer glow and inner glow, 16 bytes.
struct GlowParams {
    int16_t blur;
    int16_t size;
    int16_t opacity;
    uint8_t zero[2];
    uint32_t colour;
    uint32_t mode;
};
static_assert(sizeof(GlowParams) == 16);
static_assert(offsetof(GlowParams, colour) == 8 && offsetof(GlowParams, mode) == 12);

// The fifth slot: carried through files, duplication and release, never switched on by the program.
struct FifthParams {
    uint8_t bytes[32];
};
static_assert(sizeof(FifthParams) == 32);

constexpr int kEffectMaxBlur = 20;
constexpr int kEffectMaxSize = 20;
constexpr int kEffectMaxDistance = 60;

struct EffectDefaults {
    ShadowParams dropShadow;
    ShadowParams innerShadow;
    GlowParams outerGlow;
    GlowParams innerGlow;
};

// The defaults new layers copy; the effect dialogs overwrite them when the user confirms.
extern EffectDefaults g_effectDefaults;

// Puts the start-up values back: drop shadow blur 4, size 0, angle 135, opacity 128, distance 10,
// black; inner shadow blur 4, size 4, angle 135, opacity 128, distance 4, black; outer glow blur 6,
// size 0, opacity 255, white; inner glow blur 4, size 2, opacity 255, white; every mode 0.
void SetDefaultEffectParams();

// Brings values from a dialog or a file into the ranges the renderer works with (negative blur, size
// or distance, opacity beyond 0..255).
void ClampShadowParams(ShadowParams* p);
void ClampGlowParams(GlowParams* p);
