// Complex slices: the escape radius and cusp orbit, random points on a
// circle, the seven kinds of slice with their draws and animation bits, and
// one animation step.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "support/pictures.h"
#include "support/random_draws.h"

namespace quintorbelle::testing {
namespace {

class ComplexSliceTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartEngine(nullptr);
        drawMode = 5;
        symmetryDegree = 1;
        mirrorSymmetry = 0;
        mapVariant = 0;
        colourBySource = 0;
        colouringVariant = 0;
    }

    // Generates a slice of the kind and returns the number of draws taken.
    static uint32_t Generate(int32_t kind) {
        SeekDraws(1, [&](const Draws &d) { return d[0] % 7 == static_cast<uint32_t>(kind); });
        const uint32_t before = randomCounter;
        GenerateComplexSlice();
        return randomCounter - before;
    }

    // The animation bits that suit the slice, as a step with no bit of its
    // own in common writes them back.
    static int32_t SliceBits() {
        animationFlags = 0;
        reciprocalScale = 0;
        StepComplexSlice();
        return animationFlags;
    }
};

TEST_F(ComplexSliceTest, EscapeRadiusAndCuspOfTheMainComponent) {
    SetUpEscapeRadius(1);
    EXPECT_EQ(escapeRadius, 2);
    EXPECT_EQ(escapeRadiusSquared, 4);
    EXPECT_NEAR(cuspParameter, 0.25, 1e-15);

    symmetryDegree = 2;
    SetUpEscapeRadius(1);
    EXPECT_EQ(escapeRadius, std::sqrt(2.0));
    EXPECT_NEAR(cuspParameter, 1 / std::sqrt(3.0) - 1 / std::sqrt(27.0), 1e-15);

    // The corner colouring widens the radius.
    colourBySource = 1;
    colouringVariant = 7;
    SetUpEscapeRadius(1);
    EXPECT_EQ(escapeRadius, 2);
    symmetryDegree = 1;
    SetUpEscapeRadius(1);
    EXPECT_EQ(escapeRadius, 4);
    mapVariant = 1;
    SetUpEscapeRadius(1);
    EXPECT_EQ(escapeRadius, 2);
}

TEST_F(ComplexSliceTest, CuspOrbitStepsAndResets) {
    SetUpEscapeRadius(1);
    cuspParameter = 0.25; // exact, so the squares are exact too
    SetUpEscapeRadius(0);
    EXPECT_EQ(cuspOrbitModulus, 0.0625);
    SetUpEscapeRadius(0);
    EXPECT_EQ(cuspOrbitModulus, 0.09765625); // (1/16 + 1/4)^2

    symmetryDegree = 2;
    SetUpEscapeRadius(1);
    EXPECT_EQ(cuspOrbitModulus, 0);
    SetUpEscapeRadius(0);
    EXPECT_EQ(cuspOrbitPoint[0], cuspParameter);
    EXPECT_EQ(cuspOrbitModulus, cuspParameter * cuspParameter);
    SetUpEscapeRadius(0);
    const double next = cuspParameter * cuspParameter * cuspParameter + cuspParameter;
    EXPECT_DOUBLE_EQ(cuspOrbitPoint[0], next);
}

TEST_F(ComplexSliceTest, CirclePointsHaveTheRadiusGiven) {
    mirrorSymmetry = 1;
    randomCounter = 0; // the first draw is 1: a quarter turn of four
    double point[2];
    RandomCirclePoint(point, 1, 4);
    EXPECT_EQ(PointOf(point), (Point{0, -1}));
    EXPECT_EQ(randomCounter, 1u);

    mirrorSymmetry = 0;
    randomCounter = 12345;
    RandomCirclePoint(point, -0.7, 6);
    EXPECT_NEAR(std::hypot(point[0], point[1]), 0.7, 1e-12);
    EXPECT_EQ(randomCounter, 12347u);
}

TEST_F(ComplexSliceTest, PlaneOfConstantsThroughZeroForKindTwo) {
    iterationCount = 9; // the caller sets the drawing up, not the slice
    EXPECT_EQ(Generate(2), 1u);
    EXPECT_EQ(PointOf(constantAxis), (Point{1, 0}));
    for (const double *pair : {startAxis, startCentre, constantCentre}) {
        EXPECT_EQ(PointOf(pair), (Point{0, 0}));
    }
    EXPECT_EQ(paramOrigin, 2);
    EXPECT_EQ(iterationCount, 9u);
}

TEST_F(ComplexSliceTest, NewtonTakesAFixedStartInsteadOfZero) {
    drawMode = 6;
    EXPECT_EQ(Generate(2), 4u);
    EXPECT_EQ(SliceBits(), 35);
    EXPECT_NEAR(std::hypot(startCentre[0], startCentre[1]), 0, 2); // within R
    EXPECT_EQ(constantAxis[0], 1);

    mapVariant = 1; // z^(n+1) - z + c moves 0, so kind 2 stays
    Generate(2);
    EXPECT_EQ(SliceBits(), 163);
}

struct KindCase {
    int32_t kind;
    int32_t degree;
    int32_t mirror;
    uint32_t draws;
    int32_t bits;
};

TEST_F(ComplexSliceTest, DrawsAndAnimationBitsOfEveryKind) {
    const KindCase cases[] = {
        {1, 1, 0, 4, 35},  {1, 1, 1, 3, 1},   {3, 1, 0, 4, 76},  {5, 1, 1, 3, 4},
        {6, 1, 0, 4, 255}, {6, 2, 1, 3, 255}, {0, 1, 0, 3, 179}, {0, 2, 1, 3, 129},
        {4, 2, 0, 4, 220}, {4, 2, 1, 2, 128}, {2, 1, 0, 1, 163}, {2, 1, 1, 1, 129},
    };
    for (const KindCase &c : cases) {
        symmetryDegree = c.degree;
        mirrorSymmetry = c.mirror;
        EXPECT_EQ(Generate(c.kind), c.draws) << "kind " << c.kind << " mirror " << c.mirror;
        EXPECT_EQ(SliceBits(), c.bits) << "kind " << c.kind << " mirror " << c.mirror;
    }
}

TEST_F(ComplexSliceTest, OddDegreeWithMirrorDrawsOnceMoreForTheQuarterTurn) {
    mirrorSymmetry = 1;
    symmetryDegree = 3;
    EXPECT_EQ(Generate(0), 4u);
    EXPECT_EQ(Generate(4), 3u);
}

TEST_F(ComplexSliceTest, TiltedSlicesAreUnitAndCentredOnTheSet) {
    for (int32_t kind : {0, 4}) {
        Generate(kind);
        const double a = startAxis[0];
        const double b = constantAxis[0];
        EXPECT_NEAR(startAxis[0] * startAxis[0] + startAxis[1] * startAxis[1] + b * b, 1, 1e-12);
        if (startAxis[1] != 0) continue; // only real slices are recentred
        // The centre is the slice's point nearest to z0 = 0 and c halfway
        // between -R and the cusp.
        const double h = (cuspParameter - escapeRadius) / 2;
        EXPECT_NEAR(startCentre[0] * a + (constantCentre[0] - h) * b, 0, 1e-12) << kind;
        EXPECT_EQ(startCentre[1], 0);
        EXPECT_EQ(constantCentre[1], 0);
    }
}

TEST_F(ComplexSliceTest, StepShiftsAndTurnsWithTheSlicesOwnBits) {
    Generate(2); // bits 1, 2, 32 and 128
    reciprocalScale = 0.01;
    animationFlags = 4 | 256; // nothing in common: the slice's bits serve
    StepComplexSlice();
    EXPECT_EQ(animationFlags, 163);
    const double cs = std::cos(0.01 * pi);
    const double sn = std::sin(0.01 * pi);
    EXPECT_EQ(PointOf(startCentre), (Point{cs * 0.01 - sn * 0.01, cs * 0.01 + sn * 0.01}));
    EXPECT_EQ(PointOf(startAxis), (Point{-sn, 0}));
    EXPECT_EQ(constantAxis[0], cs);
    EXPECT_EQ(constantCentre[0], 0);

    animationFlags = 2 | 8;
    StepComplexSlice();
    EXPECT_EQ(animationFlags, 2);
}

} // namespace
} // namespace quintorbelle::testing
