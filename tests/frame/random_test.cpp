// The inversive random generator, its modular arithmetic, and its seed.
#include <gtest/gtest.h>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

constexpr uint32_t p = kRandomModulus;

TEST(ModularArithmetic, InversesAndFoldedProducts) {
    EXPECT_EQ(ModInverse(0), 0u);
    EXPECT_EQ(ModInverse(2), 2147483544u); // 2 x 2147483544 = p + 1
    // Both quadratic characters occur among these, so both branches of the
    // Euler-criterion inverse are exercised.
    for (uint32_t x : {1u, 3u, 5u, 7u, 12345u, 65536u, 2147483647u, p - 2, p - 1, 4000000000u}) {
        EXPECT_EQ(ModMultiply(x, ModInverse(x)), 1u) << x;
    }
    EXPECT_EQ(ModMultiply(0xFFFFFFFFu, 0xFFFFFFFFu), 43264u); // 208^2: 2^32 - 1 = 208 (mod p)
    EXPECT_EQ(ModMultiply(0xFFFFFFFFu, 1), 208u);             // the final subtraction of p
    EXPECT_EQ(ModPower(3, 0), 1u);
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
