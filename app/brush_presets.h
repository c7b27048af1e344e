// The brush tool box's presets and their file "fp0023.sys": kBrushPresetCount records of 48 bytes,
// no header.  A record holds five numbers (little-endian doubles at offsets 0, 8, 16, 24 and 32; the
// first is the brush size), a 32-bit word at 40 and four spare bytes.
#pragma once
#include <cstdint>

namespace app {

constexpr int kBrushPresetCount = 24;
constexpr int kBrushPresetSize = 48;

struct BrushPreset {
    double values[5] = {};  // size, opacity (0..1), hardness (0..1), spacing (fraction of size), pressure share
    uint32_t flags = 0;
    uint8_t spare[4] = {};
};

// The generated preset for a slot: sizes grow from fine to broad, softer as they grow.
BrushPreset DefaultBrushPreset(int index);

void EncodeBrushPreset(const BrushPreset& preset, uint8_t out[kBrushPresetSize]);
// False when a number is not finite or the size is not positive: such a record is damaged.
bool DecodeBrushPreset(const uint8_t in[kBrushPresetSize], BrushPreset* preset);

// Fills all kBrushPresetCount slots: records from the file until a short one, generated presets for
// the rest (and for damaged records).  Returns the number of records taken from the file.
int LoadBrushPresets(const char* path, BrushPreset presets[kBrushPresetCount]);
int SaveBrushPresets(const char* path, const BrushPreset presets[kBrushPresetCount]);

}  // namespace app
