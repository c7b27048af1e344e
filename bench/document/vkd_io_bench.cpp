// Saving and loading a 4000 x 3000 layered document of four layers (a photograph-like picture, sparse
// strokes, a flat colour and a mostly transparent layer) against writing and reading the same raw
// pixel bytes with one fwrite / fread each, in the same run.  Prints MB/s of raw pixel bytes for all
// four, the ratios and the file size against the raw size.  Goals: save and load each within 2x of
// the raw I/O, files no larger than raw.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "document/document_hooks.h"
#include "document/layer_list.h"
#include "document/vkd_file.h"
#include "../common/run_times.h"

namespace {

constexpr int32_t kWidth = 4000, kHeight = 3000;

std::string TempPath(const char* name) { return (std::filesystem::temp_directory_path() / name).string(); }

void Put(Bitmap* b, int32_t x, int32_t y, uint8_t bl, uint8_t g, uint8_t r, uint8_t a)
{
    uint8_t* p = PicPixel(b, x, y);
    p[0] = bl;
    p[1] = g;
    p[2] = r;
    p[3] = a;
}

Layer* MakeLayer(const char* name, int kind)
{
    Layer* l = NewLayer(name);
    l->pixels = NewRGBAPic(kWidth, kHeight);
    Bitmap* b = l->pixels;
    uint32_t s = 2463534242u;
    auto noise = [&] {
        s ^= s << 13;
        s ^= s >> 17;
        s ^= s << 5;
        return s;
    };
    for (int32_t y = 0; y < kHeight; ++y) {
        for (int32_t x = 0; x < kWidth; ++x) {
            switch (kind) {
            case 0: {   // smooth light and shade with sensor noise
                const double v = 0.5 + 0.25 * std::sin(x * 0.004) * std::cos(y * 0.005) + 0.2 * std::sin((x + y) * 0.001);
                const int n = static_cast<int>(noise() % 9) - 4;
                auto c = [&](double k) { return static_cast<uint8_t>(std::clamp(v * k + n, 0.0, 255.0)); };
                Put(b, x, y, c(180), c(220), c(250), 255);
                break;
            }
            case 1:   // strokes: a few thick wavy lines on transparency
                if ((static_cast<int>(y + 120 * std::sin(x * 0.01)) % 400) < 12)
                    Put(b, x, y, 40, 30, 200, static_cast<uint8_t>(200 + (x % 7)));
                break;
            case 2:
                Put(b, x, y, 90, 160, 30, 255);
                break;
            default:   // one soft blob near the middle
                if (std::hypot(x - 2100.0, y - 1400.0) < 300.0)
                    Put(b, x, y, 255, 255, 255, static_cast<uint8_t>(255 - std::hypot(x - 2100.0, y - 1400.0) * 0.8));
                break;
            }
        }
    }
    return l;
}

struct Fixture {
    Document doc{};
    std::vector<const Bitmap*> planes;
    size_t rawBytes = 0;
    Fixture()
    {
        doc.width = kWidth;
        doc.height = kHeight;
        ComputeThumbnailSizes(kWidth, kHeight, &doc.thumbWidth, &doc.thumbHeight, &doc.slotWidth, &doc.slotHeight);
        const char* names[] = {"photo", "strokes", "flat", "blob"};
        for (int k = 0; k < 4; ++k)
            InsertLayer(&doc, MakeLayer(names[k], k), doc.top);
        SelectLayer(&doc, doc.top);
        for (const Layer* l = doc.bottom; l; l = l->above)
            rawBytes += PicBytes(l->pixels);
    }
    ~Fixture() { ReleaseDocumentContents(&doc); }
};

Fixture& Shared()
{
    static Fixture f;
    return f;
}

size_t g_fileBytes = 0;

void Save(benchmark::State& state)
{
    Fixture& f = Shared();
    const std::string path = TempPath("brisalo_bench_save.vkd");
    for (auto _ : state) {
        if (!WriteLayeredDocument(path.c_str(), &f.doc))
            state.SkipWithError("save failed");
    }
    g_fileBytes = static_cast<size_t>(std::filesystem::file_size(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.rawBytes));
    state.counters["file/raw"] = static_cast<double>(g_fileBytes) / static_cast<double>(f.rawBytes);
}

void Load(benchmark::State& state)
{
    Fixture& f = Shared();
    const std::string path = TempPath("brisalo_bench_save.vkd");
    WriteLayeredDocument(path.c_str(), &f.doc);
    for (auto _ : state) {
        Document d{};
        if (!ReadLayeredDocument(path.c_str(), &d))
            state.SkipWithError("load failed");
        ReleaseDocumentContents(&d);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.rawBytes));
}

// The baselines: the same raw pixel bytes of every layer in one fwrite and one fread each, read into
// a new buffer as a load has to.
void RawWrite(benchmark::State& state)
{
    Fixture& f = Shared();
    const std::string path = TempPath("brisalo_bench_raw.bin");
    for (auto _ : state) {
        std::FILE* out = std::fopen(path.c_str(), "wb");
        for (const Layer* l = f.doc.bottom; l; l = l->above)
            std::fwrite(l->pixels->bits, 1, PicBytes(l->pixels), out);
        std::fclose(out);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.rawBytes));
}

void RawRead(benchmark::State& state)
{
    Fixture& f = Shared();
    const std::string path = TempPath("brisalo_bench_raw.bin");
    for (auto _ : state) {
        std::FILE* in = std::fopen(path.c_str(), "rb");
        if (!in) {
            state.SkipWithError("no raw file: run RawWrite first");
            break;
        }
        std::vector<Bitmap*> bitmaps;
        for (const Layer* l = f.doc.bottom; l; l = l->above) {
            Bitmap* b = NewRGBAPic(l->pixels->width, l->pixels->height);
            if (std::fread(b->bits, 1, PicBytes(b), in) != PicBytes(b))
                state.SkipWithError("short read");
            bitmaps.push_back(b);
        }
        std::fclose(in);
        for (Bitmap* b : bitmaps)
            DeletePic(b);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * f.rawBytes));
}

BENCHMARK(RawWrite)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Save)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RawRead)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(Load)->Unit(benchmark::kMillisecond)->UseRealTime();

void PrintRatios(const bench::RunTimes& times)
{
    auto find = [&](const char* name) { return times.Real(std::string(name) + "/real_time"); };
    // Processor time too: on a shared machine the wall clock also measures the neighbours.
    auto cpu = [&](const char* name) { return times.Cpu(std::string(name) + "/real_time"); };
    auto ratio = [](double a, double b) { return b > 0 ? a / b : 0.0; };
    const double raw = static_cast<double>(Shared().rawBytes);
    auto mbs = [&](double ms) { return ms > 0 ? raw / (ms / 1000.0) / 1e6 : 0.0; };
    const double rw = find("RawWrite"), sv = find("Save"), rr = find("RawRead"), ld = find("Load");
    std::printf("\nLayered document of %d x %d, 4 layers, %.1f MB of raw pixels:\n", kWidth, kHeight, raw / 1e6);
    std::printf("  save %8.1f MB/s   raw fwrite %8.1f MB/s   save takes %5.2fx raw, %5.2fx in processor time"
                " (goal: within 2x)\n",
                mbs(sv), mbs(rw), ratio(sv, rw), ratio(cpu("Save"), cpu("RawWrite")));
    std::printf("  load %8.1f MB/s   raw fread  %8.1f MB/s   load takes %5.2fx raw, %5.2fx in processor time"
                " (goal: within 2x)\n",
                mbs(ld), mbs(rr), ratio(ld, rr), ratio(cpu("Load"), cpu("RawRead")));
    if (g_fileBytes)
        std::printf("  file %.1f MB = %.3f of raw (goal: no larger than raw)\n", g_fileBytes / 1e6,
                    static_cast<double>(g_fileBytes) / raw);
}

}  // namespace

int main(int argc, char** argv)
{
    const int status = bench::RunAndPrint(argc, argv, PrintRatios);
    std::remove(TempPath("brisalo_bench_save.vkd").c_str());
    std::remove(TempPath("brisalo_bench_raw.bin").c_str());
    return status;
}
