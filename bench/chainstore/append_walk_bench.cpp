// Recording a tutorial is a long run of small appends followed, at playback, by one walk.  One million
// blocks of 1 to 64 payload bytes are appended through the shared library and walked, against putting
// the same bytes into a std::vector and stepping through them by the same sizes.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "chainstore/chainstore.h"
#include "../common/run_times.h"

namespace {

constexpr int kBlocks = 1'000'000;

struct Workload {
    std::vector<uint8_t> sizes;
    std::vector<uint8_t> bytes;  // every payload, back to back
};

const Workload& Records()
{
    static const Workload work = [] {
        Workload w;
        std::mt19937 random(20261210);
        std::uniform_int_distribution<int> size(1, 64), byte(0, 255);
        w.sizes.resize(kBlocks);
        for (auto& s : w.sizes) {
            s = uint8_t(size(random));
            for (int i = 0; i < s; ++i)
                w.bytes.push_back(uint8_t(byte(random)));
        }
        return w;
    }();
    return work;
}

void ChainAppendAndWalk(benchmark::State& state)
{
    const Workload& work = Records();
    for (auto _ : state) {
        unsigned char* chain = PT_AllocBlockLink(800, 600);
        const uint8_t* source = work.bytes.data();
        for (uint8_t size : work.sizes) {
            unsigned char* grown = PT_AppendBlock(chain, 2, size);
            if (!grown) {
                state.SkipWithError("append failed");
                break;
            }
            chain = grown;
            std::memcpy(PT_GetDataFromBlk(PT_GetLstBlk(chain)), source, size);
            source += size;
        }
        uint64_t sum = 0;
        for (unsigned char* b = PT_GetFstBlk(chain); b; b = PT_GetNxtBlk(chain, b))
            sum += PT_GetDataBlockSize(b) + *PT_GetDataFromBlk(b);
        benchmark::DoNotOptimize(sum);
        PT_FreeBlockLink(chain);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kBlocks);
}

void VectorBaseline(benchmark::State& state)
{
    const Workload& work = Records();
    for (auto _ : state) {
        std::vector<uint8_t> store;
        const uint8_t* source = work.bytes.data();
        for (uint8_t size : work.sizes) {
            store.insert(store.end(), source, source + size);
            source += size;
        }
        uint64_t sum = 0;
        size_t at = 0;
        for (uint8_t size : work.sizes) {
            sum += size + store[at];
            at += size;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * kBlocks);
}

BENCHMARK(VectorBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(ChainAppendAndWalk)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    return bench::RunAndPrint(argc, argv, [](const bench::RunTimes& times) {
        times.PrintRatio("ChainAppendAndWalk", "VectorBaseline");
    });
}
