// The automaton's set-up: weight tables, colour count, the description of
// the rule found by sampling it, and the seeded first row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "frame/engine_state.h"
#include "frame/frame.h"
#include "frame/shared_block.h"
#include "support/test_host.h"

namespace quintorbelle::testing {
namespace {

constexpr char kPrefix[] = "Quintorbelle: ";

void UseRule(const char *name, int32_t radius, uint32_t mask, int32_t ruleClassValue,
             int32_t states) {
    drawMode = 8;
    std::strcpy(ruleName, name);
    neighbourhoodRadius = radius;
    neighbourhoodMask = mask;
    ruleClass = ruleClassValue;
    symmetryDegree = states;
    ruleMultiplier = 1;
    ruleMask = 0;
    ruleModulus = 1000;
    ruleSeed = 0;
}

std::vector<int32_t> Weights(int32_t from, int32_t to) {
    return std::vector<int32_t>(positionWeights + 7 + from, positionWeights + 8 + to);
}

TEST(AutomatonClassification, CountOfAllCellsForAParityRule) {
    TestHost host(40, 30);
    // Every cell weighs 1, so the output is the number of non-zero cells,
    // modulo 2: the alternate count cannot tell 010 from 000.
    UseRule("R1ECC", 1, 0x1C0, 1, 2);
    SetUpAutomaton(0, 0);
    EXPECT_EQ(host.Title(), std::string(kPrefix) + "R1ENC0101");
    EXPECT_EQ(Weights(-1, 1), (std::vector<int32_t>{1, 1, 1}));
    EXPECT_EQ(explorePatience, 10000);
}

TEST(AutomatonClassification, AlternateCountKeepsTheFirstLabel) {
    TestHost host(40, 30);
    // Radius 1, alternate cells: only the two outer cells count, so the
    // output depends on their number alone: (3c XOR 5) mod 7 mod 2.
    UseRule("R1ANC", 1, 0x140, 0, 2);
    ruleMultiplier = 3;
    ruleMask = 5;
    ruleModulus = 7;
    SetUpAutomaton(0, 0);
    EXPECT_EQ(host.Title(), std::string(kPrefix) + "R1ANC101");
}

TEST(AutomatonClassification, TooManyConfigurationsShowsTheFirstLabelEmpty) {
    TestHost host(40, 30);
    // 80^5 is above 2^31: as a signed count it is negative and nothing is
    // sampled.
    UseRule("R2ECC", 2, 0x3E0, 1, 80);
    SetUpAutomaton(0, 0);
    EXPECT_EQ(host.Title(), std::string(kPrefix) + "R2ANC");
    EXPECT_EQ(symmetryDegree, 80);

    // Above the radius' capacity the state count is clamped.
    UseRule("R3ECC", 3, 0x7F0, 1, 30);
    SetUpAutomaton(1, 0);
    EXPECT_EQ(symmetryDegree, 23);
}

TEST(AutomatonWeights, PositionWeightsByClass) {
    TestHost host(40, 30);
    UseRule("R2ECI", 2, 0x3E0, 3, 2);
    SetUpAutomaton(1, 0);
    EXPECT_EQ(Weights(-2, 2), (std::vector<int32_t>{1, 2, 4, 8, 16}));
    mirrorSymmetry = 1; // factor 3, and the left half mirrored onto the right
    SetUpAutomaton(1, 0);
    EXPECT_EQ(Weights(-3, 3), (std::vector<int32_t>{0, 1, 3, 9, 3, 1, 0}));

    mirrorSymmetry = 0;
    ruleClass = 4;
    SetUpAutomaton(1, 0);
    EXPECT_EQ(Weights(-2, 2), (std::vector<int32_t>{1, 2, 3, 4, 5}));
}

TEST(AutomatonWeights, StateWeightsRepeatWithPeriodK) {
    TestHost host(40, 30);
    // Class 2 grows by the number of neighbourhood cells, here 3.
    UseRule("R1ECS", 1, 0x1C0, 2, 5);
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
    UseRule("R1ECC", 1, 0x1C0, 1, 3);
    colourBySource = 1;
    SetUpAutomaton(0, 0);
    EXPECT_EQ(automatonColourCount, 6);
    EXPECT_EQ(maxColourIndex, 6);
    colourBySource = 0;
    symmetryDegree = 1; // one state is taken as two
    SetUpAutomaton(1, 0);
    EXPECT_EQ(symmetryDegree, 2);
    EXPECT_EQ(automatonColourCount, 2);
}

TEST(AutomatonSetUp, SeedIsCentredOrMirrored) {
    TestHost host(20, 30);
    UseRule("R1ECC", 1, 0x1C0, 1, 10);
    std::memset(indexImage[0], 9, 21);
    SetUpAutomaton(0, 0); // seed 0: an empty row
    EXPECT_EQ(std::count(indexImage[0], indexImage[0] + 20, 0), 20);
    EXPECT_EQ(indexImage[0][20], 9); // only the picture's cells are cleared

    ruleSeed = 1234;
    SetUpAutomaton(0, 5);
    EXPECT_EQ(automatonRow, 5);
    const uint8_t centred[20] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4};
    EXPECT_EQ(std::memcmp(indexImage[5], centred, 20), 0);

    mirrorSymmetry = 1;
    ruleSeed = 123;
    SetUpAutomaton(0, 7);
    const uint8_t mirrored[20] = {0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 3, 2, 1};
    EXPECT_EQ(std::memcmp(indexImage[7], mirrored, 20), 0);

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
