// The orbit maps: the function-system step with its variations and weighted
// choice, the mirrored and variant icon maps, the failure tests and titles of
// the plane maps, and the complex power. The plain maps and the fast
// generator are guarded by the reference pictures.
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

// One map (x, y) -> (2x, 1.5y + 1): from (1, 2) its affine image is (2, 4).
void SetUpSingleMap(int32_t chosenVariation) {
    functionTable[0] = {2, 0, 0, 1.5, 0, 1, 1, 0};
    mapCount = 1;
    variation = chosenVariation;
    variationScale = 2;
    variationSoftening = 7;
    orbitPoint[0] = 1;
    orbitPoint[1] = 2;
}

TEST(StepFunctionSystem, EachVariationByHand) {
    // x^2 + y^2 = 5 before the step, t^2 + u^2 = 20 after it; K 2, softening 7.
    struct Case {
        int32_t variation;
        double x, y;
    } cases[] = {
        {1, 2 * (2.0 / 12 + 0.2), 4 * (2.0 / 12 + 0.2)},
        {2, 2 * (2.0 / 27), 4 * (2.0 / 27)},
        // K, not the softening, in the first denominator: 4 / (4 + 4 + 2).
        {3, 0.4, 8.0 / 24},
        {4, 4.0 / 24, 8.0 / 15},
        {5, 2 * (1 - 2.0 / 12), 4 * (1 - 2.0 / 12)},
        {6, 2 * (1 - 2.0 / 27), 4 * (1 - 2.0 / 27)},
        {7, 1, 2}, // out of range: the point stays
    };
    for (const Case &c : cases) {
        SetUpSingleMap(c.variation);
        EXPECT_EQ(StepFunctionSystem(), 0) << c.variation;
        EXPECT_DOUBLE_EQ(orbitPoint[0], c.x) << c.variation;
        EXPECT_DOUBLE_EQ(orbitPoint[1], c.y) << c.variation;
    }
}

TEST(StepFunctionSystem, WeightedChoiceWalksTheWeights) {
    mapCount = 2;
    functionTable[0].weight = 1;
    functionTable[1].weight = 99;
    totalWeight = 100;
    weightedChoice = 1;
    // States whose next draw is 100, 1, 99 and 200 (found through the
    // inverse of the multiplier modulo 2^31 - 1).
    struct Case {
        uint32_t state;
        int32_t map;
    } cases[] = {{277263097, 0}, {1055039618, 1}, {1369707126, 1}, {554526194, 0}};
    for (const Case &c : cases) {
        fastRandomState = c.state;
        EXPECT_EQ(StepFunctionSystem(), c.map) << c.state;
    }
}

// Degree 3 at z = 1 + i: P = z^2 = 2i, |z|^2 = 2, Re z^3 = -2, so
// A = 1 + 0.5 * 2 + 0.25 * (-2) = 1.5; gamma conj(P) = -4i.
void SetUpIcon(int32_t mirror, int32_t variant) {
    drawMode = 3;
    symmetryDegree = 3;
    lambda = 1;
    alpha = 0.5;
    beta = 0.25;
    gamma = 2;
    omega[0] = 0.5;
    mirrorSymmetry = mirror;
    mapVariant = variant;
}

TEST(StepPlaneMap, MirroredAndVariantIconMapsByHand) {
    double point[2] = {1, 1};
    SetUpIcon(1, 0); // w = A z
    EXPECT_EQ(StepPlaneMap(point), 1);
    EXPECT_EQ(PointOf(point), (Point{1.5, -2.5}));

    point[0] = point[1] = 1;
    SetUpIcon(1, 1); // A + delta |z|
    const double a = 1.5 + 0.5 * std::sqrt(2.0);
    EXPECT_EQ(StepPlaneMap(point), 1);
    EXPECT_DOUBLE_EQ(point[0], a);
    EXPECT_DOUBLE_EQ(point[1], a - 4);

    point[0] = point[1] = 1;
    SetUpIcon(0, 1); // A + delta |z| Re (z/|z|)^3 = 1.5 + 0.5 sqrt2 (-1/sqrt2) = 1
    EXPECT_EQ(StepPlaneMap(point), 1);
    EXPECT_NEAR(point[0], 1, 1e-15);
    EXPECT_NEAR(point[1], -3, 1e-15);
}

TEST(StepPlaneMap, VariantSkipsTheExtraTermAtTheOrigin) {
    SetUpIcon(0, 1);
    symmetryDegree = 1; // P = 1, so the origin moves to (gamma, 0)
    double point[2] = {0, 0};
    EXPECT_EQ(StepPlaneMap(point), 1);
    EXPECT_EQ(PointOf(point), (Point{2, 0}));
}

class PlaneMapFailure : public ::testing::Test {
  protected:
    TestHost host;
    void SetUp() override {
        drawMode = 3;
        symmetryDegree = 1;
        mirrorSymmetry = 1;
        mapVariant = 0;
        lambda = 1;
        alpha = beta = gamma = omega[0] = 0;
        viewFitted = 1;
        paramOrigin = 0;
    }
};

TEST_F(PlaneMapFailure, EachFailureIsNamedAndLeavesThePoint) {
    const struct {
        const char *title;
        double lambda, alpha, gamma, x, y;
    } cases[] = {
        // Both coordinates overflow: X is reported first.
        {"Can't draw - Orbit escapes X", 1e308, 0, 0, 1e10, 1e10},
        // A = alpha y^2 stays finite, A y overflows, A x is 0.
        {"Can't draw - Orbit escapes Y", 0, 1, 0.5, 0, 1e154},
        // With lambda 1 and the rest 0, every point is fixed.
        {"Can't draw - Orbit converges", 1, 0, 0, 0.3, -0.7},
    };
    for (const auto &c : cases) {
        lambda = c.lambda;
        alpha = c.alpha;
        gamma = c.gamma;
        double point[2] = {c.x, c.y};
        EXPECT_EQ(StepPlaneMap(point), 0) << c.title;
        EXPECT_EQ(host.Title(), std::string("Quintorbelle: ") + c.title);
        EXPECT_EQ(PointOf(point), (Point{c.x, c.y})) << c.title;
    }
}

TEST_F(PlaneMapFailure, TitleIsThrottledUnlessFittedOrFreshlyDrawn) {
    // The clock reads 1000 ms, within 2000 ms of the last title at 0.
    viewFitted = 0;
    double point[2] = {0.3, -0.7};
    EXPECT_EQ(StepPlaneMap(point), 0);
    EXPECT_EQ(host.Title(), "");
    paramOrigin = 2;
    EXPECT_EQ(StepPlaneMap(point), 0);
    EXPECT_EQ(host.Title(), "Quintorbelle: Can't draw - Orbit converges");
}

TEST(ComplexPower, SmallAndLargerExponents) {
    double result[2];
    ComplexPower(result, std::numeric_limits<double>::quiet_NaN(), -2, 0);
    EXPECT_EQ(PointOf(result), (Point{1, 0})); // even for a point not a number
    ComplexPower(result, 0.3, -2.5, 1);
    EXPECT_EQ(PointOf(result), (Point{0.3, -2.5}));
    ComplexPower(result, 1, 2, 2); // -3 + 4i
    EXPECT_EQ(PointOf(result), (Point{-3, 4}));
    // Powers of 1 + i: (1 + i)^4 = -4, (1 + i)^8 = 16.
    struct Case {
        int32_t n;
        double re, im;
    } cases[] = {{3, -2, 2}, {5, -4, -4}, {6, 0, -8}, {7, 8, -8}, {13, -64, -64}, {16, 256, 0}};
    for (const Case &c : cases) {
        ComplexPower(result, 1, 1, c.n);
        EXPECT_EQ(PointOf(result), (Point{c.re, c.im})) << c.n;
    }
}

} // namespace
} // namespace quintorbelle::testing
