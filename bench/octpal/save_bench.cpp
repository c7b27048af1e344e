// A 256-colour save of a photograph-like 1920 x 1080 picture: build the palette, diffuse the error and
// write the index BMP, against ImageMagick's convert doing the same reduction from the same picture
// (read from a 24-bit BMP, Floyd-Steinberg, 256 colours, BMP out).  Prints both times and the ratio,
// and the tree's peak node memory for this picture and one four times its size.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <unistd.h>

#include "octpal/octpal_core.h"

namespace fs = std::filesystem;

namespace {

constexpr const char* kConvert = "/usr/bin/convert";

struct Photo {
    int width, height;
    size_t stride;
    std::vector<uint8_t> bytes;
};

// Smooth colour fields (sky-like ramps, a few soft blobs) with sensor-like noise: about a million
// distinct colours at full HD.
Photo MakePhoto(int w, int h)
{
    Photo p{w, h, size_t((w * 3 + 3) & ~3), {}};
    p.bytes.assign(p.stride * size_t(h), 0);
    uint32_t seed = 0x9E3779B9u;
    auto noise = [&seed]() {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        return int(seed % 33) - 16;
    };
    auto clamp = [](double v) { return uint8_t(v < 0 ? 0 : v > 255 ? 255 : v); };
    for (int y = 0; y < h; ++y) {
        uint8_t* row = p.bytes.data() + size_t(y) * p.stride;
        const double fy = double(y) / h;
        for (int x = 0; x < w; ++x) {
            const double fx = double(x) / w;
            const double blob = std::exp(-((fx - 0.3) * (fx - 0.3) + (fy - 0.6) * (fy - 0.6)) * 12.0);
            const double wave = std::sin(fx * 9.0 + fy * 4.0) * 0.5 + 0.5;
            const double r = 40 + 170 * fy + 60 * blob + 20 * wave;
            const double g = 70 + 120 * (1 - fx) * fy + 50 * wave;
            const double b = 200 - 150 * fy + 40 * blob * wave;
            row[3 * x + 0] = clamp(b + noise());
            row[3 * x + 1] = clamp(g + noise());
            row[3 * x + 2] = clamp(r + noise());
        }
    }
    return p;
}

size_t DistinctColours(const Photo& p)
{
    std::vector<bool> seen(1u << 24);
    size_t n = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const uint8_t* q = p.bytes.data() + size_t(y) * p.stride + 3 * size_t(x);
            const uint32_t c = q[0] | (q[1] << 8) | (uint32_t(q[2]) << 16);
            if (!seen[c]) {
                seen[c] = true;
                ++n;
            }
        }
    return n;
}

void WriteBmp24(const Photo& p, const fs::path& path)
{
    uint8_t h[54] = {'B', 'M'};
    auto put = [&h](int at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            h[at + i] = uint8_t(v >> (8 * i));
    };
    put(2, uint32_t(54 + p.bytes.size()));
    put(10, 54);
    put(14, 40);
    put(18, uint32_t(p.width));
    put(22, uint32_t(p.height));
    h[26] = 1;
    h[28] = 24;
    put(34, uint32_t(p.bytes.size()));
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(h), sizeof h);
    out.write(reinterpret_cast<const char*>(p.bytes.data()), std::streamsize(p.bytes.size()));
}

struct Fixture {
    Photo photo = MakePhoto(1920, 1080);
    fs::path dir = fs::temp_directory_path() / ("octpal-bench-" + std::to_string(getpid()));
    fs::path source = dir / "photo.bmp";
    Fixture()
    {
        fs::create_directories(dir);
        WriteBmp24(photo, source);
    }
    ~Fixture() { fs::remove_all(dir); }
};

Fixture& Shared()
{
    static Fixture f;
    return f;
}

double octpalSeconds = 0, convertSeconds = 0, octpalCpu = 0, convertCpu = 0;

// Processor time spent by finished child processes, user and system.
double ChildCpuSeconds()
{
    rusage u{};
    getrusage(RUSAGE_CHILDREN, &u);
    return double(u.ru_utime.tv_sec + u.ru_stime.tv_sec) + double(u.ru_utime.tv_usec + u.ru_stime.tv_usec) * 1e-6;
}

void BM_OctpalSave256(benchmark::State& state)
{
    Fixture& f = Shared();
    std::vector<uint8_t> work(f.photo.bytes.size());
    const std::string out = (f.dir / "octpal.bmp").string();
    for (auto _ : state) {
        // The diffusion works in place, so every round starts from the untouched picture.
        std::memcpy(work.data(), f.photo.bytes.data(), work.size());
        OctPixels px{work.data(), f.photo.width, f.photo.height, 24, 0, {}};
        if (!OctBuildFromPixels(&px, 256, 8) || !OctDither(&px) || !OctSaveIndexBmp(&px, out.c_str())) {
            state.SkipWithError("octpal failed");
            break;
        }
        OctRelease();
    }
    state.SetItemsProcessed(state.iterations() * int64_t(f.photo.width) * f.photo.height);
}

void BM_ImageMagickConvert256(benchmark::State& state)
{
    Fixture& f = Shared();
    if (access(kConvert, X_OK) != 0) {
        state.SkipWithError("ImageMagick's convert is not installed");
        return;
    }
    const std::string cmd = std::string(kConvert) + " '" + f.source.string() +
                            "' -dither FloydSteinberg -colors 256 '" + (f.dir / "convert.bmp").string() + "'";
    const double cpuBefore = ChildCpuSeconds();
    for (auto _ : state) {
        if (std::system(cmd.c_str()) != 0) {
            state.SkipWithError("convert failed");
            break;
        }
    }
    // The work happens in another process, so the benchmark's own CPU column stays near zero.
    if (state.iterations() > 0)
        convertCpu = (ChildCpuSeconds() - cpuBefore) / double(state.iterations());
    state.counters["convert_cpu_ms"] = convertCpu * 1e3;
    state.SetItemsProcessed(state.iterations() * int64_t(f.photo.width) * f.photo.height);
}

BENCHMARK(BM_OctpalSave256)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ImageMagickConvert256)->Unit(benchmark::kMillisecond)->UseRealTime();

// Peak tree memory while building, measured through the node heap.
long liveNodes = 0, peakNodes = 0;
size_t nodeSize = 0;
void* CountedAlloc(size_t size)
{
    nodeSize = size;
    if (++liveNodes > peakNodes)
        peakNodes = liveNodes;
    return std::malloc(size);
}
void CountedFree(void* p)
{
    if (p)
        --liveNodes;
    std::free(p);
}

long PeakNodeBytes(const Photo& p)
{
    std::vector<uint8_t> copy = p.bytes;
    OctPixels px{copy.data(), p.width, p.height, 24, 0, {}};
    liveNodes = peakNodes = 0;
    OctSetNodeHeap(CountedAlloc, CountedFree);
    OctBuildFromPixels(&px, 256, 8);
    OctSetNodeHeap(nullptr, nullptr);
    return peakNodes;
}

// Keeps each benchmark's real time per iteration so that the ratio can be printed after the run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.error_occurred || run.iterations == 0 || run.run_type != Run::RT_Iteration)
                continue;
            const double seconds = run.real_accumulated_time / double(run.iterations);
            const std::string name = run.benchmark_name();
            if (name.find("Octpal") != std::string::npos) {
                octpalSeconds = seconds;
                octpalCpu = run.cpu_accumulated_time / double(run.iterations);
            }
            else if (name.find("ImageMagick") != std::string::npos)
                convertSeconds = seconds;
        }
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    Fixture& f = Shared();
    std::printf("picture %d x %d, %zu distinct colours\n", f.photo.width, f.photo.height, DistinctColours(f.photo));
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (octpalSeconds > 0 && convertSeconds > 0)
        std::printf("256-colour save: octpal %.1f ms, ImageMagick convert %.1f ms, octpal is %.2fx faster\n",
                    octpalSeconds * 1e3, convertSeconds * 1e3, convertSeconds / octpalSeconds);
    if (octpalCpu > 0 && convertCpu > 0)
        std::printf("processor time: octpal %.1f ms, ImageMagick convert %.1f ms, ratio %.2fx\n", octpalCpu * 1e3,
                    convertCpu * 1e3, convertCpu / octpalCpu);
    const Photo big = MakePhoto(3840, 2160);
    const long small = PeakNodeBytes(f.photo), large = PeakNodeBytes(big);
    std::printf("peak tree nodes: %ld (%ld bytes) at 1920 x 1080, %ld (%ld bytes) at 3840 x 2160\n", small,
                small * long(nodeSize), large, large * long(nodeSize));
    benchmark::Shutdown();
    return 0;
}
