// Composing a 1920 × 1080 document of 8 visible painting layers: the whole canvas with every layer in
// normal mode, the whole canvas with mixed blend modes and two layers carrying a drop shadow and an
// outer glow, and a 64 × 64 dirty rectangle of that document (one stroke segment's refresh).  The
// baseline in the same run is a memcpy of the 8 layers' bytes, the least any compose has to read.
// After the runs the program prints each time (CPU time, so that other work on a shared machine
// does not count) as a multiple of the memcpy, and the refreshes in ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "document/compose.h"
#include "document/document.h"
#include "document/effect_render.h"
#include "document/layer_list.h"
#include "../common/run_times.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr int kLayers = 8;

// A painting layer: strokes and blobs at places that differ per layer, transparent between them,
// soft edges where a stroke fades out.
Bitmap* PaintingLayer(int seed)
{
    Bitmap* b = NewRGBAPic(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y) {
        uint8_t* row = PicRow(b, y);
        for (int32_t x = 0; x < kWidth; ++x) {
            const int32_t d = (x + (3 + seed) * y + seed * 97) % 420;
            const int32_t cx = x - 200 - seed * 210, cy = y - 300 - seed * 60;
            int32_t a = 0;
            if (cx * cx + cy * cy < 260 * 260 || d < 120)
                a = 255;
            else if (d < 200)
                a = 255 - (d - 120) * 3;
            uint8_t* p = row + x * 4;
            p[0] = static_cast<uint8_t>(x / 8 + seed * 30);
            p[1] = static_cast<uint8_t>(y / 5 + seed * 17);
            p[2] = static_cast<uint8_t>(200 - y / 6 + seed * 9);
            p[3] = static_cast<uint8_t>(a);
        }
    }
    return b;
}

struct Fixture {
    Document* doc = nullptr;
    std::vector<const Bitmap*> pixels;

    explicit Fixture(bool mixed)
    {
        SetNewDocumentDefaults(kWidth, kHeight, 0, "Bench");
        doc = CreateDocument(nullptr);
        const uint8_t modes[kLayers - 1] = {kBlendNormal, kBlendScreen, kBlendHue, kBlendNormal,
                                            kBlendDarken, kBlendLuminosity, kBlendDifference};
        pixels.push_back(doc->bottom->pixels);
        for (int i = 0; i < kLayers - 1; ++i) {
            Layer* l = NewLayer("layer");
            l->pixels = PaintingLayer(i);
            if (mixed) {
                l->props.blendMode = modes[i];
                l->props.opacity = static_cast<uint8_t>(255 - i * 12);
                if (i == 1 || i == 4) {
                    l->props.effectFlags = kEffectDropShadow | kEffectOuterGlow;
                    RenderLayerEffects(l, nullptr);
                }
            }
            InsertLayer(doc, l, doc->top);
            pixels.push_back(l->pixels);
        }
        SelectLayer(doc, doc->top);
    }
    ~Fixture() { CloseDocument(doc); }
};

void Memcpy(benchmark::State& state)
{
    Fixture f(false);
    Bitmap* out = NewRGBAPic(kWidth, kHeight);
    for (auto _ : state) {
        for (const Bitmap* p : f.pixels)
            std::memcpy(out->bits, p->bits, PicBytes(p));
        benchmark::ClobberMemory();
    }
    DeletePic(out);
}

void ComposeWhole(benchmark::State& state, bool mixed)
{
    Fixture f(mixed);
    for (auto _ : state) {
        ComposeDocument(f.doc, nullptr);
        benchmark::ClobberMemory();
    }
}

void RefreshStroke(benchmark::State& state, bool mixed)
{
    Fixture f(mixed);
    int i = 0;
    for (auto _ : state) {
        // Walk the rectangle over the picture, through shadows, glows and every mode.
        const Rect r = MakeRect((i * 997) % (kWidth - 64), (i * 613) % (kHeight - 64), 64, 64);
        RefreshDocumentRect(f.doc, &r);
        benchmark::ClobberMemory();
        ++i;
    }
}

BENCHMARK(Memcpy)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComposeWhole, normal, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ComposeWhole, mixed_effects, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(RefreshStroke, normal, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(RefreshStroke, mixed_effects, true)->Unit(benchmark::kMicrosecond);

void PrintRatios(const bench::RunTimes& times)
{
    const double copy = times.Cpu("Memcpy");
    const double normal = times.Cpu("ComposeWhole/normal"), mixed = times.Cpu("ComposeWhole/mixed_effects");
    const double stroke = times.Cpu("RefreshStroke/mixed_effects"), strokeNormal = times.Cpu("RefreshStroke/normal");
    std::printf("\nCompose of a %d x %d document with %d layers:\n", kWidth, kHeight, kLayers);
    if (copy > 0 && normal > 0)
        std::printf("  whole canvas, normal mode      %6.2fx memcpy of the layers (goal: within 3x)\n", normal / copy);
    if (copy > 0 && mixed > 0)
        std::printf("  whole canvas, modes + effects  %6.2fx memcpy of the layers\n", mixed / copy);
    if (strokeNormal > 0)
        std::printf("  64 x 64 refresh, normal mode   %6.4f ms\n", strokeNormal / 1000.0);
    if (stroke > 0)
        std::printf("  64 x 64 refresh, modes+effects %6.4f ms (goal: under 0.1 ms)\n", stroke / 1000.0);
}

}  // namespace

int main(int argc, char** argv) { return bench::RunAndPrint(argc, argv, PrintRatios); }
