// Walkers: the mirrored group's turn, the edges of the square with and
// without wrapping, and the marks they leave. The plain group's moves and
// turns are guarded by the reference pictures.
#include <gtest/gtest.h>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "generators/generators.h"

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

TEST(Walkers, RightAndBottomEdgesAreOutsideLeftAndTopInside) {
    // Heading 2 moves by (1, 0), heading 6 by (-1, 0), heading 0 by (0, 1).
    const struct {
        int32_t wrap;
        Walker from;
        double x, y;
        int32_t result;
    } cases[] = {
        {0, {99, 50, 2}, 100, 50, 0}, // stays outside, unmarked, and moves first next time
        {0, {1, 50, 6}, 0, 50, 1},      {1, {99.5, 50, 2}, 0.5, 50, 1},
        {1, {0.5, 50, 6}, 99.5, 50, 1}, {1, {50, 99, 0}, 50, 0, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << "wrap " << c.wrap << " from " << c.from.x << ", " << c.from.y);
        SetUpWalkerPicture(1, 0);
        modeOption = c.wrap;
        walkers[0] = c.from;
        EXPECT_EQ(StepWalkers(1), c.result);
        EXPECT_EQ(walkers[0].x, c.x);
        EXPECT_EQ(walkers[0].y, c.y);
        EXPECT_EQ(indexImage[static_cast<int>(c.from.y)][static_cast<int>(c.from.x)], c.result);
        EXPECT_EQ(iterationCount, static_cast<uint32_t>(c.result));
        EXPECT_EQ(currentWalker, 0);
    }
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

} // namespace
} // namespace quintorbelle::testing
