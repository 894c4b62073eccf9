// Walkers: the mirrored group's turn, the edges of the square with and
// without wrapping, and the marks they leave. The plain group's moves and
// turns are guarded by the reference pictures.
#include <gtest/gtest.h>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "support/pictures.h"

namespace quintorbelle::testing {
namespace {

// Walkers in a 100 x 100 picture, starting at (50, 50); one move per unit.
void SetUpWalkerPicture(int32_t degree, int32_t mirror) {
    StartEngine(nullptr);
    drawMode = 7;
    imageWidth = imageHeight = displayWidth = 100;
    symmetryDegree = degree;
    mirrorSymmetry = mirror;
    SetUpDrawing();
    iterationsPerWorkUnit = 1;
}

TEST(Walkers, MirroredGroupTurnsTheOtherWayAfterARound) {
    SetUpWalkerPicture(2, 1);
    ASSERT_EQ(walkerCount, 4);
    walkerRandomTable[0] = 8; // t = 8 mod 7 + 1 = 2
    StepWalkers(3);
    EXPECT_EQ(walkers[0].heading, 0); // no turn before the round is complete
    EXPECT_EQ(currentWalker, 3);
    StepWalkers(1);
    EXPECT_EQ(walkers[0].heading, 2);
    EXPECT_EQ(walkers[3].heading, 2); // a mirrored walker turns back from 4
    EXPECT_EQ(currentWalker, 0);
    EXPECT_EQ(indexImage[50][50], 4); // four visits of the start cell
}

TEST(Walkers, RightEdgeIsOutsideAndLeftEdgeInside) {
    SetUpWalkerPicture(1, 0);
    iterationsPerWorkUnit = 1245;
    walkers[0] = {99.0, 50.0, 2}; // a quarter turn: (1, 0)
    EXPECT_EQ(StepWalkers(10), 0);
    EXPECT_EQ(walkers[0].x, 100.0); // stays outside
    EXPECT_EQ(currentWalker, 0);
    EXPECT_EQ(iterationCount, 0u);
    EXPECT_EQ(indexImage[50][99], 0);

    iterationsPerWorkUnit = 1;
    walkers[0] = {1.0, 50.0, 6}; // three quarters: (-1, 0)
    EXPECT_EQ(StepWalkers(1), 1);
    EXPECT_EQ(walkers[0].x, 0.0);
    EXPECT_EQ(indexImage[50][1], 1);
}

TEST(Walkers, WrappingBringsWalkersBackAcrossTheSquare) {
    SetUpWalkerPicture(1, 0);
    modeOption = 1;
    walkers[0] = {99.5, 50.0, 2};
    EXPECT_EQ(StepWalkers(1), 1);
    EXPECT_EQ(walkers[0].x, 0.5);
    walkers[0] = {0.5, 50.0, 6};
    StepWalkers(1);
    EXPECT_EQ(walkers[0].x, 99.5);
    walkers[0] = {50.0, 99.0, 0}; // y reaches the bottom edge exactly
    StepWalkers(1);
    EXPECT_EQ(walkers[0].y, 0.0);
}

TEST(Walkers, MarksWrapAndOwnColourIsErased) {
    SetUpWalkerPicture(1, 0);
    // The 256th visit wraps to 0 and the cell counts as unmarked again.
    indexImage[50][50] = 255;
    changedPixelCount = 5;
    StepWalkers(1);
    EXPECT_EQ(indexImage[50][50], 0);
    EXPECT_EQ(changedPixelCount, 4);

    // By source the single walker paints colour 1 and erases it again.
    SetUpWalkerPicture(1, 0);
    colourBySource = 1;
    indexImage[50][50] = 1;
    indexImage[51][50] = 3;
    changedPixelCount = 5;
    walkerRandomTable[0] = 6; // t = 7: heading 7 after the first move
    walkers[0] = {50.0, 50.0, 4};
    StepWalkers(1);
    EXPECT_EQ(indexImage[50][50], 0);
    EXPECT_EQ(changedPixelCount, 4);
    walkers[0] = {50.0, 51.0, 0};
    StepWalkers(1);
    EXPECT_EQ(indexImage[51][50], 1);
    EXPECT_EQ(changedPixelCount, 4);
}

TEST(Walkers, BudgetAreaAndFrameCounter) {
    SetUpWalkerPicture(1, 0);
    EXPECT_EQ(StepWalkers(0), 1);
    EXPECT_EQ(iterationCount, 0u);

    // A new pixel of area is a unit of work when areaPerWorkUnit is 1.
    iterationsPerWorkUnit = 1245;
    areaPerWorkUnit = 1;
    EmptyRect(drawnRect);
    EXPECT_EQ(StepWalkers(1), 1);
    EXPECT_EQ(iterationCount, 1u);
    EXPECT_EQ(RectOf(drawnRect), (Rect{50, 50, 51, 51}));

    // On a later frame the rectangle starts empty again.
    frameCounter = 1;
    StepWalkers(1);
    EXPECT_EQ(drawnRect[kBottom] - drawnRect[kTop], 1);
}

} // namespace
} // namespace quintorbelle::testing
