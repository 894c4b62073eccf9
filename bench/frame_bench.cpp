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

// The same inverse by Euler's criterion, the modular products folded the
// same way, written out in one function with no calls.
void BM_RandomBare(benchmark::State &state) {
    constexpr uint64_t p = kRandomModulus;
    auto multiply = [](uint64_t a, uint64_t b) {
        uint64_t value = a * b;
        while ((value >> 32) != 0) value = (value & 0xFFFFFFFFu) + (value >> 32) * 209u;
        return value >= p ? value - p : value;
    };
    uint64_t counter = 1;
    for (auto _ : state) {
        uint64_t x = multiply(123456789u, counter) + 1;
        uint64_t result = 1;
        uint64_t base = x;
        for (uint64_t e = (p - 3) / 2; e != 0; e >>= 1) {
            if (e & 1) result = multiply(result, base);
            base = multiply(base, base);
        }
        if (multiply(result, x) != 1) result = p - result;
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
