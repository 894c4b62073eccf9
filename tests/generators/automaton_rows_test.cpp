// Automaton rows: the cell rule's wrapping arithmetic, periodic rows,
// scrolling once the image is full, the budget, and the repetition test
// with shifted repeats.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "support/pictures.h"

namespace quintorbelle::testing {
namespace {

// A rule whose new cell j is the old cell j + offset, for k states: weight 1
// at that offset only, state weights s, multiplier 1, mask 0.
void UseShiftRule(int32_t offset, int32_t states) {
    std::fill(positionWeights, positionWeights + 15, 0);
    positionWeights[7 + offset] = 1;
    neighbourhoodRadius = offset < 0 ? -offset : offset;
    for (uint32_t s = 0; s < 256; ++s) stateWeights[s] = s;
    ruleMultiplier = 1;
    ruleMask = 0;
    ruleModulus = 256;
    symmetryDegree = states;
    automatonColourCount = states;
}

void UsePicture(int32_t width, int32_t height) {
    imageWidth = width;
    imageHeight = height;
    automatonRow = 0;
    frameCounter = 0;
    iterationsPerWorkUnit = 1000000;
}

TEST(AutomatonCellRule, ProductsAndSumsWrapAt32BitsAndTheMaskIsTakenModuloTheModulus) {
    std::fill(positionWeights, positionWeights + 15, 0);
    neighbourhoodRadius = 1;
    ruleMask = 1000;
    ruleModulus = 777;
    automatonColourCount = 250;
    symmetryDegree = 223;
    EXPECT_EQ(AutomatonCellRule(), 223); // a zero row gives 1000 mod 777
    // By source without the option, a multiple of k becomes state 0.
    colourBySource = 1;
    EXPECT_EQ(AutomatonCellRule(), 0);
    modeOption = 1;
    EXPECT_EQ(AutomatonCellRule(), 223);

    // 3 x 2^31 + 2 x 2^31 = 2^31, times 3 = 2^31 again (mod 2^32).
    stateWeights[1] = 0x80000000u;
    positionWeights[6] = 3;
    positionWeights[7] = 2;
    neighbourhoodWindow[6] = neighbourhoodWindow[7] = 1;
    ruleMultiplier = 3;
    ruleMask = 0;
    ruleModulus = 1000;
    EXPECT_EQ(AutomatonCellRule(), 2147483648u % 1000 % 250);
    // Cells beyond the radius are not read, whatever their weight.
    positionWeights[5] = neighbourhoodWindow[5] = 1;
    EXPECT_EQ(AutomatonCellRule(), 2147483648u % 1000 % 250);
}

TEST(AutomatonRows, RowsArePeriodicAtBothEnds) {
    UsePicture(10, 2);
    UseShiftRule(-1, 8);
    std::memset(indexImage[0], 0, 10);
    indexImage[0][9] = 5;
    indexImage[0][3] = 2;
    EXPECT_EQ(GrowAutomatonRows(1), 1);
    EXPECT_EQ(automatonRow, 1);
    EXPECT_EQ(indexImage[1][0], 5);
    EXPECT_EQ(indexImage[1][4], 2);

    UseShiftRule(7, 8);
    automatonRow = 0;
    EXPECT_EQ(GrowAutomatonRows(1), 1);
    EXPECT_EQ(indexImage[1][2], 5); // cell 9
    EXPECT_EQ(indexImage[1][6], 2); // cell 13, that is 3

    // Narrower than eight cells: offset +7 reads cell (j + 7) mod 5.
    UsePicture(5, 2);
    std::memset(indexImage[0], 0, 5);
    indexImage[0][4] = 3;
    GrowAutomatonRows(1);
    EXPECT_EQ(indexImage[1][2], 3);
    EXPECT_EQ(std::count(indexImage[1], indexImage[1] + 5, 0), 4);
}

TEST(AutomatonRows, GliderMovingThreeCellsIsARepeatOfTheRowAbove) {
    UsePicture(40, 20);
    UseShiftRule(-3, 16);
    for (int j = 0; j < 40; ++j) indexImage[0][j] = static_cast<uint8_t>(j < 10 ? j + 1 : 0);
    iterationCount = 0;
    EXPECT_EQ(GrowAutomatonRows(1000), 0);
    EXPECT_EQ(iterationCount, 19u); // the test runs once per 19 generations
    EXPECT_EQ(indexImage[19][3 * 19 % 40], 1);
}

TEST(AutomatonRows, NarrowRowsOnlyRepeatInPlace) {
    for (int32_t width : {14, 15}) {
        UsePicture(width, 10);
        UseShiftRule(-1, 4);
        std::memset(indexImage[0], 0, 15);
        indexImage[0][0] = 1;
        iterationCount = 0;
        EXPECT_EQ(GrowAutomatonRows(1000), width < 15 ? 1 : 0) << width;
    }
}

TEST(AutomatonRows, FullImageScrollsOneGenerationPerCall) {
    // Every cell counts up by one modulo 100: no repeat within 15 rows.
    UsePicture(20, 400);
    iterationsPerWorkUnit = 1245;
    UseShiftRule(0, 100);
    for (uint32_t s = 0; s < 100; ++s) stateWeights[s] = s + 1;
    EXPECT_EQ(GrowAutomatonRows(100), 1);
    EXPECT_EQ(automatonRow, 399);
    EXPECT_EQ(paramOrigin, 0);

    EXPECT_EQ(GrowAutomatonRows(100), 1);
    EXPECT_EQ(automatonRow, 399);
    EXPECT_EQ(paramOrigin, 2);
    EXPECT_EQ(indexImage[0][0], 1);
    EXPECT_EQ(indexImage[397][5], 98);
    EXPECT_EQ(indexImage[398][5], 99); // the former row 399, computed again
    EXPECT_EQ(indexImage[399][19], 0); // the new generation
    EXPECT_EQ(RectOf(drawnRect), (Rect{0, 0, 20, 400}));
}

TEST(AutomatonRows, BudgetBelowFiftyCountsAsFifty) {
    UsePicture(20, 1000);
    iterationsPerWorkUnit = 20; // one unit per row
    areaPerWorkUnit = 1000000000;
    UseShiftRule(0, 100);
    for (uint32_t s = 0; s < 100; ++s) stateWeights[s] = s + 1;
    totalIterations = 0;
    EXPECT_EQ(GrowAutomatonRows(1), 1);
    EXPECT_EQ(automatonRow, 50);
    EXPECT_EQ(totalIterations, 50u * 20);
    GrowAutomatonRows(0);
    EXPECT_EQ(automatonRow, 100);
}

} // namespace
} // namespace quintorbelle::testing
