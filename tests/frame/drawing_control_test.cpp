// Set-up, restart, zoom and animation frames of a picture.
#include <gtest/gtest.h>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/pictures.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

using DrawingControl = EngineTest<640, 480>;

TEST_F(DrawingControl, FunctionSystemStartsAtTheFixedPointOfMapZero) {
    drawMode = 0;
    symmetryDegree = 0;
    mapCount = 2;
    functionTable[0] = {0.5, 0, 0, 0.5, 1, 2, 1, 0};  // fixed point (2, 4)
    functionTable[1] = {0.5, 0, 0, 0.5, -1, 0, 1, 0}; // fixed point (-2, 0)
    variation = 1;
    SetUpDrawing();
    EXPECT_EQ(symmetryDegree, 1);
    EXPECT_EQ(divergenceIteration, 1u); // only modes 2 and 3 measure chaos
    EXPECT_EQ(PointOf(orbitPoint), (Point{2, 4}));
    const double s = (0.01 + 4 + 20) / 4;
    EXPECT_DOUBLE_EQ(variationSoftening, 2.5 * s);
    EXPECT_DOUBLE_EQ(variationScale, 2 * s);
    drawMode = 2;
    SetUpDrawing();
    EXPECT_EQ(divergenceIteration, 0u);
}

TEST_F(DrawingControl, WalkersAreClampedToTwelveHeadings) {
    drawMode = 7;
    symmetryDegree = 20;
    SetUpDrawing();
    EXPECT_EQ(symmetryDegree, 12);
    EXPECT_EQ(walkerCount, 12);
    // Exact sines at the twelfths of a turn.
    EXPECT_EQ(directionTable[1][0], 0.5);
    EXPECT_EQ(directionTable[3][1], 0);
}

TEST_F(DrawingControl, SquareQuiltLatticeIsResnappedBelowThePicture) {
    TestHost tall(800, 600);
    drawMode = 4;
    symmetryDegree = 3;
    SetUpDrawing();
    EXPECT_EQ(hexLattice, 0);
    EXPECT_EQ(latticeCellWidth, 200);
    EXPECT_EQ(viewOriginY, 799); // 599 moved one row down, into [600, 800)
    EXPECT_EQ(viewOriginX, 0);
}

TEST_F(DrawingControl, QuiltConstantByDegree) {
    drawMode = 4;
    // Halved; the hexagonal variant (even degrees) halves once more.
    const struct {
        int32_t degree, variant;
        double constant;
    } cases[] = {{1, 0, 0.25}, {3, 0, 0.5}, {5, 0, 0},  {7, 0, 1},   {8, 0, 1},
                 {9, 0, -1},   {10, 0, -1}, {11, 0, 2}, {12, 0, 2},  {13, 0, -2},
                 {14, 0, -2},  {23, 0, 1},  {24, 0, 1}, {8, 1, 0.5}, {9, 1, -1}};
    for (const auto &c : cases) {
        symmetryDegree = c.degree;
        mapVariant = c.variant;
        SetUpDrawing();
        EXPECT_EQ(quiltConstant, c.constant) << c.degree << ", variant " << c.variant;
    }
}

TEST_F(DrawingControl, ZoomKeepsThePlanePointUnderThePixel) {
    drawMode = 3;
    pixelsPerUnitX = pixelsPerUnitY = 100;
    viewOriginX = 320;
    viewOriginY = 240;
    ZoomAtPixel(250, 400, 100); // the plane point (0.8, 1.4)
    EXPECT_EQ(pixelsPerUnitY, 250);
    EXPECT_DOUBLE_EQ(viewOriginX, 400 - 250 * 0.8);
    EXPECT_DOUBLE_EQ(viewOriginY, 100 + 250 * 1.4);
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
    EXPECT_EQ(pixelsPerUnitY, 260); // trunc((301 sqrt 3 + 0.5) / 2)
}

TEST_F(DrawingControl, RestartSetsTheColourIndexClearsTheImagesAndFixesZeroAxes) {
    mapCount = 9;
    walkerCount = 5;
    automatonColourCount = 6;
    const struct {
        int32_t mode, bySource, index;
    } cases[] = {{0, 1, 9}, {1, 1, 9}, {2, 1, 255}, {6, 1, 255},
                 {7, 1, 5}, {3, 0, 0}, {8, 1, 6},   {8, 0, 6}};
    for (const auto &c : cases) {
        drawMode = c.mode;
        colourBySource = c.bySource;
        RestartDrawing();
        EXPECT_EQ(maxColourIndex, c.index) << c.mode << ", by source " << c.bySource;
    }
    countImage[1023][1279] = 5;
    RestartDrawing(); // the automaton adds rows to those drawn
    EXPECT_EQ(countImage[1023][1279], 5);
    drawMode = 5;
    startAxis[0] = -0.0; // negative zero counts as zero
    constantAxis[1] = 0.8;
    RestartDrawing();
    EXPECT_EQ(countImage[1023][1279], 0);
    EXPECT_EQ(startFixed, 1);
    EXPECT_EQ(constantFixed, 0);
}

TEST_F(DrawingControl, AnimationClearsCountsEachFrameAndEndsAfterItsFrames) {
    drawMode = 3;
    animationFrame = 0;
    NextAnimationFrame(0);
    EXPECT_EQ(animationFrame, 1);
    EXPECT_EQ(animationReverse, 1);
    countImage[3][3] = 9;
    indexImage[3][3] = 4;
    maxColourIndex = 4;
    NextAnimationFrame(1);
    EXPECT_EQ(countImage[3][3], 0);
    EXPECT_EQ(indexImage[3][3], 4);
    EXPECT_EQ(maxColourIndex, 0);
    EXPECT_EQ(RectOf(drawnRect), (Rect{640, 480, 0, 0}));
    for (int frame = 3; frame <= 360; ++frame) NextAnimationFrame(1);
    EXPECT_EQ(animationFrame, 360);
    EXPECT_TRUE(host.Commands().empty());
    NextAnimationFrame(1);
    NextAnimationFrame(1); // and keeps saying so
    EXPECT_EQ(host.Commands(), (std::vector<int32_t>{kCommandAnimation, kCommandAnimation}));
    EXPECT_EQ(host.received().back().lParam, kSourcePlain);
}

TEST_F(DrawingControl, AutomatonFramesCountOnlyItsRefreshes) {
    drawMode = 8;
    frameCounter = 0;
    animationFrame = 1;
    // The twelfth continuing frame refreshes, and every eleventh after it.
    const int32_t framesAfter[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2,
                                   2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3};
    for (int32_t expected : framesAfter) {
        NextAnimationFrame(1);
        EXPECT_EQ(animationFrame, expected);
    }
}

} // namespace
} // namespace quintorbelle::testing
