// Channel coding on the document save/load path: coding and decoding a 1920 × 1080 layer's four
// planes, measured against copying the same bytes out and back with memcpy.  After the runs the
// program prints each coding benchmark's time as a multiple of the copy, and the save and load of a
// large layer through a file as a multiple of writing and reading its raw pixels.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "raster/channel.h"
#include "../common/run_times.h"

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;

// A photograph: smooth colour gradients with sensor noise, fully opaque.
Bitmap* PhotoLayer()
{
    Bitmap* b = NewRGBAPic(kWidth, kHeight);
    std::mt19937 rng(7);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            uint8_t* p = PicPixel(b, x, y);
            const int noise = static_cast<int>(rng() % 9) - 4;
            p[0] = static_cast<uint8_t>((x / 8 + noise) & 255);
            p[1] = static_cast<uint8_t>((y / 5 + x / 13 + noise) & 255);
            p[2] = static_cast<uint8_t>((200 - y / 6 + noise) & 255);
            p[3] = 255;
        }
    return b;
}

// A painting layer: transparent except for a few opaque strokes and soft edges.
Bitmap* SparseLayer()
{
    Bitmap* b = NewRGBAPic(kWidth, kHeight);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            const int32_t d = (x + 2 * y) % 400;
            if (d < 40 && y % 300 < 220) {
                uint8_t* p = PicPixel(b, x, y);
                p[0] = 30;
                p[1] = static_cast<uint8_t>(90 + x % 3);
                p[2] = 200;
                p[3] = static_cast<uint8_t>(d < 4 ? 60 * d : 255);
            }
        }
    return b;
}

void CodeAndDecode(benchmark::State& state, Bitmap* (*make)())
{
    Bitmap* layer = make();
    ChannelBlock planes, decoded;
    GetChannelBlock(layer, &planes);
    NewChannelBlock(&decoded, kWidth, kHeight);
    const size_t bytes = ChannelPlaneBytes(&planes);
    size_t codedTotal = 0;
    for (auto _ : state) {
        codedTotal = 0;
        for (int c = 0; c < kChannelCount; ++c) {
            uint32_t n = 0;
            uint8_t* coded = RLECompressAChannel(planes.plane[c], kWidth, kHeight, &n);
            codedTotal += n;
            if (!RLEDeCompressAChannel({coded, n}, decoded.plane[c], bytes))
                state.SkipWithError("decode failed");
            FreeChannelCode(coded);
        }
        benchmark::DoNotOptimize(decoded.plane[0]);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kChannelCount * static_cast<int64_t>(bytes));
    state.counters["coded_percent"] = 100.0 * static_cast<double>(codedTotal) / (kChannelCount * static_cast<double>(bytes));
    FreeChannelBlock(&planes);
    FreeChannelBlock(&decoded);
    DeletePic(layer);
}

void MemcpyBaseline(benchmark::State& state)
{
    const size_t bytes = static_cast<size_t>(kWidth) * kHeight;
    std::vector<uint8_t> planes(bytes * kChannelCount, 1), store(bytes * kChannelCount), back(bytes * kChannelCount);
    for (auto _ : state) {
        for (int c = 0; c < kChannelCount; ++c) {
            std::memcpy(store.data() + c * bytes, planes.data() + c * bytes, bytes);
            std::memcpy(back.data() + c * bytes, store.data() + c * bytes, bytes);
        }
        benchmark::DoNotOptimize(back.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * kChannelCount * static_cast<int64_t>(bytes));
}

// Splitting a layer into planes and joining them again, against copying the bitmap out and back.
void SplitAndJoin(benchmark::State& state)
{
    Bitmap* layer = PhotoLayer();
    uint8_t header[44] = {40, 0, 0, 0};
    std::memcpy(header + 4, &kWidth, 4);
    std::memcpy(header + 8, &kHeight, 4);
    header[12] = 1;
    header[14] = 32;
    for (auto _ : state) {
        ChannelBlock planes;
        GetChannelBlock(layer, &planes);
        Bitmap* back = CreateBitmapfromChannelBlock(&planes, header, sizeof header);
        benchmark::DoNotOptimize(back->bits);
        DeletePic(back);
        FreeChannelBlock(&planes);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(PicBytes(layer)));
    DeletePic(layer);
}

void LayerCopyBaseline(benchmark::State& state)
{
    Bitmap* layer = PhotoLayer();
    for (auto _ : state) {
        std::vector<uint8_t> store(layer->bits, layer->bits + PicBytes(layer));
        Bitmap* back = NewRGBAPic(kWidth, kHeight);
        std::memcpy(back->bits, store.data(), store.size());
        benchmark::DoNotOptimize(back->bits);
        DeletePic(back);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(PicBytes(layer)));
    DeletePic(layer);
}

// The whole save and load path of one 4000 × 3000 layer through a file, against writing and reading
// its raw pixels: split, code, write; read, decode, join.
constexpr int32_t kDocWidth = 4000;
constexpr int32_t kDocHeight = 3000;

Bitmap* LargePhotoLayer()
{
    Bitmap* b = NewRGBAPic(kDocWidth, kDocHeight);
    std::mt19937 rng(9);
    for (int32_t y = 0; y < kDocHeight; ++y) {
        uint8_t* p = PicRow(b, y);
        for (int32_t x = 0; x < kDocWidth; ++x, p += 4) {
            const int noise = static_cast<int>(rng() % 9) - 4;
            p[0] = static_cast<uint8_t>((x / 16 + noise) & 255);
            p[1] = static_cast<uint8_t>((y / 12 + noise) & 255);
            p[2] = static_cast<uint8_t>((x / 20 + y / 15 + noise) & 255);
            p[3] = 255;
        }
    }
    return b;
}

void SaveLoadCoded(benchmark::State& state)
{
    Bitmap* layer = LargePhotoLayer();
    uint8_t header[44] = {40, 0, 0, 0};
    std::memcpy(header + 4, &kDocWidth, 4);
    std::memcpy(header + 8, &kDocHeight, 4);
    header[12] = 1;
    header[14] = 32;
    std::FILE* file = std::tmpfile();
    std::vector<uint8_t> readBack;
    for (auto _ : state) {
        std::rewind(file);
        ChannelBlock planes;
        GetChannelBlock(layer, &planes);
        for (int c = 0; c < kChannelCount; ++c) {
            uint32_t n = 0;
            uint8_t* coded = RLECompressAChannel(planes.plane[c], kDocWidth, kDocHeight, &n);
            std::fwrite(&n, 4, 1, file);
            std::fwrite(coded, 1, n, file);
            FreeChannelCode(coded);
        }
        FreeChannelBlock(&planes);
        std::fflush(file);
        std::rewind(file);
        ChannelBlock decoded;
        NewChannelBlock(&decoded, kDocWidth, kDocHeight);
        for (int c = 0; c < kChannelCount; ++c) {
            uint32_t n = 0;
            if (std::fread(&n, 4, 1, file) != 1)
                state.SkipWithError("short read");
            readBack.resize(n);
            if (std::fread(readBack.data(), 1, n, file) != n ||
                !RLEDeCompressAChannel(readBack, decoded.plane[c], ChannelPlaneBytes(&decoded)))
                state.SkipWithError("decode failed");
        }
        Bitmap* back = CreateBitmapfromChannelBlock(&decoded, header, sizeof header);
        benchmark::DoNotOptimize(back->bits);
        DeletePic(back);
        FreeChannelBlock(&decoded);
    }
    std::fclose(file);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(PicBytes(layer)));
    DeletePic(layer);
}

void SaveLoadRaw(benchmark::State& state)
{
    Bitmap* layer = LargePhotoLayer();
    std::FILE* file = std::tmpfile();
    for (auto _ : state) {
        std::rewind(file);
        std::fwrite(layer->bits, 1, PicBytes(layer), file);
        std::fflush(file);
        std::rewind(file);
        Bitmap* back = NewRGBAPic(kDocWidth, kDocHeight);
        if (std::fread(back->bits, 1, PicBytes(back), file) != PicBytes(back))
            state.SkipWithError("short read");
        benchmark::DoNotOptimize(back->bits);
        DeletePic(back);
    }
    std::fclose(file);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(PicBytes(layer)));
    DeletePic(layer);
}

BENCHMARK(MemcpyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CodeAndDecode, photo, PhotoLayer)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CodeAndDecode, sparse, SparseLayer)->Unit(benchmark::kMillisecond);
BENCHMARK(LayerCopyBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(SplitAndJoin)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveLoadRaw)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveLoadCoded)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunAndPrint(argc, argv, [](const bench::RunTimes& times) {
        times.PrintRatio("CodeAndDecode/photo", "MemcpyBaseline");
        times.PrintRatio("CodeAndDecode/sparse", "MemcpyBaseline");
        times.PrintRatio("SplitAndJoin", "LayerCopyBaseline");
        times.PrintRatio("SaveLoadCoded", "SaveLoadRaw");
    });
}
