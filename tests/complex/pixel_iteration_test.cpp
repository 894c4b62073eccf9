// The escape-time and Newton pixel workers: escape values of every test,
// cycle periods, history growth, Newton values and root bands, and the
// resumption of an escape-time orbit stopped at an earlier limit (Newton's is
// guarded by its reference picture).
#include <gtest/gtest.h>

#include <cmath>

#include "complex/complex.h"
#include "complex/complex_fixtures.h"
#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle::testing {
namespace {

class EscapeTimePixelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        StartEngine(nullptr);
        drawMode = 5;
        symmetryDegree = 1;
        iterationCount = 100;
        historyLength = 2;
        SetUpEscapeRadius(1);
    }

    // Escape value of an orbit from z0 with c = 0; the count goes to count_.
    int32_t EscapeFrom(double re, double im) {
        FixOrbit(re, im, 0, 0);
        count_ = 0;
        return EscapeTimePixel(0, 0, 0, nullptr, &count_);
    }

    uint32_t count_ = 0;
};

TEST_F(EscapeTimePixelTest, EscapeCostsItsIterationsAndEachPointMappedFromThePixelOneMore) {
    // 3 r^2 / R^2 = 6.75: 12 + 14 - 6.
    EXPECT_EQ(EscapeFrom(3, 0), 20);
    EXPECT_EQ(count_, 1u);
    EXPECT_EQ(totalIterations, 1u); // fixed z0 and c cost nothing

    startFixed = constantFixed = 0;
    startStep[0] = startStep[1] = 0;
    startOffset[0] = 3;
    startOffset[1] = 0;
    constantStep[0] = constantStep[1] = 0;
    constantOffset[0] = constantOffset[1] = 0;
    EXPECT_EQ(EscapeTimePixel(7, 9, 0, nullptr, &count_), 20);
    EXPECT_EQ(totalIterations, 1u + 3u);
}

TEST_F(EscapeTimePixelTest, ColouringBySourceValuesAtHandWorkedPoints) {
    const struct {
        int32_t degree, variant, logScale;
        double re, im;
        int32_t value;
        uint32_t count;
    } cases[] = {
        {1, 0, 0, 3, 100, 12 + 2112, 1}, // 4800 wraps at 2688, but not by logarithm:
        {1, 0, 1, 3, 1e9, 12 + 961740, 1},
        {1, 0, 0, -5, 0, 12, 1},
        {1, 1, 0, -5, 0, 24, 2}, // only z1 = 25 lies right of R
        {1, 2, 0, 0.5, 3, 12 + 24, 1},
        {1, 3, 0, 3, 0.25, 12 + 36, 1},
        {1, 4, 0, -3, 0, 12 + 2688, 1},
        {1, 5, 0, 3, 1, 108, 1},      // 12 (1 + |9 - 1|)
        {1, 6, 0, 3, 1, 24 + 120, 2}, // z1 = (8, 6) is the first past both sides
        {2, 7, 0, 3, 3, 12 * 113, 1},
        {2, 7, 0, 3, 1, 12, 1},
        {1, 7, 0, 3, 3, 12, 1}, // degree 1 widens R to 4
        {1, 8, 0, 3, 0, 12 * 19, 1},
    };
    colourBySource = 1;
    for (const auto &c : cases) {
        symmetryDegree = c.degree;
        colouringVariant = c.variant;
        logColourScale = c.logScale;
        SetUpEscapeRadius(1);
        EXPECT_EQ(EscapeFrom(c.re, c.im), c.value)
            << "variant " << c.variant << " at (" << c.re << ", " << c.im << ")";
        EXPECT_EQ(count_, c.count) << "variant " << c.variant;
    }
}

TEST_F(EscapeTimePixelTest, UnknownVariantsRunToTheLimit) {
    colourBySource = 1;
    for (int32_t variant : {9, -1}) {
        colouringVariant = variant;
        EXPECT_EQ(EscapeFrom(3, 0), 2147483647);
        EXPECT_EQ(count_, 101u); // the real part ended infinite
        EXPECT_EQ(EscapeFrom(0, 0), -12);
    }
}

TEST_F(EscapeTimePixelTest, ResumingAtTheLimitTestsNothingAndFillsSlotZero) {
    double point[2] = {5, 5};
    count_ = 77;
    EXPECT_EQ(EscapeTimePixel(0, 0, 100, point, &count_), 0);
    EXPECT_EQ(count_, 77u);
    EXPECT_EQ(orbitHistory[0][0], 37);
    EXPECT_EQ(orbitHistory[0][1], 37);
    EXPECT_EQ(point[0], 5);
}

TEST_F(EscapeTimePixelTest, FixedPointMatchesTheLastSlotAndLengthensTheHistory) {
    EXPECT_EQ(EscapeFrom(0, 0), -12);
    EXPECT_EQ(historyLength, 3u);

    // z0 = 0, c = -1 cycles 0, -1 exactly: the match lies in slot 2.
    FixOrbit(0, 0, -1, 0);
    EXPECT_EQ(EscapeTimePixel(0, 0, 0, nullptr, &count_), -24);
    EXPECT_EQ(historyLength, 4u);
    historyLength = 5;
    EXPECT_EQ(EscapeTimePixel(0, 0, 0, nullptr, &count_), -24);
    EXPECT_EQ(historyLength, 5u);
}

TEST_F(EscapeTimePixelTest, SinglePrecisionMatchShortensThePeriod) {
    // Near c = -1.05 the orbit settles on a 2-cycle from alternate sides;
    // at iteration 39 slot 4 equals slot 0 exactly while slot 2 is one unit
    // in the last place away.
    FixOrbit(0, 0, -1.0502, 0);
    iterationCount = 39;
    historyLength = 5;
    EXPECT_EQ(EscapeTimePixel(0, 0, 0, nullptr, &count_), -24);
    EXPECT_EQ(orbitHistory[4][0], orbitHistory[0][0]);
    EXPECT_NE(orbitHistory[2][0], orbitHistory[0][0]);
    EXPECT_EQ(historyLength, 6u); // the exact match was in the last slot
}

TEST_F(EscapeTimePixelTest, CycleShapeVariantsLookAtTheVariantAlone) {
    FixOrbit(0, 0, -1, 0);
    iterationCount = 10;
    historyLength = 8;
    // The outermost point -1 lies at R / 2 and at half a turn.
    colouringVariant = 8;
    EXPECT_EQ(EscapeTimePixel(0, 0, 0, nullptr, &count_), -12 - 180);
    colouringVariant = 4;
    EXPECT_EQ(EscapeTimePixel(0, 0, 0, nullptr, &count_), -12 - 360);
    EXPECT_EQ(orbitHistory[0][0], -1); // the offset is gone from the slots read
    EXPECT_EQ(orbitHistory[1][0], -1);
    EXPECT_EQ(orbitHistory[2][0], 0);
}

TEST_F(EscapeTimePixelTest, ResumedOrRecomputedOrbitsMatchAFullRun) {
    FixOrbit(0, 0, -0.75, 0.03); // escapes slowly through the neck
    iterationCount = 1000;
    uint32_t fullCount = 0;
    const int32_t full = EscapeTimePixel(0, 0, 0, nullptr, &fullCount);
    ASSERT_GT(full, 0);
    ASSERT_GT(fullCount, 50u);

    iterationCount = 50;
    double point[2];
    ASSERT_EQ(EscapeTimePixel(0, 0, 0, point, &count_), 0);
    iterationCount = 1000;
    EXPECT_EQ(EscapeTimePixel(0, 0, 50, point, &count_), full);
    EXPECT_EQ(count_, fullCount);
    EXPECT_EQ(EscapeTimePixel(0, 0, 50, nullptr, &count_), full);
    EXPECT_EQ(count_, fullCount);
}

class NewtonPixelTest : public EscapeTimePixelTest {
  protected:
    void SetUp() override {
        EscapeTimePixelTest::SetUp();
        drawMode = 6;
    }
};

TEST_F(NewtonPixelTest, StartOnTheRootConvergesAndAZeroDerivativeFails) {
    const struct {
        const char *what;
        int32_t variant;
        double z0, c;
        int32_t value;
    } cases[] = {
        {"z^2 - 1 from its root 1", 0, 1, -1, 72}, // the first step is 0
        {"z^2 + 1 from 0", 0, 0, 1, -12},
        {"z^2 - z from 0", 1, 0, 0, 72}, // the derivative 2z - 1 is not zero at 0
    };
    for (const auto &c : cases) {
        mapVariant = c.variant;
        totalIterations = 0;
        FixOrbit(c.z0, 0, c.c, 0);
        EXPECT_EQ(NewtonPixel(0, 0, 0, nullptr, &count_), c.value) << c.what;
        EXPECT_EQ(count_, 1u) << c.what;
        EXPECT_EQ(totalIterations, 1u) << c.what;
    }
}

TEST_F(NewtonPixelTest, RootBandsFollowTheRootReached) {
    symmetryDegree = 3; // z^4 - 1: roots 1, i, -1, -i
    colourBySource = 1;
    colouringVariant = 2;
    coloursPerRoot = 63;
    rootsPerRadian = 4 / twoPi;
    const double starts[4][2] = {{1.3, 0.1}, {0.1, 1.3}, {-1.3, -0.1}, {-0.1, -1.3}};
    for (int32_t root = 0; root < 4; ++root) {
        FixOrbit(starts[root][0], starts[root][1], -1, 0);
        const int32_t value = NewtonPixel(0, 0, 0, nullptr, &count_);
        ASSERT_GT(value, 0);
        const int32_t inBand = value - 12 * (63 * root + 1);
        EXPECT_GE(inBand, 0) << "root " << root;
        EXPECT_LE(inBand, 12 * 63 - 13) << "root " << root; // the folded triangle wave
    }
}

} // namespace
} // namespace quintorbelle::testing
