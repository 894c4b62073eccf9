// One-dimensional automaton rows: the cell rule, the growth of the picture
// one generation per row, the scrolling once the image is full, and the test
// that stops the picture when a row repeats one of the rows before it.
//
// Depends on the rule (automaton_rule.cpp) and on the weight tables and
// colour count of the mode's set-up (automaton_set_up.cpp), which also seeds
// the first row. Nothing here clears the image.
#include <cstdint>
#include <cstring>

#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "generators/plot_support.h"

namespace quintorbelle {
namespace {

constexpr uint32_t kMinimumBudget = 50;
constexpr int32_t kRepeatDepth = 15; // rows looked back, and cells shifted sideways
constexpr int32_t kWindowHalf = 7;

// The rule as the cells read it, copied out of the shared state so that it
// stays in registers while a row is written (a byte store into indexImage
// may alias any global). The state weights are read where they are.
struct CellRule {
    int32_t radius; // 0..7: the weight tables cover offsets -7..+7
    uint32_t multiplier, mask, modulus;
    uint32_t states;     // k
    uint32_t colours;    // automatonColourCount
    bool zeroOnMultiple; // colourBySource without modeOption
    uint32_t positionWeight[2 * kWindowHalf + 1];
};

CellRule CurrentCellRule() {
    CellRule rule;
    rule.radius = neighbourhoodRadius < 0 ? 0 : neighbourhoodRadius > 7 ? 7 : neighbourhoodRadius;
    rule.multiplier = ruleMultiplier;
    rule.mask = ruleMask;
    rule.modulus = ruleModulus;
    rule.states = static_cast<uint32_t>(symmetryDegree);
    rule.colours = static_cast<uint32_t>(automatonColourCount);
    rule.zeroOnMultiple = colourBySource != 0 && modeOption == 0;
    for (int32_t i = 0; i < 2 * kWindowHalf + 1; ++i) {
        rule.positionWeight[i] = static_cast<uint32_t>(positionWeights[i]);
    }
    return rule;
}

// Writes `count` new cells; cell j's neighbourhood is the 15 cells from
// window + j on, centred on window + j + 7. Products and sums wrap modulo
// 2^32. The radius is a template argument so that the sum is unrolled and
// its weights held in registers.
template <int32_t R>
void WriteCells(const CellRule &sharedRule, const uint8_t *window, uint8_t *cells, int32_t count) {
    const CellRule rule = sharedRule;
    uint32_t weight[2 * R + 1];
    for (int32_t o = 0; o <= 2 * R; ++o) weight[o] = rule.positionWeight[kWindowHalf - R + o];
    for (int32_t j = 0; j < count; ++j) {
        const uint8_t *near = window + j + kWindowHalf - R;
        uint32_t sum = 0;
        for (int32_t o = 0; o <= 2 * R; ++o) sum += stateWeights[near[o]] * weight[o];
        const uint32_t v = ((sum * rule.multiplier) ^ rule.mask) % rule.modulus;
        const bool zero = rule.zeroOnMultiple && v % rule.states == 0;
        cells[j] = static_cast<uint8_t>(zero ? 0 : v % rule.colours);
    }
}

void WriteCells(const CellRule &rule, const uint8_t *window, uint8_t *cells, int32_t count) {
    switch (rule.radius) {
    case 0: WriteCells<0>(rule, window, cells, count); break;
    case 1: WriteCells<1>(rule, window, cells, count); break;
    case 2: WriteCells<2>(rule, window, cells, count); break;
    case 3: WriteCells<3>(rule, window, cells, count); break;
    case 4: WriteCells<4>(rule, window, cells, count); break;
    case 5: WriteCells<5>(rule, window, cells, count); break;
    case 6: WriteCells<6>(rule, window, cells, count); break;
    default: WriteCells<7>(rule, window, cells, count); break;
    }
}

// Computes row `row` from the row above. Rows are periodic. Rather than
// shifting a 15-cell window along the row, the row above is laid out once
// with seven cells of its far ends on either side, and cell j reads the 15
// cells from j on; the cells read are the same. Images narrower than 8 cells
// wrap as often as needed: offset o always reads cell (j + o) modulo the
// width.
void ComputeRow(const CellRule &rule, int32_t row, int32_t width) {
    uint8_t padded[kImageStride + 2 * kWindowHalf];
    const uint8_t *above = indexImage[row - 1];
    if (width >= kWindowHalf) {
        std::memcpy(padded, above + width - kWindowHalf, kWindowHalf);
        std::memcpy(padded + kWindowHalf, above, static_cast<size_t>(width));
        std::memcpy(padded + kWindowHalf + width, above, kWindowHalf);
    } else {
        for (int32_t i = 0; i < width + 2 * kWindowHalf; ++i) {
            padded[i] = above[((i - kWindowHalf) % width + width) % width];
        }
    }
    WriteCells(rule, padded, indexImage[row], width);
}

// Whether the newest row repeats one of the rows before it, in place or
// shifted sideways by up to 15 cells.
bool RowRepeats(int32_t row, int32_t width) {
    const uint8_t *newest = indexImage[row];
    for (int32_t d = 1; d <= kRepeatDepth && d < row; ++d) {
        const uint8_t *earlier = indexImage[row - d];
        const size_t cells = static_cast<size_t>(width);
        if (std::memcmp(newest, earlier, cells) == 0) return true;
        if (width < kRepeatDepth) continue;
        for (int32_t s = 1; s <= kRepeatDepth; ++s) {
            const size_t overlap = static_cast<size_t>(width - s);
            if (std::memcmp(newest, earlier + s, overlap) == 0 ||
                std::memcmp(newest + s, earlier, overlap) == 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

uint8_t AutomatonCellRule() {
    uint8_t state;
    WriteCells(CurrentCellRule(), neighbourhoodWindow, &state, 1);
    return state;
}

int32_t GrowAutomatonRows(uint32_t budget) {
    const CellRule rule = CurrentCellRule();
    const int32_t width = imageWidth;
    const int32_t height = imageHeight;
    const int32_t fullRow = height > 3 ? height : 3;
    const uint32_t perUnit = static_cast<uint32_t>(iterationsPerWorkUnit);

    int32_t r = automatonRow;
    drawnRect[kLeft] = 0;
    drawnRect[kRight] = width;
    drawnRect[kTop] = r + frameCounter;
    drawnRect[kBottom] = r + frameCounter;
    changedPixelCount = height * width;
    if (budget < kMinimumBudget) budget = kMinimumBudget;
    // A picture without cells has no generations to grow.
    if (width < 1) return 1;

    WorkMeter meter;
    auto chargeArea = [&] {
        meter.ChargeArea(static_cast<uint32_t>(drawnRect[kBottom] - drawnRect[kTop]) *
                         static_cast<uint32_t>(width));
    };

    while (meter.units < budget) {
        ++r;
        // The image is full: scroll it up by one row and compute the last
        // two rows again, so each new generation costs one scroll. A row
        // beyond the full one (the picture shrank since) scrolls the same
        // way rather than running past the image.
        if (r >= fullRow) {
            paramOrigin = 2;
            const int32_t before[4] = {drawnRect[kLeft], drawnRect[kTop], drawnRect[kRight],
                                       drawnRect[kBottom]};
            drawnRect[kLeft] = 0;
            drawnRect[kTop] = 0;
            if (drawnRect[kRight] < 1) drawnRect[kRight] = 1;
            if (drawnRect[kBottom] < 1) drawnRect[kBottom] = 1;
            if (std::memcmp(before, drawnRect, sizeof before) != 0) chargeArea();
            r = fullRow - 2;
            std::memmove(indexImage[0], indexImage[1], static_cast<size_t>(r) * kImageStride);
        }

        ComputeRow(rule, r, width);

        bool grown = false;
        if (drawnRect[kLeft] > 0) drawnRect[kLeft] = 0, grown = true;
        if (r < drawnRect[kTop]) drawnRect[kTop] = r, grown = true;
        if (drawnRect[kRight] < 1) drawnRect[kRight] = 1, grown = true;
        if (drawnRect[kBottom] < r + 1) drawnRect[kBottom] = r + 1, grown = true;
        if (grown) chargeArea();

        meter.pendingIterations += static_cast<uint32_t>(width);
        while (meter.pendingIterations >= perUnit) {
            meter.pendingIterations -= perUnit;
            totalIterations += perUnit;
            ++meter.units;
        }

        // Once per screenful, look for a repeat: the automaton has become
        // periodic and the picture is over.
        if (height > 1) {
            ++iterationCount;
            if (iterationCount % static_cast<uint32_t>(height - 1) == 0) {
                ++meter.units;
                if (RowRepeats(r, width)) {
                    meter.Flush();
                    return 0;
                }
            }
        }
        if (r == height - 1) break;
    }

    automatonRow = r;
    meter.Flush();
    return 1;
}

} // namespace quintorbelle
