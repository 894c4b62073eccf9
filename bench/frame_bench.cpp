// Random numbers and the restart of a picture, each beside a bare loop of
// the same work.
#include <benchmark/benchmark.h>

#include <cstring>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"

namespace quintorbelle {
namespace {

void BM_Random(benchmark::State &state) {
    randomMultiplier = 123456789;
    randomCounter = 1;
    for (auto _ : state) benchmark::DoNotOptimize(Random());
}
BENCHMARK(BM_Random);

// The same inverse by Euler's criterion, written out with a plain 64-bit
// remainder instead of the engine's folding.
void BM_RandomBare(benchmark::State &state) {
    constexpr uint64_t p = kRandomModulus;
    uint64_t counter = 1;
    for (auto _ : state) {
        uint64_t x = (123456789u * counter % p + 1) % p;
        uint64_t result = 1;
        uint64_t base = x;
        for (uint64_t e = (p - 3) / 2; e != 0; e >>= 1) {
            if (e & 1) result = result * base % p;
            base = base * base % p;
        }
        if (result * x % p != 1) result = p - result;
        ++counter;
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_RandomBare);

void BM_RestartDrawing(benchmark::State &state) {
    drawMode = 2;
    imageWidth = 1280;
    imageHeight = 1024;
    for (auto _ : state) {
        RestartDrawing();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RestartDrawing);

// Clearing both images is the restart's cost; this is that clearing alone.
void BM_RestartDrawingBare(benchmark::State &state) {
    for (auto _ : state) {
        std::memset(countImage, 0, sizeof countImage);
        std::memset(indexImage, 0, sizeof indexImage);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_RestartDrawingBare);

} // namespace
} // namespace quintorbelle
