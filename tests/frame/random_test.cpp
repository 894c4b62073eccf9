// The inversive random generator, its modular arithmetic, and start-up.
#include <gtest/gtest.h>

#include <cmath>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

constexpr uint32_t p = kRandomModulus;

TEST(ModularArithmetic, InversesAndFoldedProducts) {
    EXPECT_EQ(ModInverse(0), 0u);
    EXPECT_EQ(ModInverse(1), 1u);
    EXPECT_EQ(ModInverse(p - 1), p - 1);
    EXPECT_EQ(ModInverse(2), 2147483544u); // 2 x 2147483544 = p + 1
    // Both quadratic characters occur among these, so both branches of the
    // Euler-criterion inverse are exercised.
    for (uint32_t x : {3u, 5u, 7u, 12345u, 65536u, 2147483647u, p - 2, 4000000000u}) {
        EXPECT_EQ(ModMultiply(x, ModInverse(x)), 1u) << x;
    }
    EXPECT_EQ(ModMultiply(p - 1, p - 1), 1u);                 // (-1)^2
    EXPECT_EQ(ModMultiply(0xFFFFFFFFu, 0xFFFFFFFFu), 43264u); // 208^2: 2^32 - 1 = 208 (mod p)
    EXPECT_EQ(ModMultiply(0xFFFFFFFFu, 1), 208u);             // the final subtraction of p
    EXPECT_EQ(ModPower(3, 0), 1u);
    EXPECT_EQ(ModPower(3, 1), 3u);
    EXPECT_EQ(ModPower(3, 5), 243u);
    EXPECT_EQ(ModPower(2, 32), 209u);
}

TEST(RandomSequence, FirstOutputsFromAKnownStateAndTheCounterWrap) {
    randomMultiplier = 1;
    randomCounter = 0;
    EXPECT_EQ(Random(), 1u);
    EXPECT_EQ(Random(), 2147483544u);
    EXPECT_EQ(randomCounter, 2u);

    randomMultiplier = 5;
    randomCounter = p - 1;
    EXPECT_EQ(Random(), 3221225315u); // 5 (p - 1) + 1 = -4, and (p + 1) / 4 inverts 4
    EXPECT_EQ(randomCounter, 0u);
    // A counter seeded above p - 1 runs on to 2^32 - 1 and overflows to 0.
    randomCounter = 0xFFFFFFFFu;
    Random();
    EXPECT_EQ(randomCounter, 0u);
}

TEST(Matrix, ProductMayOverwriteEitherFactor) {
    const double a[4] = {1, 2, 3, 4};
    const double b[4] = {5, 6, 7, 8};
    double separate[4];
    Multiply2x2(separate, a, b);
    EXPECT_EQ(separate[0], 19);
    EXPECT_EQ(separate[1], 22);
    EXPECT_EQ(separate[2], 43);
    EXPECT_EQ(separate[3], 50);

    double left[4] = {1, 2, 3, 4};
    Multiply2x2(left, left, b);
    double right[4] = {5, 6, 7, 8};
    Multiply2x2(right, a, right);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(left[i], separate[i]);
        EXPECT_EQ(right[i], separate[i]);
    }
}

TEST(StartUp, ConstantsAndTheSquaredCosineTable) {
    TestHost host(64, 64, 12345);
    StartEngine(nullptr);
    EXPECT_EQ(twoPi, 2 * M_PI);
    EXPECT_EQ(invSqrt3, 1 / std::sqrt(3.0));
    EXPECT_NEAR(logTiny, -18.42068, 1e-5);
    EXPECT_NEAR(degreeRotation[2], std::sin(M_PI / 180), 1e-16);
    EXPECT_EQ(degreeRotation[1], -degreeRotation[2]);
    EXPECT_EQ(squaredCosineTable[0], 4095);
    EXPECT_EQ(squaredCosineTable[63], 0);
    EXPECT_EQ(squaredCosineTable[64], -1);
    EXPECT_EQ(squaredCosineTable[127], -4096);
    for (int j = 1; j < 128; ++j) EXPECT_LE(squaredCosineTable[j], squaredCosineTable[j - 1]);
}

TEST(StartUp, SeedsFromTheTickCountAndSurvivesTickZero) {
    TestHost host(64, 64, 12345);
    StartEngine(nullptr);
    EXPECT_EQ(randomCounter, 12345u);
    EXPECT_EQ(randomMultiplier, 12345u);

    TestHost::SetTicks(0);
    StartEngine(nullptr);
    EXPECT_EQ(randomCounter, 0u);
    EXPECT_NE(randomMultiplier, 0u);
    EXPECT_NE(Random(), Random());
}

} // namespace
} // namespace quintorbelle::testing
