#include "app/brush_presets.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/files.h"
#include "raster/safe_file.h"

namespace app {
namespace {

void PutU64(uint8_t* p, uint64_t v)
{
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint64_t GetU64(const uint8_t* p)
{
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

}  // namespace

BrushPreset DefaultBrushPreset(int index)
{
    static const double kSizes[kBrushPresetCount] = {1,  2,  3,  4,  5,  6,  8,  10, 12, 14, 16, 20,
                                                      24, 28, 32, 36, 40, 48, 56, 64, 72, 80, 90, 100};
    if (index < 0)
        index = 0;
    if (index >= kBrushPresetCount)
        index = kBrushPresetCount - 1;
    BrushPreset p;
    double t = static_cast<double>(index) / (kBrushPresetCount - 1);
    p.values[0] = kSizes[index];
    p.values[1] = 1.0 - 0.3 * t;   // broad brushes lay thinner paint
    p.values[2] = 0.9 - 0.6 * t;   // and have softer edges
    p.values[3] = 0.15 + 0.1 * t;
    p.values[4] = 0.5;
    return p;
}

void EncodeBrushPreset(const BrushPreset& preset, uint8_t out[kBrushPresetSize])
{
    std::memset(out, 0, kBrushPresetSize);
    for (int i = 0; i < 5; ++i) {
        uint64_t bits;
        std::memcpy(&bits, &preset.values[i], 8);
        PutU64(out + 8 * i, bits);
    }
    for (int i = 0; i < 4; ++i)
        out[40 + i] = static_cast<uint8_t>(preset.flags >> (8 * i));
    std::memcpy(out + 44, preset.spare, 4);
}

bool DecodeBrushPreset(const uint8_t in[kBrushPresetSize], BrushPreset* preset)
{
    BrushPreset p;
    for (int i = 0; i < 5; ++i) {
        uint64_t bits = GetU64(in + 8 * i);
        std::memcpy(&p.values[i], &bits, 8);
        if (!std::isfinite(p.values[i]))
            return false;
    }
    if (p.values[0] <= 0)
        return false;
    p.flags = in[40] | in[41] << 8 | in[42] << 16 | static_cast<uint32_t>(in[43]) << 24;
    std::memcpy(p.spare, in + 44, 4);
    *preset = p;
    return true;
}

int LoadBrushPresets(const char* path, BrushPreset presets[kBrushPresetCount])
{
    for (int i = 0; i < kBrushPresetCount; ++i)
        presets[i] = DefaultBrushPreset(i);
    std::FILE* f = path ? std::fopen(platform::HostPath(path).c_str(), "rb") : nullptr;
    if (!f)
        return 0;
    int read = 0;
    uint8_t record[kBrushPresetSize];
    while (read < kBrushPresetCount && std::fread(record, 1, sizeof record, f) == sizeof record) {
        DecodeBrushPreset(record, &presets[read]);  // a damaged record keeps its generated preset
        ++read;
    }
    std::fclose(f);
    return read;
}

int SaveBrushPresets(const char* path, const BrushPreset presets[kBrushPresetCount])
{
    SafeFile out;
    if (!path || !out.Open(platform::HostPath(path).c_str()))
        return 0;
    for (int i = 0; i < kBrushPresetCount; ++i) {
        uint8_t record[kBrushPresetSize];
        EncodeBrushPreset(presets[i], record);
        out.Write(record, sizeof record);
    }
    return out.Commit() ? 1 : 0;
}

}  // namespace app
