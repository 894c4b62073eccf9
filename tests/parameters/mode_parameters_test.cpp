// The mode parameter generator: animation frames and their flag defaults,
// the push of lambda away from zero, the mirrored icon's small turn, and
// the walker table and its replay.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "support/random_draws.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

class ModeParametersTest : public ::testing::Test {
  protected:
    TestHost host{320, 240};
    void SetUp() override {
        randomMultiplier = 2654435761u;
        randomCounter = 77;
    }
    static uint32_t DrawsDuring(int32_t request) {
        const uint32_t before = randomCounter;
        GenerateModeParameters(request);
        return randomCounter - before;
    }
};

// Bits 1 to 32 select coefficients and 256 to 8192 divide them instead; the
// reverse flag swaps the factor. A frame does not restart the picture.
TEST_F(ModeParametersTest, AnimationFramesScaleTheSelectedCoefficients) {
    drawMode = 3;
    lambda = 2;
    alpha = 3;
    drawStatus = 2;
    viewFitted = 1;
    GenerateModeParameters(3);
    EXPECT_EQ(animationFlags, 5407);
    EXPECT_EQ(lambda, 2 / 1.001);
    EXPECT_EQ(alpha, 3 * 1.001);
    EXPECT_EQ(drawStatus, 0);
    EXPECT_EQ(viewFitted, 1);

    // Bit 32 counts as a coefficient bit of the quadratic map: its default
    // moves all six, and the sixth has its own direction bit.
    drawMode = 2;
    animationFlags = 0;
    animationReverse = 1;
    quadCoef0 = quadCoef5 = 1.5;
    GenerateModeParameters(3);
    EXPECT_EQ(animationFlags, 5439);
    EXPECT_EQ(quadCoef0, 1.5 / 0.999);
    EXPECT_EQ(quadCoef5, 1.5 * 0.999);
    animationReverse = 0;
    quadCoef0 = quadCoef5 = 1.5;
    animationFlags = 32 | 256 | 8192;
    GenerateModeParameters(3);
    EXPECT_EQ(animationFlags, 32 | 256 | 8192);
    EXPECT_EQ(quadCoef0, 1.5);
    EXPECT_EQ(quadCoef5, 1.5 / 1.001);

    drawMode = 4; // quilts step by one per cent
    lambda = 1;
    animationFlags = 1;
    GenerateModeParameters(3);
    EXPECT_EQ(lambda, 1.01);
}

TEST_F(ModeParametersTest, AMirroredIconHasASmallTurn) {
    drawMode = 3;
    symmetryDegree = 4;
    mirrorSymmetry = 1;
    EXPECT_EQ(DrawsDuring(2), 5u);
    EXPECT_LE(std::abs(omega[0]), 0.1);
    EXPECT_EQ(viewFitted, 0); // new parameters set the picture up
}

TEST_F(ModeParametersTest, LambdaIsPushedAwayFromZeroWithSymmetry) {
    drawMode = 3;
    const struct {
        int32_t degree, mirror;
        uint32_t draw;
        double shift;
    } cases[] = {
        {1, 0, 2505397467u, 0},   // lambda 0.5, no symmetry: unchanged
        {3, 0, 2505397467u, 2},   // 0.5 becomes 2.5
        {3, 0, 1789569619u, -2},  // -0.5 becomes -2.5
        {2, 1, 2720145822u, 1.2}, // just above 0.8: 2.0 and no more
        {2, 1, 2712987543u, 2.2}, // 0.79: 1.99, below 2, so one more
        {3, 1, 2712987543u, 1.2}, // the last push is for degree 2 only
        {2, 1, 2147483544u, 2},   // just above zero: 2, then past 1 and 2
        {2, 1, 2147483543u, -2},  // just below zero: -2, then past -1 and -2
        {2, 0, 4294967086u, 0},   // 3 is far enough from zero
    };
    for (const auto &c : cases) {
        symmetryDegree = c.degree;
        mirrorSymmetry = c.mirror;
        NextDrawIs(c.draw);
        GenerateModeParameters(1);
        const double drawn = c.draw * 1.3969839299026973e-09 - 3;
        EXPECT_DOUBLE_EQ(lambda, drawn + c.shift) << c.draw << " degree " << c.degree;
    }
}

// A new table saves the state it was drawn from; request 4 rewinds to it.
TEST_F(ModeParametersTest, WalkerTableReplaysOnRequest4) {
    drawMode = 7;
    const auto table = [] {
        return std::vector<uint32_t>(std::begin(walkerRandomTable), std::end(walkerRandomTable));
    };
    EXPECT_EQ(DrawsDuring(1), 256u);
    const std::vector<uint32_t> first = table();
    for (int replay = 0; replay < 2; ++replay) {
        GenerateModeParameters(4);
        EXPECT_EQ(table(), first) << replay;
    }
    randomMultiplier = 12345;
    GenerateModeParameters(1);
    const std::vector<uint32_t> second = table();
    EXPECT_NE(second, first);
    randomMultiplier = 999;
    GenerateModeParameters(4);
    EXPECT_EQ(table(), second);
}

} // namespace
} // namespace quintorbelle::testing
