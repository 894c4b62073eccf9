// The attractor plotter's orbit loop in modes 0, 2 and 3, each beside a
// bare loop of the same map step and the same count, threshold and index
// update into an image of its own. Items are orbit iterations.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/numeric.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr uint32_t kBudget = 20; // work units per plotter call

uint16_t bareCounts[kImageRows][kImageStride];
uint8_t bareIndices[kImageRows][kImageStride];

// A fitted picture of the mode from a fixed random state, with thresholds
// that rise slowly enough to keep the colours moving.
void SetUpPicture(int32_t mode) {
    StartEngine(nullptr);
    randomMultiplier = 2654435761u;
    imageWidth = displayWidth = 1024;
    imageHeight = 768;
    for (int i = 0; i < 256; ++i) densityThresholds[i] = static_cast<uint16_t>(1 + i * i / 2);
    densityThresholds[255] = 32767;
    drawMode = mode;
    symmetryDegree = mode == 3 ? 5 : 3;
    baseMapCount = 2;
    for (uint32_t seed = 1;; ++seed) {
        randomCounter = seed * 1000;
        if (mode <= 1) {
            GenerateFunctionSystem(1);
        } else {
            GenerateModeParameters(1);
        }
        // A chaotic orbit that spreads over the picture.
        if (FitViewToAttractor() == 1 && divergenceIteration != 0) break;
    }
    std::memset(bareCounts, 0, sizeof bareCounts);
    std::memset(bareIndices, 0, sizeof bareIndices);
}

// Both pictures start again once their colours have climbed high, so that
// neither loop runs into saturated counts.
void RestartIfSaturated(benchmark::State &state, bool saturated) {
    if (!saturated) return;
    state.PauseTiming();
    RestartDrawing();
    std::memset(bareCounts, 0, sizeof bareCounts);
    std::memset(bareIndices, 0, sizeof bareIndices);
    state.ResumeTiming();
}

void PlotEngine(benchmark::State &state, int32_t mode) {
    SetUpPicture(mode);
    uint64_t iterations = 0;
    for (auto _ : state) {
        const uint32_t before = totalIterations;
        if (PlotAttractor(kBudget) == 0) state.SkipWithError("orbit failed");
        iterations += totalIterations - before;
        RestartIfSaturated(state, maxColourIndex >= 200);
    }
    state.SetItemsProcessed(static_cast<int64_t>(iterations));
}

// The count, threshold and index update of one pixel, as the plotter does it.
inline void Accumulate(double x, double y, double scale, double originX, double originY,
                       int32_t &maxIndex) {
    const int32_t column = TruncateToInt32(scale * x + originX);
    const int32_t row = TruncateToInt32(originY - scale * y);
    if (static_cast<uint32_t>(column) >= static_cast<uint32_t>(imageWidth) ||
        static_cast<uint32_t>(row) >= static_cast<uint32_t>(imageHeight)) {
        return;
    }
    uint16_t &count = bareCounts[row][column];
    if (count >= 32766) return;
    uint8_t &index = bareIndices[row][column];
    if (densityThresholds[index] <= ++count) {
        ++index;
        if (index > maxIndex) maxIndex = index;
    }
}

uint32_t BareIterationsPerCall() {
    return kBudget * static_cast<uint32_t>(iterationsPerWorkUnit);
}

// The bare loop around a map step: `step` moves (x, y) on and returns false
// once the orbit has failed, as the plotter's own test would find.
template <typename Step>
void PlotBare(benchmark::State &state, Step step) {
    const double scale = pixelsPerUnitX;
    const double originX = viewOriginX;
    const double originY = viewOriginY;
    double x = orbitPoint[0];
    double y = orbitPoint[1];
    int32_t maxIndex = 0;
    uint64_t iterations = 0;
    for (auto _ : state) {
        for (uint32_t i = BareIterationsPerCall(); i != 0; --i) {
            if (!step(x, y)) {
                state.SkipWithError("orbit failed");
                break;
            }
            Accumulate(x, y, scale, originX, originY, maxIndex);
        }
        iterations += BareIterationsPerCall();
        RestartIfSaturated(state, maxIndex >= 200);
        if (maxIndex >= 200) maxIndex = 0;
    }
    benchmark::DoNotOptimize(x);
    state.SetItemsProcessed(static_cast<int64_t>(iterations));
}

void BM_PlotFunctionSystem(benchmark::State &state) {
    PlotEngine(state, 0);
}
BENCHMARK(BM_PlotFunctionSystem);

void BM_PlotFunctionSystemBare(benchmark::State &state) {
    SetUpPicture(0);
    const uint32_t maps = static_cast<uint32_t>(mapCount);
    uint32_t random = fastRandomState;
    PlotBare(state, [&](double &x, double &y) {
        random = static_cast<uint32_t>(static_cast<uint64_t>(random) * 1078318381u % 2147483647u);
        const MapRecord &m = functionTable[random % maps];
        const double t = m.m0 * x + m.m1 * y + m.e;
        const double u = m.m2 * x + m.m3 * y + m.f;
        x = t;
        y = u;
        return true;
    });
}
BENCHMARK(BM_PlotFunctionSystemBare);

void BM_PlotQuadraticMap(benchmark::State &state) {
    PlotEngine(state, 2);
}
BENCHMARK(BM_PlotQuadraticMap);

void BM_PlotQuadraticMapBare(benchmark::State &state) {
    SetUpPicture(2);
    const double c0 = quadCoef0, c1 = quadCoef1, c2 = quadCoef2;
    const double c3 = quadCoef3, c4 = quadCoef4, c5 = quadCoef5;
    PlotBare(state, [&](double &x, double &y) {
        const double nextX = c0 + x * (c1 + c2 * x + c3 * y) + y * (c4 + c5 * y);
        if (!std::isfinite(nextX) || !std::isfinite(x) || (nextX == x && x == y)) return false;
        y = x;
        x = nextX;
        return true;
    });
}
BENCHMARK(BM_PlotQuadraticMapBare);

void BM_PlotIconMap(benchmark::State &state) {
    PlotEngine(state, 3);
}
BENCHMARK(BM_PlotIconMap);

void BM_PlotIconMapBare(benchmark::State &state) {
    SetUpPicture(3);
    const double l = lambda, a = alpha, b = beta, g = gamma, w = omega[0];
    const uint32_t power = static_cast<uint32_t>(symmetryDegree - 1);
    PlotBare(state, [&](double &x, double &y) {
        // z^(n-1) by squaring, from the lowest bit up.
        double qRe = x, qIm = y, pRe = 1, pIm = 0;
        bool have = (power & 1u) != 0;
        if (have) pRe = x, pIm = y;
        for (uint32_t e = power >> 1; e != 0; e >>= 1) {
            const double nextIm = 2 * qRe * qIm;
            qRe = (qRe + qIm) * (qRe - qIm);
            qIm = nextIm;
            if ((e & 1u) == 0) continue;
            if (have) {
                const double re = pRe * qRe - pIm * qIm;
                pIm = pRe * qIm + pIm * qRe;
                pRe = re;
            } else {
                pRe = qRe, pIm = qIm, have = true;
            }
        }
        const double coefficient = l + a * (x * x + y * y) + b * (x * pRe - y * pIm);
        const double nextX = coefficient * x - w * y + g * pRe;
        const double nextY = coefficient * y + w * x - g * pIm;
        if (!std::isfinite(nextX) || !std::isfinite(nextY) || (nextX == x && nextY == y)) {
            return false;
        }
        x = nextX;
        y = nextY;
        return true;
    });
}
BENCHMARK(BM_PlotIconMapBare);

} // namespace
} // namespace quintorbelle
