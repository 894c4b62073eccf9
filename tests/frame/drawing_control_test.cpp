// Set-up, restart, zoom and animation frames of a picture.
#include <gtest/gtest.h>

#include <cmath>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/pictures.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

using DrawingControl = EngineTest<640, 480>;

TEST_F(DrawingControl, SetUpClampsTheDegreeAndOnlyModesTwoAndThreeMeasureChaos) {
    drawMode = 2;
    symmetryDegree = 0;
    viewFitted = 1;
    SetUpDrawing();
    EXPECT_EQ(symmetryDegree, 1);
    EXPECT_EQ(viewFitted, 0); // modes 0 to 3 wait for the view fitting
    EXPECT_EQ(divergenceIteration, 0u);
    EXPECT_EQ(surveyBox.xMin, 1e300);
    EXPECT_EQ(shadowPoint[0], 0.0100000001);

    drawMode = 0;
    mapCount = 1;
    functionTable[0] = {0.5, 0, 0, 0.5, 1, 2, 1, 0};
    SetUpDrawing();
    EXPECT_EQ(divergenceIteration, 1u);
}

TEST_F(DrawingControl, FunctionSystemStartsAtTheFixedPointOfMapZero) {
    drawMode = 0;
    mapCount = 2;
    functionTable[0] = {0.5, 0, 0, 0.5, 1, 2, 1, 0};  // fixed point (2, 4)
    functionTable[1] = {0.5, 0, 0, 0.5, -1, 0, 1, 0}; // fixed point (-2, 0)
    variation = 1;
    SetUpDrawing();
    EXPECT_DOUBLE_EQ(orbitPoint[0], 2);
    EXPECT_DOUBLE_EQ(orbitPoint[1], 4);
    const double s = (0.01 + 4 + 20) / 4;
    EXPECT_DOUBLE_EQ(variationSoftening, 2.5 * s);
    EXPECT_DOUBLE_EQ(variationScale, 2 * s);

    variation = 6;
    SetUpDrawing();
    EXPECT_DOUBLE_EQ(variationSoftening, 0.5 * s);
    EXPECT_DOUBLE_EQ(variationScale, 0.4 * s);
}

TEST_F(DrawingControl, WalkersAreClampedAndMirrored) {
    drawMode = 7;
    symmetryDegree = 20;
    SetUpDrawing();
    EXPECT_EQ(symmetryDegree, 12);
    EXPECT_EQ(walkerCount, 12);

    symmetryDegree = 3;
    mirrorSymmetry = 1;
    SetUpDrawing();
    ASSERT_EQ(walkerCount, 6);
    const int32_t headings[] = {0, 4, 8, 0, 4, 8};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(walkers[i].heading, headings[i]);
        EXPECT_EQ(walkers[i].x, 320);
        EXPECT_EQ(walkers[i].y, 240);
    }
    EXPECT_EQ(RectOf(walkerSquare), (Rect{80, 0, 560, 480}));
    // Twelve headings: exact sines at the twelfths of a turn.
    EXPECT_EQ(directionTable[1][0], 0.5);
    EXPECT_EQ(directionTable[3][0], 1);
    EXPECT_EQ(directionTable[3][1], 0);
    EXPECT_EQ(directionTable[6][1], -1);
}

TEST_F(DrawingControl, QuiltLatticesAreResnappedBelowThePicture) {
    drawMode = 4;
    symmetryDegree = 6;
    SetUpDrawing();
    EXPECT_EQ(hexLattice, 1);
    EXPECT_EQ(latticeCellWidth, 138); // 2 trunc(480 / sqrt 3 / 4 + 0.5)
    EXPECT_EQ(latticeRowHeight, 119); // trunc((138 sqrt 3 + 0.5) / 2)
    // Each row moved down shifts the origin half a cell left; the origin
    // then lies in (-w, 0] and [h, h + a).
    EXPECT_GE(viewOriginY, 480);
    EXPECT_LT(viewOriginY, 480 + 119);
    EXPECT_LE(viewOriginX, 0);
    EXPECT_GT(viewOriginX, -138);
    EXPECT_EQ(std::fmod(viewOriginX + 69 * 1000, 69), 0);

    TestHost tall(800, 600);
    symmetryDegree = 3;
    SetUpDrawing();
    EXPECT_EQ(hexLattice, 0);
    EXPECT_EQ(latticeCellWidth, 200);
    EXPECT_EQ(fitOrigin[1], 599);
    EXPECT_EQ(viewOriginY, 799); // 599 moved one row down, into [600, 800)
    EXPECT_EQ(viewOriginX, 0);
}

TEST_F(DrawingControl, QuiltConstantByDegree) {
    drawMode = 4;
    const std::pair<int32_t, double> expected[] = {
        {1, 0.5}, {3, 1.0}, {5, 0.0}, {7, 2},   {8, 2},  {9, -2}, {10, -2},
        {11, 4},  {12, 4},  {13, -4}, {14, -4}, {23, 2}, {24, 2},
    };
    for (auto [degree, beforeHalving] : expected) {
        symmetryDegree = degree;
        mapVariant = 0;
        SetUpDrawing();
        EXPECT_EQ(quiltConstant, beforeHalving / 2) << degree;
    }
    symmetryDegree = 8;
    mapVariant = 1; // the hexagonal variant halves once more
    SetUpDrawing();
    EXPECT_EQ(quiltConstant, 0.5);
}

TEST_F(DrawingControl, ZoomKeepsThePlanePointUnderThePixel) {
    drawMode = 3;
    pixelsPerUnitX = pixelsPerUnitY = 100;
    viewOriginX = 320;
    viewOriginY = 240;
    const double planeX = (400 - 320) / 100.0;
    const double planeY = -(100 - 240) / 100.0;
    ZoomAtPixel(250, 400, 100);
    EXPECT_EQ(pixelsPerUnitY, 250);
    EXPECT_DOUBLE_EQ((400 - viewOriginX) / 250, planeX);
    EXPECT_DOUBLE_EQ(-(100 - viewOriginY) / 250, planeY);
    EXPECT_EQ(viewZoomed, 1);
}

TEST_F(DrawingControl, QuiltZoomKeepsWholePixelCells) {
    drawMode = 4;
    symmetryDegree = 4;
    SetUpDrawing();
    ZoomAtPixel(1.5, 10, 10);
    EXPECT_EQ(latticeCellWidth, 1);
    EXPECT_EQ(latticeRowHeight, 1);
    ZoomAtPixel(301.7, 10, 10);
    EXPECT_EQ(latticeCellWidth, 301);
    EXPECT_EQ(latticeRowHeight, 260); // trunc((301 sqrt 3 + 0.5) / 2)
    EXPECT_EQ(pixelsPerUnitY, 260);
}

TEST_F(DrawingControl, RestartChoosesTheStartingColourIndexByMode) {
    colourBySource = 1;
    mapCount = 9;
    walkerCount = 5;
    automatonColourCount = 6;
    const std::pair<int32_t, int32_t> expected[] = {{0, 9},   {1, 9}, {2, 255},
                                                    {6, 255}, {7, 5}, {8, 6}};
    for (auto [mode, index] : expected) {
        drawMode = mode;
        RestartDrawing();
        EXPECT_EQ(maxColourIndex, index) << mode;
    }
    colourBySource = 0;
    drawMode = 3;
    RestartDrawing();
    EXPECT_EQ(maxColourIndex, 0);
}

TEST_F(DrawingControl, RestartClearsTheWholeImagesExceptForTheAutomaton) {
    countImage[1023][1279] = 5;
    drawMode = 8;
    RestartDrawing();
    EXPECT_EQ(countImage[1023][1279], 5);
    drawMode = 2;
    RestartDrawing();
    EXPECT_EQ(countImage[1023][1279], 0);
}

TEST_F(DrawingControl, ComplexViewMapsTheOriginPixelToTheCentres) {
    drawMode = 5;
    startAxis[0] = -0.0;
    startAxis[1] = 0.0;
    startCentre[0] = 0.25;
    startCentre[1] = -0.5;
    constantAxis[0] = 0.6;
    constantAxis[1] = 0.8;
    constantCentre[0] = -0.75;
    constantCentre[1] = 0.1;
    SetUpDrawing();
    EXPECT_EQ(pixelsPerUnitX, 160 * 0.9375); // min(480 / 3, 640 / 4) pixels, less a sixteenth
    EXPECT_EQ(startFixed, 1);                // negative zero counts as zero
    EXPECT_EQ(constantFixed, 0);

    auto mapPixel = [](const double *step, const double *offset, double x, double y, double *out) {
        out[0] = step[0] * x + step[1] * y + offset[0];
        out[1] = step[1] * x - step[0] * y + offset[1];
    };
    double c[2];
    mapPixel(constantStep, constantOffset, 320, 240, c);
    EXPECT_NEAR(c[0], -0.75, 1e-15);
    EXPECT_NEAR(c[1], 0.1, 1e-15);
    // One pixel right moves by the axis over the scale; one pixel down turns it.
    double right[2];
    mapPixel(constantStep, constantOffset, 321, 240, right);
    EXPECT_NEAR(right[0] - c[0], 0.6 / pixelsPerUnitX, 1e-15);
    EXPECT_NEAR(right[1] - c[1], 0.8 / pixelsPerUnitX, 1e-15);
}

TEST_F(DrawingControl, AnimationEndsAfterItsFramesAndKeepsSayingSo) {
    drawMode = 3;
    animationFrame = 0;
    NextAnimationFrame(0);
    EXPECT_EQ(animationFrame, 1);
    EXPECT_EQ(animationReverse, 1);
    for (int frame = 2; frame <= 360; ++frame) NextAnimationFrame(1);
    EXPECT_EQ(animationFrame, 360);
    EXPECT_TRUE(host.Commands().empty());
    NextAnimationFrame(1);
    NextAnimationFrame(1);
    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{kCommandAnimation, kCommandAnimation}));
    EXPECT_EQ(host.received().back().lParam, kSourcePlain);
}

TEST_F(DrawingControl, AnimationFrameClearsCountsButNotColours) {
    drawMode = 2;
    countImage[3][3] = 9;
    indexImage[3][3] = 4;
    maxColourIndex = 4;
    NextAnimationFrame(1);
    EXPECT_EQ(countImage[3][3], 0);
    EXPECT_EQ(indexImage[3][3], 4);
    EXPECT_EQ(maxColourIndex, 0);
    EXPECT_EQ(RectOf(drawnRect), (Rect{640, 480, 0, 0}));
}

TEST_F(DrawingControl, AutomatonFramesCountOnlyItsRefreshes) {
    drawMode = 8;
    frameCounter = 0;
    animationFrame = 1;
    for (int frame = 1; frame <= 11; ++frame) {
        NextAnimationFrame(1);
        EXPECT_EQ(animationFrame, 1) << frame;
    }
    NextAnimationFrame(1); // the twelfth continuing frame refreshes
    EXPECT_EQ(animationFrame, 2);
    EXPECT_EQ(frameCounter, 1);
    for (int frame = 1; frame <= 10; ++frame) NextAnimationFrame(1);
    EXPECT_EQ(animationFrame, 2);
    NextAnimationFrame(1);
    EXPECT_EQ(animationFrame, 3);
}

} // namespace
} // namespace quintorbelle::testing
