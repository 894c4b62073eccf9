// Automaton rules: the greatest common divisor, the exact order of the
// draws, the neighbourhoods and their names, the coprime triple, the class,
// and the animation step.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
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

// The name a mask should have, worked out from the mask alone.
std::string ExpectedLetters(uint32_t mask, int32_t radius) {
    const uint32_t full = ((1u << (2 * radius + 1)) - 1) << (7 - radius);
    if (mask == full) return "E";
    if (mask == (full & 0x5555)) return "A";
    char text[16];
    std::snprintf(text, sizeof text, "K%x", mask >> (7 - radius));
    return text;
}

TEST(GreatestCommonDivisor, ByRepeatedRemainders) {
    EXPECT_EQ(Gcd(18, 12), 6u);
    EXPECT_EQ(Gcd(7, 0), 7u);
    EXPECT_EQ(Gcd(0, 5), 5u);
    EXPECT_EQ(Gcd(0, 0), 0u);
    EXPECT_EQ(Gcd(9, 9), 9u);
    EXPECT_EQ(Gcd(0xFFFFFFFFu, 0xFFFFu), 0xFFFFu); // 2^32 - 1 = (2^16 - 1)(2^16 + 1)
}

// Replays seven draws by hand for every state whose neighbourhood is not a
// random subset: radius, neighbourhood, seed, multiplier, mask, modulus,
// class.
TEST(AutomatonRuleGeneration, SevenDrawsInTheirOrder) {
    symmetryDegree = 3;
    randomMultiplier = 2654435761u;
    int checked = 0;
    for (uint32_t start = 1; start < 200; ++start) {
        randomCounter = start;
        uint32_t r[7];
        for (uint32_t &value : r) value = Random();
        const int32_t radius = static_cast<int32_t>(r[0] % 9 % 7) + 1;
        const uint32_t choice = radius < 3 ? r[1] % 4 : r[1] % 3;
        if (choice == 2) continue;
        const uint32_t full = ((1u << (2 * radius + 1)) - 1) << (7 - radius);
        const uint32_t mask = choice == 1 ? full & (radius % 2 != 0 ? 0x5555u : 0xAAAAu) : full;
        const uint32_t multiplier = r[3] % 32767 + 1;
        uint32_t numberMask = r[4] % 32767 + 1;
        while (Gcd(multiplier, numberMask) > 1) ++numberMask;
        uint32_t modulus = r[5] % 32767 + 1;
        while (Gcd(multiplier, modulus) > 1 || Gcd(numberMask, modulus) > 1) ++modulus;
        const std::string letters = ExpectedLetters(mask, radius);
        const uint32_t e = radius > 3 && letters == "E" ? 0 : 1;
        int32_t ruleClassExpected = static_cast<int32_t>(r[6] % (4 + e + 1));
        if (ruleClassExpected == 2 && radius + 3 >= 12) ruleClassExpected = 1;
        const char *suffix[6] = {"NC", "CC", "CS", "CI", "PPS", "PS"};

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

TEST(AutomatonRuleGeneration, NamesMasksAndClassesAgree) {
    randomMultiplier = 97531;
    randomCounter = 1;
    for (int32_t k : {2, 3, 11}) {
        symmetryDegree = k;
        for (int i = 0; i < 1500; ++i) {
            GenerateAutomatonRule();
            const int32_t radius = neighbourhoodRadius;
            ASSERT_GE(radius, 1);
            // The subset never keeps only the centre, and the radius is the
            // widest cell present.
            EXPECT_NE(neighbourhoodMask & ~0x80u, 0u);
            EXPECT_NE(neighbourhoodMask & ((1u << (7 - radius)) | (1u << (7 + radius))), 0u);
            EXPECT_EQ(neighbourhoodMask >> (8 + radius), 0u);
            // A subset drawn for a wider radius may fall back to a narrower
            // one; it is then named by its digits even if it is full there.
            const std::string name = ruleName;
            const uint32_t full = ((1u << (2 * radius + 1)) - 1) << (7 - radius);
            ASSERT_EQ(name.substr(0, 2), "R" + std::to_string(radius));
            if (name[2] == 'E') {
                EXPECT_EQ(neighbourhoodMask, full);
            } else if (name[2] == 'A') {
                EXPECT_EQ(neighbourhoodMask, full & 0x5555);
            } else {
                char digits[16];
                std::snprintf(digits, sizeof digits, "K%x", neighbourhoodMask >> (7 - radius));
                EXPECT_EQ(name.substr(2, std::strlen(digits)), digits);
            }
            EXPECT_LE(name.size(), 10u);
            EXPECT_TRUE(ruleClass != 2 || radius + k < 12);
            EXPECT_TRUE(ruleClass != 5 || k < 4);
            EXPECT_TRUE(radius <= 3 || name[2] != 'E' || ruleClass < 4 + (k < 4 ? 1 : 0));
        }
    }
}

TEST(AutomatonRuleGeneration, RadiusRangeFollowsTheStateCapacity) {
    randomMultiplier = 13579;
    randomCounter = 5;
    std::set<int32_t> radii;
    symmetryDegree = 84;
    for (int i = 0; i < 300; ++i) {
        GenerateAutomatonRule();
        radii.insert(neighbourhoodRadius);
    }
    EXPECT_EQ(radii, (std::set<int32_t>{1, 2}));
    symmetryDegree = 85;
    for (int i = 0; i < 100; ++i) {
        GenerateAutomatonRule();
        ASSERT_EQ(neighbourhoodRadius, 1);
    }
}

TEST(AutomatonRuleStep, AdvancesTheNumbersTheFlagsName) {
    ruleMultiplier = 6;
    ruleMask = 7;
    ruleModulus = 12;
    animationFlags = 2; // 8, 9, 10 share a factor with 6
    StepAutomatonRule();
    EXPECT_EQ(ruleMask, 11u);
    EXPECT_EQ(ruleMultiplier, 6u);
    EXPECT_EQ(ruleModulus, 12u);
    animationFlags = 4 | 8;
    StepAutomatonRule();
    EXPECT_EQ(ruleModulus, 13u);
    EXPECT_EQ(animationFlags, 12);

    // With none of the three bits, all three numbers move.
    animationFlags = 0;
    StepAutomatonRule();
    EXPECT_EQ(animationFlags, 7);
    EXPECT_EQ(ruleMultiplier, 7u);
    EXPECT_EQ(ruleMask, 12u);
    EXPECT_EQ(ruleModulus, 17u); // 14 shares 7, 15 and 16 share with 12
}

} // namespace
} // namespace quintorbelle::testing
