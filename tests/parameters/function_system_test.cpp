// The function-system generator: its draw order, the rotated, shrunk,
// shifted, skipped and mirrored copies, the extra maps, the description in
// the title, the adapted symmetry, the animation frame and the limits of
// the 300-entry table.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "support/random_draws.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

using Numbers = std::array<double, 6>;
Numbers NumbersOf(const MapRecord &map) {
    return {map.m0, map.m1, map.m2, map.m3, map.e, map.f};
}

class FunctionSystemTest : public EngineTest<> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        randomMultiplier = 2654435761u;
        randomCounter = 1000;
    }
    // A base map placed by hand, so that request 0 only rebuilds the copies.
    static void PlaceBaseMap(const MapRecord &map, int32_t degree = 1) {
        functionTable[0] = map;
        mapCount = baseMapCount = 1;
        symmetryDegree = degree;
    }
    static uint32_t DrawsDuring(int32_t request) {
        const uint32_t before = randomCounter;
        GenerateFunctionSystem(request);
        return randomCounter - before;
    }
};

// The last base map is described in the title, shown at once even if the
// same; a homothety's shear (s 0 + 0 s) / s^2 is a zero with the sign of s.
TEST_F(FunctionSystemTest, HomothetyDescriptionShowsItsMagnitudes) {
    drawMode = 1;
    GenerateFunctionSystem(1);
    const MapRecord &map = functionTable[0];
    const double s = map.m0;
    const double a = std::fabs(s);
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "Quintorbelle: %g %g %g:%g %g %g:Rot %0g Mag %g %g %g Shear %g K %g", s, 0.0,
                  map.e, 0.0, s, map.f, 0.0, a, a, s * s, std::signbit(s) ? -0.0 : 0.0, a);
    EXPECT_EQ(host.Title(), expected);
    GenerateFunctionSystem(1);
    EXPECT_NE(host.Title(), expected);
}

TEST_F(FunctionSystemTest, HalfAngleAndShrunkCopies) {
    // Half-angle copies turn the linear part by half the step (60 degrees at
    // degree 3) and the translation by the whole step.
    PlaceBaseMap({1, 0, 0, 1, 1, 0, 10, 0}, 3);
    halfAngleCopies = 1;
    GenerateFunctionSystem(0);
    EXPECT_EQ(functionTable[1].m0, 0.5);
    EXPECT_EQ(functionTable[1].e, -0.5);

    // Shrunk copies scale by powers of 0.8 below degree 5, of 0.9 from it.
    halfAngleCopies = 0;
    shrinkCopies = 1;
    PlaceBaseMap({1, 0, 0, 1, 0, 0, 10, 0}, 4);
    GenerateFunctionSystem(0);
    EXPECT_EQ(functionTable[1].m2, 0.8);
    EXPECT_EQ(functionTable[2].m0, -0.8 * 0.8);
    EXPECT_EQ(functionTable[3].m1, 0.8 * 0.8 * 0.8);
    PlaceBaseMap({1, 0, 0, 1, 0, 0, 10, 0}, 5);
    GenerateFunctionSystem(0);
    for (int k = 1; k < 5; ++k) {
        const MapRecord &m = functionTable[k];
        EXPECT_NEAR(m.m0 * m.m3 - m.m1 * m.m2, std::pow(0.81, k), 1e-15) << k;
    }
}

TEST_F(FunctionSystemTest, ShiftedAndRandomlyScaledCopies) {
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0}, 3);
    shiftCopies = 1;
    randomCopyScale = 1;
    const Draws r = PeekDraws(4);
    EXPECT_EQ(DrawsDuring(0), 4u); // weight and scale for each copy
    // The second copy steps from the first before its scaling.
    const double g1 = 0.8 + r[1] * 9.313226201519721e-11;
    const double g2 = 0.8 + r[3] * 9.313226201519721e-11;
    EXPECT_EQ(functionTable[1].e, 1.5 * g1);
    EXPECT_EQ(functionTable[1].f, 2.25 * g1);
    EXPECT_EQ(functionTable[2].e, 2.0 * g2);
    EXPECT_EQ(functionTable[2].f, 2.5 * g2);
}

TEST_F(FunctionSystemTest, SkippingKeepsAtLeastTwoMaps) {
    randomCopySkip = 1;
    // Degree 2: the single copy of a lone map always stays, without a draw.
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0}, 2);
    EXPECT_EQ(DrawsDuring(0), 1u);
    EXPECT_EQ(mapCount, 2);
    // Degree 3: the skip draw decides the first copy; the last one stays
    // without a draw only if the first was skipped.
    for (uint32_t start = 1000; start < 1040; ++start) {
        randomCounter = start;
        PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0}, 3);
        const Draws r = PeekDraws(4);
        const bool firstKept = (r[1] & 1) != 0;
        EXPECT_EQ(DrawsDuring(0), firstKept ? 4u : 3u) << start;
        EXPECT_EQ(mapCount, firstKept ? 2 + static_cast<int32_t>(r[3] & 1) : 2) << start;
    }
}

TEST_F(FunctionSystemTest, ExtraMapsAreBuiltOnTheFixedPointOfMapZero) {
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0}); // fixed point (2, 4)
    extraHalfMap = extraFlipMap = 1;
    GenerateFunctionSystem(0);
    ASSERT_EQ(mapCount, 3);
    EXPECT_EQ(NumbersOf(functionTable[1]), (Numbers{0.5, 0, 0, 0.5, 3.5, 7}));
    EXPECT_EQ(NumbersOf(functionTable[2]), (Numbers{-0.7, 0, 0, 0.7, -1.7 * 2, 0.3 * 4}));
    EXPECT_EQ(totalWeight, 210u);

    // A table filled by the copies drops them; the last entry is still the
    // 299th copy, a turn of 299/300.
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0}, 300);
    mirrorSymmetry = 1;
    GenerateFunctionSystem(0);
    EXPECT_EQ(mapCount, kMapCapacity);
    EXPECT_NEAR(functionTable[kMapCapacity - 1].m0, 0.5 * std::cos(twoPi / 300), 1e-12);
}

// Mirrored copies are skipped as a whole when they would fill the table; a
// lone map is not redrawn forever for a degree above 300.
TEST_F(FunctionSystemTest, TheTableOf300Entries) {
    mirrorSymmetry = 1;
    for (int32_t count : {150, 149}) {
        for (int32_t i = 0; i < count; ++i)
            functionTable[i] = {0.5, 0.1, 0.2, 0.5, 0.3 * i, 0.4, 5, 0};
        mapCount = baseMapCount = count;
        GenerateFunctionSystem(0);
        EXPECT_EQ(mapCount, count == 149 ? 298 : 150);
        EXPECT_EQ(totalWeight, 5u * static_cast<uint32_t>(mapCount));
    }
    EXPECT_EQ(NumbersOf(functionTable[149 + 7]), (Numbers{0.5, 0.1, -0.2, -0.5, 0.3 * 7, -0.4}));
    mirrorSymmetry = 0;
    baseMapCount = 1;
    symmetryDegree = 1000;
    GenerateFunctionSystem(1);
    EXPECT_EQ(symmetryDegree, 300);
    EXPECT_EQ(mapCount, 300);
}

// Request 2: a narrow lone homothety gets six more degrees; an area-keeping
// general map suggests more symmetry to the host (a homothety keeps at most
// 0.36 of the area, so never suggests it).
TEST_F(FunctionSystemTest, AdaptingTheSymmetryToTheMap) {
    for (int32_t mode : {1, 0}) {
        drawMode = mode;
        int seen[2] = {0, 0};
        for (uint32_t start = 0; start < 120; ++start) {
            randomCounter = start * 104729;
            symmetryDegree = 1;
            GenerateFunctionSystem(2);
            const MapRecord &m = functionTable[0];
            const bool narrow = std::fabs(m.m0) < 0.1;
            const bool keepsArea = std::fabs(m.m0 * m.m3 - m.m1 * m.m2) > 0.4;
            const std::vector<QuintorbelleMessage> posted = host.TakePosted();
            if (mode == 1) {
                EXPECT_EQ(symmetryDegree, narrow ? 7 : 1) << start;
            }
            ASSERT_EQ(posted.size(), keepsArea ? 1u : 0u) << start;
            if (keepsArea) {
                EXPECT_EQ(posted[0].message, kMessageCommand);
                EXPECT_EQ(posted[0].wParam, 40003u);
                EXPECT_EQ(posted[0].lParam, kSourceSettings);
            }
            ++seen[mode == 1 ? narrow : keepsArea];
        }
        EXPECT_GT(seen[0], 0) << mode;
        EXPECT_GT(seen[1], 0) << mode;
    }
}

TEST_F(FunctionSystemTest, AnimationFrameKeepsCopyWeightsWithWeightedChoice) {
    symmetryDegree = 5;
    weightedChoice = 1;
    GenerateFunctionSystem(1);
    std::vector<uint32_t> weights;
    for (int32_t i = 0; i < mapCount; ++i) weights.push_back(functionTable[i].weight);
    for (int frame = 0; frame < 3; ++frame) {
        GenerateFunctionSystem(3);
        ASSERT_EQ(mapCount, 5);
        for (int32_t i = 0; i < mapCount; ++i) EXPECT_EQ(functionTable[i].weight, weights[i]) << i;
    }
}

TEST_F(FunctionSystemTest, AnimationFrameTurnsAndShrinksWithoutRestarting) {
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 0, 10, 0});
    animationFlags = 1 | 4 | 8;
    viewFitted = 1;
    GenerateFunctionSystem(3);
    const MapRecord &m = functionTable[0];
    const double c = degreeRotation[0];
    const double s = degreeRotation[2];
    EXPECT_DOUBLE_EQ(m.m0, 0.5 * 0.998 * c);
    EXPECT_DOUBLE_EQ(m.m1, -0.5 * 0.998 * s);
    EXPECT_DOUBLE_EQ(m.e, c);
    EXPECT_DOUBLE_EQ(m.f, s);
    EXPECT_EQ(animationFlags, 13);
    EXPECT_EQ(viewFitted, 1);

    // Flags without a turn become 15; mode 1 turns only the translation and
    // never shears.
    animationFlags = 2 | 4;
    GenerateFunctionSystem(3);
    EXPECT_EQ(animationFlags, 15);
    drawMode = 1;
    animationFlags = 1 | 2 | 4;
    GenerateFunctionSystem(3);
    EXPECT_EQ(animationFlags, 15);
    animationFlags = 8 | 2;
    const double m1 = m.m1;
    GenerateFunctionSystem(3);
    EXPECT_EQ(m.m1, m1);
}

TEST_F(FunctionSystemTest, ShearTurnsBackOnceAMapStopsContracting) {
    PlaceBaseMap({0.99, 0, 0, 0.99, 0, 0, 10, 0});
    animationFlags = 2 | 8; // shear, and the translation's turn
    std::vector<double> shears;
    for (int frame = 0; frame < 30; ++frame) {
        GenerateFunctionSystem(3);
        shears.push_back(functionTable[0].m1);
    }
    // 0.99^2 (2 - 0.99^2) + m1^2 reaches 1 when m1 is about 0.0199: the
    // tenth frame; from the eleventh the shear runs the other way.
    for (int frame = 1; frame < 10; ++frame) EXPECT_GT(shears[frame], shears[frame - 1]);
    for (int frame = 11; frame < 30; ++frame) EXPECT_LT(shears[frame], shears[frame - 1]);
}

} // namespace
} // namespace quintorbelle::testing
