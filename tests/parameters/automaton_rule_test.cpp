// Automaton rules: the greatest common divisor, the order of the seven
// draws, the names of the neighbourhoods, the classes the state count allows,
// and the animation step.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "parameters/parameters.h"

namespace quintorbelle::testing {
namespace {

uint32_t Gcd(uint32_t u, uint32_t v) {
    return GreatestCommonDivisor(u, v);
}

uint32_t Full(int32_t radius) {
    return ((1u << (2 * radius + 1)) - 1) << (7 - radius);
}

std::string Digits(uint32_t mask, int32_t radius) {
    char text[16];
    std::snprintf(text, sizeof text, "K%x", mask >> (7 - radius));
    return text;
}

TEST(GreatestCommonDivisor, ByRepeatedRemainders) {
    // 2^32 - 1 = (2^16 - 1)(2^16 + 1)
    const uint32_t cases[][3] = {{18, 12, 6}, {7, 0, 7}, {0, 5, 5},
                                 {0, 0, 0},   {9, 9, 9}, {0xFFFFFFFFu, 0xFFFFu, 0xFFFFu}};
    for (const auto &c : cases) EXPECT_EQ(Gcd(c[0], c[1]), c[2]) << c[0];
}

// Replays by hand every state whose neighbourhood is not a random subset:
// radius, neighbourhood, seed, multiplier, mask, modulus, class.
TEST(AutomatonRuleGeneration, SevenDrawsInTheirOrder) {
    symmetryDegree = 3;
    randomMultiplier = 2654435761u;
    const char *suffix[6] = {"NC", "CC", "CS", "CI", "PPS", "PS"};
    int checked = 0;
    for (uint32_t start = 1; start < 200; ++start) {
        randomCounter = start;
        uint32_t r[7];
        for (uint32_t &value : r) value = Random();
        const int32_t radius = static_cast<int32_t>(r[0] % 9 % 7) + 1;
        const uint32_t choice = radius < 3 ? r[1] % 4 : r[1] % 3;
        if (choice == 2) continue;
        const uint32_t full = Full(radius);
        const uint32_t mask = choice == 1 ? full & (radius % 2 != 0 ? 0x5555u : 0xAAAAu) : full;
        const uint32_t multiplier = r[3] % 32767 + 1;
        uint32_t numberMask = r[4] % 32767 + 1;
        while (Gcd(multiplier, numberMask) > 1) ++numberMask;
        uint32_t modulus = r[5] % 32767 + 1;
        while (Gcd(multiplier, modulus) > 1 || Gcd(numberMask, modulus) > 1) ++modulus;
        const std::string letters = mask == full              ? "E"
                                    : mask == (full & 0x5555) ? "A"
                                                              : Digits(mask, radius);
        const uint32_t e = radius > 3 && letters == "E" ? 0 : 1;
        int32_t ruleClassExpected = static_cast<int32_t>(r[6] % (4 + e + 1));
        if (ruleClassExpected == 2 && radius + 3 >= 12) ruleClassExpected = 1;

        randomCounter = start;
        GenerateAutomatonRule();
        ASSERT_EQ(randomCounter, start + 7);
        EXPECT_EQ(neighbourhoodRadius, radius);
        EXPECT_EQ(neighbourhoodMask, mask);
        EXPECT_EQ(ruleSeed, r[2]);
        EXPECT_EQ(ruleMultiplier, multiplier);
        EXPECT_EQ(ruleMask, numberMask);
        EXPECT_EQ(ruleModulus, modulus);
        EXPECT_EQ(ruleClass, ruleClassExpected);
        EXPECT_EQ(std::string(ruleName),
                  "R" + std::to_string(radius) + letters + suffix[ruleClassExpected]);
        ++checked;
    }
    EXPECT_GT(checked, 100);
}

// A random subset may fall back to a narrower radius; it is then named by its
// digits even if it is full there.
TEST(AutomatonRuleGeneration, NamesMasksAndClassesAgree) {
    randomMultiplier = 97531;
    randomCounter = 1;
    for (int32_t k : {2, 3, 11}) {
        symmetryDegree = k;
        for (int i = 0; i < 1500; ++i) {
            GenerateAutomatonRule();
            const int32_t r = neighbourhoodRadius;
            const uint32_t mask = neighbourhoodMask;
            const std::string name = ruleName;
            ASSERT_GE(r, 1);
            EXPECT_NE(mask & ~0x80u, 0u); // never the centre alone
            EXPECT_NE(mask & ((1u << (7 - r)) | (1u << (7 + r))), 0u);
            EXPECT_EQ(mask >> (8 + r), 0u);
            ASSERT_EQ(name.substr(0, 2), "R" + std::to_string(r));
            if (name[2] == 'E') {
                EXPECT_EQ(mask, Full(r));
            } else if (name[2] == 'A') {
                EXPECT_EQ(mask, Full(r) & 0x5555);
            } else {
                EXPECT_EQ(name.substr(2, Digits(mask, r).size()), Digits(mask, r));
            }
            EXPECT_TRUE(ruleClass != 2 || r + k < 12);
            EXPECT_TRUE(ruleClass != 5 || k < 4);
            EXPECT_TRUE(r <= 3 || name[2] != 'E' || ruleClass < 4 + (k < 4 ? 1 : 0));
        }
    }
}

TEST(AutomatonRuleGeneration, RadiusRangeFollowsTheStateCapacity) {
    randomMultiplier = 13579;
    randomCounter = 5;
    for (int32_t k : {84, 85}) {
        symmetryDegree = k;
        std::set<int32_t> radii;
        for (int i = 0; i < 300; ++i) {
            GenerateAutomatonRule();
            radii.insert(neighbourhoodRadius);
        }
        EXPECT_EQ(radii, (k == 84 ? std::set<int32_t>{1, 2} : std::set<int32_t>{1})) << k;
    }
}

TEST(AutomatonRuleStep, AdvancesTheNumbersTheFlagsName) {
    ruleMultiplier = 6;
    ruleMask = 7;
    ruleModulus = 12;
    animationFlags = 2;
    StepAutomatonRule();
    EXPECT_EQ(ruleMask, 11u); // 8, 9 and 10 share a factor with 6
    EXPECT_EQ(ruleModulus, 12u);
    animationFlags = 4 | 8;
    StepAutomatonRule();
    EXPECT_EQ(ruleModulus, 13u);
    EXPECT_EQ(animationFlags, 12);
    animationFlags = 0; // none of the three bits: all three numbers move
    StepAutomatonRule();
    EXPECT_EQ(animationFlags, 7);
    EXPECT_EQ(ruleMultiplier, 7u);
    EXPECT_EQ(ruleMask, 12u);
    EXPECT_EQ(ruleModulus, 17u); // 14 shares 7, 15 and 16 share with 12
}

} // namespace
} // namespace quintorbelle::testing
