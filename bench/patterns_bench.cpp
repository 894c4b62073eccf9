// The quilt plotter, the walkers and the automaton rows, each beside a bare
// loop of the same work written here alone: the same map, placement and
// copy for the quilt, the same moves, marks and turns for the walkers, the
// same weighted sums for the automaton. Items are orbit iterations, walker
// moves and automaton cells.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "parameters/parameters.h"

namespace quintorbelle {
namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 1024;
constexpr uint32_t kBudget = 200;

void UsePicture(int32_t mode) {
    StartEngine(nullptr);
    randomMultiplier = 123456789;
    randomCounter = 1;
    drawMode = mode;
    imageWidth = displayWidth = kWidth;
    imageHeight = kHeight;
    for (int i = 0; i < 256; ++i) {
        densityThresholds[i] = static_cast<uint16_t>(i == 255 ? 32767 : 1 + i * i / 2);
    }
}

// Quilt of degree 3 on the square lattice (341-pixel cells, 12 copies of
// every point), coloured by density.
void SetUpQuilt() {
    UsePicture(4);
    symmetryDegree = 3;
    lambda = -0.59;
    alpha = 0.2;
    beta = 0.1;
    gamma = -0.33;
    omega[0] = 0.05;
    SetUpDrawing();
}

void BM_PlotQuilt(benchmark::State &state) {
    SetUpQuilt();
    const uint32_t before = iterationCount;
    for (auto _ : state) PlotQuilt(kBudget);
    state.SetItemsProcessed(static_cast<int64_t>(iterationCount - before));
}
BENCHMARK(BM_PlotQuilt);

uint16_t bareCounts[kHeight][kImageStride];
uint8_t bareIndices[kHeight][kImageStride];

void BM_PlotQuiltBare(benchmark::State &state) {
    SetUpQuilt();
    const double m = quiltConstant, l = lambda, a = alpha, b = beta, g = gamma, w = omega[0];
    const double tp = twoPi, ox = viewOriginX, oy = viewOriginY;
    const double sx0 = pixelsPerUnitX, sy0 = pixelsPerUnitY;
    const int32_t cell = latticeCellWidth, rowHeight = latticeRowHeight;
    const int32_t right = kWidth, bottom = kHeight;
    double x = orbitPoint[0], y = orbitPoint[1];
    int64_t items = 0;
    int32_t changed = 0;
    for (auto _ : state) {
        uint32_t units = 0, pending = 0;
        while (units < kBudget) {
            if (++pending >= 1245) {
                ++units;
                pending = 0;
            }
            const double sx = std::sin(tp * x), cx = std::cos(tp * x);
            const double sy = std::sin(tp * y), cy = std::cos(tp * y);
            double nx = m * x + l * sx + a * sx * cy + b * (2 * sx * cx) +
                        g * (3 * sx * cx * cx - sx * sx * sx) * (1 - 2 * sy * sy);
            double ny = m * y + l * sy + a * sy * cx + b * (2 * sy * cy) +
                        g * (3 * sy * cy * cy - sy * sy * sy) * (1 - 2 * sx * sx);
            nx -= w * sy;
            ny += w * sx;
            nx -= std::trunc(nx);
            ny -= std::trunc(ny);
            x = nx < 0 ? nx + 1 : nx;
            y = ny < 0 ? ny + 1 : ny;
            int32_t row = static_cast<int32_t>(std::ceil(oy - sy0 * y));
            int32_t column = static_cast<int32_t>(std::floor(sx0 * x + ox));
            if (row >= bottom) row -= rowHeight;
            while (column < 0) column += cell;
            ++items;
            if (column >= right || row < 0) continue;
            const int32_t index = bareIndices[row][column];
            uint16_t &count = bareCounts[row][column];
            if (count >= 32766) continue;
            ++count;
            if (densityThresholds[index] > count) continue;
            const uint8_t colour = static_cast<uint8_t>(index + 1);
            const bool isNew = index == 0;
            int32_t step = cell;
            do {
                if (column >= 0 && column < right) {
                    bareIndices[row][column] = colour;
                    if (isNew) ++changed;
                }
                column += step;
                if (step > 0 ? column >= right : column < 0) {
                    row -= rowHeight;
                    step = -step;
                }
            } while (row >= 0);
        }
        benchmark::DoNotOptimize(bareIndices);
        benchmark::DoNotOptimize(changed);
    }
    state.SetItemsProcessed(items);
}
BENCHMARK(BM_PlotQuiltBare);

// Six walkers in three mirrored pairs, wrapping around their square.
void SetUpWalkerGroup() {
    UsePicture(7);
    symmetryDegree = 3;
    mirrorSymmetry = 1;
    modeOption = 1;
    for (uint32_t &value : walkerRandomTable) value = Random();
    SetUpDrawing();
}

void BM_StepWalkers(benchmark::State &state) {
    SetUpWalkerGroup();
    const uint32_t before = iterationCount;
    for (auto _ : state) StepWalkers(kBudget);
    state.SetItemsProcessed(static_cast<int64_t>(iterationCount - before));
}
BENCHMARK(BM_StepWalkers);

void BM_StepWalkersBare(benchmark::State &state) {
    SetUpWalkerGroup();
    const int count = walkerCount, group = symmetryDegree, headings = walkerTurnTable[group];
    const double left = walkerSquare[kLeft], right = walkerSquare[kRight];
    const double top = walkerSquare[kTop], bottom = walkerSquare[kBottom];
    double wx[kMaxWalkers], wy[kMaxWalkers];
    int32_t heading[kMaxWalkers];
    for (int i = 0; i < count; ++i) {
        wx[i] = walkers[i].x;
        wy[i] = walkers[i].y;
        heading[i] = walkers[i].heading;
    }
    int32_t rect[4] = {kWidth, kHeight, 0, 0};
    int w = 0;
    int64_t items = 0, settle = 0;
    int32_t changed = 0, maxIndex = 0;
    for (auto _ : state) {
        uint32_t units = 0, pending = 0, areaUnits = 0;
        do {
            const int32_t column = static_cast<int32_t>(wx[w]);
            const int32_t row = static_cast<int32_t>(wy[w]);
            wx[w] += directionTable[heading[w]][0];
            wy[w] += directionTable[heading[w]][1];
            if (wx[w] >= right) wx[w] += left - right;
            if (wx[w] < left) wx[w] += right - left;
            if (wy[w] >= bottom) wy[w] += top - bottom;
            if (wy[w] < top) wy[w] += bottom - top;
            const int next = w + 1 == count ? 0 : w + 1;
            if (++pending >= 1245) {
                ++units;
                pending = 0;
            }
            const int32_t old = bareIndices[row][column];
            if (old == 0) {
                ++changed;
                settle = items + items / 4;
            }
            const int32_t value = (old + 1) & 0xFF;
            if (value == 0) --changed;
            if (maxIndex < value) maxIndex = value;
            bareIndices[row][column] = static_cast<uint8_t>(value);
            bool grown = false;
            if (column < rect[0]) rect[0] = column, grown = true;
            if (row < rect[1]) rect[1] = row, grown = true;
            if (column + 1 > rect[2]) rect[2] = column + 1, grown = true;
            if (row + 1 > rect[3]) rect[3] = row + 1, grown = true;
            if (grown) {
                const uint32_t now =
                    static_cast<uint32_t>((rect[2] - rect[0]) * (rect[3] - rect[1])) / 56000;
                units = units - areaUnits + now;
                areaUnits = now;
            }
            if (next == 0) {
                const uint8_t under =
                    bareIndices[static_cast<int32_t>(wy[0])][static_cast<int32_t>(wx[0])];
                const int32_t t =
                    static_cast<int32_t>(walkerRandomTable[under] % (headings - 1) + 1);
                for (int i = 0; i < count; ++i) {
                    heading[i] = i < group ? (heading[i] + t) % headings
                                           : (heading[i] - t + headings) % headings;
                }
            }
            w = next;
            ++items;
        } while (units < kBudget);
        benchmark::DoNotOptimize(bareIndices);
        benchmark::DoNotOptimize(changed + maxIndex + settle);
    }
    state.SetItemsProcessed(items);
}
BENCHMARK(BM_StepWalkersBare);

// A radius-2 rule of four states over the whole 1280-cell width; each
// benchmark round grows the picture from its first row to the bottom.
void SetUpAutomatonRule() {
    UsePicture(8);
    symmetryDegree = 4;
    ruleClass = 1;
    neighbourhoodRadius = 2;
    neighbourhoodMask = 0x3E0;
    std::strcpy(ruleName, "R2ECC");
    ruleMultiplier = 12345;
    ruleMask = 6789;
    ruleModulus = 30011;
    ruleSeed = 987654321;
    SetUpDrawing();
}

void BM_GrowAutomatonRows(benchmark::State &state) {
    SetUpAutomatonRule();
    int64_t cells = 0;
    for (auto _ : state) {
        automatonRow = 0;
        iterationCount = 1; // no repetition test in the rows timed
        const uint32_t before = totalIterations;
        GrowAutomatonRows(1000000);
        cells += totalIterations - before;
    }
    state.SetItemsProcessed(cells);
}
BENCHMARK(BM_GrowAutomatonRows);

void BM_GrowAutomatonRowsBare(benchmark::State &state) {
    SetUpAutomatonRule();
    const uint32_t multiplier = ruleMultiplier, mask = ruleMask, modulus = ruleModulus;
    const uint32_t colours = static_cast<uint32_t>(automatonColourCount);
    const uint32_t states = static_cast<uint32_t>(symmetryDegree);
    const bool zeroOnMultiple = colourBySource != 0 && modeOption == 0;
    uint32_t weights[5], stateWeight[256];
    for (int i = 0; i < 5; ++i) weights[i] = static_cast<uint32_t>(positionWeights[5 + i]);
    std::memcpy(stateWeight, stateWeights, sizeof stateWeight);
    std::memcpy(bareIndices[0], indexImage[0], kWidth);
    int64_t cells = 0;
    for (auto _ : state) {
        for (int row = 1; row < kHeight; ++row) {
            // The row above with its far ends copied beside it.
            uint8_t padded[kWidth + 4];
            std::memcpy(padded, bareIndices[row - 1] + kWidth - 2, 2);
            std::memcpy(padded + 2, bareIndices[row - 1], kWidth);
            std::memcpy(padded + 2 + kWidth, bareIndices[row - 1], 2);
            uint8_t *cellsOut = bareIndices[row];
            for (int j = 0; j < kWidth; ++j) {
                uint32_t sum = 0;
                for (int o = 0; o < 5; ++o) sum += stateWeight[padded[j + o]] * weights[o];
                const uint32_t v = ((sum * multiplier) ^ mask) % modulus;
                const bool zero = zeroOnMultiple && v % states == 0;
                cellsOut[j] = static_cast<uint8_t>(zero ? 0 : v % colours);
            }
        }
        cells += static_cast<int64_t>(kHeight - 1) * kWidth;
        benchmark::DoNotOptimize(bareIndices);
    }
    state.SetItemsProcessed(cells);
}
BENCHMARK(BM_GrowAutomatonRowsBare);

} // namespace
} // namespace quintorbelle
