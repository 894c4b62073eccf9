// The orbit maps: the function-system step with its variations and weighted
// choice, the failure tests and titles of the plane maps, and the complex
// power. The plain, mirrored and variant maps and the fast generator are
// guarded by the reference pictures.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "frame/engine_state.h"
#include "frame/shared_block.h"
#include "generators/generators.h"
#include "support/pictures.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

TEST(StepFunctionSystem, EachVariationByHand) {
    // The map (x, y) -> (2x, 1.5y + 1) from (1, 2): x^2 + y^2 = 5 before the
    // step, t^2 + u^2 = 20 after it; K 2, softening 7.
    const struct {
        int32_t variation;
        double x, y;
    } cases[] = {
        {1, 2 * (2.0 / 12 + 0.2), 4 * (2.0 / 12 + 0.2)},
        {2, 2 * (2.0 / 27), 4 * (2.0 / 27)},
        {3, 0.4, 8.0 / 24}, // K, not the softening, in the first denominator
        {4, 4.0 / 24, 8.0 / 15},
        {5, 2 * (1 - 2.0 / 12), 4 * (1 - 2.0 / 12)},
        {6, 2 * (1 - 2.0 / 27), 4 * (1 - 2.0 / 27)},
        {7, 1, 2}, // out of range: the point stays
    };
    functionTable[0] = {2, 0, 0, 1.5, 0, 1, 1, 0};
    mapCount = 1;
    variationScale = 2;
    variationSoftening = 7;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.variation);
        variation = c.variation;
        orbitPoint[0] = 1;
        orbitPoint[1] = 2;
        EXPECT_EQ(StepFunctionSystem(), 0);
        EXPECT_DOUBLE_EQ(orbitPoint[0], c.x);
        EXPECT_DOUBLE_EQ(orbitPoint[1], c.y);
    }
}

TEST(StepFunctionSystem, WeightedChoiceWalksTheWeights) {
    mapCount = 2;
    functionTable[0].weight = 1;
    functionTable[1].weight = 99;
    totalWeight = 100;
    weightedChoice = 1;
    // States whose next draw is 100, 1, 99 and 200.
    const uint32_t states[] = {277263097, 1055039618, 1369707126, 554526194};
    const int32_t maps[] = {0, 1, 1, 0};
    for (int i = 0; i < 4; ++i) {
        fastRandomState = states[i];
        EXPECT_EQ(StepFunctionSystem(), maps[i]) << states[i];
    }
}

class PlaneMapFailure : public ::testing::Test {
  protected:
    TestHost host;
    void SetUp() override {
        drawMode = 3;
        symmetryDegree = 1;
        mirrorSymmetry = 1;
        viewFitted = 1;
    }
};

TEST_F(PlaneMapFailure, EachFailureIsNamedAndLeavesThePointAndTheTitleIsThrottled) {
    const struct {
        const char *title;
        double lambda, alpha, gamma, x, y;
    } cases[] = {
        // Both coordinates overflow: X is reported first.
        {"Can't draw - Orbit escapes X", 1e308, 0, 0, 1e10, 1e10},
        // A = alpha y^2 stays finite, A y overflows, A x is 0.
        {"Can't draw - Orbit escapes Y", 0, 1, 0.5, 0, 1e154},
        {"Can't draw - Orbit converges", 1, 0, 0, 0.3, -0.7},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.title);
        lambda = c.lambda;
        alpha = c.alpha;
        gamma = c.gamma;
        double point[2] = {c.x, c.y};
        EXPECT_EQ(StepPlaneMap(point), 0);
        EXPECT_EQ(host.Title(), std::string("Quintorbelle: ") + c.title);
        EXPECT_EQ(PointOf(point), (Point{c.x, c.y}));
    }
    // Not fitted, a new title waits 2000 ms after the last one (the clock
    // stands still), unless the picture was freshly drawn.
    viewFitted = 0;
    lambda = 1e308;
    double point[2] = {1e10, 1e10};
    EXPECT_EQ(StepPlaneMap(point), 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: Can't draw - Orbit converges");
    paramOrigin = 2;
    EXPECT_EQ(StepPlaneMap(point), 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: Can't draw - Orbit escapes X");
}

TEST(ComplexPower, SmallAndLargerExponents) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        double x, y;
        int32_t n;
        double re, im;
    } cases[] = {
        {nan, -2, 0, 1, 0}, // even for a point not a number
        {0.3, -2.5, 1, 0.3, -2.5},
        {1, 2, 2, -3, 4},
        // Powers of 1 + i: (1 + i)^4 = -4, (1 + i)^8 = 16.
        {1, 1, 6, 0, -8},
        {1, 1, 7, 8, -8},
        {1, 1, 13, -64, -64},
        {1, 1, 16, 256, 0},
    };
    for (const auto &c : cases) {
        double result[2];
        ComplexPower(result, c.x, c.y, c.n);
        EXPECT_EQ(PointOf(result), (Point{c.re, c.im})) << c.n;
    }
}

} // namespace
} // namespace quintorbelle::testing
