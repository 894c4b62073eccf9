// The mode parameter generator: animation frames and their flag defaults,
// the coefficient draws and the push of lambda away from zero, the walker
// table and its replay, and the restart-only request.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "support/random_draws.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

constexpr double kF6 = 1.3969839299026973e-09;

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

TEST_F(ModeParametersTest, IconFrameDefaultsTo5407) {
    drawMode = 3;
    lambda = 2;
    alpha = 3;
    omega[0] = 6;
    drawStatus = 2;
    viewFitted = 1;
    GenerateModeParameters(3);
    EXPECT_EQ(animationFlags, 5407);
    EXPECT_EQ(lambda, 2 / 1.001);
    EXPECT_EQ(alpha, 3 * 1.001);
    EXPECT_EQ(omega[0], 6 / 1.001);
    EXPECT_EQ(drawStatus, 0);
    EXPECT_EQ(viewFitted, 1); // no restart
}

TEST_F(ModeParametersTest, QuadraticFrameDefaultsTo5439AndMovesAllSix) {
    drawMode = 2;
    quadCoef0 = quadCoef1 = quadCoef2 = quadCoef3 = quadCoef4 = quadCoef5 = 1.5;
    animationReverse = 1;
    GenerateModeParameters(3);
    EXPECT_EQ(animationFlags, 5439);
    EXPECT_EQ(quadCoef0, 1.5 / 0.999);
    EXPECT_EQ(quadCoef1, 1.5 * 0.999);
    EXPECT_EQ(quadCoef5, 1.5 * 0.999);
}

TEST_F(ModeParametersTest, SixthQuadraticCoefficientHasItsOwnBits) {
    drawMode = 2;
    quadCoef0 = quadCoef5 = 1.5;
    animationFlags = 32 | 256 | 8192; // the sixth alone, divided
    GenerateModeParameters(3);
    EXPECT_EQ(animationFlags, 32 | 256 | 8192);
    EXPECT_EQ(quadCoef0, 1.5);
    EXPECT_EQ(quadCoef5, 1.5 / 1.001);
}

TEST_F(ModeParametersTest, QuiltFramesStepByOnePercent) {
    drawMode = 4;
    lambda = 1;
    animationFlags = 1;
    GenerateModeParameters(3);
    EXPECT_EQ(lambda, 1.01);
    animationReverse = 1;
    GenerateModeParameters(3);
    EXPECT_EQ(lambda, 1.01 * 0.99);
}

TEST_F(ModeParametersTest, DrawCountsPerModeAndTheMirroredIconsSmallTurn) {
    drawMode = 2;
    EXPECT_EQ(DrawsDuring(1), 6u);
    EXPECT_EQ(paramOrigin, 0);
    drawMode = 4;
    EXPECT_EQ(DrawsDuring(1), 5u);
    drawMode = 3;
    symmetryDegree = 4;
    mirrorSymmetry = 1;
    mapVariant = 0;
    EXPECT_EQ(DrawsDuring(2), 5u);
    EXPECT_LE(std::abs(omega[0]), 0.1);
    EXPECT_EQ(viewFitted, 0); // new parameters set the picture up
}

TEST_F(ModeParametersTest, LambdaIsPushedAwayFromZeroWithSymmetry) {
    drawMode = 3;
    mapVariant = 0;
    struct Case {
        int32_t degree;
        int32_t mirror;
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
    for (const Case &c : cases) {
        symmetryDegree = c.degree;
        mirrorSymmetry = c.mirror;
        NextDrawIs(c.draw);
        GenerateModeParameters(1);
        const double drawn = c.draw * kF6 - 3;
        EXPECT_DOUBLE_EQ(lambda, drawn + c.shift) << c.draw << " degree " << c.degree;
    }
}

TEST_F(ModeParametersTest, WalkerTableReplaysOnRequest4) {
    drawMode = 7;
    EXPECT_EQ(DrawsDuring(1), 256u);
    EXPECT_EQ(paramOrigin, 2);
    uint32_t first[256];
    std::memcpy(first, walkerRandomTable, sizeof first);

    GenerateModeParameters(4);
    EXPECT_TRUE(std::equal(std::begin(first), std::end(first), walkerRandomTable));
    GenerateModeParameters(4);
    EXPECT_TRUE(std::equal(std::begin(first), std::end(first), walkerRandomTable));

    // A new table saves the state it was drawn from, for the next replay.
    randomMultiplier = 12345;
    GenerateModeParameters(1);
    EXPECT_EQ(savedWalkerMultiplier, 12345u);
    EXPECT_FALSE(std::equal(std::begin(first), std::end(first), walkerRandomTable));
    uint32_t second[256];
    std::memcpy(second, walkerRandomTable, sizeof second);
    randomMultiplier = 999;
    GenerateModeParameters(4);
    EXPECT_TRUE(std::equal(std::begin(second), std::end(second), walkerRandomTable));
}

TEST_F(ModeParametersTest, Request0OnlySetsThePictureUp) {
    drawMode = 3;
    lambda = 1.25;
    quadCoef0 = 2.5;
    viewFitted = 1;
    iterationCount = 99;
    paramOrigin = 2;
    EXPECT_EQ(DrawsDuring(0), 0u);
    EXPECT_EQ(lambda, 1.25);
    EXPECT_EQ(quadCoef0, 2.5);
    EXPECT_EQ(paramOrigin, 2);
    EXPECT_EQ(viewFitted, 0);
    EXPECT_EQ(iterationCount, 0u);
    EXPECT_EQ(orbitPoint[0], 0.01);
}

} // namespace
} // namespace quintorbelle::testing
