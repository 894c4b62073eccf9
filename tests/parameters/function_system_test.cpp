// The function-system generator: its draw order, the rotated, shrunk,
// skipped and mirrored copies, the extra maps, the description in the
// title, the animation frame and the limits of the 300-entry table.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"
#include "support/random_draws.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

double U(uint32_t r) {
    return r * 2.328306549837829e-10;
}
double V(uint32_t r) {
    return r * 4.65661310075986e-10 - 1;
}

using Numbers = std::array<double, 6>;

// The linear part and translation of a map, to compare in one go.
Numbers NumbersOf(const MapRecord &map) {
    return {map.m0, map.m1, map.m2, map.m3, map.e, map.f};
}

class FunctionSystemTest : public EngineTest<> {
  protected:
    void SetUp() override {
        EngineTest::SetUp();
        randomMultiplier = 2654435761u;
        randomCounter = 1000;
        drawMode = 0;
        baseMapCount = 1;
        symmetryDegree = 1;
    }
    // A base map placed by hand; request 0 then only rebuilds the copies.
    static void PlaceBaseMap(const MapRecord &map) {
        functionTable[0] = map;
        mapCount = 1;
        baseMapCount = 1;
    }
    static uint32_t DrawsDuring(int32_t request) {
        const uint32_t before = randomCounter;
        GenerateFunctionSystem(request);
        return randomCounter - before;
    }
};

TEST_F(FunctionSystemTest, HomothetyTakesThreeDrawsAndOneForItsWeight) {
    drawMode = 1;
    const std::vector<uint32_t> r = PeekDraws(4);
    EXPECT_EQ(DrawsDuring(1), 4u);
    const double s = 0.6 * V(r[2]);
    const MapRecord &map = functionTable[0];
    EXPECT_EQ(NumbersOf(map), (Numbers{s, 0, 0, s, U(r[0]) * (1 + s), U(r[1]) * (1 + s)}));
    EXPECT_EQ(map.weight, r[3] % 100 + 1);
    EXPECT_EQ(mapCount, 1);
    EXPECT_EQ(totalWeight, map.weight);
    EXPECT_EQ(paramOrigin, 2);
}

TEST_F(FunctionSystemTest, HomothetyDescriptionShowsItsMagnitudes) {
    drawMode = 1;
    GenerateFunctionSystem(1);
    const MapRecord &map = functionTable[0];
    const double s = map.m0;
    const double a = std::fabs(s);
    // The shear (s 0 + 0 s) / s^2 is a zero with the sign of s.
    const double shear = std::signbit(s) ? -0.0 : 0.0;
    char expected[256];
    std::snprintf(expected, sizeof expected,
                  "Quintorbelle: %g %g %g:%g %g %g:Rot %0g Mag %g %g %g Shear %g K %g", s, 0.0,
                  map.e, 0.0, s, map.f, 0.0, a, a, s * s, shear, a);
    EXPECT_EQ(host.Title(), expected);
    // Shown at once and even if the same: a second map replaces it at once.
    GenerateFunctionSystem(1);
    EXPECT_NE(host.Title(), expected);
}

TEST_F(FunctionSystemTest, GeneralMapDrawOrder) {
    // Each rejected candidate takes four draws; the accepted one is followed
    // by e, f and the weight.
    const std::vector<uint32_t> r = PeekDraws(400);
    const uint32_t used = DrawsDuring(1);
    ASSERT_EQ((used - 7) % 4, 0u);
    const uint32_t j = used - 7;
    ASSERT_LT(j + 6, 400u);
    const MapRecord &map = functionTable[0];
    EXPECT_EQ(map.m0, V(r[j]));
    EXPECT_EQ(map.m2, V(r[j + 1]) * std::sqrt(1 - map.m0 * map.m0));
    EXPECT_EQ(map.m1, V(r[j + 2]));
    EXPECT_EQ(map.m3, V(r[j + 2]) * V(r[j + 3]));
    EXPECT_EQ(map.e, V(r[j + 4]));
    EXPECT_EQ(map.f, V(r[j + 5]));
    EXPECT_EQ(map.weight, r[j + 6] % 100 + 1);
}

TEST_F(FunctionSystemTest, HalfAngleCopiesTurnTheLinearPartByHalfTheStep) {
    PlaceBaseMap({1, 0, 0, 1, 1, 0, 10, 0});
    symmetryDegree = 3;
    halfAngleCopies = 1;
    GenerateFunctionSystem(0);
    const MapRecord &copy = functionTable[1];
    const double sin60 = std::sin(twoPi / 6);
    EXPECT_EQ(copy.m0, 0.5); // 60 degrees
    EXPECT_DOUBLE_EQ(copy.m1, -sin60);
    EXPECT_DOUBLE_EQ(copy.m2, sin60);
    EXPECT_EQ(copy.m3, 0.5);
    EXPECT_EQ(copy.e, -0.5); // 120 degrees
    EXPECT_DOUBLE_EQ(copy.f, sin60);
}

TEST_F(FunctionSystemTest, ShrunkCopiesScaleByPowersOfTheFactor) {
    PlaceBaseMap({1, 0, 0, 1, 0, 0, 10, 0});
    symmetryDegree = 4;
    shrinkCopies = 1;
    GenerateFunctionSystem(0);
    EXPECT_EQ(functionTable[1].m2, 0.8);
    EXPECT_EQ(functionTable[2].m0, -0.8 * 0.8);
    EXPECT_EQ(functionTable[3].m1, 0.8 * 0.8 * 0.8);

    PlaceBaseMap({1, 0, 0, 1, 0, 0, 10, 0});
    symmetryDegree = 5;
    GenerateFunctionSystem(0);
    for (int k = 1; k < 5; ++k) {
        const MapRecord &m = functionTable[k];
        EXPECT_NEAR(m.m0 * m.m3 - m.m1 * m.m2, std::pow(0.81, k), 1e-15) << k;
    }
}

TEST_F(FunctionSystemTest, ShiftedAndRandomlyScaledCopies) {
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0});
    symmetryDegree = 3;
    shiftCopies = 1;
    randomCopyScale = 1;
    const std::vector<uint32_t> r = PeekDraws(4);
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
    // Degree 2: the single copy of a lone map always stays, without a draw.
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0});
    symmetryDegree = 2;
    randomCopySkip = 1;
    EXPECT_EQ(DrawsDuring(0), 1u);
    EXPECT_EQ(mapCount, 2);
    // Degree 3: the skip draw decides the first copy; the last one stays
    // without a draw only if the first was skipped.
    for (uint32_t start = 1000; start < 1040; ++start) {
        randomCounter = start;
        PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0});
        symmetryDegree = 3;
        const std::vector<uint32_t> r = PeekDraws(4);
        const uint32_t used = DrawsDuring(0);
        const bool firstKept = (r[1] & 1) != 0;
        EXPECT_EQ(used, firstKept ? 4u : 3u) << start;
        const int32_t expectedCount = firstKept ? 2 + static_cast<int32_t>(r[3] & 1) : 2;
        EXPECT_EQ(mapCount, expectedCount) << start;
    }
}

TEST_F(FunctionSystemTest, MirroringIsSkippedWhenItWouldFillTheTable) {
    for (int32_t count : {149, 150}) {
        for (int32_t i = 0; i < count; ++i) {
            functionTable[i] = {0.5, 0.1, 0.2, 0.5, 0.3 * i, 0.4, 5, 0};
        }
        mapCount = baseMapCount = count;
        symmetryDegree = 1;
        mirrorSymmetry = 1;
        GenerateFunctionSystem(0);
        if (count == 149) {
            ASSERT_EQ(mapCount, 298);
            const MapRecord &m = functionTable[149 + 7];
            EXPECT_EQ(NumbersOf(m), (Numbers{0.5, 0.1, -0.2, -0.5, 0.3 * 7, -0.4}));
            EXPECT_EQ(m.weight, 5u);
            EXPECT_EQ(totalWeight, 298u * 5);
        } else {
            EXPECT_EQ(mapCount, 150);
        }
    }
}

TEST_F(FunctionSystemTest, ExtraMapsAreBuiltOnTheFixedPointOfMapZero) {
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0}); // fixed point (2, 4)
    extraHalfMap = 1;
    extraFlipMap = 1;
    GenerateFunctionSystem(0);
    ASSERT_EQ(mapCount, 3);
    EXPECT_EQ(NumbersOf(functionTable[1]), (Numbers{0.5, 0, 0, 0.5, 3.5, 7}));
    EXPECT_EQ(functionTable[1].weight, 100u);
    EXPECT_EQ(NumbersOf(functionTable[2]), (Numbers{-0.7, 0, 0, 0.7, -1.7 * 2, 0.3 * 4}));
    EXPECT_EQ(totalWeight, 210u);
}

TEST_F(FunctionSystemTest, FullTableDropsTheExtraMaps) {
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 2, 10, 0});
    symmetryDegree = 300;
    extraHalfMap = 1;
    extraFlipMap = 1;
    mirrorSymmetry = 1;
    GenerateFunctionSystem(0);
    EXPECT_EQ(mapCount, kMapCapacity);
    // The last entry is still the 299th copy, a turn of 299/300.
    EXPECT_NEAR(functionTable[kMapCapacity - 1].m0, 0.5 * std::cos(twoPi / 300), 1e-12);
}

TEST_F(FunctionSystemTest, DegreeAbove300IsClampedRatherThanRedrawnForever) {
    symmetryDegree = 1000;
    GenerateFunctionSystem(1);
    EXPECT_EQ(symmetryDegree, 300);
    EXPECT_EQ(mapCount, 300);
}

TEST_F(FunctionSystemTest, AdaptingTheSymmetryToANarrowHomothety) {
    drawMode = 1;
    bool sawNarrow = false;
    bool sawWide = false;
    for (uint32_t start = 0; start < 120; ++start) {
        randomCounter = start * 7919;
        symmetryDegree = 1;
        GenerateFunctionSystem(2);
        const bool narrow = std::fabs(functionTable[0].m0) < 0.1;
        EXPECT_EQ(symmetryDegree, narrow ? 7 : 1) << start;
        (narrow ? sawNarrow : sawWide) = true;
    }
    EXPECT_TRUE(sawNarrow);
    EXPECT_TRUE(sawWide);
    // A homothety keeps at most 0.36 of the area: no more symmetry is
    // suggested.
    EXPECT_TRUE(host.TakePosted().empty());
}

TEST_F(FunctionSystemTest, AdaptingSuggestsMoreSymmetryForAnAreaKeepingMap) {
    bool sawPost = false;
    for (uint32_t start = 0; start < 60; ++start) {
        randomCounter = start * 104729;
        GenerateFunctionSystem(2);
        const MapRecord &m = functionTable[0];
        const bool keepsArea = std::fabs(m.m0 * m.m3 - m.m1 * m.m2) > 0.4;
        const std::vector<QuintorbelleMessage> posted = host.TakePosted();
        ASSERT_EQ(posted.size(), keepsArea ? 1u : 0u) << start;
        if (keepsArea) {
            EXPECT_EQ(posted[0].message, kMessageCommand);
            EXPECT_EQ(posted[0].wParam, 40003u);
            EXPECT_EQ(posted[0].lParam, 2);
            sawPost = true;
        }
    }
    EXPECT_TRUE(sawPost);
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
    EXPECT_DOUBLE_EQ(m.m2, 0.5 * 0.998 * s);
    EXPECT_DOUBLE_EQ(m.e, c);
    EXPECT_DOUBLE_EQ(m.f, s);
    EXPECT_EQ(animationFlags, 13);
    EXPECT_EQ(viewFitted, 1);
}

TEST_F(FunctionSystemTest, AnimationFlagsWithoutATurnBecomeFifteen) {
    PlaceBaseMap({0.5, 0, 0, 0.5, 1, 0, 10, 0});
    animationFlags = 2 | 4;
    GenerateFunctionSystem(3);
    EXPECT_EQ(animationFlags, 15);
    drawMode = 1;
    animationFlags = 1 | 2 | 4; // mode 1 turns only the translation
    GenerateFunctionSystem(3);
    EXPECT_EQ(animationFlags, 15);
    animationFlags = 8 | 2;
    const MapRecord before = functionTable[0];
    GenerateFunctionSystem(3);
    EXPECT_EQ(functionTable[0].m1, before.m1); // no shear in mode 1
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
