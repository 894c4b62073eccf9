// The automaton's set-up: weight tables, colour count, the description of
// the rule found by sampling it, and the seeded first row.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

struct Rule {
    const char *name;
    int32_t radius;
    uint32_t mask;
    int32_t ruleClass, states, multiplier = 1, xorMask = 0, modulus = 1000;
};

void UseRule(const Rule &rule) {
    drawMode = 8;
    std::strcpy(ruleName, rule.name);
    neighbourhoodRadius = rule.radius;
    neighbourhoodMask = rule.mask;
    ruleClass = rule.ruleClass;
    symmetryDegree = rule.states;
    ruleMultiplier = rule.multiplier;
    ruleMask = rule.xorMask;
    ruleModulus = rule.modulus;
    ruleSeed = 0;
}

std::vector<int32_t> Weights(int32_t from, int32_t to) {
    return std::vector<int32_t>(positionWeights + 7 + from, positionWeights + 8 + to);
}

TEST(AutomatonClassification, TitleNamesTheFirstExactDescription) {
    const std::pair<Rule, const char *> cases[] = {
        // Every cell weighs 1: the output is the parity of the non-zero
        // cells, which the alternate count cannot tell from 000.
        {{"R1ECC", 1, 0x1C0, 1, 2}, "R1ENC0101"},
        // Only the two outer cells count: (3c XOR 5) mod 7 mod 2.
        {{"R1ANC", 1, 0x140, 0, 2, 3, 5, 7}, "R1ANC101"},
        // 80^5 is above 2^31: as a signed count it is negative, nothing is
        // sampled and the first label shows empty.
        {{"R2ECC", 2, 0x3E0, 1, 80}, "R2ANC"},
    };
    for (const auto &[rule, title] : cases) {
        TestHost host(40, 30);
        UseRule(rule);
        SetUpAutomaton(0, 0);
        EXPECT_EQ(host.Title(), std::string("Quintorbelle: ") + title);
    }
}

TEST(AutomatonWeights, PositionAndStateWeightsByClass) {
    TestHost host(40, 30);
    UseRule({"R2ECI", 2, 0x3E0, 3, 2});
    SetUpAutomaton(1, 0);
    EXPECT_EQ(Weights(-2, 2), (std::vector<int32_t>{1, 2, 4, 8, 16}));
    mirrorSymmetry = 1; // factor 3, and the left half mirrored onto the right
    SetUpAutomaton(1, 0);
    EXPECT_EQ(Weights(-3, 3), (std::vector<int32_t>{0, 1, 3, 9, 3, 1, 0}));
    mirrorSymmetry = 0;
    ruleClass = 4;
    SetUpAutomaton(1, 0);
    EXPECT_EQ(Weights(-2, 2), (std::vector<int32_t>{1, 2, 3, 4, 5}));

    // Class 2 grows by the number of neighbourhood cells, here 3, and the
    // state weights repeat with period k.
    UseRule({"R1ECS", 1, 0x1C0, 2, 5});
    SetUpAutomaton(1, 0);
    EXPECT_EQ(std::vector<uint32_t>(stateWeights, stateWeights + 7),
              (std::vector<uint32_t>{0, 1, 4, 13, 40, 0, 1}));
    EXPECT_EQ(stateWeights[254], 40u);
    EXPECT_EQ(stateWeights[255], 0u);
    ruleClass = 0;
    SetUpAutomaton(1, 0);
    EXPECT_EQ(std::vector<uint32_t>(stateWeights, stateWeights + 6),
              (std::vector<uint32_t>{0, 1, 1, 1, 1, 0}));
}

TEST(AutomatonSetUp, ColourCountAndStateCount) {
    TestHost host(40, 30);
    UseRule({"R1ECC", 1, 0x1C0, 1, 3});
    colourBySource = 1;
    SetUpAutomaton(0, 0);
    EXPECT_EQ(automatonColourCount, 6);
    colourBySource = 0;
    symmetryDegree = 1; // one state is taken as two
    SetUpAutomaton(1, 0);
    EXPECT_EQ(symmetryDegree, 2);
    EXPECT_EQ(automatonColourCount, 2);
    UseRule({"R3ECC", 3, 0x7F0, 1, 30}); // above the radius' capacity
    SetUpAutomaton(1, 0);
    EXPECT_EQ(symmetryDegree, 23);
}

TEST(AutomatonSetUp, SeedIsMirroredAndItsRowHeldToThePicture) {
    TestHost host(20, 30);
    UseRule({"R1ECC", 1, 0x1C0, 1, 10});
    std::memset(indexImage[7], 9, 21);
    mirrorSymmetry = 1;
    ruleSeed = 123;
    SetUpAutomaton(0, 7);
    const uint8_t mirrored[21] = {0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0, 9};
    // Only the picture's cells are cleared.
    EXPECT_EQ(std::memcmp(indexImage[7], mirrored, 21), 0);

    // A refresh leaves the rows alone; a first row below the picture is
    // held to its last row.
    SetUpAutomaton(1, 3);
    EXPECT_EQ(automatonRow, 7);
    SetUpAutomaton(0, 31);
    EXPECT_EQ(automatonRow, 29);
    EXPECT_EQ(indexImage[29][10], 3);
}

} // namespace
} // namespace quintorbelle::testing
