// The orbit-statistics picture: the classes of one orbit step against the
// cusp orbit and the previous modulus, the levels, the counted class and its
// colour steps, the late escapes of variant 8 and the animation's first call.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "complex/complex.h"
#include "complex/complex_fixtures.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "support/pictures.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

// 11.25 pixels per unit, origin (24, 18).
class OrbitStatisticsTest : public EngineTest<48, 36> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        mapVariant = 1;
        colouringVariant = 0;
        SetUpClassicSlice();
        std::fill(std::begin(densityThresholds), std::end(densityThresholds), 1);
    }
    void TearDown() override {
        std::free(orbitStore);
        orbitStore = nullptr;
    }

    static int FinishedPixels() {
        return static_cast<int>(
            PixelsWhere([](uint8_t, uint16_t count) { return count >= 32768; }).size());
    }
};

TEST_F(OrbitStatisticsTest, FirstLevelComparesOneStepWithTheCuspSquare) {
    const int32_t finished = StepOrbitStatistics();
    EXPECT_EQ(iterationCount, 1u);
    EXPECT_EQ(cuspOrbitModulus, 0.0625); // (1/4)^2
    EXPECT_EQ(countImage[18][24], 1);    // c = 0: |z1|^2 = 0, counted
    EXPECT_EQ(indexImage[18][24], 1);
    EXPECT_EQ(countImage[18][26], 1);   // |c|^2 = 0.032
    EXPECT_EQ(countImage[18][28], 0);   // |c|^2 = 0.126, above 1/16
    EXPECT_EQ(countImage[0][0], 32768); // escaped
    EXPECT_EQ(finished, FinishedPixels());
    EXPECT_GT(finished, 0);
    EXPECT_EQ(maxColourIndex, 1);
    EXPECT_EQ(lastChangeIteration, 1u);
}

TEST_F(OrbitStatisticsTest, FirstStepClassesOfEveryVariant) {
    iterationCount = 1;
    SetUpEscapeRadius(1);
    cuspOrbitModulus = 0.1;
    // With c = 0: from 0.5 the modulus shrinks below g, from 0.9 it shrinks
    // above g, from 1.1 it grows, from 1.5 it escapes.
    const struct {
        double z0;
        int32_t variant, expected;
    } cases[] = {
        {0.5, 0, 2}, {0.5, 1, 2}, {0.5, 2, 2}, {0.5, 3, 2}, {0.5, 4, 1}, {0.5, 5, 1},
        {0.5, 6, 1}, {0.5, 7, 1}, {0.5, 8, 1}, {0.5, 9, 1}, {0.9, 0, 1}, {0.9, 1, 1},
        {0.9, 2, 2}, {0.9, 3, 2}, {0.9, 4, 1}, {0.9, 5, 2}, {1.1, 1, 1}, {1.1, 2, 1},
        {1.1, 3, 1}, {1.5, 0, 0}, {1.5, 3, 0}, {1.5, 8, 3},
    };
    for (const auto &c : cases) {
        colouringVariant = c.variant;
        FixOrbit(c.z0, 0, 0, 0);
        EXPECT_EQ(ClassifyOrbitStep(0, 0, 0), c.expected)
            << "variant " << c.variant << " from " << c.z0;
    }
}

TEST_F(OrbitStatisticsTest, LaterStepsResumeFromTheSavedPoint) {
    iterationCount = 2;
    SetUpEscapeRadius(1);
    cuspOrbitModulus = 0.1;
    // Without the store an orbit starts again, and never stands still.
    colouringVariant = 4;
    FixOrbit(0, 0, 0, 0);
    EXPECT_EQ(ClassifyOrbitStep(0, 0, 1), 1);

    orbitStore = static_cast<double *>(std::malloc(48 * 36 * 2 * sizeof(double)));
    const struct {
        double saved, c;
        int32_t variant, expected;
    } cases[] = {
        {0, 0, 0, 2},     {0, 0, 4, 0},     {0, 0, 6, 0},     {0, 0, 8, 0}, // standing still
        {0.5, 0, 6, 2},   {0.5, 0, 8, 1},   {0.5, 0, 4, 1},   {0.3, 0.3, 7, 2},
        {0.3, 0.3, 8, 2}, {0.3, 0.3, 4, 1}, {0.3, 0.3, 5, 1},
    };
    for (const auto &c : cases) {
        colouringVariant = c.variant;
        FixOrbit(5, 5, c.c, 0); // the start point must not be used
        orbitStore[0] = c.saved;
        orbitStore[1] = 0;
        EXPECT_EQ(ClassifyOrbitStep(0, 0, 1), c.expected)
            << "variant " << c.variant << " from " << c.saved << " with c = " << c.c;
        EXPECT_EQ(orbitStore[0], c.saved * c.saved + c.c);
    }
}

TEST_F(OrbitStatisticsTest, CountedClassClimbsThroughTheThresholdsAndWraps) {
    indexImage[18][24] = 255;
    countImage[18][26] = 32764;
    StepOrbitStatistics();
    EXPECT_EQ(indexImage[18][24], 0); // 255 + 1 as an 8-bit value
    EXPECT_EQ(countImage[18][26], 32765);
    StepOrbitStatistics();
    EXPECT_EQ(iterationCount, 2u);
    EXPECT_EQ(settleIteration, 1u);
    EXPECT_EQ(countImage[18][26], 32766);
    StepOrbitStatistics();
    EXPECT_EQ(countImage[18][26], 32766); // no longer visited
    EXPECT_EQ(countImage[18][24], 3);
}

TEST_F(OrbitStatisticsTest, LateEscapesTakeTheTopColour) {
    colouringVariant = 8;
    indexImage[0][5] = 1;
    densityThresholds[1] = 40;
    densityThresholds[2] = 50;
    EXPECT_EQ(StepOrbitStatistics(), 0);
    EXPECT_EQ(indexImage[0][0], 1); // its index 0 was the top
    EXPECT_EQ(indexImage[0][1], 1);
    EXPECT_EQ(indexImage[0][5], 2); // its index 1 was the top by then
    EXPECT_EQ(indexImage[0][6], 2);
    EXPECT_EQ(maxColourIndex, 2);
    EXPECT_EQ(countImage[0][0], 40 + 32767);
    EXPECT_EQ(countImage[0][6], 50 + 32767);
}

TEST_F(OrbitStatisticsTest, AnimationBringsANewPictureToSeventeenLevelsOrToItsEnd) {
    animationFrame = 3;
    const int32_t finished = StepOrbitStatistics();
    EXPECT_EQ(iterationCount, 17u);
    EXPECT_EQ(finished, FinishedPixels());

    iterationCount = 0;
    std::memset(countImage, 0, sizeof countImage);
    FixOrbit(0, 0, 3, 0); // everything escapes at the first level
    EXPECT_EQ(StepOrbitStatistics(), 48 * 36);
    EXPECT_EQ(iterationCount, 1u);
    EXPECT_EQ(drawStatus, 2);
}

} // namespace
} // namespace quintorbelle::testing
