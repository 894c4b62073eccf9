// Quilt maps and the wallpaper plotter: the steps against hand-worked and
// directly computed values, the reduction into the cell, the placement of a
// point in its lattice cell and the copy of its colour over the lattice.
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

TEST(QuiltSteps, MultipleAnglesAgreeWithDirectTrigonometry) {
    StartEngine(nullptr);
    const double m = 0.3, l = -0.4, a = 0.25, b = 0.15, g = -0.2, w = 0.1;
    SetCoefficients(m, l, a, b, g, w);
    const double x = 0.137, y = 0.61;
    const double X = twoPi * x, Y = twoPi * y;
    double ex = m * x + l * std::sin(X) + a * std::sin(X) * std::cos(Y) + b * std::sin(2 * X) +
                g * std::sin(3 * X) * std::cos(2 * Y) - w * std::sin(Y);
    double ey = m * y + l * std::sin(Y) + a * std::sin(Y) * std::cos(X) + b * std::sin(2 * Y) +
                g * std::sin(3 * Y) * std::cos(2 * X) + w * std::sin(X);
    orbitPoint[0] = x;
    orbitPoint[1] = y;
    StepSquareQuilt();
    EXPECT_NEAR(orbitPoint[0], ex - std::floor(ex), 1e-12);
    EXPECT_NEAR(orbitPoint[1], ey - std::floor(ey), 1e-12);

    const double A = twoPi * x, B = pi * y;
    const double s3 = std::sqrt(3.0), r = std::sqrt(0.75);
    const double lx = std::sin(A) * std::cos(B);
    const double ly = 2.0 / 3 * std::sin(B) * (2 * std::cos(B) + std::cos(A));
    const double ax = std::sin(A) * (std::cos(A) + std::cos(B) * (std::cos(2 * B) - 0.5));
    const double ay = std::sin(B) * std::cos(A) * (2 * std::cos(2 * B) + 1);
    const double bx = 4 * std::sin(A) * std::cos(B) * (std::cos(2 * A) + 0.5) +
                      std::sin(A) * std::cos(5 * B) + std::sin(2 * A) * std::cos(4 * B);
    const double by = 2 * (std::cos(A) * std::sin(5 * B) + std::cos(2 * A) * std::sin(4 * B));
    const double gx = s3 * (std::sin(2 * A) * std::cos(4 * B) - std::sin(A) * std::cos(5 * B));
    const double gy = (4 * std::cos(A) * std::sin(B) * (std::cos(2 * A) - 0.5) -
                       std::cos(2 * A) * std::sin(4 * B) + std::cos(A) * std::sin(5 * B)) /
                      r;
    // With the map variant, the linear part shears.
    mapVariant = 1;
    const double hx = m * (x - 1.5 * y) + l * lx + a * ax + b * bx + g * gx - w * r * ly;
    const double hy = m * (2 * x + y) + l * ly + a * ay + b * by + g * gy + w / r * lx;
    const double u = hx - hy / 2;
    const double reducedY = hy - std::floor(hy);
    const double reducedX = u + reducedY / 2 - std::floor(u + reducedY / 2);
    orbitPoint[0] = x;
    orbitPoint[1] = y;
    StepHexQuilt();
    EXPECT_NEAR(orbitPoint[0], reducedX, 1e-12);
    EXPECT_NEAR(orbitPoint[1], reducedY, 1e-12);
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

TEST(QuiltPlot, ColourBySourceComesThroughTheDelayLine) {
    SetUpFixedPointLattice(true, 0.35, 0.25);
    colourBySource = 1;
    colouringVariant = 2;
    // The first two colours out of the delay line are its cleared entries.
    PlotQuilt(2);
    EXPECT_TRUE(ColouredPixels().empty());
    PlotQuilt(1);
    // The place in the cell is the sheared x, brought into the display.
    const int32_t column = (static_cast<int32_t>(30 * shadowPoint[0]) + 30) % 30;
    const uint8_t colour = ColourFromPosition(column, static_cast<int32_t>(24 * orbitPoint[1]));
    EXPECT_EQ(indexImage[22][3], colour);
    EXPECT_EQ(indexImage[14][8], colour);
    EXPECT_EQ(settleIteration, 2u);
    EXPECT_EQ(lastChangeIteration, 2u);
    EXPECT_EQ(drawStatus, 0);
    // No new pixel for a quarter of the iterations, past 4096 units of work.
    workCounter = 4097;
    PlotQuilt(1);
    EXPECT_EQ(drawStatus, 2);
}

} // namespace
} // namespace quintorbelle::testing
