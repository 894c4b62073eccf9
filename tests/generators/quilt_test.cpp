// Quilt maps and the wallpaper plotter: the steps against hand-worked values,
// the reduction into the cell, the placement of a point in its lattice cell
// and the copy of its colour over the lattice. Both lattices, the sheared
// variant and the colours by source are guarded by the reference pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "support/pictures.h"

namespace quintorbelle::testing {
namespace {

// Every coloured pixel, looking past the picture for stray copies.
Pixels ColouredPixels() {
    return PixelsWhere([](uint8_t index, uint16_t) { return index != 0; }, 64, 64);
}

void SetCoefficients(double m, double l, double a, double b, double g, double w) {
    quiltConstant = m;
    lambda = l;
    alpha = a;
    beta = b;
    gamma = g;
    omega[0] = w;
}

// A lattice of 10-pixel cells, rows of 10 (square) or 8 (hexagonal) pixels,
// over a picture 30 wide and three rows high, drawn by density with one
// iteration per work unit. The map with m = 1 and no other terms keeps the
// orbit at (x, y).
void SetUpFixedPointLattice(bool hex, double x, double y) {
    StartEngine(nullptr);
    std::memset(indexImage, 0, sizeof indexImage);
    std::memset(countImage, 0, sizeof countImage);
    changedPixelCount = 0;
    const int32_t rowHeight = hex ? 8 : 10;
    imageWidth = displayWidth = 30;
    imageHeight = 3 * rowHeight;
    hexLattice = hex ? 1 : 0;
    latticeCellWidth = 10;
    latticeRowHeight = rowHeight;
    pixelsPerUnitX = 10;
    pixelsPerUnitY = rowHeight;
    viewOriginX = 0;
    viewOriginY = imageHeight;
    mirrorSymmetry = 1;
    SetCoefficients(1, 0, 0, 0, 0, 0);
    orbitPoint[0] = x;
    orbitPoint[1] = y;
    iterationsPerWorkUnit = 1;
    for (uint16_t &threshold : densityThresholds) threshold = 1;
}

TEST(QuiltSteps, ReductionIntoTheCell) {
    StartEngine(nullptr);
    mirrorSymmetry = 1;
    // x steps to exactly 1.0 and -1.0: both reduce to 0, never to 1.
    SetCoefficients(2, 0, 0, 0, 0, 0);
    orbitPoint[0] = 0.5;
    orbitPoint[1] = 0.75;
    StepSquareQuilt();
    EXPECT_EQ(PointOf(orbitPoint), (Point{0.0, 0.5}));
    quiltConstant = -2;
    orbitPoint[0] = 0.5;
    orbitPoint[1] = 0.25;
    StepSquareQuilt();
    EXPECT_EQ(PointOf(orbitPoint), (Point{0.0, 0.5}));
}

TEST(QuiltPlot, CopiesCoverTheLatticeAndNegativeColumnsComeBackByWholeCells) {
    // Hexagonal: row ceil(24 - 0.5) = 24 is the origin row, so the point
    // moves up a row and half a cell left, to column 3 - 5 = -2, then 8.
    SetUpFixedPointLattice(true, 0.35, 0.0625);
    PlotQuilt(1);
    EXPECT_EQ(
        ColouredPixels(),
        (Pixels{{8, 16}, {18, 16}, {28, 16}, {3, 8}, {13, 8}, {23, 8}, {8, 0}, {18, 0}, {28, 0}}));
    EXPECT_EQ(countImage[16][8], 1);

    // Square: an origin left of the picture gives floor(3.5 - 7) = -4, then 6.
    SetUpFixedPointLattice(false, 0.35, 0.25);
    viewOriginX = -7;
    PlotQuilt(1);
    Pixels expected;
    for (int row : {28, 18, 8}) {
        for (int column : {6, 16, 26}) expected.insert({column, row});
    }
    EXPECT_EQ(ColouredPixels(), expected);
    EXPECT_EQ(changedPixelCount, 9);
    // Only the first place is counted, not its copies.
    EXPECT_EQ(countImage[28][6], 1);
    EXPECT_EQ(countImage[18][16], 0);
}

TEST(QuiltPlot, ZoomedCoarseLatticeDrawsOnlyTheBottomBand) {
    SetUpFixedPointLattice(false, 0.35, 0.25);
    displayWidth = 15; // less than two cells
    viewZoomed = 1;
    PlotQuilt(1);
    EXPECT_EQ(RectOf(drawnRect), (Rect{0, 20, 10, 30}));
    EXPECT_EQ(ColouredPixels(), (Pixels{{3, 28}}));
}

TEST(QuiltPlot, SaturatedCountFinishesThePictureAndKeepsItsColour) {
    SetUpFixedPointLattice(false, 0.35, 0.25);
    countImage[28][3] = 32766;
    indexImage[28][3] = 7;
    PlotQuilt(1);
    EXPECT_EQ(drawStatus, 2);
    EXPECT_EQ(countImage[28][3], 32766);
    EXPECT_EQ(ColouredPixels(), (Pixels{{3, 28}}));
}

TEST(QuiltPlot, AnimationGoesOnToIndexEightAndAreaIsChargedAtMostTwoThirds) {
    SetUpFixedPointLattice(false, 0.35, 0.25);
    areaPerWorkUnit = 1; // 900 units of area
    animationFrame = 1;
    for (uint16_t i = 0; i < 255; ++i) densityThresholds[i] = static_cast<uint16_t>(i + 1);
    PlotQuilt(0);
    EXPECT_EQ(iterationCount, 8u);
    EXPECT_EQ(maxColourIndex, 8);

    animationFrame = 0;
    iterationCount = totalIterations = 0;
    iterationsPerWorkUnit = 10;
    PlotQuilt(30); // the area charged is capped at 2 x 30 / 3 = 20 units
    EXPECT_EQ(iterationCount, 100u);
    EXPECT_EQ(totalIterations, 100u);
}

} // namespace
} // namespace quintorbelle::testing
