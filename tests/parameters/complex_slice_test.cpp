// Complex slices: the escape radius and cusp orbit, random points on a
// circle, the draws and animation bits of every kind of slice, the
// recentring of tilted slices, and one animation step.
#include <gtest/gtest.h>

#include <cmath>

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
    }

    // Generates a slice of the kind and returns the number of draws taken.
    static uint32_t Generate(int32_t kind) {
        SeekDraws(1, [&](const Draws &d) { return d[0] % 7 == static_cast<uint32_t>(kind); });
        const uint32_t before = randomCounter;
        GenerateComplexSlice();
        return randomCounter - before;
    }

    // The slice's own animation bits, which a step with none in common
    // writes back.
    static int32_t SliceBits() {
        animationFlags = 0;
        reciprocalScale = 0;
        StepComplexSlice();
        return animationFlags;
    }
};

TEST_F(ComplexSliceTest, EscapeRadiusAndCuspOfTheMainComponent) {
    // The corner colouring (source colouring with variant 7) widens the
    // radius unless the map variant is on.
    const double cusp2 = 1 / std::sqrt(3.0) - 1 / std::sqrt(27.0);
    const struct {
        int32_t degree, corner, variant;
        double radius, cusp;
    } cases[] = {{1, 0, 0, 2, 0.25},
                 {2, 0, 0, std::sqrt(2.0), cusp2},
                 {2, 1, 0, 2, cusp2},
                 {1, 1, 0, 4, 0.25},
                 {1, 1, 1, 2, 0.25}};
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << c.degree << c.corner << c.variant);
        symmetryDegree = c.degree;
        colourBySource = c.corner;
        colouringVariant = 7 * c.corner;
        mapVariant = c.variant;
        SetUpEscapeRadius(1);
        EXPECT_EQ(escapeRadius, c.radius);
        EXPECT_EQ(escapeRadiusSquared, c.radius * c.radius);
        EXPECT_NEAR(cuspParameter, c.cusp, 1e-15);
    }
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
    EXPECT_DOUBLE_EQ(cuspOrbitPoint[0], std::pow(cuspParameter, 3) + cuspParameter);
}

// With a mirror only the picture's own directions are drawn, in one draw.
TEST_F(ComplexSliceTest, MirroredCirclePointsTakeTheSymmetryDirections) {
    mirrorSymmetry = 1;
    randomCounter = 0; // the first draw is 1: a quarter turn of four
    double point[2];
    RandomCirclePoint(point, 1, 4);
    EXPECT_EQ(PointOf(point), (Point{0, -1}));
    EXPECT_EQ(randomCounter, 1u);
}

// Newton's pictures (mode 6) take kind 1 for kind 2 unless the map variant
// moves 0; an odd degree with a mirror draws once more for the quarter turn,
// whose bits then depend on that draw (0: not checked).
TEST_F(ComplexSliceTest, DrawsAndAnimationBitsOfEveryKind) {
    const struct {
        int32_t kind, degree, mirror, mode, variant;
        uint32_t draws;
        int32_t bits;
    } cases[] = {
        {1, 1, 0, 5, 0, 4, 35},  {1, 1, 1, 5, 0, 3, 1},   {3, 1, 0, 5, 0, 4, 76},
        {5, 1, 1, 5, 0, 3, 4},   {6, 1, 0, 5, 0, 4, 255}, {6, 2, 1, 5, 0, 3, 255},
        {0, 1, 0, 5, 0, 3, 179}, {0, 2, 1, 5, 0, 3, 129}, {4, 2, 0, 5, 0, 4, 220},
        {4, 2, 1, 5, 0, 2, 128}, {2, 1, 0, 5, 0, 1, 163}, {2, 1, 1, 5, 0, 1, 129},
        {2, 1, 0, 6, 0, 4, 35},  {2, 1, 0, 6, 1, 1, 163}, {0, 3, 1, 5, 0, 4, 0},
        {4, 3, 1, 5, 0, 3, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(::testing::Message() << "kind " << c.kind << " degree " << c.degree
                                          << " mirror " << c.mirror << " mode " << c.mode);
        symmetryDegree = c.degree;
        mirrorSymmetry = c.mirror;
        drawMode = c.mode;
        mapVariant = c.variant;
        EXPECT_EQ(Generate(c.kind), c.draws);
        if (c.bits != 0) {
            EXPECT_EQ(SliceBits(), c.bits);
        }
    }
}

TEST_F(ComplexSliceTest, TiltedSlicesAreUnitAndCentredOnTheSet) {
    for (int32_t kind : {0, 4}) {
        Generate(kind);
        const double a = startAxis[0];
        const double b = constantAxis[0];
        EXPECT_NEAR(a * a + startAxis[1] * startAxis[1] + b * b, 1, 1e-12);
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
